// Reads of a container's own structure (headers, boxes, chunks) straight from
// the file, each checked in one place against the size of the file and of the
// box or chunk around it, so that no length a file states can lead a locator
// past what is there.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

struct file_reader {
    int fd;
    uint64_t size;  // the file's size in bytes
};

// The reader of an open stream; size 0 when its status cannot be read.
file_reader reader_of(FILE *fp);

// Reads n bytes at offset; false when they do not all lie before `limit` (and
// in the file) or cannot be read.
[[nodiscard]] bool read_at(const file_reader &file, uint64_t offset, uint64_t limit, void *out, size_t n);

uint16_t big_endian_16(const unsigned char *p);
uint32_t big_endian_32(const unsigned char *p);
uint64_t big_endian_64(const unsigned char *p);
uint32_t little_endian_32(const unsigned char *p);

// A four-character code as a number, first character highest: four_cc("Exif").
constexpr uint32_t four_cc(const char (&code)[5])
{
    return static_cast<uint32_t>(static_cast<unsigned char>(code[0])) << 24 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[1])) << 16 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[2])) << 8 |
           static_cast<uint32_t>(static_cast<unsigned char>(code[3]));
}

// An ISO base media file box (HEIF, AVIF, CR3, JPEG XL's container): its type
// and where its contents lie. A size of 0 means "to the end of the parent",
// a size of 1 a 64-bit size after the type.
struct media_box {
    uint32_t type;
    uint64_t start;     // the box's first byte
    uint64_t contents;  // its first byte after the header (and a uuid's 16 bytes)
    uint64_t end;       // the byte after the box
};

// The box at `at`, which must end by `limit`; false when its header does not
// fit or it states a size that does not.
[[nodiscard]] bool read_box(const file_reader &file, uint64_t at, uint64_t limit, media_box *box);
// The first box of `type` among the boxes from `from` to `limit`; false when
// there is none or a box on the way is broken.
[[nodiscard]] bool find_box(const file_reader &file, uint64_t from, uint64_t limit, uint32_t type, media_box *box);
