#include "exif/rw2_locator.h"

#include <cstring>
#include <initializer_list>

#include "exif/ifd_types.h"
#include "exif/tags.h"
#include "support/errors.h"
#include "support/trace.h"

namespace {

constexpr unsigned char rw2_signature[4] = {'I', 'I', 'U', 0x00};
constexpr uint32_t rw2_magic_number = 0x0055;
constexpr uint32_t tag_jpeg_preview = 0x002E;
// Entries of an IFD looked at, and JPEG segments walked, at most.
constexpr uint32_t max_entries_looked_at = 512;
constexpr int max_segments_walked = 64;

uint64_t number_at(const unsigned char *p, size_t size, bool motorola)
{
    uint64_t value = 0;
    for (size_t i = 0; i < size; i++)
        value |= static_cast<uint64_t>(p[motorola ? i : size - 1 - i]) << (8 * (size - 1 - i));
    return value;
}

// The value field of the entry `tag` in the classic IFD at `ifd` of the TIFF
// block at `base`, and the entry's count; false when there is no such entry.
bool find_entry(const file_reader &file, uint64_t base, uint64_t ifd, bool motorola, uint32_t tag, uint64_t *value,
                uint64_t *count)
{
    unsigned char bytes[12];
    if (!read_at(file, base + ifd, file.size, bytes, 2))
        return false;
    const uint64_t entries = number_at(bytes, 2, motorola);
    for (uint64_t i = 0; i < entries && i < max_entries_looked_at; i++) {
        if (!read_at(file, base + ifd + 2 + 12 * i, file.size, bytes, sizeof bytes))
            return false;
        if (number_at(bytes, 2, motorola) == tag) {
            *count = number_at(bytes + 4, 4, motorola);
            *value = number_at(bytes + 8, 4, motorola);
            return true;
        }
    }
    return false;
}

// The TIFF header of the EXIF segment of the JPEG image from `start` to `end`; 0 when none.
uint64_t find_jpeg_exif(const file_reader &file, uint64_t start, uint64_t end)
{
    unsigned char marker[10];
    if (!read_at(file, start, end, marker, 2) || marker[0] != 0xFF || marker[1] != 0xD8)
        return 0;
    uint64_t at = start + 2;
    for (int walked = 0; walked < max_segments_walked && read_at(file, at, end, marker, 4); walked++) {
        if (marker[0] != 0xFF || marker[1] == 0xDA)  // the image data begins: no EXIF segment before it
            return 0;
        const uint64_t length = big_endian_16(marker + 2);
        if (marker[1] == 0xE1 && length >= 8 && read_at(file, at + 4, end, marker + 4, 6) &&
            memcmp(marker + 4, "Exif\0\0", 6) == 0)
            return at + 10;
        at += 2 + length;
    }
    return 0;
}

// Adds the preview's EXIF and GPS IFDs as blocks of their own.
void add_preview_ifds(const file_reader &file, exif_blocks *found)
{
    unsigned char header[8];
    uint64_t preview = 0, length = 0;
    if (!read_at(file, 0, file.size, header, sizeof header) ||
        !find_entry(file, 0, little_endian_32(header + 4), false, tag_jpeg_preview, &preview, &length) ||
        preview > file.size ||
        length > file.size - preview)
        return;
    const uint64_t tiff = find_jpeg_exif(file, preview, preview + length);
    if (tiff == 0 || !read_at(file, tiff, preview + length, header, sizeof header))
        return;
    const bool motorola = header[0] == 'M';
    const uint64_t ifd0 = number_at(header + 4, 4, motorola);
    trace("RW2 JPEG preview: TIFF header at %llu\n", static_cast<unsigned long long>(tiff));
    for (uint32_t pointer : {tag::exif_ifd, tag::gps_ifd}) {
        uint64_t ifd = 0, count = 0;
        if (find_entry(file, tiff, ifd0, motorola, pointer, &ifd, &count) && ifd != 0 &&
            found->count < max_exif_blocks)
            found->blocks[found->count++] = {tiff, static_cast<int32_t>(pointer), ifd};
    }
}

}  // namespace

bool is_rw2(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 4 && memcmp(first_bytes, rw2_signature, sizeof rw2_signature) == 0;
}

int locate_rw2_exif(const file_reader &file, exif_blocks *found)
{
    if (file.size < 8)
        return err_no_exif;
    *found = {1, {{0, ifd_parent_main_chain, 0}}, true, rw2_magic_number, false};
    add_preview_ifds(file, found);
    return exif_ok;
}
