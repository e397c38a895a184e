// Metadata blocks that a container stores compressed or as text (PNG's
// "Raw profile" chunks, JPEG XL's `brob` boxes): decoded into one fixed area,
// from which the walk reads them as it reads a block of the file.
#pragma once
#include <cstddef>
#include <cstdint>

#include "exif/container_reads.h"

// The most a block may expand to: past it the block is not read.
constexpr uint64_t max_decoded_output = 16u << 20;
// The decoded bytes kept for the walk: as many as a file window holds.
constexpr size_t decoded_area_size = 0x20000;

enum class stored_as : uint8_t {
    plain,    // the bytes themselves
    zlib,     // a zlib stream (PNG's zTXt and compressed iTXt)
    brotli,   // a Brotli stream (JPEG XL's brob)
};

enum class text_form : uint8_t {
    bytes,        // the output is the block
    hex_profile,  // ImageMagick's raw profile text: "\nNAME\n  LENGTH\n" and hex digits
    hex_digits,   // hex digits among other text (EPS comment lines), `stated` bytes of them
};

// Decodes `length` bytes at `offset` of the file into the decoded area. The
// output past decoded_area_size is counted but not kept. False, with one
// warning naming the file, when the stream is corrupt or expands past
// max_decoded_output; what `what` names the block in that warning.
[[nodiscard]] bool decode_block(const file_reader &file, uint64_t offset, uint64_t length, stored_as storage,
                                text_form form, const char *what, uint64_t stated = 0);

// The decoded area and the bytes of it the last decode_block filled.
const unsigned char *decoded_data();
size_t decoded_size();

// Receives the output of a stream a piece at a time; false ends the decoding
// (the receiver has what it needs).
using decoded_sink = bool (*)(const unsigned char *piece, size_t n, void *state);

// Decodes `length` bytes at `offset` of the file, handing the output to
// `sink` as it comes. False, with one warning naming the file, when the stream
// is corrupt, ends early, or expands past max_decoded_output.
[[nodiscard]] bool decode_stream(const file_reader &file, uint64_t offset, uint64_t length, stored_as storage,
                                 decoded_sink sink, void *state, const char *what);
