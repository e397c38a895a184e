// Canon maker notes: the names of the settings' values, by group and tag.
#include <cstring>

#include "exif/format/format_text.h"
#include "exif/format/note_values.h"
#include "exif/ifd_types.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label canon_camera_settings_macro_mode[] = {
    {0x1, "Macro"},
    {0x2, "Normal"},
};
constexpr value_label canon_camera_settings_quality[] = {
    {0x1, "Economy"},
    {0x2, "Normal"},
    {0x3, "Fine"},
    {0x4, "RAW"},
    {0x5, "Superfine"},
    {0x7, "CRAW"},
    {0x82, "Light (RAW)"},
    {0x83, "Standard (RAW)"},
    {0xffffffff, "n/a"},
};
constexpr value_label canon_camera_settings_canon_flash_mode[] = {
    {0x0, "Off"},
    {0x1, "Auto"},
    {0x2, "On"},
    {0x3, "Red-eye reduction"},
    {0x4, "Slow-sync"},
    {0x5, "Red-eye reduction (Auto)"},
    {0x6, "Red-eye reduction (On)"},
    {0x10, "External flash"},
    {0xffffffff, "n/a"},
};
constexpr value_label canon_camera_settings_continuous_drive[] = {
    {0x0, "Single"},
    {0x1, "Continuous"},
    {0x2, "Movie"},
    {0x3, "Continuous, Speed Priority"},
    {0x4, "Continuous, Low"},
    {0x5, "Continuous, High"},
    {0x6, "Silent Single"},
    {0x8, "Continuous, High+"},
    {0x9, "Single, Silent"},
    {0xa, "Continuous, Silent"},
};
constexpr value_label canon_camera_settings_focus_mode[] = {
    {0x0, "One-shot AF"},
    {0x1, "AI Servo AF"},
    {0x2, "AI Focus AF"},
    {0x3, "Manual Focus (3)"},
    {0x4, "Single"},
    {0x5, "Continuous"},
    {0x6, "Manual Focus (6)"},
    {0x10, "Pan Focus"},
    {0x100, "AF + MF"},
    {0x101, "Live View"},
    {0x200, "Movie Snap Focus"},
    {0x207, "Movie Servo AF"},
};
constexpr value_label canon_camera_settings_record_mode[] = {
    {0x1, "JPEG"},
    {0x2, "CRW+THM"},
    {0x3, "AVI+THM"},
    {0x4, "TIF"},
    {0x5, "TIF+JPEG"},
    {0x6, "CR2"},
    {0x7, "CR2+JPEG"},
    {0x9, "MOV"},
    {0xa, "MP4"},
    {0xb, "CRM"},
    {0xc, "CR3"},
    {0xd, "CR3+JPEG"},
    {0xe, "HIF"},
    {0xf, "CR3+HIF"},
};
constexpr value_label canon_image_size[] = {  // CameraSettings' image size and FileInfo's raw JPEG size
    {0x0, "Large"},
    {0x1, "Medium"},
    {0x2, "Small"},
    {0x5, "Medium 1"},
    {0x6, "Medium 2"},
    {0x7, "Medium 3"},
    {0x8, "Postcard"},
    {0x9, "Widescreen"},
    {0xa, "Medium Widescreen"},
    {0xe, "Small 1"},
    {0xf, "Small 2"},
    {0x10, "Small 3"},
    {0x80, "640x480 Movie"},
    {0x81, "Medium Movie"},
    {0x82, "Small Movie"},
    {0x89, "1280x720 Movie"},
    {0x8e, "1920x1080 Movie"},
    {0x8f, "4096x2160 Movie"},
    {0xffffffff, "n/a"},
};
constexpr value_label canon_camera_settings_easy_mode[] = {
    {0x0, "Full auto"},
    {0x1, "Manual"},
    {0x2, "Landscape"},
    {0x3, "Fast shutter"},
    {0x4, "Slow shutter"},
    {0x5, "Night"},
    {0x6, "Gray Scale"},
    {0x7, "Sepia"},
    {0x8, "Portrait"},
    {0x9, "Sports"},
    {0xa, "Macro"},
    {0xb, "Black & White"},
    {0xc, "Pan focus"},
    {0xd, "Vivid"},
    {0xe, "Neutral"},
    {0xf, "Flash Off"},
    {0x10, "Long Shutter"},
    {0x11, "Super Macro"},
    {0x12, "Foliage"},
    {0x13, "Indoor"},
    {0x14, "Fireworks"},
    {0x15, "Beach"},
    {0x16, "Underwater"},
    {0x17, "Snow"},
    {0x18, "Kids & Pets"},
    {0x19, "Night Snapshot"},
    {0x1a, "Digital Macro"},
    {0x1b, "My Colors"},
    {0x1c, "Movie Snap"},
    {0x1d, "Super Macro 2"},
    {0x1e, "Color Accent"},
    {0x1f, "Color Swap"},
    {0x20, "Aquarium"},
    {0x21, "ISO 3200"},
    {0x22, "ISO 6400"},
    {0x23, "Creative Light Effect"},
    {0x24, "Easy"},
    {0x25, "Quick Shot"},
    {0x26, "Creative Auto"},
    {0x27, "Zoom Blur"},
    {0x28, "Low Light"},
    {0x29, "Nostalgic"},
    {0x2a, "Super Vivid"},
    {0x2b, "Poster Effect"},
    {0x2c, "Face Self-timer"},
    {0x2d, "Smile"},
    {0x2e, "Wink Self-timer"},
    {0x2f, "Fisheye Effect"},
    {0x30, "Miniature Effect"},
    {0x31, "High-speed Burst"},
    {0x32, "Best Image Selection"},
    {0x33, "High Dynamic Range"},
    {0x34, "Handheld Night Scene"},
    {0x35, "Movie Digest"},
    {0x36, "Live View Control"},
    {0x37, "Discreet"},
    {0x38, "Blur Reduction"},
    {0x39, "Monochrome"},
    {0x3a, "Toy Camera Effect"},
    {0x3b, "Scene Intelligent Auto"},
    {0x3c, "High-speed Burst HQ"},
    {0x3d, "Smooth Skin"},
    {0x3e, "Soft Focus"},
    {0x44, "Food"},
    {0x54, "HDR Art Standard"},
    {0x55, "HDR Art Vivid"},
    {0x5d, "HDR Art Bold"},
    {0x101, "Spotlight"},
    {0x102, "Night 2"},
    {0x103, "Night+"},
    {0x104, "Super Night"},
    {0x105, "Sunset"},
    {0x107, "Night Scene"},
    {0x108, "Surface"},
    {0x109, "Low Light 2"},
};
constexpr value_label canon_camera_settings_digital_zoom[] = {
    {0x0, "None"},
    {0x1, "2x"},
    {0x2, "4x"},
    {0x3, "Other"},
};
constexpr value_label canon_camera_settings_metering_mode[] = {
    {0x0, "Default"},
    {0x1, "Spot"},
    {0x2, "Average"},
    {0x3, "Evaluative"},
    {0x4, "Partial"},
    {0x5, "Center-weighted average"},
};
constexpr value_label canon_camera_settings_focus_range[] = {
    {0x0, "Manual"},
    {0x1, "Auto"},
    {0x2, "Not Known"},
    {0x3, "Macro"},
    {0x4, "Very Close"},
    {0x5, "Close"},
    {0x6, "Middle Range"},
    {0x7, "Far Range"},
    {0x8, "Pan Focus"},
    {0x9, "Super Macro"},
    {0xa, "Infinity"},
};
constexpr value_label canon_camera_settings_canon_exposure_mode[] = {
    {0x0, "Easy"},
    {0x1, "Program AE"},
    {0x2, "Shutter speed priority AE"},
    {0x3, "Aperture-priority AE"},
    {0x4, "Manual"},
    {0x5, "Depth-of-field AE"},
    {0x6, "M-Dep"},
    {0x7, "Bulb"},
    {0x8, "Flexible-priority AE"},
};
constexpr value_label canon_camera_settings_focus_continuous[] = {
    {0x0, "Single"},
    {0x1, "Continuous"},
    {0x8, "Manual"},
};
constexpr value_label canon_camera_settings_ae_setting[] = {
    {0x0, "Normal AE"},
    {0x1, "Exposure Compensation"},
    {0x2, "AE Lock"},
    {0x3, "AE Lock + Exposure Comp."},
    {0x4, "No AE"},
};
constexpr value_label canon_camera_settings_image_stabilization[] = {
    {0x0, "Off"},
    {0x1, "On"},
    {0x2, "Shoot Only"},
    {0x3, "Panning"},
    {0x4, "Dynamic"},
    {0x100, "Off (2)"},
    {0x101, "On (2)"},
    {0x102, "Shoot Only (2)"},
    {0x103, "Panning (2)"},
    {0x104, "Dynamic (2)"},
};
constexpr value_label canon_camera_settings_spot_metering_mode[] = {
    {0x0, "Center"},
    {0x1, "AF Point"},
};
constexpr value_label canon_camera_settings_manual_flash_output[] = {
    {0x0, "n/a"},
    {0x500, "Full"},
    {0x502, "Medium"},
    {0x504, "Low"},
    {0x7fff, "n/a"},
};
constexpr value_label canon_camera_settings_sraw_quality[] = {
    {0x0, "n/a"},
    {0x1, "sRAW1 (mRAW)"},
    {0x2, "sRAW2 (sRAW)"},
};
constexpr value_label canon_white_balance[] = {  // ShotInfo's and Processing's
    {0x0, "Auto"},
    {0x1, "Daylight"},
    {0x2, "Cloudy"},
    {0x3, "Tungsten"},
    {0x4, "Fluorescent"},
    {0x5, "Flash"},
    {0x6, "Custom"},
    {0x7, "Black & White"},
    {0x8, "Shade"},
    {0x9, "Manual Temperature (Kelvin)"},
    {0xa, "PC Set1"},
    {0xb, "PC Set2"},
    {0xc, "PC Set3"},
    {0xe, "Daylight Fluorescent"},
    {0xf, "Custom 1"},
    {0x10, "Custom 2"},
    {0x11, "Underwater"},
    {0x12, "Custom 3"},
    {0x13, "Custom 4"},
    {0x14, "PC Set4"},
    {0x15, "PC Set5"},
    {0x17, "Auto (ambience priority)"},
};
constexpr value_label canon_shot_info_slow_shutter[] = {
    {0x0, "Off"},
    {0x1, "Night Scene"},
    {0x2, "On"},
    {0x3, "None"},
    {0xffffffff, "n/a"},
};
constexpr value_label canon_shot_info_auto_exposure_bracketing[] = {
    {0x0, "Off"},
    {0x1, "On (shot 1)"},
    {0x2, "On (shot 2)"},
    {0x3, "On (shot 3)"},
    {0xffffffff, "On"},
};
constexpr value_label canon_shot_info_camera_type[] = {
    {0x0, "n/a"},
    {0xf8, "EOS High-end"},
    {0xfa, "Compact"},
    {0xfc, "EOS Mid-range"},
    {0xff, "DV Camera"},
};
constexpr value_label canon_processing_picture_style[] = {
    {0x0, "None"},
    {0x1, "Standard"},
    {0x2, "Portrait"},
    {0x3, "High Saturation"},
    {0x4, "Adobe RGB"},
    {0x5, "Low Saturation"},
    {0x6, "CM Set 1"},
    {0x7, "CM Set 2"},
    {0x21, "User Def. 1"},
    {0x22, "User Def. 2"},
    {0x23, "User Def. 3"},
    {0x41, "PC 1"},
    {0x42, "PC 2"},
    {0x43, "PC 3"},
    {0x81, "Standard"},
    {0x82, "Portrait"},
    {0x83, "Landscape"},
    {0x84, "Neutral"},
    {0x85, "Faithful"},
    {0x86, "Monochrome"},
    {0x87, "Auto"},
    {0x88, "Fine Detail"},
    {0xff, "n/a"},
    {0xffff, "n/a"},
};
constexpr value_label canon_file_info_bracket_mode[] = {
    {0x0, "Off"},
    {0x1, "AEB"},
    {0x2, "FEB"},
    {0x3, "ISO"},
    {0x4, "WB"},
};
constexpr value_label canon_file_info_long_exposure_noise_reduction2[] = {
    {0x0, "Off"},
    {0x1, "On (1D)"},
    {0x3, "On"},
    {0x4, "Auto"},
};
constexpr value_label canon_file_info_live_view_shooting[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label canon_file_info_shutter_mode[] = {
    {0x0, "Mechanical"},
    {0x1, "Electronic First Curtain"},
    {0x2, "Electronic"},
};
constexpr value_label canon_file_info_flash_exposure_lock[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label canon_focal_length_focal_type[] = {
    {0x1, "Fixed"},
    {0x2, "Zoom"},
};
constexpr value_label canon_super_macro[] = {
    {0x0, "Off"},
    {0x1, "On (1)"},
    {0x2, "On (2)"},
};
constexpr value_label canon_date_stamp_mode[] = {
    {0x0, "Off"},
    {0x1, "Date"},
    {0x2, "Date & Time"},
};
constexpr value_label canon_color_space[] = {
    {0x1, "sRGB"},
    {0x2, "Adobe RGB"},
    {0xffff, "n/a"},
};
constexpr value_label canon_aspect_info_aspect_ratio[] = {
    {0x0, "3:2"},
    {0x1, "1:1"},
    {0x2, "4:3"},
    {0x7, "16:9"},
    {0x8, "4:5"},
    {0xc, "3:2 (APS-H crop)"},
    {0xd, "3:2 (APS-C crop)"},
    {0x102, "4:3 crop"},
};
constexpr value_label canon_lighting_opt_peripheral_illumination_corr[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label canon_lighting_opt_auto_lighting_optimizer[] = {
    {0x0, "Standard"},
    {0x1, "Low"},
    {0x2, "Strong"},
    {0x3, "Off"},
};
constexpr value_label canon_lighting_opt_highlight_tone_priority[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label canon_lighting_opt_long_exposure_noise_reduction[] = {
    {0x0, "Off"},
    {0x1, "Auto"},
    {0x2, "On"},
};
constexpr value_label canon_lighting_opt_high_iso_noise_reduction[] = {
    {0x0, "Standard"},
    {0x1, "Low"},
    {0x2, "Strong"},
    {0x3, "Off"},
};
// Lens types by number, for the lenses of the samples and common ones; where
// the number stands for several lenses (other makers' share Canon's), the
// first of them. RF lenses all share one number: the Lens Model field names them.
constexpr value_label canon_lens_types[] = {
    {1, "Canon EF 50mm f/1.8"},
    {2, "Canon EF 28mm f/2.8"},
    {10, "Canon EF 50mm f/2.5 Macro"},
    {26, "Canon EF 100mm f/2.8 Macro"},
    {48, "Canon EF-S 18-55mm f/3.5-5.6 IS"},
    {50, "Canon EF-S 18-200mm f/3.5-5.6 IS"},
    {52, "Canon EF-S 18-55mm f/3.5-5.6 IS II"},
    {137, "Canon EF 85mm f/1.2L USM"},
    {155, "Canon EF 85mm f/1.8 USM"},
    {161, "Canon EF 28-70mm f/2.8L USM"},
    {173, "Canon EF 180mm Macro f/3.5L USM"},
    {198, "Canon EF 50mm f/1.4 USM"},
    {237, "Canon EF 24-105mm f/4L IS USM"},
    {242, "Canon EF 70-200mm f/4L IS USM"},
    {246, "Canon EF 16-35mm f/2.8L II USM"},
    {249, "Canon EF 800mm f/5.6L IS USM"},
    {251, "Canon EF 70-200mm f/2.8L IS II USM"},
    {254, "Canon EF 100mm f/2.8L Macro IS USM"},
    {495, "Canon EF 24-70mm f/2.8L II USM"},
    {504, "Canon EF 24-70mm f/4L IS USM"},
    {505, "Canon EF 35mm f/2 IS USM"},
    {747, "Canon EF 100-400mm f/4.5-5.6L IS II USM"},
    {750, "Canon EF 35mm f/1.4L II USM"},
    {4142, "Canon EF-S 18-135mm f/3.5-5.6 IS STM"},
    {4143, "Canon EF-M 18-55mm f/3.5-5.6 IS STM"},
    {4144, "Canon EF 40mm f/2.8 STM"},
    {4146, "Canon EF-S 18-55mm f/3.5-5.6 IS STM"},
    {4148, "Canon EF-S 55-250mm f/4-5.6 IS STM"},
    {4150, "Canon EF-S 10-18mm f/4.5-5.6 IS STM"},
    {4153, "Canon EF-M 15-45mm f/3.5-6.3 IS STM"},
    {4154, "Canon EF-S 24mm f/2.8 STM"},
    {4156, "Canon EF 50mm f/1.8 STM"},
    {61182, "Canon RF lens"},
    {65535, "n/a"},
};
constexpr tag_values canon_camera_settings_tags[] = {
    {0x0001, canon_camera_settings_macro_mode, "%d"},
    {0x0003, canon_camera_settings_quality, "%d"},
    {0x0004, canon_camera_settings_canon_flash_mode, "%d"},
    {0x0005, canon_camera_settings_continuous_drive, "%d"},
    {0x0007, canon_camera_settings_focus_mode, "%d"},
    {0x0009, canon_camera_settings_record_mode, "%d"},
    {0x000a, canon_image_size, "%d"},
    {0x000b, canon_camera_settings_easy_mode, "%d"},
    {0x000c, canon_camera_settings_digital_zoom, "%d"},
    {0x0011, canon_camera_settings_metering_mode, "%d"},
    {0x0012, canon_camera_settings_focus_range, "%d"},
    {0x0014, canon_camera_settings_canon_exposure_mode, "%d"},
    {0x0016, canon_lens_types, "%d"},
    {0x0020, canon_camera_settings_focus_continuous, "%d"},
    {0x0021, canon_camera_settings_ae_setting, "%d"},
    {0x0022, canon_camera_settings_image_stabilization, "%d"},
    {0x0027, canon_camera_settings_spot_metering_mode, "%d"},
    {0x0029, canon_camera_settings_manual_flash_output, "%d"},
    {0x002e, canon_camera_settings_sraw_quality, "%d"},
};
constexpr tag_values canon_shot_info_tags[] = {
    {0x0007, canon_white_balance, "%d"},
    {0x0008, canon_shot_info_slow_shutter, "%d"},
    {0x0010, canon_shot_info_auto_exposure_bracketing, "%d"},
    {0x001a, canon_shot_info_camera_type, "%d"},
};
constexpr tag_values canon_processing_tags[] = {
    {0x0008, canon_white_balance, "%d"},
    {0x000a, canon_processing_picture_style, "%d"},
};
constexpr tag_values canon_file_info_tags[] = {
    {0x0003, canon_file_info_bracket_mode, "%d"},
    {0x0006, canon_camera_settings_quality, "%d"},
    {0x0007, canon_image_size, "%d"},
    {0x0008, canon_file_info_long_exposure_noise_reduction2, "%d"},
    {0x0013, canon_file_info_live_view_shooting, "%d"},
    {0x0017, canon_file_info_shutter_mode, "%d"},
    {0x0019, canon_file_info_flash_exposure_lock, "%d"},
};
constexpr tag_values canon_focal_length_tags[] = {
    {0x0000, canon_focal_length_focal_type, "%d"},
};
constexpr tag_values canon_tags[] = {
    {0x001a, canon_super_macro, "%d"},
    {0x001c, canon_date_stamp_mode, "%d"},
    {0x00b4, canon_color_space, "%d"},
};
constexpr tag_values canon_aspect_info_tags[] = {
    {0x0000, canon_aspect_info_aspect_ratio, "%d"},
};
constexpr tag_values canon_lighting_opt_tags[] = {
    {0x0001, canon_lighting_opt_peripheral_illumination_corr, "%d"},
    {0x0002, canon_lighting_opt_auto_lighting_optimizer, "%d"},
    {0x0003, canon_lighting_opt_highlight_tone_priority, "%d"},
    {0x0004, canon_lighting_opt_long_exposure_noise_reduction, "%d"},
    {0x0005, canon_lighting_opt_high_iso_noise_reduction, "%d"},
};
// clang-format on

constexpr group_values groups[] = {
    {ifd_type_mn_canon_camera_settings, canon_camera_settings_tags},
    {ifd_type_mn_canon_shot_info, canon_shot_info_tags},
    {ifd_type_mn_canon_processing, canon_processing_tags},
    {ifd_type_mn_canon_file_info, canon_file_info_tags},
    {ifd_type_mn_canon_focal_length, canon_focal_length_tags},
    {ifd_type_mn_canon, canon_tags},
    {ifd_type_mn_canon_aspect_info, canon_aspect_info_tags},
    {ifd_type_mn_canon_lighting_opt, canon_lighting_opt_tags},
};

}  // namespace

void format_note_canon(const walked_entry &value, char *text)
{
    // The battery's name follows a 4-byte length in UNDEFINED bytes.
    constexpr uint32_t battery_type = 0x0038, data_type_undefined = 7;
    if (value.ifd_type == ifd_type_mn_canon && value.tag == battery_type && value.data_type == data_type_undefined &&
        value.count > 4 && buf_bytes(value.ctx, value.count) == value.count) {
        const char *name = reinterpret_cast<const char *>(value.ctx->buf_p) + 4;
        format_text(text).append(name, strnlen(name, value.count - 4));
        return;
    }
    format_note_value(value, groups, text);
}
