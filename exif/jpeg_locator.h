// Finds the EXIF block in a JPEG file: the APP1 segment that begins "Exif\0\0".
#pragma once
#include <cstdint>

#include "exif/buf_context.h"
#include "exif/packet_blocks.h"

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

// The XMP and IPTC blocks of a JPEG file, from the segments before the start
// of scan: APP1 "http://ns.adobe.com/xap/1.0/" (the packet), APP1
// "http://ns.adobe.com/xmp/extension/" (parts of the extended packet, those of
// the first GUID seen) and APP13 "Photoshop 3.0" (image resources).
void locate_jpeg_packets(const file_reader &file, const file_head &head, packet_blocks *found);
