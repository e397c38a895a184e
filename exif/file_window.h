// The file window: up to input_buffer_size (131072) bytes of the file being
// read, held in memory for the IFD walk. It is read lazily: a first few
// kilobytes at once, the rest only as far as reads reach (buf_context's window
// tail), so every byte reads as it would from a window read whole. Past the
// end of the file the window holds zeros.
#pragma once
#include <cstdint>
#include <cstdio>

#include "exif/buf_context.h"

// A new window on fp from the stream's position (with -d traces on, read whole
// at once, so that the traced counts are the file's), and ctx set on it at
// file offset 0.
void open_window(FILE *fp, buf_context *ctx);
// The bytes of the window read from the file so far.
int32_t window_valid_bytes();
// A new window read from file offset `offset`, and ctx set on it. Code 10 when
// the seek fails (errno tells why).
[[nodiscard]] int reopen_window_at(buf_context *ctx, int64_t offset);
// Makes the window begin at file offset `offset`, which lies in ctx's window,
// keeping what was read; ctx is set on it.
void shift_window_to(buf_context *ctx, int32_t offset);
// A window on the whole file (of `size` bytes), mapped into memory and read by
// the system as far as reads reach, for files whose IFDs may lie anywhere;
// ctx is set on it at file offset 0. False when the file cannot be mapped.
[[nodiscard]] bool map_whole_file(buf_context *ctx, uint64_t size);
// A window on bytes held in memory (a block decoded from the file), ctx set
// on it at offset 0.
void open_memory_window(buf_context *ctx, const unsigned char *bytes, size_t size);
// True while the window is a mapped file.
bool window_is_mapped();
// True once a read of this file's window failed (an input/output error, not its end).
bool window_read_failed();
// Ends reading through the window: the stream is about to close.
void close_window();
