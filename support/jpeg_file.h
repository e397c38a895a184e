// File-level JPEG helpers: open, create, copy byte ranges, seek, read and write
// big-endian numbers, find the APP1 segment, write at an offset.
//
// They work on standard-library streams that the caller owns and closes with
// close_jpeg_file, and return the result codes of support/errors.h. Streams
// made here are unbuffered, so per-file work allocates no stream buffers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "support/jpeg_segments.h"

// Bytes that file_copy moves per pass.
constexpr size_t file_copy_pass_size = 0x20000;

// Opens path with the stdio reading mode ("rb", "rb+"; a FIFO is not waited
// for, support/open_for_reading.h) and accepts it only when it starts with the
// start-of-image marker; *file is then left just after it. quiet silences the
// "not a JPEG file" message only. Codes: 1 open failed, 2 not JPEG, 8 too short.
[[nodiscard]] int open_jpeg_file(const char *path, const char *mode, int quiet, FILE **file);
// Creates a new file in the folder of `beside`, under a name made up for it
// (support/new_file_name.h; the area new_name, of new_file_name_size bytes, gets
// it), opens it for reading and writing and writes the start-of-image marker.
// Nothing that exists is opened, a symbolic link or a planted file least of
// all; the mode is the one fopen would give. Messages name `beside`, the file
// the caller means. Codes: 1 create failed (errno kept), 12 marker not written.
[[nodiscard]] int create_new_jpeg_file(const char *beside, char *new_name, FILE **file);
// Closes the stream, printing the reason if that fails; 0, or EOF then.
int close_jpeg_file(FILE *file);

// Copies length bytes from source_offset in source to destination_offset in
// destination (both from the start of the file); length 0 copies to the end of
// source. Codes: 10 seek failed, 8 source too short, 12 write failed.
[[nodiscard]] int file_copy_with_offset(FILE *source, long source_offset, FILE *destination, long destination_offset,
                                        uint64_t length);
// The same from the streams' current positions. A short read outside
// copy-to-end mode writes nothing of that pass.
[[nodiscard]] int file_copy(FILE *source, FILE *destination, uint64_t length);

// Seeks to offset bytes from the start of the file. Code 10 on failure.
[[nodiscard]] int seek_to_offset(FILE *file, long offset);
// Seeks just past the start-of-image marker. Code 10 on failure.
[[nodiscard]] int seek_to_first_mark(FILE *file);
// Walks the marker segments to the APP1 segment and hands back its length
// field, leaving the stream at the segment's data. Codes: 10, 8, 3 (no APP1
// before the start of scan).
[[nodiscard]] int seek_to_exif_data(FILE *file, uint16_t *length);

// Big-endian numbers. Reads give 8 (value unchanged) when the file ends first;
// writes give 12 when the bytes are not all written.
[[nodiscard]] int read_u_int2(FILE *file, uint16_t *value);
[[nodiscard]] int read_u_int4(FILE *file, uint32_t *value);
[[nodiscard]] int write_u_int2(FILE *file, uint16_t value);
[[nodiscard]] int write_u_int4(FILE *file, uint32_t value);

// Writes size bytes at offset; name appears in the messages only. Codes: 10, 12.
[[nodiscard]] int write_at_offset(FILE *file, const char *name, const void *bytes, size_t size, long offset);

// 0 only when path is known not to exist; 1 otherwise, also when its status
// cannot be read for another reason.
int file_exists(const char *path);
