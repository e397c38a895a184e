// JPEG XR (HD Photo, Windows Media Photo): "II", the number 0x01BC, then the
// offset of an IFD laid out as TIFF's, whose pointers lead to the EXIF, GPS
// and interoperability IFDs; the XMP packet is its entry 700.
#pragma once
#include "exif/exif_blocks.h"

bool is_jxr(const unsigned char *first_bytes, int32_t valid);
[[nodiscard]] int locate_jxr_exif(const file_reader &file, exif_blocks *found);
