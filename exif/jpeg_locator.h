// Finds the EXIF block in a JPEG file: the APP1 segment that begins "Exif\0\0".
#pragma once
#include <cstdint>

#include "exif/buf_context.h"

// True when the file's first bytes are the start-of-image marker.
bool is_jpeg(const unsigned char *first_bytes, int32_t valid);
// Walks the segments after the start-of-image marker to the first APP1
// segment, makes the window begin there (as it would for a window read from
// the segment's marker), checks its "Exif\0\0" header and leaves ctx on the
// TIFF header. ctx is set on the window at file offset 0.
[[nodiscard]] int locate_jpeg_exif(buf_context *ctx);
// The same for a JPEG image that begins at file offset `start` (embedded in
// another file), with ctx set on a window read from there.
[[nodiscard]] int locate_jpeg_exif_at(buf_context *ctx, int64_t start);
