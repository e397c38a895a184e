#include "exif/block_decoder.h"

#include <brotli/decode.h>
#include <zlib.h>

#include <cstring>

#include "support/file_messages.h"
#include "support/trace.h"

namespace {

// The decoders' memory comes from a fixed area, handed out in order and
// taken back whole when the next stream begins: a file's reading allocates
// nothing. It holds Brotli's default window of 4 MiB (pages are used only as
// far as a stream's output reaches); a stream with a larger window is not read.
constexpr size_t arena_size = 0x480000;
alignas(16) unsigned char arena[arena_size];
size_t arena_used;

void *arena_take(size_t n)
{
    n = (n + 15) & ~static_cast<size_t>(15);
    if (n > arena_size - arena_used)
        return nullptr;
    void *p = arena + arena_used;
    arena_used += n;
    return p;
}

voidpf zlib_alloc(voidpf, uInt items, uInt size)
{
    return static_cast<uint64_t>(items) * size > arena_size ? Z_NULL : arena_take(static_cast<size_t>(items) * size);
}
void zlib_free(voidpf, voidpf) {}
void *brotli_alloc(void *, size_t size) { return arena_take(size); }
void brotli_free(void *, void *) {}

// Compressed input is read, and output made, a piece at a time.
constexpr size_t piece_size = 0x8000;
unsigned char input_piece[piece_size];
unsigned char output_piece[piece_size];

unsigned char decoded_area[decoded_area_size];
size_t decoded_bytes;

enum class stream_end : uint8_t { done, corrupt, too_large, stopped, window_too_large };

// What the decoders share: the compressed bytes left to read, the output so far.
struct stream_state {
    const file_reader &file;
    uint64_t offset;
    uint64_t left;
    uint64_t output;
    decoded_sink sink;
    void *sink_state;

    // Reads the next piece of input; 0 at its end or when it cannot be read.
    size_t next_input()
    {
        size_t n = left < piece_size ? static_cast<size_t>(left) : piece_size;
        if (n == 0 || !read_at(file, offset, file.size, input_piece, n))
            return 0;
        offset += n;
        left -= n;
        return n;
    }
    // Hands n bytes of output on; the end it comes to, or nothing to end.
    bool deliver(size_t n, stream_end *end)
    {
        output += n;
        if (output > max_decoded_output) {
            *end = stream_end::too_large;
            return false;
        }
        if (n > 0 && !sink(output_piece, n, sink_state)) {
            *end = stream_end::stopped;
            return false;
        }
        return true;
    }
};

stream_end inflate_stream(stream_state &stream)
{
    z_stream z{};
    z.zalloc = zlib_alloc;
    z.zfree = zlib_free;
    if (inflateInit(&z) != Z_OK)
        return stream_end::corrupt;
    stream_end end = stream_end::corrupt;
    int rc = Z_OK;
    while (rc == Z_OK) {
        if (z.avail_in == 0) {
            z.avail_in = static_cast<uInt>(stream.next_input());
            z.next_in = input_piece;
            if (z.avail_in == 0)
                break;  // the stream ends before its end
        }
        z.next_out = output_piece;
        z.avail_out = piece_size;
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END)
            break;
        if (!stream.deliver(piece_size - z.avail_out, &end))
            break;
        if (rc == Z_STREAM_END)
            end = stream_end::done;
    }
    inflateEnd(&z);
    return end;
}

stream_end brotli_stream(stream_state &stream)
{
    BrotliDecoderState *decoder = BrotliDecoderCreateInstance(brotli_alloc, brotli_free, nullptr);
    if (decoder == nullptr)
        return stream_end::corrupt;
    size_t available_in = 0;
    const uint8_t *next_in = input_piece;
    stream_end end = stream_end::corrupt;
    for (;;) {
        size_t available_out = piece_size;
        uint8_t *next_out = output_piece;
        BrotliDecoderResult result =
            BrotliDecoderDecompressStream(decoder, &available_in, &next_in, &available_out, &next_out, nullptr);
        if (result == BROTLI_DECODER_RESULT_ERROR) {
            const int code = BrotliDecoderGetErrorCode(decoder);
            if (code <= BROTLI_DECODER_ERROR_ALLOC_CONTEXT_MODES && code >= BROTLI_DECODER_ERROR_ALLOC_BLOCK_TYPE_TREES)
                end = stream_end::window_too_large;  // the fixed area is too small for it
            break;
        }
        if (!stream.deliver(piece_size - available_out, &end))
            break;
        if (result == BROTLI_DECODER_RESULT_SUCCESS) {
            end = stream_end::done;
            break;
        }
        if (result == BROTLI_DECODER_RESULT_NEEDS_MORE_INPUT) {
            available_in = stream.next_input();
            next_in = input_piece;
            if (available_in == 0)
                break;
        }
    }
    BrotliDecoderDestroyInstance(decoder);
    return end;
}

