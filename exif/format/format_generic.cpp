// Readable values of the standard TIFF and EXIF fields, selected by tag alone
// whichever IFD the entry came from; every other tag is rendered plainly.
#include "exif/format/format_text.h"
#include "exif/format/formatters.h"
#include "exif/format/standard_names.h"
#include "exif/format/standard_rationals.h"
#include "exif/format/standard_text.h"
#include "exif/tags.h"
#include "support/run_options.h"

namespace {

// Rational fields shown as a plain quotient: printf width and places, and
// whether the parts are read signed.
struct quotient_format {
    uint32_t tag;
    bool is_signed;
    int width;
    int places;
};

// clang-format off
constexpr quotient_format quotient_formats[] = {
    {0x011A, false, 0, 0},  // x-res
    {0x011B, false, 0, 0},  // y-res
    {0x829D, false, 3, 1},  // f-number
    {0x9204, true, 0, 2},   // exp-bias
    {0x9206, false, 0, 1},  // subj-dist
    {0x920A, false, 0, 2},  // focal-len
    {0xA20E, true, 0, 1},   // fp-x-res
    {0xA20F, true, 0, 1},   // fp-y-res
    {0xA215, false, 0, 0},  // exp-index
};
// clang-format on

const quotient_format *find_quotient_format(uint32_t tag)
{
    for (const quotient_format &row : quotient_formats)
        if (row.tag == tag)
            return &row;
    return nullptr;
}

}  // namespace

void format_field_generic(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t, char *text)
{
    format_text out(text);
    const bool excel_tweak = exif_opts_p->excel_tweak != 0;

    if (has_standard_names(tag)) {
        const bool newer_names = profile_of(ctx).newer_fields;
        format_standard_name(tag, get_u_int2(ctx), newer_names, out);
        return;
    }
    if (const quotient_format *q = find_quotient_format(tag)) {
        format_quotient(read_stored_rational(ctx, data_type), q->is_signed, q->width, q->places, out);
        return;
    }
    switch (tag) {
    case tag::interop_version:
    case tag::exif_version:
    case tag::flashpix_version:
        format_value_text(ctx, count, out);
        break;
    case tag::date_modified:
    case tag::date_taken:
    case tag::date_digitised:
        format_date(ctx, count, excel_tweak, out);
        break;
    case tag::exposure_time:
        format_exposure_time(read_stored_rational(ctx, data_type), excel_tweak, out);
        break;
    case tag::shutter_speed:
        format_shutter_speed(read_stored_rational(ctx, data_type), excel_tweak, out);
        break;
    case tag::aperture:
    case tag::max_aperture:
        format_apex_aperture(read_stored_rational(ctx, data_type), out);
        break;
    case tag::user_comment:
        format_user_comment(ctx, count, out);
        break;
    default:
        format_field_basic(ctx, data_type, count, text);
        break;
    }
}
