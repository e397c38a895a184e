// Nikon maker notes: the E950 generation (settings as numbers) and the E990
// generation (mostly text the camera wrote, shown plainly).
#include "exif/field_defs.h"
#include "exif/format/formatters.h"
#include "exif/format/standard_rationals.h"
#include "exif/format/value_labels.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label quality_labels[] = {
    {1, "VGA Basic"},
    {2, "VGA Normal"},
    {3, "VGA Fine"},
    {4, "SXGA Basic"},
    {5, "SXGA Normal"},
    {6, "SXGA Fine"},
};
// clang-format on

// clang-format off
constexpr value_label colour_mode_labels[] = {
    {1, "Colour"},
    {2, "Monochrome"},
};
// clang-format on

// clang-format off
constexpr value_label image_adjustment_labels[] = {
    {0, "Normal"},
    {1, "Bright+"},
    {2, "Bright-"},
    {3, "Contrast+"},
    {4, "Contrast-"},
};
// clang-format on

// clang-format off
constexpr value_label ccd_sensitivity_labels[] = {
    {0, "ISO 80"},
    {2, "ISO 160"},
    {4, "ISO 320"},
    {5, "ISO 100"},
};
// clang-format on

// clang-format off
constexpr value_label white_balance_labels[] = {
    {0, "Auto"},
    {1, "Preset"},
    {2, "Daylight"},
    {3, "Incandescent"},
    {4, "Fluorescent"},
    {5, "Cloudy"},
    {6, "Speed Light"},
};
// clang-format on

// clang-format off
constexpr value_label converter_labels[] = {
    {0, "None"},
    {1, "Fisheye"},
};
// clang-format on

// Single 16-bit settings of the E950 generation.
// clang-format off
constexpr tag_values nikon1_settings[] = {
    {0x0003, quality_labels, "Unknown value %d"},
    {0x0004, colour_mode_labels, "Unknown value %d"},
    {0x0005, image_adjustment_labels, "Unknown value %d"},
    {0x0006, ccd_sensitivity_labels, "Unknown value %d"},
    {0x0007, white_balance_labels, "Unknown value %d"},
    {0x000b, converter_labels, "Unknown value %d"},
};
// clang-format on

// clang-format off
constexpr value_label focus_area_labels[] = {
    {0, "Centre"},
    {1, "Top"},
    {2, "Bottom"},
    {3, "Left"},
    {4, "Right"},
};
// clang-format on

constexpr uint32_t tag_nikon1_digital_zoom = 0x000a;
constexpr uint32_t tag_nikon2_iso = 0x0002;
constexpr uint32_t tag_nikon2_manual_focus = 0x0085;
constexpr uint32_t tag_nikon2_digital_zoom = 0x0086;
constexpr uint32_t tag_nikon2_focus_position = 0x0088;

// The quotient of the parts, each through single precision, taken in double.
double quotient(const stored_rational &r)
{
    return static_cast<double>(rational_part(r.numerator_bits, false)) /
           static_cast<double>(rational_part(r.denominator_bits, false));
}

void format_focus_position(buf_context *ctx, uint32_t data_type, uint32_t count, format_text &out, char *text)
{
    // The four bytes stand in the entry's value field, taken in stored order.
    if (count != 4 || buf_bytes(ctx, 4) < 4) {
        format_field_basic(ctx, data_type, count, text);
        return;
    }
    const unsigned char *p = ctx->buf_p;
    if (p[0] == 0 && p[2] == 0 && p[3] == 0)
        labels::append_value_text(out, focus_area_labels, p[1], "Unknown value %d");
    else
        out.appendf("%d,%d,%d,%d", p[0], p[1], p[2], p[3]);
}

}  // namespace

void format_field_nikon1(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t, char *text)
{
    text[0] = '\0';
    format_text out(text);
    if (const tag_values *setting = labels::find_tag(nikon1_settings, tag)) {
        labels::append_value_text(out, setting->values, get_u_int2(ctx), setting->fallback);
    } else if (tag == tag_nikon1_digital_zoom) {
        stored_rational zoom = read_stored_rational(ctx, data_type_rational);
        // No quotient without a denominator: the fraction as stored, as -u shows it.
        if (zoom.denominator_bits == 0)
            format_raw_fraction(zoom, out);
        else
            out.appendf("%.1fx", quotient(zoom));
    } else {
        format_field_basic(ctx, data_type, count, text);
    }
}

void format_field_nikon2(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t, char *text)
{
    text[0] = '\0';
    format_text out(text);
    switch (tag) {
    case tag_nikon2_iso: {
        uint32_t a = get_u_int2(ctx);
        uint32_t b = get_u_int2(ctx);
        if (a == 0)
            out.appendf("%d", b);
        else
            out.appendf("%d,%d", a, b);
        break;
    }
    case tag_nikon2_manual_focus: {
        stored_rational distance = read_stored_rational(ctx, data_type_rational);
        if (distance.denominator_bits == 0)
            out.append("0.0");
        else
            out.appendf("%.1f", quotient(distance));
        break;
    }
    case tag_nikon2_digital_zoom: {
        stored_rational zoom = read_stored_rational(ctx, data_type_rational);
        if (zoom.denominator_bits == 0)
            out.append("0.0");
        else
            out.appendf("%.1fx", quotient(zoom));
        break;
    }
    case tag_nikon2_focus_position:
        format_focus_position(ctx, data_type, count, out, text);
        break;
    default:
        format_field_basic(ctx, data_type, count, text);
        break;
    }
}
