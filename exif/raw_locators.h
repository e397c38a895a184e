// Raw formats that keep their EXIF data at a place their own header names:
// Minolta MRW (a TIFF block among the header's blocks), FujiFilm RAF and
// Sigma X3F (the EXIF segment of the JPEG preview they embed).
#pragma once
#include "exif/buf_context.h"
#include "exif/exif_blocks.h"

bool is_mrw(const unsigned char *first_bytes, int32_t valid);
[[nodiscard]] int locate_mrw_exif(const file_reader &file, exif_blocks *found);

bool is_raf(const unsigned char *first_bytes, int32_t valid);
bool is_x3f(const unsigned char *first_bytes, int32_t valid);
// Move the window to the embedded JPEG and find its EXIF segment there, as
// for a JPEG file; ctx is left on the TIFF header.
[[nodiscard]] int locate_raf_exif(buf_context *ctx);
[[nodiscard]] int locate_x3f_exif(buf_context *ctx);
