// Readable values that only -e (extended reading) gives, in the standard IFDs.
#pragma once
#include <cstdint>

#include "exif/buf_context.h"

// Formats the value into text (at most 499 characters) and returns true when
// the tag is one this reading interprets: a coded value with names that the
// standard tables lack, a Windows XP text, a Unicode user comment, a GPS text
// with a character-code prefix. Returns false, writing nothing, for every
// other value, which the IFD's own formatter then renders.
bool format_extended_field(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, char *text);
