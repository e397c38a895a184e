#include "exif/chunk_locators.h"

#include <cstring>

#include "exif/ifd_types.h"
#include "exif/png_profile_locator.h"
#include "support/errors.h"
#include "support/trace.h"

namespace {

constexpr unsigned char png_signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

// Chunks looked at, at most, before the search gives up: a file of tiny
// chunks costs a bounded number of reads.
constexpr int max_chunks_walked = 4096;

// The chunk's data may begin with the "Exif\0\0" of a JPEG segment, which
// some writers copy along.
int found_at(const file_reader &file, uint64_t data, uint64_t end, exif_blocks *found)
{
    unsigned char start[6];
    if (read_at(file, data, end, start, sizeof start) && memcmp(start, "Exif\0\0", 6) == 0)
        data += 6;
    if (data >= end)
        return err_no_exif;
    trace("EXIF chunk: %llu bytes at offset %llu\n", static_cast<unsigned long long>(end - data),
          static_cast<unsigned long long>(data));
    *found = {1, {{data, ifd_parent_main_chain, 0}}, false, tiff_magic_number, false};
    return exif_ok;
}

}  // namespace

bool is_png(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 8 && memcmp(first_bytes, png_signature, sizeof png_signature) == 0;
}

int locate_png_exif(const file_reader &file, exif_blocks *found)
{
    // Each chunk: its data's length and type, the data, a 4-byte check sum.
    // Without an eXIf chunk, the first raw profile text chunk that holds the
    // EXIF block (exif/png_profile_locator.h) gives it.
    uint64_t profile = 0, profile_end = 0;
    uint32_t profile_type = 0;
    uint64_t at = sizeof png_signature;
    for (int walked = 0; walked < max_chunks_walked; walked++) {
        unsigned char header[8];
        if (!read_at(file, at, file.size, header, sizeof header))
            break;
        uint64_t data = at + 8, end = data + big_endian_32(header);
        uint32_t type = big_endian_32(header + 4);
        if (end > file.size)
            break;
        if (type == four_cc("eXIf"))
            return found_at(file, data, end, found);
        if (type == four_cc("IEND"))
            break;
        if (profile == 0 && is_png_exif_profile(file, type, data, end))
            profile = data, profile_end = end, profile_type = type;
        at = end + 4;
    }
    return profile != 0 ? locate_png_profile_exif(file, profile_type, profile, profile_end, found) : err_no_exif;
}

bool is_webp(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 12 && memcmp(first_bytes, "RIFF", 4) == 0 && memcmp(first_bytes + 8, "WEBP", 4) == 0;
}

int locate_webp_exif(const file_reader &file, exif_blocks *found)
{
    unsigned char riff[12];
    if (!read_at(file, 0, file.size, riff, sizeof riff))
        return err_no_exif;
    // The RIFF size counts from byte 8; a file cut short keeps what it holds.
    uint64_t limit = 8 + static_cast<uint64_t>(little_endian_32(riff + 4));
    uint64_t at = sizeof riff;
    for (int walked = 0; walked < max_chunks_walked; walked++) {
        unsigned char header[8];
        if (!read_at(file, at, limit, header, sizeof header))
            return err_no_exif;
        uint64_t data = at + 8, end = data + little_endian_32(header + 4);
        if (end > limit || end > file.size)
            return err_no_exif;
        if (memcmp(header, "EXIF", 4) == 0)
            return found_at(file, data, end, found);
        at = end + (end & 1);  // chunks are padded to an even length
    }
    return err_no_exif;
}

namespace {

constexpr char png_xmp_keyword[] = "XML:com.adobe.xmp";  // and a NUL

// An iTXt chunk's text: after the keyword, the compression flag and method,
// the language tag and the translated keyword, each text ending in a NUL.
void add_png_xmp(const file_reader &file, uint64_t data, uint64_t end, packet_blocks *found)
{
    unsigned char head[256];
    size_t n = end - data < sizeof head ? static_cast<size_t>(end - data) : sizeof head;
    if (n < sizeof png_xmp_keyword + 2 || !read_at(file, data, end, head, n) ||
        memcmp(head, png_xmp_keyword, sizeof png_xmp_keyword) != 0)
        return;
    size_t at = 0;
    bool compressed = false;
    if (find_itxt_text(head, n, &at, &compressed))
        add_packet_block(found, compressed ? packet_kind::xmp_zlib : packet_kind::xmp, data + at, end - data - at);
}

}  // namespace

void locate_png_packets(const file_reader &file, const file_head &head, packet_blocks *found)
{
    (void)head;  // read again: few files of these containers, and they need more than the head
    found->count = 0;
    uint64_t at = sizeof png_signature;
    for (int walked = 0; walked < max_chunks_walked; walked++) {
        unsigned char header[8];
        if (!read_at(file, at, file.size, header, sizeof header))
            return;
        uint64_t data = at + 8, end = data + big_endian_32(header);
        uint32_t type = big_endian_32(header + 4);
        if (end > file.size || type == four_cc("IEND"))
            return;
        if (type == four_cc("iTXt"))
            add_png_xmp(file, data, end, found);
        at = end + 4;
    }
}

void locate_webp_packets(const file_reader &file, const file_head &head, packet_blocks *found)
{
    (void)head;  // read again: few files of these containers, and they need more than the head
    found->count = 0;
    unsigned char riff[12];
    if (!read_at(file, 0, file.size, riff, sizeof riff))
        return;
    uint64_t limit = 8 + static_cast<uint64_t>(little_endian_32(riff + 4));
    uint64_t at = sizeof riff;
    for (int walked = 0; walked < max_chunks_walked; walked++) {
        unsigned char header[8];
        if (!read_at(file, at, limit, header, sizeof header))
            return;
        uint64_t data = at + 8, end = data + little_endian_32(header + 4);
        if (end > limit || end > file.size)
            return;
        if (memcmp(header, "XMP ", 4) == 0)
            add_packet_block(found, packet_kind::xmp, data, end - data);
        at = end + (end & 1);
    }
}
