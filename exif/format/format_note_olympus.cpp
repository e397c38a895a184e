// Olympus and OM System maker notes: the names of the settings' values, by group and tag.
#include "exif/format/note_values.h"
#include "exif/ifd_types.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label olympus_macro[] = {
    {0x0, "Off"},
    {0x1, "On"},
    {0x2, "Super Macro"},
};
constexpr value_label olympus_bw_mode[] = {
    {0x0, "Off"},
    {0x1, "On"},
    {0x6, "(none)"},
};
constexpr value_label olympus_one_touch_wb[] = {
    {0x0, "Off"},
    {0x1, "On"},
    {0x2, "On (Preset)"},
};
constexpr value_label olympus_flash_mode[] = {
    {0x2, "On"},
    {0x3, "Off"},
};
constexpr value_label olympus_focus_range[] = {
    {0x0, "Normal"},
    {0x1, "Macro"},
};
constexpr value_label olympus_focus_mode[] = {
    {0x0, "Auto"},
    {0x1, "Manual"},
};
constexpr value_label olympus_sharpness[] = {
    {0x0, "Normal"},
    {0x1, "Hard"},
    {0x2, "Soft"},
};
constexpr value_label olympus_contrast[] = {
    {0x0, "High"},
    {0x1, "Normal"},
    {0x2, "Low"},
};
constexpr value_label olympus_ccd_scan_mode[] = {
    {0x0, "Interlaced"},
    {0x1, "Progressive"},
};
constexpr value_label olympus_noise_reduction[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label olympus_camera_settings_exposure_mode[] = {
    {0x1, "Manual"},
    {0x2, "Program"},
    {0x3, "Aperture-priority AE"},
    {0x4, "Shutter speed priority AE"},
    {0x5, "Program-shift"},
};
constexpr value_label olympus_camera_settings_ae_lock[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label olympus_camera_settings_metering_mode[] = {
    {0x2, "Center-weighted average"},
    {0x3, "Spot"},
    {0x5, "ESP"},
    {0x105, "Pattern+AF"},
    {0x203, "Spot+Highlight control"},
    {0x403, "Spot+Shadow control"},
};
constexpr value_label olympus_camera_settings_macro_mode[] = {
    {0x0, "Off"},
    {0x1, "On"},
    {0x2, "Super Macro"},
};
constexpr value_label olympus_camera_settings_focus_process[] = {
    {0x0, "AF Not Used"},
    {0x1, "AF Used"},
};
constexpr value_label olympus_camera_settings_af_search[] = {
    {0x0, "Not Ready"},
    {0x1, "Ready"},
};
constexpr value_label olympus_camera_settings_white_balance2[] = {
    {0x0, "Auto"},
    {0x1, "Auto (Keep Warm Color Off)"},
    {0x10, "7500K (Fine Weather with Shade)"},
    {0x11, "6000K (Cloudy)"},
    {0x12, "5300K (Fine Weather)"},
    {0x14, "3000K (Tungsten light)"},
    {0x15, "3600K (Tungsten light-like)"},
    {0x16, "Auto Setup"},
    {0x17, "5500K (Flash)"},
    {0x21, "6600K (Daylight fluorescent)"},
    {0x22, "4500K (Neutral white fluorescent)"},
    {0x23, "4000K (Cool white fluorescent)"},
    {0x24, "White Fluorescent"},
    {0x30, "3600K (Tungsten light-like)"},
    {0x43, "Underwater"},
    {0x100, "One Touch WB 1"},
    {0x101, "One Touch WB 2"},
    {0x102, "One Touch WB 3"},
    {0x103, "One Touch WB 4"},
    {0x200, "Custom WB 1"},
    {0x201, "Custom WB 2"},
    {0x202, "Custom WB 3"},
    {0x203, "Custom WB 4"},
};
constexpr value_label olympus_camera_settings_modified_saturation[] = {
    {0x0, "Off"},
    {0x1, "CM1 (Red Enhance)"},
    {0x2, "CM2 (Green Enhance)"},
    {0x3, "CM3 (Blue Enhance)"},
    {0x4, "CM4 (Skin Tones)"},
};
constexpr value_label olympus_camera_settings_color_space[] = {
    {0x0, "sRGB"},
    {0x1, "Adobe RGB"},
    {0x2, "Pro Photo RGB"},
};
constexpr value_label olympus_camera_settings_scene_mode[] = {
    {0x0, "Standard"},
    {0x6, "Auto"},
    {0x7, "Sport"},
    {0x8, "Portrait"},
    {0x9, "Landscape+Portrait"},
    {0xa, "Landscape"},
    {0xb, "Night Scene"},
    {0xc, "Self Portrait"},
    {0xd, "Panorama"},
    {0xe, "2 in 1"},
    {0xf, "Movie"},
    {0x10, "Landscape+Portrait"},
    {0x11, "Night+Portrait"},
    {0x12, "Indoor"},
    {0x13, "Fireworks"},
    {0x14, "Sunset"},
    {0x15, "Beauty Skin"},
    {0x16, "Macro"},
    {0x17, "Super Macro"},
    {0x18, "Food"},
    {0x19, "Documents"},
    {0x1a, "Museum"},
    {0x1b, "Shoot & Select"},
    {0x1c, "Beach & Snow"},
    {0x1d, "Self Protrait+Timer"},
    {0x1e, "Candle"},
    {0x1f, "Available Light"},
    {0x20, "Behind Glass"},
    {0x21, "My Mode"},
    {0x22, "Pet"},
    {0x23, "Underwater Wide1"},
    {0x24, "Underwater Macro"},
    {0x25, "Shoot & Select1"},
    {0x26, "Shoot & Select2"},
    {0x27, "High Key"},
    {0x28, "Digital Image Stabilization"},
    {0x29, "Auction"},
    {0x2a, "Beach"},
    {0x2b, "Snow"},
    {0x2c, "Underwater Wide2"},
    {0x2d, "Low Key"},
    {0x2e, "Children"},
    {0x2f, "Vivid"},
    {0x30, "Nature Macro"},
    {0x31, "Underwater Snapshot"},
    {0x32, "Shooting Guide"},
    {0x36, "Face Portrait"},
    {0x39, "Bulb"},
    {0x3b, "Smile Shot"},
    {0x3c, "Quick Shutter"},
    {0x3f, "Slow Shutter"},
    {0x40, "Bird Watching"},
    {0x41, "Multiple Exposure"},
    {0x42, "e-Portrait"},
    {0x43, "Soft Background Shot"},
    {0x8e, "Hand-held Starlight"},
    {0x9a, "HDR"},
    {0xc5, "Panning"},
    {0xcb, "Light Trails"},
    {0xcc, "Backlight HDR"},
    {0xcd, "Silent"},
    {0xce, "Multi Focus Shot"},
};
constexpr value_label olympus_camera_settings_noise_reduction[] = {
    {0x0, "(none)"},
    {0x1, "Noise Reduction"},
    {0x2, "Noise Filter"},
    {0x4, "Noise Filter (ISO Boost)"},
    {0x8, "Auto"},
};
constexpr value_label olympus_camera_settings_distortion_correction[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label olympus_camera_settings_shading_compensation[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label olympus_camera_settings_picture_mode_bw_filter[] = {
    {0x0, "n/a"},
    {0x1, "Neutral"},
    {0x2, "Yellow"},
    {0x3, "Orange"},
    {0x4, "Red"},
    {0x5, "Green"},
};
constexpr value_label olympus_camera_settings_picture_mode_tone[] = {
    {0x0, "n/a"},
    {0x1, "Neutral"},
    {0x2, "Sepia"},
    {0x3, "Blue"},
    {0x4, "Purple"},
    {0x5, "Green"},
};
constexpr value_label olympus_camera_settings_tone_level[] = {
    {0x0, "0"},
    {0xffff8301, "Highlights"},
    {0xffff8302, "Shadows"},
    {0xffff8303, "Midtones"},
};
constexpr value_label olympus_camera_settings_image_quality2[] = {
    {0x1, "SQ"},
    {0x2, "HQ"},
    {0x3, "SHQ"},
    {0x4, "RAW"},
    {0x5, "SQ (5)"},
};
constexpr value_label olympus_camera_settings_image_stabilization[] = {
    {0x0, "Off"},
    {0x1, "On, Mode 1"},
    {0x2, "On, Mode 2"},
    {0x3, "On, Mode 3"},
    {0x4, "On, Mode 4"},
};
constexpr value_label olympus_equipment_flash_type[] = {
    {0x0, "None"},
    {0x2, "Simple E-System"},
    {0x3, "E-System"},
    {0x4, "E-System (body powered)"},
};
constexpr value_label olympus_equipment_flash_model[] = {
    {0x0, "None"},
    {0x1, "FL-20"},
    {0x2, "FL-50"},
    {0x3, "RF-11"},
    {0x4, "TF-22"},
    {0x5, "FL-36"},
    {0x6, "FL-50R"},
    {0x7, "FL-36R"},
    {0x9, "FL-14"},
    {0xb, "FL-600R"},
    {0xd, "FL-LM3"},
    {0xf, "FL-900R"},
};
constexpr value_label olympus_focus_info_auto_focus[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label olympus_focus_info_external_flash_bounce[] = {
    {0x0, "Bounce or Off"},
    {0x1, "Direct"},
};
constexpr value_label olympus_focus_info_macro_led[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label olympus_image_processing_distortion_correction2[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label olympus_image_processing_shading_compensation2[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label olympus_raw_development_raw_dev_color_space[] = {
    {0x0, "sRGB"},
    {0x1, "Adobe RGB"},
    {0x2, "Pro Photo RGB"},
};
constexpr value_label olympus_raw_development_raw_dev_engine[] = {
    {0x0, "High Speed"},
    {0x1, "High Function"},
    {0x2, "Advanced High Speed"},
    {0x3, "Advanced High Function"},
};
constexpr value_label olympus_raw_development_raw_dev_noise_reduction[] = {
    {0x0, "(none)"},
    {0x1, "Noise Reduction"},
    {0x2, "Noise Filter"},
    {0x4, "Noise Filter (ISO Boost)"},
};
constexpr value_label olympus_raw_development_raw_dev_edit_status[] = {
    {0x0, "Original"},
    {0x1, "Edited (Landscape)"},
    {0x6, "Edited (Portrait)"},
    {0x8, "Edited (Portrait)"},
};
constexpr value_label olympus_raw_development_raw_dev_settings[] = {
    {0x0, "(none)"},
    {0x1, "WB Color Temp"},
    {0x2, "WB Gray Point"},
    {0x4, "Saturation"},
    {0x8, "Contrast"},
    {0x10, "Sharpness"},
    {0x20, "Color Space"},
    {0x40, "High Function"},
    {0x80, "Noise Reduction"},
};
constexpr tag_values olympus_tags[] = {
    {0x0202, olympus_macro, "%d"},
    {0x0203, olympus_bw_mode, "%d"},
    {0x0302, olympus_one_touch_wb, "%d"},
    {0x1004, olympus_flash_mode, "%d"},
    {0x100a, olympus_focus_range, "%d"},
    {0x100b, olympus_focus_mode, "%d"},
    {0x100f, olympus_sharpness, "%d"},
    {0x1029, olympus_contrast, "%d"},
    {0x1039, olympus_ccd_scan_mode, "%d"},
    {0x103a, olympus_noise_reduction, "%d"},
};
constexpr tag_values olympus_camera_settings_tags[] = {
    {0x0200, olympus_camera_settings_exposure_mode, "%d"},
    {0x0201, olympus_camera_settings_ae_lock, "%d"},
    {0x0202, olympus_camera_settings_metering_mode, "%d"},
    {0x0300, olympus_camera_settings_macro_mode, "%d"},
    {0x0302, olympus_camera_settings_focus_process, "%d"},
    {0x0303, olympus_camera_settings_af_search, "%d"},
    {0x0500, olympus_camera_settings_white_balance2, "%d"},
    {0x0504, olympus_camera_settings_modified_saturation, "%d"},
    {0x0507, olympus_camera_settings_color_space, "%d"},
    {0x0509, olympus_camera_settings_scene_mode, "%d"},
    {0x050a, olympus_camera_settings_noise_reduction, "%d"},
    {0x050b, olympus_camera_settings_distortion_correction, "%d"},
    {0x050c, olympus_camera_settings_shading_compensation, "%d"},
    {0x0525, olympus_camera_settings_picture_mode_bw_filter, "%d"},
    {0x0526, olympus_camera_settings_picture_mode_tone, "%d"},
    {0x052e, olympus_camera_settings_tone_level, "%d"},
    {0x0603, olympus_camera_settings_image_quality2, "%d"},
    {0x0604, olympus_camera_settings_image_stabilization, "%d"},
};
constexpr tag_values olympus_equipment_tags[] = {
    {0x1000, olympus_equipment_flash_type, "%d"},
    {0x1001, olympus_equipment_flash_model, "%d"},
};
constexpr tag_values olympus_focus_info_tags[] = {
    {0x0209, olympus_focus_info_auto_focus, "%d"},
    {0x1204, olympus_focus_info_external_flash_bounce, "%d"},
    {0x120a, olympus_focus_info_macro_led, "%d"},
};
constexpr tag_values olympus_image_processing_tags[] = {
    {0x1011, olympus_image_processing_distortion_correction2, "%d"},
    {0x1012, olympus_image_processing_shading_compensation2, "%d"},
};
constexpr tag_values olympus_raw_development_tags[] = {
    {0x0108, olympus_raw_development_raw_dev_color_space, "%d"},
    {0x0109, olympus_raw_development_raw_dev_engine, "%d"},
    {0x010a, olympus_raw_development_raw_dev_noise_reduction, "%d"},
    {0x010b, olympus_raw_development_raw_dev_edit_status, "%d"},
    {0x010c, olympus_raw_development_raw_dev_settings, "%d"},
};
// clang-format on

constexpr group_values groups[] = {
    {ifd_type_mn_olympus, olympus_tags},
    {ifd_type_mn_olympus_camera_settings, olympus_camera_settings_tags},
    {ifd_type_mn_olympus_equipment, olympus_equipment_tags},
    {ifd_type_mn_olympus_focus_info, olympus_focus_info_tags},
    {ifd_type_mn_olympus_image_processing, olympus_image_processing_tags},
    {ifd_type_mn_olympus_raw_development, olympus_raw_development_tags},
};

}  // namespace

void format_note_olympus(const walked_entry &value, char *text) { format_note_value(value, groups, text); }
