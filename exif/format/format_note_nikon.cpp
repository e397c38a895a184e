// Nikon maker notes: the names of the settings' values, by group and tag.
#include "exif/format/note_values.h"
#include "exif/ifd_types.h"
#include "exif/format/format_text.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label nikon_color_space[] = {
    {0x1, "sRGB"},
    {0x2, "Adobe RGB"},
};
constexpr value_label nikon_image_authentication[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label nikon_active_d_lighting[] = {
    {0x0, "Off"},
    {0x1, "Low"},
    {0x3, "Normal"},
    {0x5, "High"},
    {0x7, "Extra High"},
    {0x8, "Extra High 1"},
    {0x9, "Extra High 2"},
    {0xa, "Extra High 3"},
    {0xb, "Extra High 4"},
    {0xffff, "Auto"},
};
constexpr value_label nikon_vignette_control[] = {
    {0x0, "Off"},
    {0x1, "Low"},
    {0x3, "Normal"},
    {0x5, "High"},
};
constexpr value_label nikon_flash_mode[] = {
    {0x0, "Did Not Fire"},
    {0x1, "Fired, Manual"},
    {0x3, "Not Ready"},
    {0x7, "Fired, External"},
    {0x8, "Fired, Commander Mode"},
    {0x9, "Fired, TTL Mode"},
    {0x12, "LED Light"},
};
constexpr value_label nikon_nef_compression[] = {
    {0x1, "Lossy (type 1)"},
    {0x2, "Uncompressed"},
    {0x3, "Lossless"},
    {0x4, "Lossy (type 2)"},
    {0x5, "Striped packed 12 bits"},
    {0x6, "Uncompressed (reduced to 12 bit)"},
    {0x7, "Unpacked 12 bits"},
    {0x8, "Small"},
    {0x9, "Packed 12 bits"},
    {0xa, "Packed 14 bits"},
    {0xd, "High Efficiency"},
    {0xe, "High Efficiency*"},
};
constexpr value_label nikon_high_iso_noise_reduction[] = {
    {0x0, "Off"},
    {0x1, "Minimal"},
    {0x2, "Low"},
    {0x3, "Medium Low"},
    {0x4, "Normal"},
    {0x5, "Medium High"},
    {0x6, "High"},
};
constexpr value_label nikon_vr_info_vibration_reduction[] = {
    {0x0, "n/a"},
    {0x1, "On"},
    {0x2, "Off"},
};
constexpr value_label nikon_af_info_af_area_mode[] = {
    {0x0, "Single Area"},
    {0x1, "Dynamic Area"},
    {0x2, "Dynamic Area (closest subject)"},
    {0x3, "Group Dynamic"},
    {0x4, "Single Area (wide)"},
    {0x5, "Dynamic Area (wide)"},
};
constexpr value_label nikon_af_info_af_point[] = {
    {0x0, "Center"},
    {0x1, "Top"},
    {0x2, "Bottom"},
    {0x3, "Mid-left"},
    {0x4, "Mid-right"},
    {0x5, "Upper-left"},
    {0x6, "Upper-right"},
    {0x7, "Lower-left"},
    {0x8, "Lower-right"},
    {0x9, "Far Left"},
    {0xa, "Far Right"},
};
constexpr value_label nikon_iso_info_iso_expansion[] = {
    {0x0, "Off"},
    {0x101, "Hi 0.3"},
    {0x102, "Hi 0.5"},
    {0x103, "Hi 0.7"},
    {0x104, "Hi 1.0"},
    {0x105, "Hi 1.3"},
    {0x106, "Hi 1.5"},
    {0x107, "Hi 1.7"},
    {0x108, "Hi 2.0"},
    {0x109, "Hi 2.3"},
    {0x10a, "Hi 2.5"},
    {0x10b, "Hi 2.7"},
    {0x10c, "Hi 3.0"},
    {0x10d, "Hi 3.3"},
    {0x10e, "Hi 3.5"},
    {0x10f, "Hi 3.7"},
    {0x110, "Hi 4.0"},
    {0x111, "Hi 4.3"},
    {0x112, "Hi 4.5"},
    {0x113, "Hi 4.7"},
    {0x114, "Hi 5.0"},
    {0x201, "Lo 0.3"},
    {0x202, "Lo 0.5"},
    {0x203, "Lo 0.7"},
    {0x204, "Lo 1.0"},
};
constexpr value_label nikon_iso_info_iso_expansion2[] = {
    {0x0, "Off"},
    {0x101, "Hi 0.3"},
    {0x102, "Hi 0.5"},
    {0x103, "Hi 0.7"},
    {0x104, "Hi 1.0"},
    {0x105, "Hi 1.3"},
    {0x106, "Hi 1.5"},
    {0x107, "Hi 1.7"},
    {0x108, "Hi 2.0"},
    {0x201, "Lo 0.3"},
    {0x202, "Lo 0.5"},
    {0x203, "Lo 0.7"},
    {0x204, "Lo 1.0"},
};
constexpr value_label nikon_world_time_daylight_savings[] = {
    {0x0, "No"},
    {0x1, "Yes"},
};
constexpr value_label nikon_world_time_date_display_format[] = {
    {0x0, "Y/M/D"},
    {0x1, "M/D/Y"},
    {0x2, "D/M/Y"},
};
constexpr value_label nikon_hdr_info_hdr[] = {
    {0x0, "Off"},
    {0x1, "On (normal)"},
    {0x30, "Auto"},
};
constexpr value_label nikon_hdr_info_hdr_level[] = {
    {0x0, "Auto"},
    {0x1, "1 EV"},
    {0x2, "2 EV"},
    {0x3, "3 EV"},
    {0xff, "n/a"},
};
constexpr value_label nikon_hdr_info_hdr_smoothing[] = {
    {0x0, "Off"},
    {0x1, "Normal"},
    {0x2, "Low"},
    {0x3, "High"},
    {0x30, "Auto"},
    {0xff, "n/a"},
};
constexpr value_label nikon_af_tune_af_fine_tune[] = {
    {0x0, "Off"},
    {0x1, "On (1)"},
    {0x2, "On (2)"},
    {0x3, "On (Zoom)"},
};
constexpr tag_values nikon_tags[] = {
    {0x001e, nikon_color_space, "%d"},
    {0x0020, nikon_image_authentication, "%d"},
    {0x0022, nikon_active_d_lighting, "%d"},
    {0x002a, nikon_vignette_control, "%d"},
    {0x0087, nikon_flash_mode, "%d"},
    {0x0093, nikon_nef_compression, "%d"},
    {0x00b1, nikon_high_iso_noise_reduction, "%d"},
};
constexpr tag_values nikon_vr_info_tags[] = {
    {0x0004, nikon_vr_info_vibration_reduction, "%d"},
};
constexpr tag_values nikon_af_info_tags[] = {
    {0x0000, nikon_af_info_af_area_mode, "%d"},
    {0x0001, nikon_af_info_af_point, "%d"},
};
constexpr tag_values nikon_iso_info_tags[] = {
    {0x0004, nikon_iso_info_iso_expansion, "%d"},
    {0x000a, nikon_iso_info_iso_expansion2, "%d"},
};
constexpr tag_values nikon_world_time_tags[] = {
    {0x0002, nikon_world_time_daylight_savings, "%d"},
    {0x0003, nikon_world_time_date_display_format, "%d"},
};
constexpr tag_values nikon_hdr_info_tags[] = {
    {0x0004, nikon_hdr_info_hdr, "%d"},
    {0x0005, nikon_hdr_info_hdr_level, "%d"},
    {0x0006, nikon_hdr_info_hdr_smoothing, "%d"},
};
constexpr tag_values nikon_af_tune_tags[] = {
    {0x0000, nikon_af_tune_af_fine_tune, "%d"},
};
// clang-format on

constexpr group_values groups[] = {
    {ifd_type_mn_nikon, nikon_tags},
    {ifd_type_mn_nikon_vr_info, nikon_vr_info_tags},
    {ifd_type_mn_nikon_af_info, nikon_af_info_tags},
    {ifd_type_mn_nikon_iso_info, nikon_iso_info_tags},
    {ifd_type_mn_nikon_world_time, nikon_world_time_tags},
    {ifd_type_mn_nikon_hdr_info, nikon_hdr_info_tags},
    {ifd_type_mn_nikon_af_tune, nikon_af_tune_tags},
};

}  // namespace

void format_note_nikon(const walked_entry &value, char *text)
{
    // Shot info, colour balance and the later lens data are enciphered with
    // the body's serial number and shutter count: named, not decoded. (Lens
    // data of versions 0100 and 0101 is plain and split into its fields.)
    constexpr uint32_t shot_info = 0x0091, colour_balance = 0x0097, lens_data = 0x0098;
    if (value.ifd_type == ifd_type_mn_nikon &&
        (value.tag == shot_info || value.tag == colour_balance || value.tag == lens_data)) {
        format_text(text).append("(enciphered, not decoded)");
        return;
    }
    format_note_value(value, groups, text);
}
