// JPEG XL in its box container: the EXIF block is the `Exif` box, or a `brob`
// box (Brotli-compressed) that stands for one; the XMP packet the `xml ` box
// or its `brob` form.
#pragma once
#include "exif/exif_blocks.h"
#include "exif/packet_blocks.h"

bool is_jxl(const unsigned char *first_bytes, int32_t valid);
[[nodiscard]] int locate_jxl_exif(const file_reader &file, exif_blocks *found);
void locate_jxl_packets(const file_reader &file, const file_head &head, packet_blocks *found);
