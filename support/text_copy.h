// Bounded text copies: the destination always ends terminated, longer text is cut.
#pragma once
#include <cstddef>

// Copies at most size - 1 characters of src into dst.
void copy_text(char *dst, size_t size, const char *src);
// Appends src to the text in dst, keeping at most size - 1 characters in all.
void append_text(char *dst, size_t size, const char *src);
