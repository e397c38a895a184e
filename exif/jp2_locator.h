// JPEG 2000 (JP2, JPX, JPH): boxes after the signature box; the EXIF block is
// in a `uuid` box of the JpgTiffExif->JP2 UUID or in an `Exif` box, the XMP
// packet in the `uuid` box of XMP's UUID or an `xml ` box.
#pragma once
#include "exif/exif_blocks.h"
#include "exif/packet_blocks.h"

bool is_jp2(const unsigned char *first_bytes, int32_t valid);
[[nodiscard]] int locate_jp2_exif(const file_reader &file, exif_blocks *found);
void locate_jp2_packets(const file_reader &file, const file_head &head, packet_blocks *found);
