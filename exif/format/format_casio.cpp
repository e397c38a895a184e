// Casio maker notes: recording settings by tag; the flash mode codes differ
// between camera models.
#include "exif/format/formatters.h"
#include "exif/format/value_labels.h"
#include "exif/ifd_types.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label recording_mode_labels[] = {
    {1, "Single Shutter"},
    {2, "Panorama"},
    {3, "Night Scene"},
    {4, "Portrait"},
    {5, "Landscape"},
    {7, "Panorama"},
    {10, "Night Scene"},
    {15, "Portrait"},
    {16, "Landscape"},
};
// clang-format on

// clang-format off
constexpr value_label quality_labels[] = {
    {1, "Economy"},
    {2, "Normal"},
    {3, "Fine"},
};
// clang-format on

// clang-format off
constexpr value_label focus_mode_labels[] = {
    {2, "Macro"},
    {3, "Auto Focus"},
    {4, "Manual Focus"},
    {5, "Infinity"},
};
// clang-format on

// clang-format off
constexpr value_label flash_intensity_labels[] = {
    {11, "Weak"},
    {13, "Normal"},
    {14, "High"},
    {15, "Strong"},
};
// clang-format on

// clang-format off
constexpr value_label white_balance_labels[] = {
    {1, "Auto"},
    {2, "Tungsten"},
    {3, "Daylight"},
    {4, "Fluorescent"},
    {5, "Shade"},
    {129, "Manual"},
};
// clang-format on

// clang-format off
constexpr value_label sharpness_labels[] = {
    {0, "Normal"},
    {1, "Soft"},
    {2, "Hard"},
};
// clang-format on

// Contrast and saturation.
// clang-format off
constexpr value_label level_labels[] = {
    {0, "Normal"},
    {1, "Low"},
    {2, "High"},
};
// clang-format on

// clang-format off
constexpr value_label ccd_sensitivity_labels[] = {
    {80, "Normal"},
    {100, "High"},
};
// clang-format on

// Single 16-bit settings.
// clang-format off
constexpr tag_values casio_settings[] = {
    {0x0001, recording_mode_labels, "Unknown value %d"},
    {0x0002, quality_labels, "Unknown value %d"},
    {0x0003, focus_mode_labels, "Unknown value %d"},
    {0x0005, flash_intensity_labels, "Unknown value %d"},
    {0x0007, white_balance_labels, "Unknown value %d"},
    {0x000b, sharpness_labels, "Unknown value %d"},
    {0x000c, level_labels, "Unknown value %d"},
    {0x000d, level_labels, "Unknown value %d"},
    {0x0014, ccd_sensitivity_labels, "Unknown value %d"},
};
// clang-format on

// One 32-bit value.
// clang-format off
constexpr value_label digital_zoom_labels[] = {
    {0x10000, "Off"},
    {0x10001, "2X"},
    {0x20000, "2X"},
    {0x40000, "4X"},
};
// clang-format on

// clang-format off
constexpr value_label qv2000ux_flash_labels[] = {
    {1, "Auto"},
    {2, "On"},
    {3, "Off"},
    {4, "Red Eye Reduction"},
};
// clang-format on

// clang-format off
constexpr value_label qv8000sx_flash_labels[] = {
    {1, "Auto"},
    {2, "On"},
    {4, "Off"},
    {5, "Red Eye Reduction"},
};
// clang-format on

struct model_flash_modes {
    uint32_t model_code;
    std::span<const value_label> values;
};

// clang-format off
constexpr model_flash_modes flash_modes_by_model[] = {
    {model_casio_qv2000ux, qv2000ux_flash_labels},
    {model_casio_qv8000sx, qv8000sx_flash_labels},
    {model_casio_qv3500ex, qv8000sx_flash_labels},
};
// clang-format on

constexpr uint32_t tag_flash_mode = 0x0004;
constexpr uint32_t tag_digital_zoom = 0x000a;
constexpr uint32_t tag_0011 = 0x0011;

void append_flash_mode(uint32_t v, uint32_t model_code, format_text &out)
{
    for (const model_flash_modes &m : flash_modes_by_model) {
        if (m.model_code == model_code) {
            labels::append_value_text(out, m.values, v, "Unknown value %d");
            return;
        }
    }
    out.appendf("Unknown model code %d", model_code);
}

}  // namespace

void format_field_casio(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t model_code,
                        char *text)
{
    text[0] = '\0';
    format_text out(text);
    if (const tag_values *setting = labels::find_tag(casio_settings, tag)) {
        labels::append_value_text(out, setting->values, get_u_int2(ctx), setting->fallback);
    } else if (tag == tag_flash_mode) {
        append_flash_mode(get_u_int2(ctx), model_code, out);
    } else if (tag == tag_digital_zoom) {
        labels::append_value_text(out, digital_zoom_labels, get_u_int4(ctx), "Unknown value 0x%x");
    } else if (tag == tag_0011) {
        // The whole 32-bit value, in decimal (unsigned) and in hexadecimal.
        uint32_t v = get_u_int4(ctx);
        out.appendf("%u (0x%x)", v, v);
    } else {
        format_field_basic(ctx, data_type, count, text);
    }
}
