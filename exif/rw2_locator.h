// Panasonic RW2 (and RWL): a TIFF block with the number 0x55, whose IFD0
// holds no EXIF IFD; the EXIF and GPS IFDs are those of the JPEG preview that
// its entry 0x002E holds, listed with the file's own IFDs.
#pragma once
#include "exif/exif_blocks.h"

bool is_rw2(const unsigned char *first_bytes, int32_t valid);
[[nodiscard]] int locate_rw2_exif(const file_reader &file, exif_blocks *found);
