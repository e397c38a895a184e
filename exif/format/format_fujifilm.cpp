// FujiFilm maker notes: shooting settings and warnings, one 16-bit value each
// (the walk reads this maker note in Intel order).
#include "exif/format/formatters.h"
#include "exif/format/value_labels.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label sharpness_labels[] = {
    {1, "Soft"},
    {3, "Normal"},
    {5, "Hard"},
};
// clang-format on

// clang-format off
constexpr value_label white_balance_labels[] = {
    {0x000, "Auto"},
    {0x100, "Daylight"},
    {0x200, "Cloudy"},
    {0x300, "Daylight-colour Fluorescent"},
    {0x301, "DayWhite-colour Fluorescent"},
    {0x302, "White Fluorescent"},
    {0x400, "Incandescant"},
    {0xF00, "Custom"},
};
// clang-format on

// clang-format off
constexpr value_label flash_mode_labels[] = {
    {0, "Auto"},
    {1, "On"},
    {2, "Off"},
    {3, "Redeye Reduction"},
};
// clang-format on

// Macro, slow sync and bracketing.
// clang-format off
constexpr value_label off_on_labels[] = {
    {0, "Off"},
    {1, "On"},
};
// clang-format on

// clang-format off
constexpr value_label focus_mode_labels[] = {
    {0, "Auto"},
    {1, "Manual"},
};
// clang-format on

// clang-format off
constexpr value_label picture_mode_labels[] = {
    {0x000, "Auto"},
    {0x001, "Portrait"},
    {0x002, "Landscape"},
    {0x004, "Sports"},
    {0x005, "Night"},
    {0x006, "Program AE"},
    {0x100, "Aperture Priority AE"},
    {0x200, "Shutter Priority AE"},
    {0x300, "Manual"},
};
// clang-format on

// clang-format off
constexpr value_label blur_warning_labels[] = {
    {0, "No"},
    {1, "Yes"},
};
// clang-format on

// clang-format off
constexpr value_label focus_warning_labels[] = {
    {0, "No"},
    {1, "Out of Focus"},
};
// clang-format on

// clang-format off
constexpr value_label exposure_warning_labels[] = {
    {0, "No"},
    {1, "Over Exposed"},
};
// clang-format on

// clang-format off
constexpr tag_values fujifilm_settings[] = {
    {0x1001, sharpness_labels, "Unknown %d"},
    {0x1002, white_balance_labels, "Unknown value %d"},
    {0x1010, flash_mode_labels, "Unknown value %d"},
    {0x1020, off_on_labels, "Unknown value %d"},
    {0x1021, focus_mode_labels, "Unknown value %d"},
    {0x1030, off_on_labels, "Unknown value %d"},
    {0x1031, picture_mode_labels, "Unknown value %d"},
    {0x1100, off_on_labels, "Unknown value %d"},
    {0x1300, blur_warning_labels, "Unknown value %d"},
    {0x1301, focus_warning_labels, "Unknown value %d"},
    {0x1302, exposure_warning_labels, "Unknown value %d"},
};
// clang-format on

}  // namespace

void format_field_fujifilm(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t, char *text)
{
    text[0] = '\0';
    format_text out(text);
    if (const tag_values *setting = labels::find_tag(fujifilm_settings, tag))
        labels::append_value_text(out, setting->values, get_u_int2(ctx), setting->fallback);
    else
        format_field_basic(ctx, data_type, count, text);
}
