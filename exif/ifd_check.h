// Extended reading checks an IFD before it walks it, as exiv2 and exiftool
// do: a pointer into data that is not an IFD would otherwise give thousands
// of garbage entries, each with its warning.
#pragma once
#include <cstdint>

#include "exif/buf_context.h"
#include "exif/tiff_layout.h"

// Entries an IFD may hold. The IFDs of the sample files hold 50 at most, and
// exiv2 refuses more than 256; garbage read as an IFD gives thousands.
constexpr uint32_t max_ifd_entries = 512;

// Why an IFD is refused, or nullptr when it may be walked. The cursor of ctx
// stands on the IFD's entry count and is not moved.
const char *ifd_refusal(const buf_context *ctx, const tiff_layout &layout);

// True when a next-IFD offset leads back into the TIFF header or into the IFD
// that holds it (which begins at ifd_offset): such a chain ends there.
bool next_ifd_points_back(uint64_t next, uint64_t ifd_offset, uint64_t entries, const tiff_layout &layout);
