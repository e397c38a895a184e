#include "exif/jp2_locator.h"

#include <cstring>

#include "exif/ifd_types.h"
#include "support/errors.h"
#include "support/trace.h"

namespace {

constexpr unsigned char jp2_signature[12] = {0, 0, 0, 0x0C, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
constexpr unsigned char exif_uuid[16] = {'J', 'p', 'g', 'T', 'i', 'f', 'f', 'E',
                                         'x', 'i', 'f', '-', '>', 'J', 'P', '2'};
constexpr unsigned char xmp_uuid[16] = {0xbe, 0x7a, 0xcf, 0xcb, 0x97, 0xa9, 0x42, 0xe8,
                                        0x9c, 0x71, 0x99, 0x94, 0x91, 0xe3, 0xaf, 0xac};
constexpr int max_boxes_walked = 4096;

bool is_uuid_box(const file_reader &file, const media_box &box, const unsigned char (&uuid)[16])
{
    unsigned char read[16];
    return box.type == four_cc("uuid") && read_at(file, box.contents - 16, box.end, read, sizeof read) &&
           memcmp(read, uuid, sizeof read) == 0;
}

// The top-level box the test accepts, after the signature box.
template <typename Test>
bool find_top_box(const file_reader &file, media_box *box, Test accepts)
{
    uint64_t at = sizeof jp2_signature;
    for (int walked = 0; walked < max_boxes_walked && read_box(file, at, file.size, box); walked++) {
        if (accepts(*box))
            return true;
        at = box->end;
    }
    return false;
}

}  // namespace

bool is_jp2(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 12 && memcmp(first_bytes, jp2_signature, sizeof jp2_signature) == 0;
}

int locate_jp2_exif(const file_reader &file, exif_blocks *found)
{
    media_box box{};
    if (!find_top_box(file, &box, [&file](const media_box &b) {
            return b.type == four_cc("Exif") || is_uuid_box(file, b, exif_uuid);
        }))
        return err_no_exif;
    // Some writers copy the "Exif\0\0" of a JPEG segment along.
    uint64_t tiff = box.contents;
    unsigned char start[6];
    if (read_at(file, tiff, box.end, start, sizeof start) && memcmp(start, "Exif\0\0", sizeof start) == 0)
        tiff += sizeof start;
    if (tiff >= box.end)
        return err_no_exif;
    trace("JPEG 2000 EXIF box: TIFF header at offset %llu\n", static_cast<unsigned long long>(tiff));
    *found = {1, {{tiff, ifd_parent_main_chain, 0}}, false, tiff_magic_number, false};
    return exif_ok;
}

void locate_jp2_packets(const file_reader &file, const file_head &head, packet_blocks *found)
{
    (void)head;  // read again: few files of this container, and they need more than the head
    found->count = 0;
    media_box box{};
    if (find_top_box(file, &box, [&file](const media_box &b) {
            return b.type == four_cc("xml ") || is_uuid_box(file, b, xmp_uuid);
        }))
        add_packet_block(found, packet_kind::xmp, box.contents, box.end - box.contents);
}
