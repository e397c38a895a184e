#include "exif/tiff_locator.h"

#include <cstring>

#include "exif/ifd_types.h"
#include "support/errors.h"

namespace {

struct tiff_signature {
    unsigned char bytes[4];
    uint32_t magic;  // the number as the byte order reads it
};

// clang-format off
constexpr tiff_signature tiff_signatures[] = {
    {{'I', 'I', 0x2A, 0x00}, tiff_magic_number},
    {{'M', 'M', 0x00, 0x2A}, tiff_magic_number},
    {{'I', 'I', 'R', 'O'}, 0x4F52},  // Olympus ORF
    {{'I', 'I', 'R', 'S'}, 0x5352},  // Olympus ORF of some models
    {{'M', 'M', 'O', 'R'}, 0x4F52},  // Olympus ORF, Motorola order
    {{'I', 'I', 0x2B, 0x00}, bigtiff_magic_number},
    {{'M', 'M', 0x00, 0x2B}, bigtiff_magic_number},
};
// clang-format on

const tiff_signature *find_signature(const unsigned char *first_bytes, int32_t valid)
{
    if (valid < 4)
        return nullptr;
    for (const tiff_signature &signature : tiff_signatures)
        if (memcmp(first_bytes, signature.bytes, 4) == 0)
            return &signature;
    return nullptr;
}

}  // namespace

bool is_tiff(const unsigned char *first_bytes, int32_t valid) { return find_signature(first_bytes, valid) != nullptr; }

int locate_tiff_exif(const file_reader &file, exif_blocks *found)
{
    unsigned char first_bytes[4];
    if (!read_at(file, 0, file.size, first_bytes, sizeof first_bytes))
        return err_no_exif;
    const tiff_signature *signature = find_signature(first_bytes, sizeof first_bytes);
    if (signature == nullptr)
        return err_no_exif;
    *found = {1, {{0, ifd_parent_main_chain, 0}}, true, signature->magic, false};
    return exif_ok;
}

namespace {

uint32_t tiff_number(const unsigned char *p, size_t size, bool motorola)
{
    uint32_t value = 0;
    for (size_t i = 0; i < size; i++)
        value |= static_cast<uint32_t>(p[motorola ? i : size - 1 - i]) << (8 * (size - 1 - i));
    return value;
}

constexpr uint32_t tag_xmp = 700;
constexpr uint32_t tag_iptc = 33723;
constexpr uint32_t max_ifd0_entries = 1024;

}  // namespace

void locate_tiff_packets(const file_reader &file, const file_head &head, packet_blocks *found)
{
    (void)head;  // read again: few files of these containers, and they need more than the head
    found->count = 0;
    unsigned char header[8];
    if (!read_at(file, 0, file.size, header, sizeof header))
        return;
    const bool motorola = header[0] == 'M';
    const uint64_t ifd = tiff_number(header + 4, 4, motorola);
    unsigned char count_bytes[2];
    if (!read_at(file, ifd, file.size, count_bytes, sizeof count_bytes))
        return;
    uint32_t count = tiff_number(count_bytes, 2, motorola);
    if (count > max_ifd0_entries)
        return;
    static unsigned char entries[max_ifd0_entries * 12];
    if (!read_at(file, ifd + 2, file.size, entries, count * 12))
        return;
    for (uint32_t i = 0; i < count; i++) {
        const unsigned char *entry = entries + 12 * i;
        uint32_t tag = tiff_number(entry, 2, motorola);
        if (tag != tag_xmp && tag != tag_iptc)
            continue;
        // BYTE, UNDEFINED or LONG items (IPTC is often written as LONGs): the bytes they span.
        uint32_t type = tiff_number(entry + 2, 2, motorola);
        uint64_t length = static_cast<uint64_t>(tiff_number(entry + 4, 4, motorola)) * (type == 4 || type == 9 ? 4 : 1);
        uint64_t offset = length <= 4 ? 8 + ifd + 2 + 12 * i : tiff_number(entry + 8, 4, motorola);
        if (length == 0 || offset > file.size || length > file.size - offset)
            continue;
        add_packet_block(found, tag == tag_xmp ? packet_kind::xmp : packet_kind::iptc, offset, length);
    }
}
