#include "exif/tiff_header.h"

#include <cstdio>

#include "support/errors.h"
#include "support/file_messages.h"
#include "support/trace.h"

namespace {

constexpr uint32_t intel_order_mark = 0x4949;     // "II"
constexpr uint32_t motorola_order_mark = 0x4D4D;  // "MM"

}  // namespace

int read_tiff_header(buf_context *ctx, ifd_field_store *store, uint32_t *first_ifd, uint32_t magic)
{
    ctx->offset_base = ctx->buf_p;
    uint32_t order = get_u_int2(ctx);
    if (order == intel_order_mark) {
        ctx->motorola_order = 0;
        trace("Intel byte order detected\n");
    } else if (order == motorola_order_mark) {
        ctx->motorola_order = 1;
        trace("Motorola byte order detected\n");
    } else {
        ctx->motorola_order = 0;
        trace("Unknown byte order indicator %x\n", order);
        return err_unknown_byte_order;
    }
    store->motorola_order = ctx->motorola_order;
    trace("%s", ctx->motorola_order ? "EXIF IFD uses Motorola byte ordering\n" : "EXIF IFD uses Intel byte ordering\n");

    uint32_t tiff_number = get_u_int2(ctx);
    if (tiff_number != magic) {
        if (!profile_of(ctx).checked_ifds) {
            fprintf(stderr, "Error: file %s -TIFF tag value %x incorrect (expected %x)\n", store->file_name,
                    tiff_number, magic);
            return err_no_tiff_tag;
        }
        // The byte order mark is right: exiftool reads such a header, and so do we.
        file_warning("the TIFF header's number is %x, not %x; read on", tiff_number, magic);
    }
    *first_ifd = get_u_int4(ctx);
    if (read_overran())
        return err_end_of_buffer;  // a bounded read: the header is cut short
    if (*first_ifd != 8)
        trace("WARNING: file %s - TIFF header offset to first IFD (0x%x) is not 8 (it usually is)\n", store->file_name,
              *first_ifd);
    trace("EXIF TIFF header is valid\n");
    return exif_ok;
}