// Plain bytes: the same path as decoded ones.
stream_end copy_stream(stream_state &stream)
{
    stream_end end = stream_end::done;
    for (size_t n; (n = stream.next_input()) > 0;) {
        memcpy(output_piece, input_piece, n);
        if (!stream.deliver(n, &end))
            return end;
    }
    return stream.left == 0 ? stream_end::done : stream_end::corrupt;
}

// Keeps output in the decoded area up to its size; the rest is counted, not kept.
bool keep_bytes(const unsigned char *piece, size_t n, void *)
{
    size_t room = decoded_area_size - decoded_bytes;
    memcpy(decoded_area + decoded_bytes, piece, n < room ? n : room);
    decoded_bytes += n < room ? n : room;
    return true;
}

// ImageMagick's raw profile text: a line feed, the profile's name, a line
// feed, its length in decimal (after blanks), a line feed, then two hex
// digits a byte with line feeds between. The length stated ends the bytes.
struct hex_profile_state {
    int line_feeds;    // of the three that end the heading
    uint64_t length;   // stated in the heading
    int high;          // the first digit of a byte, or -1
    bool bad_heading;
};

int hex_digit(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Hex digits wherever they stand, up to the bytes stated.
struct hex_digits_state {
    uint64_t stated;
    int high;
};

bool keep_hex_digits(const unsigned char *piece, size_t n, void *state)
{
    hex_digits_state &hex = *static_cast<hex_digits_state *>(state);
    for (size_t i = 0; i < n; i++) {
        const int digit = hex_digit(piece[i]);
        if (digit < 0)
            continue;
        if (hex.high < 0) {
            hex.high = digit;
            continue;
        }
        if (decoded_bytes >= hex.stated || decoded_bytes >= decoded_area_size)
            return false;
        decoded_area[decoded_bytes++] = static_cast<unsigned char>(hex.high << 4 | digit);
        hex.high = -1;
    }
    return decoded_bytes < hex.stated && decoded_bytes < decoded_area_size;
}

bool keep_hex_profile(const unsigned char *piece, size_t n, void *state)
{
    hex_profile_state &hex = *static_cast<hex_profile_state *>(state);
    for (size_t i = 0; i < n; i++) {
        const unsigned char c = piece[i];
        if (hex.line_feeds < 3) {
            if (c == '\n')
                hex.line_feeds++;
            else if (hex.line_feeds == 2 && c >= '0' && c <= '9' && hex.length < max_decoded_output)
                hex.length = hex.length * 10 + (c - '0');
            else if (hex.line_feeds == 2 && c != ' ')
                hex.bad_heading = true;
            continue;
        }
        const int digit = hex_digit(c);
        if (digit < 0)
            continue;  // line feeds between the lines of digits
        if (hex.high < 0) {
            hex.high = digit;
            continue;
        }
        const unsigned char byte = static_cast<unsigned char>(hex.high << 4 | digit);
        hex.high = -1;
        if (decoded_bytes >= hex.length || decoded_bytes >= decoded_area_size)
            return false;  // all that is stated, or all that is kept, is there
        decoded_area[decoded_bytes++] = byte;
    }
    return true;
}

}  // namespace

bool decode_stream(const file_reader &file, uint64_t offset, uint64_t length, stored_as storage, decoded_sink sink,
                   void *state, const char *what)
{
    arena_used = 0;
    stream_state stream{file, offset, length, 0, sink, state};
    stream_end end = storage == stored_as::zlib     ? inflate_stream(stream)
                     : storage == stored_as::brotli ? brotli_stream(stream)
                                                    : copy_stream(stream);
    trace("Decoded %s: %llu bytes out\n", what, static_cast<unsigned long long>(stream.output));
    if (end == stream_end::too_large) {
        file_warning("%s expands past %llu bytes; not read", what, static_cast<unsigned long long>(max_decoded_output));
        return false;
    }
    if (end == stream_end::window_too_large) {
        file_warning("%s needs a Brotli window larger than 4 MiB; not read", what);
        return false;
    }
    if (end == stream_end::corrupt) {
        file_warning("%s: its compressed data is corrupt or cut short; not read", what);
        return false;
    }
    return true;
}

bool decode_block(const file_reader &file, uint64_t offset, uint64_t length, stored_as storage, text_form form,
                  const char *what, uint64_t stated)
{
    decoded_bytes = 0;
    if (form == text_form::bytes)
        return decode_stream(file, offset, length, storage, keep_bytes, nullptr, what);
    if (form == text_form::hex_digits) {
        hex_digits_state hex{stated, -1};
        return decode_stream(file, offset, length, storage, keep_hex_digits, &hex, what);
    }
    hex_profile_state hex{0, 0, -1, false};
    if (!decode_stream(file, offset, length, storage, keep_hex_profile, &hex, what))
        return false;
    if (hex.bad_heading || hex.line_feeds < 3) {
        file_warning("%s: its text is not a raw profile; not read", what);
        return false;
    }
    return true;
}

const unsigned char *decoded_data() { return decoded_area; }

size_t decoded_size() { return decoded_bytes; }
