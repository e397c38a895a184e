// UTF-8 checks for text that leaves the program as JSON or on a terminal:
// the bytes of photos and file names are whatever their writers chose.
#pragma once
#include <cstddef>

// The length (1 to 4) of the well-formed UTF-8 sequence that text starts
// with, or 0 when it starts with none: a stray continuation byte, an overlong
// form, a surrogate, a code point past U+10FFFF, or a sequence cut short. A
// NUL counts as a sequence of one byte.
size_t utf8_sequence_length(const char *text);

// Copies src into dst (at most size - 1 bytes, whole characters only) for a
// terminal line: control characters (C0, DEL and C1) and bytes that are not
// well-formed UTF-8 become '?'. Returns the number of characters copied.
size_t copy_shown_text(char *dst, size_t size, const char *src);
