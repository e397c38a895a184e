#include "exif/media_locator.h"

#include <cstring>
#include <initializer_list>

#include "exif/ifd_types.h"
#include "exif/tags.h"
#include "support/errors.h"
#include "support/trace.h"

namespace {

// The brands of the files whose EXIF data this locator finds.
// clang-format off
constexpr uint32_t known_brands[] = {
    four_cc("heic"), four_cc("heix"), four_cc("heim"), four_cc("heis"), four_cc("hevc"), four_cc("hevx"),
    four_cc("mif1"), four_cc("msf1"), four_cc("avif"), four_cc("avis"), four_cc("crx "),
};
// clang-format on

// Canon's uuid box that holds the CMT boxes of a CR3 file.
constexpr unsigned char canon_uuid[16] = {0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0,
                                          0x81, 0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48};

// Reads numbers from a part of a box held in memory; every read is checked
// against what is left, and once one fails every later one fails too.
struct byte_cursor {
    const unsigned char *p;
    size_t left;
    bool ok = true;

    uint64_t number(size_t size)
    {
        if (!ok || left < size) {
            ok = false;
            return 0;
        }
        uint64_t value = 0;
        for (size_t i = 0; i < size; i++)
            value = value << 8 | p[i];
        p += size;
        left -= size;
        return value;
    }
    void skip(size_t size) { (void)number(0), ok = ok && left >= size, p += ok ? size : 0, left -= ok ? size : 0; }
};

// A box's contents, read whole into a fixed area when they fit.
constexpr size_t box_area_size = 0x10000;
unsigned char box_area[box_area_size];

[[nodiscard]] bool load_contents(const file_reader &file, const media_box &box, byte_cursor *cursor)
{
    size_t n = box.end - box.contents < box_area_size ? static_cast<size_t>(box.end - box.contents) : box_area_size;
    if (!read_at(file, box.contents, box.end, box_area, n))
        return false;
    *cursor = {box_area, n};
    return true;
}

// Whether an item entry (version 2 or later) names the item sought; the
// cursor stands after its item type.
using item_matcher = bool (*)(uint32_t item_type, byte_cursor rest);

// The item ID of the first item the matcher accepts in the iinf box, 0 when none.
uint32_t find_item(const file_reader &file, const media_box &iinf, item_matcher matches)
{
    byte_cursor items{};
    if (!load_contents(file, iinf, &items))
        return 0;
    uint64_t version = items.number(1);
    items.skip(3);
    uint64_t count = items.number(version == 0 ? 2 : 4);
    for (uint64_t i = 0; i < count && items.ok; i++) {
        uint64_t size = items.number(4);
        uint64_t type = items.number(4);
        if (!items.ok || size < 8 || size - 8 > items.left)
            return 0;
        byte_cursor entry{items.p, static_cast<size_t>(size - 8)};
        items.skip(static_cast<size_t>(size - 8));
        if (type != four_cc("infe"))
            continue;
        uint64_t entry_version = entry.number(1);
        entry.skip(3);
        if (entry_version < 2)
            continue;  // versions 0 and 1 name no item type
        uint64_t id = entry.number(entry_version == 2 ? 2 : 4);
        entry.skip(2);  // protection index
        uint32_t item_type = static_cast<uint32_t>(entry.number(4));
        if (entry.ok && matches(item_type, entry))
            return static_cast<uint32_t>(id);
    }
    return 0;
}

bool is_exif_item(uint32_t item_type, byte_cursor) { return item_type == four_cc("Exif"); }

// A `mime` item whose content type (after the item's name) is XMP's.
bool is_xmp_item(uint32_t item_type, byte_cursor rest)
{
    if (item_type != four_cc("mime"))
        return false;
    const void *name_end = memchr(rest.p, 0, rest.left);
    if (name_end == nullptr)
        return false;
    const auto *type = static_cast<const unsigned char *>(name_end) + 1;
    constexpr char xmp_type[] = "application/rdf+xml";  // and a NUL
    size_t left = rest.left - static_cast<size_t>(type - rest.p);
    return left >= sizeof xmp_type && memcmp(type, xmp_type, sizeof xmp_type) == 0;
}

// Where the item's data lies in the file, through the iloc box: the first
// extent, or all of them where they follow one another. Items built from the
// idat box (construction method 1) count from its contents.
bool find_item_data(const file_reader &file, const media_box &meta, const media_box &iloc, uint32_t item,
                    uint64_t *offset, uint64_t *length)
{
    byte_cursor places{};
    if (!load_contents(file, iloc, &places))
        return false;
    uint64_t version = places.number(1);
    places.skip(3);
    uint64_t sizes = places.number(2);
    const size_t offset_size = sizes >> 12 & 0xF, length_size = sizes >> 8 & 0xF;
    const size_t base_size = sizes >> 4 & 0xF, index_size = version >= 1 ? (sizes & 0xF) : 0;
    for (size_t size : {offset_size, length_size, base_size, index_size})
        if (size != 0 && size != 4 && size != 8)
            return false;
    uint64_t count = places.number(version < 2 ? 2 : 4);
    for (uint64_t i = 0; i < count && places.ok; i++) {
        uint64_t id = places.number(version < 2 ? 2 : 4);
        uint64_t method = version >= 1 ? places.number(2) & 0xF : 0;
        places.skip(2);  // data reference index
        uint64_t base = places.number(base_size);
        uint64_t extents = places.number(2);
        uint64_t start = 0, end = 0;
        for (uint64_t e = 0; e < extents && places.ok; e++) {
            places.skip(index_size);
            uint64_t extent_offset = places.number(offset_size);
            uint64_t extent_length = places.number(length_size);
            if (e == 0)
                start = base + extent_offset, end = start + extent_length;
            else if (base + extent_offset == end)
                end += extent_length;
        }
        if (!places.ok || id != item)
            continue;
        if (method == 1) {
            media_box idat{};
            if (!find_box(file, meta.contents + 4, meta.end, four_cc("idat"), &idat) ||
                start > idat.end - idat.contents)
                return false;
            start += idat.contents, end += idat.contents;
        } else if (method != 0) {
            return false;
        }
        if (end < start || end > file.size)
            return false;
        *offset = start;
        *length = end - start;
        return true;
    }
    return false;
}

// An Exif item or box: a 4-byte offset to the TIFF header, then the data.
bool tiff_after_offset_word(const file_reader &file, uint64_t start, uint64_t end, exif_blocks *found)
{
    unsigned char word[4];
    if (!read_at(file, start, end, word, sizeof word))
        return false;
    uint64_t tiff = start + 4 + big_endian_32(word);
    if (tiff >= end)
        return false;
    found->blocks[found->count++] = {tiff, ifd_parent_main_chain, 0};
    return true;
}

int locate_heif_exif(const file_reader &file, exif_blocks *found)
{
    media_box meta{}, iinf{}, iloc{};
    if (!find_box(file, 0, file.size, four_cc("meta"), &meta))
        return err_no_exif;
    // meta is a full box: its children follow a version and flags word.
    if (!find_box(file, meta.contents + 4, meta.end, four_cc("iinf"), &iinf) ||
        !find_box(file, meta.contents + 4, meta.end, four_cc("iloc"), &iloc))
        return err_no_exif;
    uint32_t item = find_item(file, iinf, is_exif_item);
    uint64_t offset = 0, length = 0;
    if (item == 0 || !find_item_data(file, meta, iloc, item, &offset, &length))
        return err_no_exif;
    trace("Exif item %u: %llu bytes at offset %llu\n", item, static_cast<unsigned long long>(length),
          static_cast<unsigned long long>(offset));
    return tiff_after_offset_word(file, offset, offset + length, found) ? exif_ok : err_no_exif;
}

int locate_cr3_exif(const file_reader &file, exif_blocks *found)
{
    media_box moov{}, box{};
    if (!find_box(file, 0, file.size, four_cc("moov"), &moov))
        return err_no_exif;
    for (uint64_t at = moov.contents; read_box(file, at, moov.end, &box); at = box.end) {
        unsigned char uuid[16];
        if (box.type != four_cc("uuid") || !read_at(file, box.contents - 16, box.end, uuid, sizeof uuid) ||
            memcmp(uuid, canon_uuid, sizeof uuid) != 0)
            continue;
        struct cmt_box {
            uint32_t type;
            int32_t parent_tag;
        };
        // clang-format off
        constexpr cmt_box cmt_boxes[] = {
            {four_cc("CMT1"), ifd_parent_main_chain},
            {four_cc("CMT2"), static_cast<int32_t>(tag::exif_ifd)},
            {four_cc("CMT3"), static_cast<int32_t>(tag::maker_note)},
            {four_cc("CMT4"), static_cast<int32_t>(tag::gps_ifd)},
        };
        // clang-format on
        for (const cmt_box &cmt : cmt_boxes) {
            media_box block{};
            if (find_box(file, box.contents, box.end, cmt.type, &block) && found->count < max_exif_blocks)
                found->blocks[found->count++] = {block.contents, cmt.parent_tag, 0};
        }
        return found->count > 0 ? exif_ok : err_no_exif;
    }
    return err_no_exif;
}

}  // namespace

