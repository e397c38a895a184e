#include "exif/file_window.h"

#include <cstring>
#include <sys/mman.h>

#include "exif/field_store.h"
#include "exif/file_scan.h"
#include "support/errors.h"
#include "support/run_options.h"

namespace {

// The window, and room after it so that a window moved forward to a segment
// near the start of the file is completed in place (no copy of what was
// already read). Static, so that its zeros can be kept from file to file.
constexpr int32_t window_slack = 0x10000;
unsigned char window_area[input_buffer_size + window_slack];
// window_area[zero_from] onwards holds zeros only.
int32_t zero_from;

// What is read of a window at once, and at least at each further step. The
// IFDs and values of a camera's EXIF block nearly always lie in its first few
// kilobytes (the thumbnail that fills most of the block is not read).
constexpr int32_t first_read = 0x1000;
constexpr int32_t read_step = 0x4000;

window_state &window = scan.window;

// Zero-fills the area from `end` (the end of the file's data) to where the
// zeros already begin, and notes that the zeros now begin at `end`.
void zeros_after(const unsigned char *end)
{
    int32_t from = static_cast<int32_t>(end - window_area);
    if (from < zero_from)
        memset(window_area + from, 0, static_cast<size_t>(zero_from - from));
    zero_from = from;
}

void read_window_tail(const unsigned char *needed_end);

// Settles what follows the window's valid bytes: zeros past the end of the
// file, else a tail to be read on demand (unless the window is complete).
void settle_window()
{
    unsigned char *end = window.start + window.valid;
    if (window.at_end)
        zeros_after(end);
    else if (end - window_area > zero_from)
        zero_from = static_cast<int32_t>(end - window_area);
    if (!window.at_end && window.valid < input_buffer_size)
        set_window_tail(end, window.start + input_buffer_size, read_window_tail);
    else
        clear_window_tail();
}

// Reads up to `want` more bytes from the stream's position into the window.
void read_window(int32_t want)
{
    size_t got = fread(window.start + window.valid, 1, static_cast<size_t>(want), window.fp);
    window.valid += static_cast<int32_t>(got);
    if (got < static_cast<size_t>(want)) {
        window.at_end = true;
        window.read_failed = window.read_failed || ferror(window.fp) != 0;
    }
    settle_window();
}

// Reads on to the step boundary at or after `needed_end` (or the window's end).
void read_window_tail(const unsigned char *needed_end)
{
    int32_t needed = static_cast<int32_t>(needed_end - window.start);
    int32_t upto = (needed + read_step - 1) / read_step * read_step;
    if (upto > input_buffer_size)
        upto = input_buffer_size;
    read_window(upto - window.valid);
}

// The bytes a window from file offset `offset` holds for its readers: all of
// it, zeros after the file's end included; with bounded reads only the file's
// own bytes, so that a value past its end is passed over, not read as zeros.
int32_t window_data_size(const buf_context *ctx, int64_t offset)
{
    const int64_t file_size = ifd_fields.file_size;
    if (!profile_of(ctx).bounded_reads || file_size == 0 || offset >= file_size)
        return input_buffer_size;
    return file_size - offset < input_buffer_size ? static_cast<int32_t>(file_size - offset) : input_buffer_size;
}

void open_window_area(FILE *fp)
{
    close_window();
    window = {fp, window_area, 0, false, window.read_failed, nullptr, 0};
    read_window(exif_opts_p->debug ? input_buffer_size : first_read);
}

}  // namespace

void open_window(FILE *fp, buf_context *ctx)
{
    open_window_area(fp);
    init_buf_context(ctx, fp, window_area, window_data_size(ctx, 0), 0);
}

int32_t window_valid_bytes() { return window.valid; }

int reopen_window_at(buf_context *ctx, int64_t offset)
{
    if (fseek(ctx->fp, static_cast<long>(offset), SEEK_SET) != 0)
        return err_seek_failed;
    open_window_area(ctx->fp);
    init_buf_context(ctx, ctx->fp, window_area, window_data_size(ctx, offset), offset);
    return exif_ok;
}

void shift_window_to(buf_context *ctx, int32_t offset)
{
    int32_t shift = offset - ctx->file_offset;
    if (shift != 0) {
        int32_t keep = window.valid - shift;
        unsigned char *start = window.start + shift;
        if (start + input_buffer_size > window_area + sizeof window_area) {
            memmove(window_area, start, static_cast<size_t>(keep));
            start = window_area;
        }
        window.start = start;
        window.valid = keep;  // the stream stands after these bytes
        settle_window();
    }
    init_buf_context(ctx, ctx->fp, window.start, window_data_size(ctx, offset), offset);
}

bool map_whole_file(buf_context *ctx, uint64_t size)
{
    // A file of any size is mapped (BigTIFF's offsets are 64-bit); pages are read only where reads reach.
    if (size == 0 || size > static_cast<uint64_t>(PTRDIFF_MAX))
        return false;
    void *mapped = mmap(nullptr, static_cast<size_t>(size), PROT_READ, MAP_PRIVATE, fileno(ctx->fp), 0);
    if (mapped == MAP_FAILED)
        return false;
    close_window();
    window = {ctx->fp,
              static_cast<unsigned char *>(mapped),
              static_cast<int32_t>(size < INT32_MAX ? size : INT32_MAX),
              true,
              window.read_failed,
              mapped,
              static_cast<size_t>(size)};
    init_buf_context(ctx, ctx->fp, window.start, static_cast<int64_t>(size), 0);
    return true;
}

void open_memory_window(buf_context *ctx, const unsigned char *bytes, size_t size)
{
    close_window();
    clear_window_tail();
    // The walk only reads the window; the area is the decoder's.
    unsigned char *start = const_cast<unsigned char *>(bytes);
    window = {ctx->fp, start, static_cast<int32_t>(size), true, window.read_failed, nullptr, 0};
    init_buf_context(ctx, ctx->fp, start, static_cast<int64_t>(size), 0);
}

bool window_is_mapped() { return window.mapped != nullptr; }

bool window_read_failed() { return window.read_failed; }

void close_window()
{
    clear_window_tail();
    if (window.mapped != nullptr)
        munmap(window.mapped, window.mapped_size);
    window.mapped = nullptr;
}
