#include "exif/container_reads.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Boxes walked at most in one list: a file of tiny boxes ends the search
// instead of costing a read per box for megabytes.
constexpr int max_boxes_walked = 4096;

}  // namespace

file_reader reader_of(FILE *fp)
{
    file_reader file{fileno(fp), 0};
    struct stat st;
    if (fstat(file.fd, &st) == 0 && st.st_size > 0)
        file.size = static_cast<uint64_t>(st.st_size);
    return file;
}

bool read_at(const file_reader &file, uint64_t offset, uint64_t limit, void *out, size_t n)
{
    if (limit > file.size)
        limit = file.size;
    if (offset > limit || limit - offset < n || offset > static_cast<uint64_t>(INT64_MAX))
        return false;
    return pread(file.fd, out, n, static_cast<off_t>(offset)) == static_cast<ssize_t>(n);
}

uint16_t big_endian_16(const unsigned char *p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

uint32_t big_endian_32(const unsigned char *p)
{
    return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 | static_cast<uint32_t>(p[2]) << 8 |
           p[3];
}

uint64_t big_endian_64(const unsigned char *p)
{
    return static_cast<uint64_t>(big_endian_32(p)) << 32 | big_endian_32(p + 4);
}

uint32_t little_endian_32(const unsigned char *p)
{
    return static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 |
           p[0];
}

bool read_box(const file_reader &file, uint64_t at, uint64_t limit, media_box *box)
{
    if (limit > file.size)
        limit = file.size;
    unsigned char header[16];
    if (!read_at(file, at, limit, header, 8))
        return false;
    uint64_t size = big_endian_32(header);
    box->type = big_endian_32(header + 4);
    uint64_t header_size = 8;
    if (size == 1) {
        if (!read_at(file, at + 8, limit, header + 8, 8))
            return false;
        size = big_endian_64(header + 8);
        header_size = 16;
    } else if (size == 0) {
        size = limit - at;
    }
    if (box->type == four_cc("uuid"))
        header_size += 16;
    if (size < header_size || size > limit - at)
        return false;
    box->start = at;
    box->contents = at + header_size;
    box->end = at + size;
    return true;
}

bool find_box(const file_reader &file, uint64_t from, uint64_t limit, uint32_t type, media_box *box)
{
    uint64_t at = from;
    for (int walked = 0; walked < max_boxes_walked && read_box(file, at, limit, box); walked++) {
        if (box->type == type)
            return true;
        at = box->end;
    }
    return false;
}