bool is_media_file(const unsigned char *first_bytes, int32_t valid)
{
    if (valid < 12 || big_endian_32(first_bytes + 4) != four_cc("ftyp"))
        return false;
    for (uint32_t brand : known_brands)
        if (big_endian_32(first_bytes + 8) == brand)
            return true;
    return false;
}

int locate_media_exif(const file_reader &file, exif_blocks *found)
{
    unsigned char first_bytes[12];
    if (!read_at(file, 0, file.size, first_bytes, sizeof first_bytes))
        return err_no_exif;
    *found = {0, {}, false, tiff_magic_number, false};
    if (big_endian_32(first_bytes + 8) == four_cc("crx "))
        return locate_cr3_exif(file, found);
    return locate_heif_exif(file, found);
}

namespace {

// The uuid box of an XMP packet in a CR3 file.
constexpr unsigned char xmp_uuid[16] = {0xbe, 0x7a, 0xcf, 0xcb, 0x97, 0xa9, 0x42, 0xe8,
                                        0x9c, 0x71, 0x99, 0x94, 0x91, 0xe3, 0xaf, 0xac};

void locate_heif_packets(const file_reader &file, packet_blocks *found)
{
    media_box meta{}, iinf{}, iloc{};
    if (!find_box(file, 0, file.size, four_cc("meta"), &meta) ||
        !find_box(file, meta.contents + 4, meta.end, four_cc("iinf"), &iinf) ||
        !find_box(file, meta.contents + 4, meta.end, four_cc("iloc"), &iloc))
        return;
    uint32_t item = find_item(file, iinf, is_xmp_item);
    uint64_t offset = 0, length = 0;
    if (item != 0 && find_item_data(file, meta, iloc, item, &offset, &length))
        add_packet_block(found, packet_kind::xmp, offset, length);
}

// The XMP uuid box among the boxes from `from` to `limit`.
bool add_cr3_xmp(const file_reader &file, uint64_t from, uint64_t limit, packet_blocks *found)
{
    media_box box{};
    int walked = 0;
    for (uint64_t at = from; walked < 4096 && read_box(file, at, limit, &box); at = box.end, walked++) {
        unsigned char uuid[16];
        if (box.type == four_cc("uuid") && read_at(file, box.contents - 16, box.end, uuid, sizeof uuid) &&
            memcmp(uuid, xmp_uuid, sizeof uuid) == 0) {
            add_packet_block(found, packet_kind::xmp, box.contents, box.end - box.contents);
            return true;
        }
    }
    return false;
}

}  // namespace

void locate_media_packets(const file_reader &file, const file_head &head, packet_blocks *found)
{
    (void)head;  // read again: few files of these containers, and they need more than the head
    found->count = 0;
    unsigned char first_bytes[12];
    if (!read_at(file, 0, file.size, first_bytes, sizeof first_bytes))
        return;
    media_box box{};
    if (big_endian_32(first_bytes + 8) == four_cc("crx ")) {
        // At the top level; some writers put it inside the movie box.
        if (!add_cr3_xmp(file, 0, file.size, found) && find_box(file, 0, file.size, four_cc("moov"), &box))
            (void)add_cr3_xmp(file, box.contents, box.end, found);
    } else {
        locate_heif_packets(file, found);
    }
}
