// A window on a file held in memory, and every read of EXIF numbers from it.
// All bounds checks live here, in subtraction form (remaining >= n).
#pragma once
#include <cstdint>
#include <cstdio>

#include "exif/reading_profile.h"
#include "exif/tiff_layout.h"

constexpr int32_t input_buffer_size = 0x20000;  // 131072 bytes per file

struct buf_context {
    FILE *fp;                    // the file the buffer was read from, or nullptr
    int64_t file_offset;         // file offset of the buffer's first byte
    int64_t buf_size;            // bytes the buffer holds (a whole file mapped may pass 4 GiB)
    unsigned char *buf_p;        // cursor: next byte to read or write
    unsigned char *buf_start;    // first byte of the buffer
    unsigned char *buf_end;      // last valid byte (inclusive)
    int32_t motorola_order;      // 1: most significant byte first
    unsigned char *offset_base;  // TIFF offsets count from here
    const reading_profile *profile;  // how the file is read; nullptr reads as classic_reading
    const tiff_layout *layout;       // the shape of the block's IFDs; nullptr reads as classic_tiff
};

// The context's reading profile.
inline const reading_profile &profile_of(const buf_context *ctx)
{
    return ctx->profile != nullptr ? *ctx->profile : classic_reading;
}

// The context's TIFF layout.
inline const tiff_layout &layout_of(const buf_context *ctx)
{
    return ctx->layout != nullptr ? *ctx->layout : classic_tiff;
}

// File access: records names and size in the header of ifd_fields, and
// begins the file's messages (named ones with extended reading).
FILE *open_file(const char *dir_name, const char *file_name, bool named_messages);
void close_file(FILE *fp);

void init_buf_context(buf_context *ctx, FILE *fp, unsigned char *buf, int64_t size, int64_t file_offset);
void clone_buf_context(const buf_context *src, buf_context *dst);

// Bytes from the cursor to the end of the buffer (0 when the cursor is past it;
// at most UINT32_MAX in a whole file mapped that is larger).
uint32_t buf_remaining(const buf_context *ctx);
// The bytes from the cursor that may be looked at directly: n, or fewer where
// the buffer ends. Use this, not buf_remaining, before reading bytes in place.
uint32_t buf_bytes(const buf_context *ctx, uint32_t n);

// A window may be read in steps: its start at once, its tail [from, limit)
// only when something reads there. The readers above and buf_bytes call
// `load` with the end of the bytes they need when those reach into the tail;
// `load` reads at least up to there and sets the new tail (or clears it).
using window_tail_loader = void (*)(const unsigned char *needed_end);
void set_window_tail(const unsigned char *from, const unsigned char *limit, window_tail_loader load);
void clear_window_tail();

// Readers: when the value would pass buf_end, fatal (status 8); with bounded
// reads (the profile's bounded_reads) zeros instead, the cursor put past the
// end and the overrun noted for the walk, which then ends the entry or IFD.
uint32_t get_u_int2(buf_context *ctx);
int32_t get_int2(buf_context *ctx);
uint32_t get_u_int2_mm(buf_context *ctx);
uint32_t get_u_int4(buf_context *ctx);
uint64_t get_u_int8(buf_context *ctx);
int32_t get_int4(buf_context *ctx);
float get_float(buf_context *ctx, int *fractional);
void skip_bytes(buf_context *ctx, uint32_t n);

// True when n bytes from the cursor lie in the buffer. Otherwise fatal
// (status 8), or with bounded reads false, the overrun noted as a read's.
bool require_bytes(buf_context *ctx, uint64_t n);

// Whether a bounded read has passed the end of its data since the last clear.
bool read_overran();
void clear_overrun();

// Writers, for encoders: fatal (status 8) when the value would pass buf_end.
void put_u_int2(buf_context *ctx, uint32_t value);
void put_u_int2_mm(buf_context *ctx, uint32_t value);
void put_u_int4(buf_context *ctx, uint32_t value);
void put_bytes(buf_context *ctx, const void *src, uint16_t n);

inline int64_t get_file_offset(const buf_context *ctx) { return ctx->file_offset + (ctx->buf_p - ctx->buf_start); }
int64_t calc_file_offset(const buf_context *ctx, uint64_t offset);
// Moves the cursor to offset_base + offset; 0 when that lies before buf_end,
// else 8 (the cursor is then left at the end and must not be used).
[[nodiscard]] int set_exif_context_p_by_offset(buf_context *ctx, uint64_t offset);
