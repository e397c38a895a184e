#include "exif/exif_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "exif/exif_options.h"
#include "exif/ifd_walk.h"
#include "support/errors.h"

const char exif_rcs_id[] = "$Id: exif_reader.cpp,v 1.5 2001/10/06 12:00:00 tagsift Exp $";

namespace {

constexpr uint32_t mark_soi = 0xFFD8;
constexpr uint32_t mark_app1 = 0xFFE1;
constexpr uint32_t mark_sos = 0xFFDA;

// The window, and room after it so that a window moved forward to an APP1
// segment near the start of the file is completed in place (no copy of what
// was already read). Static, so that its zeros can be kept from file to file.
constexpr int32_t window_slack = 0x10000;
unsigned char window_area[input_buffer_size + window_slack];

// What is read of a window at once, and at least at each further step. The
// IFDs and values of a camera's EXIF block nearly always lie in its first few
// kilobytes (the thumbnail that fills most of the block is not read); the rest
// of the window is read only as far as reads reach (set_window_tail), so every
// byte reads as it would have.
constexpr int32_t first_read = 0x1000;
constexpr int32_t read_step = 0x4000;

struct window_state {
    FILE *fp;
    unsigned char *start;  // the window's first byte in window_area
    int32_t valid;         // bytes from start read from the file
    bool at_end;           // the file has no bytes after those
};
window_state window;
// window_area[zero_from] onwards holds zeros only.
int32_t zero_from;

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
    if (got < static_cast<size_t>(want))
        window.at_end = true;
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

// A new window at the stream's position, at `start` in window_area. With
// debug traces on it is read whole, so that the traced counts are the file's.
void open_window(FILE *fp, unsigned char *start)
{
    window = {fp, start, 0, false};
    read_window(exif_opts_p->debug ? input_buffer_size : first_read);
}

// Moves the cursor to the segment at file offset `next`, reading the file
// there when the window does not hold the segment's marker and length.
int move_to_segment(buf_context *ctx, int64_t next)
{
    int64_t in_window = next - ctx->file_offset;
    if (in_window >= 0 && in_window + 4 <= window.valid) {
        ctx->buf_p = ctx->buf_start + in_window;
        return exif_ok;
    }
    if (fseek(ctx->fp, static_cast<long>(next), SEEK_SET) != 0) {
        if (exif_opts_p->debug)
            printf("Seek failed while searching for EXIF mark: %s\n", strerror(errno));
        return err_seek_failed;
    }
    open_window(ctx->fp, window_area);
    init_buf_context(ctx, ctx->fp, window_area, input_buffer_size, static_cast<int32_t>(next));
    // The segment length led past the end of the file: no next marker to read.
    return window.valid < 2 ? err_no_exif : exif_ok;
}

// Makes the window begin at the APP1 marker at file offset `segment`.
void start_window_at(buf_context *ctx, int32_t segment)
{
    int32_t shift = segment - ctx->file_offset;
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
    init_buf_context(ctx, ctx->fp, window.start, input_buffer_size, segment);
    ctx->buf_p += 2;
}

// Stable order of records: IFD type, then tag, then extraction order.
uint64_t sort_key(const ifd_field &f)
{
    return static_cast<uint64_t>(f.ifd_type) << 32 | static_cast<uint64_t>(f.tag) << 16 | f.seq;
}

// Sorts the records without allocating: sort an index, then apply it by cycles.
void sort_fields(ifd_field_store *store)
{
    uint32_t n = store->count;
    uint64_t keys[max_fields];
    for (uint32_t i = 0; i < n; i++)
        keys[i] = sort_key(store->fields[i]) << 8 | i;
    std::sort(keys, keys + n);
    uint8_t source[max_fields];
    for (uint32_t i = 0; i < n; i++)
        source[i] = static_cast<uint8_t>(keys[i] & 0xFF);
    bool done[max_fields] = {};
    for (uint32_t start = 0; start < n; start++) {
        if (done[start] || source[start] == start)
            continue;
        ifd_field held = store->fields[start];
        uint32_t to = start;
        while (source[to] != start) {
            store->fields[to] = store->fields[source[to]];
            done[to] = true;
            to = source[to];
        }
        store->fields[to] = held;
        done[to] = true;
    }
}

}  // namespace

