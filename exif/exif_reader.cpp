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

// Bytes of the current window that hold file data; the rest reads as zeros.
int32_t window_valid;

// Reads up to the whole buffer from the stream's position into buf + keep,
// zero-filling what the file does not supply. Returns the bytes now valid.
int32_t fill_window(FILE *fp, unsigned char *buf, int32_t keep)
{
    size_t got = fread(buf + keep, 1, static_cast<size_t>(input_buffer_size - keep), fp);
    int32_t valid = keep + static_cast<int32_t>(got);
    memset(buf + valid, 0, static_cast<size_t>(input_buffer_size - valid));
    return valid;
}

// Moves the cursor to the segment at file offset `next`, reading the file
// there when the window does not hold the segment's marker and length.
int move_to_segment(buf_context *ctx, int64_t next)
{
    int64_t in_window = next - ctx->file_offset;
    if (in_window >= 0 && in_window + 4 <= window_valid) {
        ctx->buf_p = ctx->buf_start + in_window;
        return exif_ok;
    }
    if (fseek(ctx->fp, static_cast<long>(next), SEEK_SET) != 0) {
        if (exif_opts_p->debug)
            printf("Seek failed while searching for EXIF mark: %s\n", strerror(errno));
        return err_seek_failed;
    }
    window_valid = fill_window(ctx->fp, ctx->buf_start, 0);
    init_buf_context(ctx, ctx->fp, ctx->buf_start, input_buffer_size, static_cast<int32_t>(next));
    // The segment length led past the end of the file: no next marker to read.
    return window_valid < 2 ? err_no_exif : exif_ok;
}

// Makes the window begin at the APP1 marker at file offset `segment`.
void start_window_at(buf_context *ctx, int32_t segment)
{
    int32_t shift = segment - ctx->file_offset;
    if (shift != 0) {
        int32_t keep = window_valid - shift;
        memmove(ctx->buf_start, ctx->buf_start + shift, static_cast<size_t>(keep));
        window_valid = fill_window(ctx->fp, ctx->buf_start, keep);
    }
    init_buf_context(ctx, ctx->fp, ctx->buf_start, input_buffer_size, segment);
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

    unsigned char buffer[input_buffer_size];
    window_valid = fill_window(fp, buffer, 0);
    if (exif_opts_p->debug)
        printf("%s: items read = %d\n", file_name, window_valid);

    int rc;
    if (window_valid <= 5) {
        if (exif_opts_p->debug)
            printf("File is too short (%d) to be a JPEG file\n", window_valid);
        rc = err_not_jpeg;
    } else {
        if (exif_opts_p->debug)
            printf("Read file, items read = %d\n", window_valid);
        buf_context ctx{};
        init_buf_context(&ctx, fp, buffer, input_buffer_size, 0);
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
    if (buf_remaining(ctx) < sizeof exif_header || memcmp(ctx->buf_p, exif_header, sizeof exif_header) != 0) {
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
