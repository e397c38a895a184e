#include "exif/jxl_locator.h"

#include <cstring>

#include "exif/block_decoder.h"
#include "exif/ifd_types.h"
#include "support/errors.h"
#include "support/trace.h"

namespace {

constexpr unsigned char jxl_signature[12] = {0, 0, 0, 0x0C, 'J', 'X', 'L', ' ', 0x0D, 0x0A, 0x87, 0x0A};
constexpr int max_boxes_walked = 4096;

// The box of `type`, or the brob box that holds one (its contents begin with
// the type it stands for); false when neither is there.
bool find_box_or_brob(const file_reader &file, uint32_t type, media_box *box, bool *compressed)
{
    uint64_t at = sizeof jxl_signature;
    for (int walked = 0; walked < max_boxes_walked && read_box(file, at, file.size, box); walked++) {
        unsigned char inner[4];
        if (box->type == type) {
            *compressed = false;
            return true;
        }
        if (box->type == four_cc("brob") && read_at(file, box->contents, box->end, inner, sizeof inner) &&
            big_endian_32(inner) == type) {
            *compressed = true;
            box->contents += sizeof inner;
            return true;
        }
        at = box->end;
    }
    return false;
}

}  // namespace

bool is_jxl(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 12 && memcmp(first_bytes, jxl_signature, sizeof jxl_signature) == 0;
}

int locate_jxl_exif(const file_reader &file, exif_blocks *found)
{
    media_box box{};
    bool compressed = false;
    if (!find_box_or_brob(file, four_cc("Exif"), &box, &compressed))
        return err_no_exif;
    // The box's data: a 4-byte offset to the TIFF header, then the data.
    unsigned char word[4];
    if (!compressed) {
        if (!read_at(file, box.contents, box.end, word, sizeof word))
            return err_no_exif;
        const uint64_t tiff = box.contents + 4 + big_endian_32(word);
        if (tiff >= box.end)
            return err_no_exif;
        *found = {1, {{tiff, ifd_parent_main_chain, 0}}, false, tiff_magic_number, false};
        return exif_ok;
    }
    if (!decode_block(file, box.contents, box.end - box.contents, stored_as::brotli, text_form::bytes,
                      "the compressed Exif box"))
        return err_no_exif;
    if (decoded_size() < 4)
        return err_no_exif;
    const uint64_t tiff = 4 + static_cast<uint64_t>(big_endian_32(decoded_data()));
    trace("JPEG XL brob Exif box: %zu bytes decoded\n", decoded_size());
    if (tiff >= decoded_size())
        return err_no_exif;
    *found = {1, {{tiff, ifd_parent_main_chain, 0}}, false, tiff_magic_number, true};
    return exif_ok;
}

void locate_jxl_packets(const file_reader &file, const file_head &head, packet_blocks *found)
{
    (void)head;  // read again: few files of this container, and they need more than the head
    found->count = 0;
    media_box box{};
    bool compressed = false;
    if (find_box_or_brob(file, four_cc("xml "), &box, &compressed))
        add_packet_block(found, compressed ? packet_kind::xmp_brotli : packet_kind::xmp, box.contents,
                         box.end - box.contents);
}
