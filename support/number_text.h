#pragma once

#include <cstddef>
#include <cstdint>

// The shortest decimal text that reads back as the same double, at most 15
// significant digits, as "%.Ng" writes it; whole numbers without an exponent.
void format_real(double value, char *text, size_t size);
// A whole number as "%lld" writes it.
void format_whole(int64_t value, char *text, size_t size);
