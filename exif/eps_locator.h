// EPS files with the DOS binary header (C5 D0 D3 C6): the header names the
// PostScript section and a TIFF preview, whose IFDs are the EXIF data; without
// a preview, the EXIF block is resource 0x0422 of the Photoshop resources that
// the PostScript holds as hex comment lines ("%BeginPhotoshop: LENGTH").
#pragma once
#include "exif/exif_blocks.h"

bool is_dos_eps(const unsigned char *first_bytes, int32_t valid);
[[nodiscard]] int locate_dos_eps_exif(const file_reader &file, exif_blocks *found);
