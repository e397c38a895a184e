// Folding helpers of the readable listing.
#pragma once
#include <cstddef>

// Length of the next piece of text to print on one line.
size_t find_punctuation(const char *text, size_t limit);
