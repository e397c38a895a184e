// PNG text chunks that hold the EXIF block as ImageMagick writes it: the
// keyword "Raw profile type exif" (or "... APP1"), the text a heading and hex
// digits, stored plain (tEXt) or zlib-compressed (zTXt, compressed iTXt).
#pragma once
#include "exif/exif_blocks.h"

// Whether the chunk of `type` whose data lies from `data` to `end` is such a profile.
bool is_png_exif_profile(const file_reader &file, uint32_t type, uint64_t data, uint64_t end);
// Decodes the profile into the decoded area and names the block there.
[[nodiscard]] int locate_png_profile_exif(const file_reader &file, uint32_t type, uint64_t data, uint64_t end,
                                          exif_blocks *found);

// Where an iTXt chunk's text begins (after keyword, compression flag and
// method, language and translated keyword), and whether it is compressed;
// false when the chunk is cut short. `head` holds the chunk's first bytes.
bool find_itxt_text(const unsigned char *head, size_t n, size_t *text_at, bool *compressed);
