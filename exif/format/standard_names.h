// Names of the coded values of the standard TIFF and EXIF fields.
#pragma once
#include <cstdint>

#include "exif/format/format_text.h"

// True for the tags whose value is a code with names.
bool has_standard_names(uint32_t tag);

// Appends the code's name, or "Unknown value %d" for a code without one
// (and for a tag without names). With newer_names (extended reading), codes
// that later standards named are named too.
void format_standard_name(uint32_t tag, uint32_t value, bool newer_names, format_text &out);
