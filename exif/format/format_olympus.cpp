// Olympus maker notes (the C2500L's decoded alike): JPEG quality, macro,
// special shooting mode and the camera id.
#include <cstring>

#include "exif/format/formatters.h"
#include "exif/format/standard_text.h"
#include "exif/format/value_labels.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label jpeg_quality_labels[] = {
    {1, "SQ"},
    {2, "HQ"},
    {3, "SHQ"},
};
// clang-format on

// clang-format off
constexpr value_label macro_labels[] = {
    {0, "Normal"},
    {1, "Macro"},
};
// clang-format on

// clang-format off
constexpr tag_values olympus_settings[] = {
    {0x0201, jpeg_quality_labels, "Unknown %d"},
    {0x0202, macro_labels, "Unknown value %d"},
};
// clang-format on

// clang-format off
constexpr value_label special_mode_labels[] = {
    {0, "Normal"},
    {1, "Unknown"},
    {2, "Fast"},
    {3, "Panorama"},
};
// clang-format on

// clang-format off
constexpr value_label direction_labels[] = {
    {1, ", Left to Right"},
    {2, ", Right to Left"},
    {3, ", Bottom to Top"},
    {4, ", Top to Bottom"},
};
// clang-format on

constexpr uint32_t tag_special_mode = 0x0200;
constexpr uint32_t tag_camera_id = 0x0209;

// Mode, sequence number and panorama direction; the numbers print as signed.
void append_special_mode(buf_context *ctx, format_text &out)
{
    uint32_t mode = get_u_int4(ctx);
    int32_t sequence = static_cast<int32_t>(get_u_int4(ctx));
    uint32_t direction = get_u_int4(ctx);
    if (const char *name = labels::find_label(special_mode_labels, mode))
        out.appendf("%s, %d", name, sequence);
    else
        out.appendf("%d, %d", static_cast<int32_t>(mode), sequence);
    if (const char *way = labels::find_label(direction_labels, direction))
        out.append(way);
    else
        out.appendf(", %d", static_cast<int32_t>(direction));
}

}  // namespace

void format_field_olymp(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t, char *text)
{
    text[0] = '\0';
    format_text out(text);
    if (const tag_values *setting = labels::find_tag(olympus_settings, tag))
        labels::append_value_text(out, setting->values, get_u_int2(ctx), setting->fallback);
    else if (tag == tag_special_mode)
        append_special_mode(ctx, out);
    else if (tag == tag_camera_id)
        format_value_text(ctx, count, out);
    else
        format_field_basic(ctx, data_type, count, text);
}
