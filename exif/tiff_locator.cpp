#include "exif/tiff_locator.h"

#include <cstring>

#include "exif/ifd_types.h"
#include "exif/tiff_layout.h"
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

uint64_t tiff_number(const unsigned char *p, size_t size, bool motorola)
{
    uint64_t value = 0;
    for (size_t i = 0; i < size; i++)
        value |= static_cast<uint64_t>(p[motorola ? i : size - 1 - i]) << (8 * (size - 1 - i));
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
    unsigned char header[16];
    if (!read_at(file, 0, file.size, header, 8))
        return;
    const bool motorola = header[0] == 'M';
    // BigTIFF (43): an 8-byte offset after the offset size and two zero bytes.
    const tiff_layout &layout = tiff_number(header + 2, 2, motorola) == bigtiff_magic_number ? big_tiff : classic_tiff;
    if (layout.offset_size == 8 && !read_at(file, 0, file.size, header, sizeof header))
        return;
    const uint64_t ifd = tiff_number(header + layout.offset_size, layout.offset_size, motorola);
    unsigned char count_bytes[8];
    if (!read_at(file, ifd, file.size, count_bytes, layout.count_size))
        return;
    const uint64_t count = tiff_number(count_bytes, layout.count_size, motorola);
    if (count > max_ifd0_entries)
        return;
    static unsigned char entries[max_ifd0_entries * 20];
    if (!read_at(file, ifd + layout.count_size, file.size, entries, count * layout.entry_size))
        return;
    const size_t field = layout.offset_size;  // of an entry's count and of its value
    for (uint32_t i = 0; i < count; i++) {
        const unsigned char *entry = entries + layout.entry_size * i;
        const uint64_t tag = tiff_number(entry, 2, motorola);
        if (tag != tag_xmp && tag != tag_iptc)
            continue;
        // BYTE, UNDEFINED or LONG items (IPTC is often written as LONGs): the bytes they span.
        const uint64_t type = tiff_number(entry + 2, 2, motorola);
        const uint64_t items = tiff_number(entry + 4, field, motorola);
        if (items > file.size)
            continue;
        const uint64_t length = items * (type == 4 || type == 9 ? 4 : 1);
        const uint64_t offset = length <= field ? ifd + layout.count_size + layout.entry_size * i + 4 + field
                                                : tiff_number(entry + 4 + field, field, motorola);
        if (length == 0 || offset > file.size || length > file.size - offset)
            continue;
        add_packet_block(found, tag == tag_xmp ? packet_kind::xmp : packet_kind::iptc, offset, length);
    }
}
