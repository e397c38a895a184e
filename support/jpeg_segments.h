// JPEG marker segments: the markers that matter for EXIF data, and the one
// walk over the segments that both the reader's window and the file helpers
// use.
#pragma once
#include <cstdint>

#include "support/errors.h"

constexpr uint16_t jpeg_mark_soi = 0xFFD8;   // start of image
constexpr uint16_t jpeg_mark_app1 = 0xFFE1;  // where EXIF data lives
constexpr uint16_t jpeg_mark_sos = 0xFFDA;   // start of scan: no metadata after it

// Walks the marker segments from `*segment`, the file offset of a marker
// (2 for the first after the start-of-image marker), to the first segment
// whose marker `source.stops_at` accepts, and leaves its marker in *mark and
// its offset in *segment. Each step moves forward by at least the marker and
// length, so the walk ends at the end of the file whatever the lengths say.
// The source reads at its own position and answers result codes:
//   read_mark(uint32_t *mark)       the marker at the position
//   read_length(uint32_t mark, uint32_t *length)   the length that follows it
//   move_to(int64_t offset)         the next segment's marker
//   stops_at(uint32_t mark)         true where the walk ends
template <typename Source>
[[nodiscard]] int walk_jpeg_segments(Source &source, int64_t *segment, uint32_t *mark)
{
    int rc = source.read_mark(mark);
    while (rc == exif_ok && !source.stops_at(*mark)) {
        uint32_t length = 0;
        rc = source.read_length(*mark, &length);
        if (rc != exif_ok)
            break;
        *segment += static_cast<int64_t>(length) + 2;
        rc = source.move_to(*segment);
        if (rc == exif_ok)
            rc = source.read_mark(mark);
    }
    return rc;
}
