#include "exif/tiff_header.h"

#include <cstdio>

#include "support/errors.h"
#include "support/file_messages.h"
#include "support/trace.h"

namespace {

constexpr uint32_t intel_order_mark = 0x4949;     // "II"
constexpr uint32_t motorola_order_mark = 0x4D4D;  // "MM"

// BigTIFF's header after the number: the size of an offset (8), two zero
// bytes, then the 8-byte offset of the first IFD.
int read_bigtiff_rest(buf_context *ctx, uint64_t *first_ifd)
{
    const uint32_t offset_size = get_u_int2(ctx);
    const uint32_t reserved = get_u_int2(ctx);
    *first_ifd = get_u_int8(ctx);
    if (read_overran())
        return err_end_of_buffer;
    if (offset_size != big_tiff.offset_size || reserved != 0) {
        file_warning("the BigTIFF header gives offsets of %u bytes, not 8; not read", offset_size);
        return err_no_exif;
    }
    ctx->layout = &big_tiff;
    trace("BigTIFF header, first IFD at %llu\n", static_cast<unsigned long long>(*first_ifd));
    return exif_ok;
}

}  // namespace

int read_tiff_header(buf_context *ctx, ifd_field_store *store, uint64_t *first_ifd, uint32_t magic)
{
    ctx->offset_base = ctx->buf_p;
    ctx->layout = nullptr;
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
    if (magic == bigtiff_magic_number && tiff_number == magic)
        return read_bigtiff_rest(ctx, first_ifd);
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
              static_cast<uint32_t>(*first_ifd));
    trace("EXIF TIFF header is valid\n");
    return exif_ok;
}
