// The IFD walk: every entry of every IFD reached from the TIFF header becomes a field record.
#pragma once
#include <cstdint>

#include "exif/buf_context.h"
#include "exif/field_store.h"

// Walks the IFD chain at `offset` (from the block's offset base), reached
// through the entry `parent_tag` (ifd_parent_main_chain for IFD0's chain).
// The IFDs are read in the layout of ctx (classic TIFF or BigTIFF; a maker
// note's in classic TIFF's).
[[nodiscard]] int extract_ifd(buf_context *ctx, uint64_t offset, int32_t parent_tag, int depth, ifd_field_store *store);
[[nodiscard]] int extract_ifd_entry(buf_context *ctx, int32_t parent_tag, int position, int depth,
                                    ifd_field_store *store);
[[nodiscard]] int add_field_entry(ifd_field_store *store, int ifd_type, int depth, uint32_t tag,
                                  const char *description, const char *display_value, uint64_t file_offset,
                                  uint32_t data_type, uint32_t count, const unsigned char raw_value[4]);
