// UCS-2 text (UTF-16 code units) turned into UTF-8, for the Unicode user
// comment and the Windows XP fields.
#pragma once
#include <cstdint>

#include "exif/format/format_text.h"

// Appends the text of the first `size` bytes (an odd last byte is ignored),
// read in the given byte order and ending at a NUL character. Surrogate pairs
// become one character, a lone surrogate U+FFFD. Only whole characters are
// appended: the text stops where the next one would pass the 499-character bound.
void append_ucs2_text(const unsigned char *bytes, uint32_t size, bool big_endian, format_text &out);