int extract_exif_fields(const char *dir_name, const char *file_name, ifd_field_store **result, int sort)
{
    if (exif_opts_p->debug)
        printf("RcsId: %s\n", exif_rcs_id);
    ifd_fields.count = 0;
    ifd_fields.model_code = 0;
    ifd_fields.thumbnail_offset = 0;
    ifd_fields.thumbnail_length = 0;
    *result = &ifd_fields;

    FILE *fp = open_file(dir_name, file_name);
    if (fp == nullptr)
        return err_cant_open;

    open_window(fp, window_area);
    if (exif_opts_p->debug)
        printf("%s: items read = %d\n", file_name, window.valid);

    int rc;
    if (window.valid <= 5) {
        if (exif_opts_p->debug)
            printf("File is too short (%d) to be a JPEG file\n", window.valid);
        rc = err_not_jpeg;
    } else {
        if (exif_opts_p->debug)
            printf("Read file, items read = %d\n", window.valid);
        buf_context ctx{};
        init_buf_context(&ctx, fp, window_area, input_buffer_size, 0);
        uint32_t mark = get_u_int2_mm(&ctx);
        if (mark != mark_soi) {
            if (exif_opts_p->debug)
                printf("Not a Jpeg file (mark=0x%x)\n", mark);
            rc = err_not_jpeg;
        } else {
            rc = find_exif_data(&ctx);
            if (rc == exif_ok)
                rc = extract_exif_record(&ctx, &ifd_fields);
        }
    }
    clear_window_tail();  // the stream closes now
    close_file(fp);
    if (rc == exif_ok && sort)
        sort_fields(&ifd_fields);
    return rc;
}

int find_exif_data(buf_context *ctx)
{
    int64_t segment = 2;
    bool moved = false;
    uint32_t mark = get_u_int2_mm(ctx);
    if (exif_opts_p->debug)
        printf("mark=%x, len=%d\n", mark, 0);
    while (mark != mark_app1 && mark != mark_sos) {
        uint32_t len = get_u_int2_mm(ctx);
        if (exif_opts_p->debug)
            printf("mark=%x, len=%d\n", mark, len);
        segment += len + 2;
        if (segment > INT32_MAX - input_buffer_size)
            return err_no_exif;  // beyond any file this reader addresses
        int rc = move_to_segment(ctx, segment);
        if (rc != exif_ok)
            return rc;
        moved = true;
        mark = get_u_int2_mm(ctx);
        if (exif_opts_p->debug)
            printf("mark=%x\n", mark);
    }
    if (mark != mark_app1) {
        if (exif_opts_p->debug)
            printf("Not a JPEG/EXIF file (mark=0x%x)\n", mark);
        return err_no_exif;
    }
    if (moved)
        start_window_at(ctx, static_cast<int32_t>(segment));
    uint32_t len = get_u_int2_mm(ctx);
    if (exif_opts_p->debug)
        printf("JPEG file contains EXIF data, EXIF data length = %d\n", len);
    ctx->exif_len = len;
    ctx->exif_end = ctx->buf_p + len - 2;
    return exif_ok;
}

int extract_exif_record(buf_context *ctx, ifd_field_store *store)
{
    if (exif_opts_p->debug)
        printf("extract_exif_ifd\n");
    static const char exif_header[5] = {'E', 'x', 'i', 'f', '\0'};
    if (buf_bytes(ctx, sizeof exif_header) < sizeof exif_header ||
        memcmp(ctx->buf_p, exif_header, sizeof exif_header) != 0) {
        if (exif_opts_p->debug)
            printf("EXIF buffer header not detected\n");
        return err_no_exif_header;
    }
    if (exif_opts_p->debug)
        printf("EXIF text header string detected\n");
    skip_bytes(ctx, 6);
    ctx->offset_base = ctx->buf_p;

    uint32_t order = get_u_int2(ctx);
    if (order == 0x4949) {
        ctx->motorola_order = 0;
        if (exif_opts_p->debug)
            printf("Intel byte order detected\n");
    } else if (order == 0x4D4D) {
        ctx->motorola_order = 1;
        if (exif_opts_p->debug)
            printf("Motorola byte order detected\n");
    } else {
        ctx->motorola_order = 0;
        if (exif_opts_p->debug)
            printf("Unknown byte order indicator %x\n", order);
        return err_unknown_byte_order;
    }
    store->motorola_order = ctx->motorola_order;
    if (exif_opts_p->debug)
        printf(ctx->motorola_order ? "EXIF IFD uses Motorola byte ordering\n" : "EXIF IFD uses Intel byte ordering\n");

    uint32_t tiff_number = get_u_int2(ctx);
    if (tiff_number != 42) {
        fprintf(stderr, "Error: file %s -TIFF tag value %x incorrect (expected %x)\n", store->file_name, tiff_number,
                42);
        return err_no_tiff_tag;
    }
    uint32_t first_ifd = get_u_int4(ctx);
    if (exif_opts_p->debug) {
        if (first_ifd != 8)
            printf("WARNING: file %s - TIFF header offset to first IFD (0x%x) is not 8 (it usually is)\n",
                   store->file_name, first_ifd);
        printf("EXIF TIFF header is valid\n");
    }
    // A walk that stops early keeps what it gathered: the file still counts as read.
    extract_ifd(ctx, first_ifd, main_chain_parent, 0, store);
    return exif_ok;
}

int ifd_field_compare(const ifd_field *a, const ifd_field *b)
{
    if (a->ifd_type != b->ifd_type)
        return a->ifd_type < b->ifd_type ? -1 : 1;
    if (a->tag != b->tag)
        return a->tag < b->tag ? -1 : 1;
    return 0;
}
