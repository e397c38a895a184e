// Names of the coded values that TIFF 6.0, DNG and EXIF 2.2 to 3.0 give and
// the tables of exif/format/standard_names.cpp lack; used only with -e.
#pragma once
#include <cstdint>

#include "exif/format/format_text.h"

// True for the tags with names here.
bool has_extended_names(uint32_t tag);

// Appends the name of the tag's code and returns true; false, appending
// nothing, when there is none.
bool append_extended_name(uint32_t tag, uint32_t value, format_text &out);

// Appends the name of the tag's code, or "Unknown value %d".
void format_extended_name(uint32_t tag, uint32_t value, format_text &out);
