// printf-style formatting into a bounded area, for the formatters' values.
//
// The conversions the formatters use (%d %i %u %x %s %f and %%, with the flags
// '-' and '0', a width and a precision, either of them possibly '*') are done
// here directly, giving exactly the characters vsnprintf gives: a value is
// formatted per file and per field, and vsnprintf's general machinery was the
// largest cost of the whole reader. Anything else goes to vsnprintf.
#pragma once
#include <cstdarg>
#include <cstddef>

// Writes at most size - 1 characters and a terminator (size > 0); returns the
// number of characters written, or -1 when vsnprintf reports an error.
int format_bounded(char *out, size_t size, const char *fmt, va_list ap);

// Fixed-point text of a finite value with `precision` (0..9) decimals, rounded
// to nearest with ties to even as the C library does; false when the value is
// too large for the exact method (|value| >= 2^62) or not finite.
bool fixed_point_text(double value, int precision, char *out, size_t size, size_t *length);
