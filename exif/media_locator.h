// ISO base media files: HEIF (HEIC), AVIF and Canon's CR3, told apart by the
// brand of their `ftyp` box (JPEG XL has a locator of its own).
#pragma once
#include "exif/exif_blocks.h"
#include "exif/packet_blocks.h"

bool is_media_file(const unsigned char *first_bytes, int32_t valid);
// HEIF and AVIF: the item of type `Exif` (through meta/iinf/iloc); CR3: the
// boxes CMT1 to CMT4 (IFD0, EXIF IFD, maker note, GPS IFD).
[[nodiscard]] int locate_media_exif(const file_reader &file, exif_blocks *found);

// HEIF and AVIF: the `mime` item of type application/rdf+xml; CR3: the XMP
// uuid box.
void locate_media_packets(const file_reader &file, const file_head &head, packet_blocks *found);
