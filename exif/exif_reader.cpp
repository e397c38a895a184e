#include "exif/exif_reader.h"

#include "exif/field_sort.h"
#include "exif/file_scan.h"
#include "exif/file_window.h"
#include "exif/ifd_types.h"
#include "exif/ifd_walk.h"
#include "exif/jpeg_locator.h"
#include "exif/tiff_header.h"
#include "support/errors.h"
#include "support/trace.h"

const char exif_rcs_id[] = "$Id: exif_reader.cpp,v 1.5 2001/10/06 12:00:00 tagsift Exp $";

namespace {

// The containers the reader knows, told apart by their first bytes. A
// locator leaves the context's cursor on the TIFF header of the EXIF block.
struct container_row {
    bool (*is_container)(const unsigned char *first_bytes, int32_t valid);
    int (*locate_exif)(buf_context *ctx);
};

constexpr container_row containers[] = {
    {is_jpeg, locate_jpeg_exif},
};

const container_row *find_container(const buf_context &ctx)
{
    for (const container_row &row : containers)
        if (row.is_container(ctx.buf_start, window_valid_bytes()))
            return &row;
    return nullptr;
}

int read_exif_block(buf_context *ctx, ifd_field_store *store)
{
    if (window_valid_bytes() <= 5) {
        trace("File is too short (%d) to be a JPEG file\n", window_valid_bytes());
        return err_unknown_container;
    }
    trace("Read file, items read = %d\n", window_valid_bytes());
    const container_row *container = find_container(*ctx);
    if (container == nullptr) {
        trace("Not a Jpeg file (mark=0x%x)\n", static_cast<uint32_t>(ctx->buf_start[0]) << 8 | ctx->buf_start[1]);
        return err_unknown_container;
    }
    int rc = container->locate_exif(ctx);
    uint32_t first_ifd = 0;
    if (rc == exif_ok)
        rc = read_tiff_header(ctx, store, &first_ifd);
    if (rc == exif_ok)
        (void)extract_ifd(ctx, first_ifd, ifd_parent_main_chain, 0,
                          store);  // a walk that stops early keeps what it gathered
    return rc;
}

}  // namespace

int read_exif_fields(const char *dir_name, const char *file_name, const value_formatting &formatting,
                     ifd_field_store **result, int sort)
{
    trace("RcsId: %s\n", exif_rcs_id);
    begin_file_scan(formatting);
    ifd_fields.count = 0;
    ifd_fields.model_code = 0;
    ifd_fields.thumbnail_offset = 0;
    ifd_fields.thumbnail_length = 0;
    *result = &ifd_fields;

    FILE *fp = open_file(dir_name, file_name);
    if (fp == nullptr)
        return err_cant_open;

    buf_context ctx{};
    open_window(fp, &ctx);
    trace("%s: items read = %d\n", file_name, window_valid_bytes());
    int rc = read_exif_block(&ctx, &ifd_fields);
    close_window();  // the stream closes now
    close_file(fp);
    if (rc == exif_ok && sort)
        sort_fields(&ifd_fields);
    return rc;
}
