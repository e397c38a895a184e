// UTF-8 checks for text that leaves the program as JSON or on a terminal:
// the bytes of photos and file names are whatever their writers chose.
#pragma once
#include <cstddef>

// The length (1 to 4) of the well-formed UTF-8 sequence that text starts
// with, or 0 when it starts with none: a stray continuation byte, an overlong
// form, a surrogate, a code point past U+10FFFF, or a sequence cut short. A
// NUL counts as a sequence of one byte.
size_t utf8_sequence_length(const char *text);

// What a lead byte of well-formed UTF-8 asks of what follows: the range of the
// second byte (which leaves out overlong forms, surrogates and code points past
// U+10FFFF; later bytes are 0x80..0xBF) and the sequence's length.
struct utf8_lead {
    unsigned char first_low, first_high;  // the lead bytes of this row
    unsigned char second_low, second_high;
    size_t length;
};
// The row of lead byte b, or nullptr when b begins no sequence of two or more bytes.
const utf8_lead *find_utf8_lead(unsigned char b);

// Copies src into dst (at most size - 1 bytes, whole characters only) for a
// terminal line: control characters (C0, DEL and C1) and bytes that are not
// well-formed UTF-8 become '?'. Returns the number of characters copied.
size_t copy_shown_text(char *dst, size_t size, const char *src);
