// The TIFF header that every EXIF block begins with: byte order, the number
// 42, and the offset of the first IFD.
#pragma once
#include <cstdint>

#include "exif/buf_context.h"
#include "exif/exif_blocks.h"
#include "exif/field_store.h"

// Reads the header at ctx's cursor, which becomes the base of the block's
// offsets; sets the byte order of ctx and store and hands back the offset of
// IFD0. `magic` is the number expected after the byte order: 42, or a raw
// format's own. Codes: 4 unknown byte order, 7 another number (with a message).
// BigTIFF's header (number 43) sets ctx's layout to BigTIFF's and gives a
// 64-bit offset.
[[nodiscard]] int read_tiff_header(buf_context *ctx, ifd_field_store *store, uint64_t *first_ifd,
                                   uint32_t magic = tiff_magic_number);
