#include "exif/buf_context.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "exif/field_store.h"
#include "exif/file_scan.h"
#include "support/errors.h"
#include "support/fatal.h"
#include "support/file_messages.h"
#include "support/open_for_reading.h"
#include "support/run_options.h"
#include "support/text_copy.h"
#include "support/trace.h"

namespace {

[[noreturn]] void read_past_end() { fatal_stop("Error: Attempt to read past end of buffer, exiting\n", 8); }
[[noreturn]] void skip_past_end() { fatal_stop("Error: Attempt to skip past end of buffer, exiting\n", 8); }
[[noreturn]] void write_past_end() { fatal_stop("Error: Attempt to write past end of buffer, exiting\n", 8); }

// Reads the window's tail when n bytes at p reach into it.
void load_bytes(const unsigned char *p, uint32_t n)
{
    uintptr_t at = reinterpret_cast<uintptr_t>(p);
    const window_tail_state &tail = scan.tail;
    if (__builtin_expect(at + n > tail.from && at < tail.limit, 0))
        tail.load(p + n);
}

// With bounded reads, a read past the end is noted and reads zeros; the
// cursor goes past the end so that every further read there does the same.
// Out of line: the readers' own path stays as short as it was.
[[gnu::cold, gnu::noinline]] void overrun(buf_context *ctx)
{
    if (!profile_of(ctx).bounded_reads)
        read_past_end();
    scan.overran = true;
    ctx->buf_p = ctx->buf_end + 1;
}

// A skip past the end: the same as a read, but for the message of the stop.
[[gnu::cold, gnu::noinline]] void skip_overrun(buf_context *ctx)
{
    if (!profile_of(ctx).bounded_reads)
        skip_past_end();
    overrun(ctx);
}

// True when n bytes (at most 8) can be read at the cursor; else the overrun
// (a stop, or zeros noted as a bounded read's).
bool can_read(buf_context *ctx, uint32_t n)
{
    if (__builtin_expect(buf_remaining(ctx) < n, 0)) {
        overrun(ctx);
        return false;
    }
    load_bytes(ctx->buf_p, n);
    return true;
}

unsigned char *room_for(const buf_context *ctx, uint32_t n)
{
    if (buf_remaining(ctx) < n)
        write_past_end();
    return ctx->buf_p;
}

}  // namespace

FILE *open_file(const char *dir_name, const char *file_name, bool named_messages)
{
    trace("Opening file %s\n", file_name);
    ifd_fields.file_name[0] = '\0';
    ifd_fields.dir_name[0] = '\0';
    ifd_fields.path_name[0] = '\0';
    if (dir_name[0] != '\0') {
        copy_text(ifd_fields.dir_name, sizeof ifd_fields.dir_name, dir_name);
        copy_text(ifd_fields.path_name, sizeof ifd_fields.path_name, dir_name);
        append_text(ifd_fields.path_name, sizeof ifd_fields.path_name, "/");
    }
    append_text(ifd_fields.path_name, sizeof ifd_fields.path_name, file_name);
    copy_text(ifd_fields.file_name, sizeof ifd_fields.file_name, file_name);
    begin_file_messages(ifd_fields.path_name, named_messages);

    FILE *fp = open_for_reading(file_name, "rb");  // a planted FIFO must not stop the run
    if (fp == nullptr) {
        if (named_messages) {
            file_error("can't open the file: %s", strerror(errno));
            note_system_failure();
        } else {
            fprintf(stderr, "Error: Can't open file %s: %s\n", file_name, strerror(errno));
        }
        ifd_fields.file_name[0] = '\0';
        return nullptr;
    }
    // Reads go straight into the caller's window: no stream buffer to allocate or copy through.
    setvbuf(fp, nullptr, _IONBF, 0);
    // The size of the file just opened, by its handle: no second path lookup.
    struct stat st;
    if (fstat(fileno(fp), &st) == 0) {
        ifd_fields.file_size = static_cast<uint64_t>(st.st_size);
    } else {
        if (named_messages)
            file_warning("can't determine the file's size: %s", strerror(errno));
        else
            warn("Warning: Can't determine size of file %s: %s\n", file_name, strerror(errno));
        ifd_fields.file_size = 0;
    }
    return fp;
}

void close_file(FILE *fp)
{
    if (fclose(fp) == 0)
        return;
    if (file_messages_named()) {
        file_error("can't close the file: %s", strerror(errno));
        note_system_failure();
    } else {
        fprintf(stderr, "Error: Can't close file %s: %s\n", ifd_fields.file_name, strerror(errno));
    }
}

void init_buf_context(buf_context *ctx, FILE *fp, unsigned char *buf, int64_t size, int64_t file_offset)
{
    ctx->fp = fp;
    ctx->file_offset = file_offset;
    ctx->buf_size = size;
    ctx->buf_p = buf;
    ctx->buf_start = buf;
    ctx->buf_end = buf + size - 1;
}

void clone_buf_context(const buf_context *src, buf_context *dst) { *dst = *src; }

uint32_t buf_remaining(const buf_context *ctx)
{
    if (ctx->buf_p < ctx->buf_start || ctx->buf_p > ctx->buf_end)
        return 0;
    const uint64_t remaining = static_cast<uint64_t>(ctx->buf_end - ctx->buf_p) + 1;
    return remaining < UINT32_MAX ? static_cast<uint32_t>(remaining) : UINT32_MAX;
}

