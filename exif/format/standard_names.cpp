#include "exif/format/standard_names.h"

#include "exif/format/extended_names.h"
#include "exif/format/value_labels.h"
#include "support/run_options.h"

namespace {

using labels::value_label;

// clang-format off
constexpr value_label compression_names[] = {
    {1, "No Compression"},
    {6, "JPEG Compression"},
};
// clang-format on

// Codes 2, 4, 5 and 7 (the mirrored start points) have no name.
// clang-format off
constexpr value_label orientation_names[] = {
    {1, "Upper Left"},
    {3, "Lower Right"},
    {6, "Upper Right"},
    {8, "Lower Left"},
    {9, "Undefined"},
};
// clang-format on

// clang-format off
constexpr value_label resolution_unit_names[] = {
    {1, "No Unit"},
    {2, "Inch"},
    {3, "Centimetre"},
};
// clang-format on

// clang-format off
constexpr value_label ycbcr_position_names[] = {
    {1, "Centre"},
    {2, "Datum Point"},
};
// clang-format on

// clang-format off
constexpr value_label exposure_program_names[] = {
    {1, "Manual"},
    {2, "Program Normal"},
    {3, "Aperture Priority"},
    {4, "Shutter Priority"},
    {5, "Program Creative"},
    {6, "Program Action"},
    {7, "Portrait Mode"},
    {8, "Landscape Mode"},
};
// clang-format on

// clang-format off
constexpr value_label metering_mode_names[] = {
    {1, "Average"},
    {2, "Centre Weighted Average"},
    {3, "Spot"},
    {4, "Multi-Spot"},
    {5, "Multi-Segment"},
};
// clang-format on

// clang-format off
constexpr value_label light_source_names[] = {
    {0, "Auto"},
    {1, "Daylight"},
    {2, "Fluorescent"},
    {3, "Tungsten"},
    {10, "Flash"},
};
// clang-format on

// Only the two plain states: codes with further flash bits set stay numbers.
// clang-format off
constexpr value_label flash_names[] = {
    {0, "Not Fired"},
    {1, "Fired"},
};
// clang-format on

constexpr value_label colour_space_names[] = {
    {1, "sRGB"},
};

// clang-format off
constexpr value_label sensing_method_names[] = {
    {2, "One chip colour area sensor"},
    {3, "Two chip colour area sensor"},
};
// clang-format on

// clang-format off
constexpr labels::tag_values standard_names[] = {
    {0x0103, compression_names, "Unknown value %d"},
    {0x0112, orientation_names, "Unknown value %d"},
    {0x0128, resolution_unit_names, "Unknown value %d"},
    {0x0213, ycbcr_position_names, "Unknown value %d"},
    {0x8822, exposure_program_names, "Unknown value %d"},
    {0x9207, metering_mode_names, "Unknown value %d"},
    {0x9208, light_source_names, "Unknown value %d"},
    {0x9209, flash_names, "Unknown value %d"},
    {0xA001, colour_space_names, "Unknown value %d"},
    {0xA210, resolution_unit_names, "Unknown value %d"},
    {0xA217, sensing_method_names, "Unknown value %d"},
};
// clang-format on

}  // namespace

bool has_standard_names(uint32_t tag) { return labels::find_tag(standard_names, tag) != nullptr; }

void format_standard_name(uint32_t tag, uint32_t value, bool newer_names, format_text &out)
{
    const labels::tag_values *entry = labels::find_tag(standard_names, tag);
    // With newer names, a code missing above takes the name that newer standards give it.
    if (newer_names && (entry == nullptr || labels::find_label(entry->values, value) == nullptr) &&
        append_extended_name(tag, value, out))
        return;
    if (entry != nullptr)
        labels::append_value_text(out, entry->values, value, entry->fallback);
    else
        out.appendf("Unknown value %d", static_cast<int>(value));
}