uint32_t buf_bytes(const buf_context *ctx, uint32_t n)
{
    uint32_t room = buf_remaining(ctx);
    if (n > room)
        n = room;
    load_bytes(ctx->buf_p, n);
    return n;
}

void set_window_tail(const unsigned char *from, const unsigned char *limit, window_tail_loader load)
{
    scan.tail = {reinterpret_cast<uintptr_t>(from), reinterpret_cast<uintptr_t>(limit), load};
}

void clear_window_tail() { scan.tail = {UINTPTR_MAX, 0, nullptr}; }

uint32_t get_u_int2(buf_context *ctx)
{
    if (!can_read(ctx, 2))
        return 0;
    const unsigned char *p = ctx->buf_p;
    ctx->buf_p += 2;
    if (ctx->motorola_order)
        return static_cast<uint32_t>(p[0]) << 8 | p[1];
    return static_cast<uint32_t>(p[1]) << 8 | p[0];
}

int32_t get_int2(buf_context *ctx) { return static_cast<int16_t>(get_u_int2(ctx)); }

uint32_t get_u_int2_mm(buf_context *ctx)
{
    if (!can_read(ctx, 2))
        return 0;
    const unsigned char *p = ctx->buf_p;
    ctx->buf_p += 2;
    return static_cast<uint32_t>(p[0]) << 8 | p[1];
}

uint32_t get_u_int4(buf_context *ctx)
{
    if (!can_read(ctx, 4))
        return 0;
    const unsigned char *p = ctx->buf_p;
    ctx->buf_p += 4;
    if (ctx->motorola_order)
        return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
               static_cast<uint32_t>(p[2]) << 8 | p[3];
    return static_cast<uint32_t>(p[3]) << 24 | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[1]) << 8 |
           p[0];
}

int32_t get_int4(buf_context *ctx) { return static_cast<int32_t>(get_u_int4(ctx)); }

uint64_t get_u_int8(buf_context *ctx)
{
    if (!can_read(ctx, 8))
        return 0;
    const uint64_t first = get_u_int4(ctx), second = get_u_int4(ctx);
    return ctx->motorola_order ? first << 32 | second : second << 32 | first;
}

float get_float(buf_context *ctx, int *fractional)
{
    float numerator = static_cast<float>(get_int4(ctx));
    int32_t denominator = get_int4(ctx);
    float value = denominator > 0 ? numerator / static_cast<float>(denominator) : 0.0f;
    *fractional = denominator > 1 ? 1 : 0;
    trace("get_vloat returning %f, fractional=%d\n", value, *fractional);
    return value;
}

void skip_bytes(buf_context *ctx, uint32_t n)
{
    if (__builtin_expect(buf_remaining(ctx) < n, 0)) {
        skip_overrun(ctx);
        return;
    }
    load_bytes(ctx->buf_p, n);  // what was skipped over may be looked at in place
    ctx->buf_p += n;
}

bool require_bytes(buf_context *ctx, uint64_t n)
{
    if (buf_remaining(ctx) >= n)
        return true;
    overrun(ctx);
    return false;
}

bool read_overran() { return scan.overran; }

void clear_overrun() { scan.overran = false; }

void put_u_int2(buf_context *ctx, uint32_t value)
{
    unsigned char *p = room_for(ctx, 2);
    if (ctx->motorola_order) {
        p[0] = static_cast<unsigned char>(value >> 8);
        p[1] = static_cast<unsigned char>(value);
    } else {
        p[0] = static_cast<unsigned char>(value);
        p[1] = static_cast<unsigned char>(value >> 8);
    }
    ctx->buf_p += 2;
}

void put_u_int2_mm(buf_context *ctx, uint32_t value)
{
    unsigned char *p = room_for(ctx, 2);
    p[0] = static_cast<unsigned char>(value >> 8);
    p[1] = static_cast<unsigned char>(value);
    ctx->buf_p += 2;
}

void put_u_int4(buf_context *ctx, uint32_t value)
{
    unsigned char *p = room_for(ctx, 4);
    for (int i = 0; i < 4; i++) {
        int shift = ctx->motorola_order ? 24 - 8 * i : 8 * i;
        p[i] = static_cast<unsigned char>(value >> shift);
    }
    ctx->buf_p += 4;
}

void put_bytes(buf_context *ctx, const void *src, uint16_t n)
{
    unsigned char *p = room_for(ctx, n);
    memcpy(p, src, n);
    ctx->buf_p += n;
}

int64_t calc_file_offset(const buf_context *ctx, uint64_t offset)
{
    int64_t result = static_cast<int64_t>(static_cast<uint64_t>(ctx->file_offset) +
                                          static_cast<uint64_t>(ctx->offset_base - ctx->buf_start) + offset);
    trace("calc_file_offset = %d\n", static_cast<int32_t>(result));  // as the trace has always shown it
    return result;
}

int set_exif_context_p_by_offset(buf_context *ctx, uint64_t offset)
{
    // Positions are compared as numbers so that no out-of-range pointer is formed.
    uint64_t base = static_cast<uint64_t>(ctx->offset_base - ctx->buf_start);
    uint64_t last = static_cast<uint64_t>(ctx->buf_end - ctx->buf_start);
    if (base < last && offset < last - base) {
        const uint64_t target = base + offset;
        ctx->buf_p = ctx->buf_start + target;
        return exif_ok;
    }
    trace("Set buf_p by offset points past end of buffer\n");
    ctx->buf_p = ctx->buf_end + 1;
    return err_end_of_buffer;
}
