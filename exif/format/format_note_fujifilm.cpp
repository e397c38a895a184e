// Fujifilm maker notes: the names of the settings' values, by group and tag.
#include "exif/format/note_values.h"
#include "exif/ifd_types.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label fujifilm_sharpness[] = {
    {0x0, "-4 (softest)"},
    {0x1, "-3 (very soft)"},
    {0x2, "-2 (soft)"},
    {0x3, "0 (normal)"},
    {0x4, "+2 (hard)"},
    {0x5, "+3 (very hard)"},
    {0x6, "+4 (hardest)"},
    {0x82, "-1 (medium soft)"},
    {0x84, "+1 (medium hard)"},
    {0x8000, "Film Simulation"},
    {0xffff, "n/a"},
};
constexpr value_label fujifilm_white_balance[] = {
    {0x0, "Auto"},
    {0x1, "Auto (white priority)"},
    {0x2, "Auto (ambiance priority)"},
    {0x100, "Daylight"},
    {0x200, "Cloudy"},
    {0x300, "Daylight Fluorescent"},
    {0x301, "Day White Fluorescent"},
    {0x302, "White Fluorescent"},
    {0x303, "Warm White Fluorescent"},
    {0x304, "Living Room Warm White Fluorescent"},
    {0x400, "Incandescent"},
    {0x500, "Flash"},
    {0x600, "Underwater"},
    {0xf00, "Custom"},
    {0xf01, "Custom2"},
    {0xf02, "Custom3"},
    {0xf03, "Custom4"},
    {0xf04, "Custom5"},
    {0xff0, "Kelvin"},
};
constexpr value_label fujifilm_saturation[] = {
    {0x0, "0 (normal)"},
    {0x80, "+1 (medium high)"},
    {0xc0, "+3 (very high)"},
    {0xe0, "+4 (highest)"},
    {0x100, "+2 (high)"},
    {0x180, "-1 (medium low)"},
    {0x200, "Low"},
    {0x300, "None (B&W)"},
    {0x301, "B&W Red Filter"},
    {0x302, "B&W Yellow Filter"},
    {0x303, "B&W Green Filter"},
    {0x310, "B&W Sepia"},
    {0x400, "-2 (low)"},
    {0x4c0, "-3 (very low)"},
    {0x4e0, "-4 (lowest)"},
    {0x500, "Acros"},
    {0x501, "Acros Red Filter"},
    {0x502, "Acros Yellow Filter"},
    {0x503, "Acros Green Filter"},
    {0x8000, "Film Simulation"},
};
constexpr value_label fujifilm_contrast[] = {
    {0x0, "Normal"},
    {0x80, "Medium High"},
    {0x100, "High"},
    {0x180, "Medium Low"},
    {0x200, "Low"},
    {0x8000, "Film Simulation"},
};
constexpr value_label fujifilm_contrast_1006[] = {
    {0x0, "Normal"},
    {0x100, "High"},
    {0x300, "Low"},
};
constexpr value_label fujifilm_noise_reduction[] = {
    {0x40, "Low"},
    {0x80, "Normal"},
    {0x100, "n/a"},
};
constexpr value_label fujifilm_noise_reduction_100e[] = {
    {0x0, "0 (normal)"},
    {0x100, "+2 (strong)"},
    {0x180, "+1 (medium strong)"},
    {0x1c0, "+3 (very strong)"},
    {0x1e0, "+4 (strongest)"},
    {0x200, "-2 (weak)"},
    {0x280, "-1 (medium weak)"},
    {0x2c0, "-3 (very weak)"},
    {0x2e0, "-4 (weakest)"},
};
constexpr value_label fujifilm_fuji_flash_mode[] = {
    {0x0, "Auto"},
    {0x1, "On"},
    {0x2, "Off"},
    {0x3, "Red-eye reduction"},
    {0x4, "External"},
    {0x10, "Commander"},
    {0x8000, "Not Attached"},
    {0x8120, "TTL"},
    {0x8320, "TTL Auto - Did not fire"},
    {0x9840, "Manual"},
    {0x9860, "Flash Commander"},
    {0x9880, "Multi-flash"},
    {0xa920, "1st Curtain (front)"},
    {0xaa20, "TTL Slow - 1st Curtain (front)"},
    {0xab20, "TTL Auto - 1st Curtain (front)"},
    {0xad20, "TTL - Red-eye Flash - 1st Curtain (front)"},
    {0xae20, "TTL Slow - Red-eye Flash - 1st Curtain (front)"},
    {0xaf20, "TTL Auto - Red-eye Flash - 1st Curtain (front)"},
    {0xc920, "2nd Curtain (rear)"},
    {0xca20, "TTL Slow - 2nd Curtain (rear)"},
    {0xcb20, "TTL Auto - 2nd Curtain (rear)"},
    {0xcd20, "TTL - Red-eye Flash - 2nd Curtain (rear)"},
    {0xce20, "TTL Slow - Red-eye Flash - 2nd Curtain (rear)"},
    {0xcf20, "TTL Auto - Red-eye Flash - 2nd Curtain (rear)"},
    {0xe920, "High Speed Sync (HSS)"},
};
constexpr value_label fujifilm_macro[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label fujifilm_focus_mode[] = {
    {0x0, "Auto"},
    {0x1, "Manual"},
    {0xffff, "Movie"},
};
constexpr value_label fujifilm_af_mode[] = {
    {0x0, "No"},
    {0x1, "Single Point"},
    {0x100, "Zone"},
    {0x200, "Wide/Tracking"},
};
constexpr value_label fujifilm_slow_sync[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label fujifilm_picture_mode[] = {
    {0x0, "Auto"},
    {0x1, "Portrait"},
    {0x2, "Landscape"},
    {0x3, "Macro"},
    {0x4, "Sports"},
    {0x5, "Night Scene"},
    {0x6, "Program AE"},
    {0x7, "Natural Light"},
    {0x8, "Anti-blur"},
    {0x9, "Beach & Snow"},
    {0xa, "Sunset"},
    {0xb, "Museum"},
    {0xc, "Party"},
    {0xd, "Flower"},
    {0xe, "Text"},
    {0xf, "Natural Light & Flash"},
    {0x10, "Beach"},
    {0x11, "Snow"},
    {0x12, "Fireworks"},
    {0x13, "Underwater"},
    {0x14, "Portrait with Skin Correction"},
    {0x16, "Panorama"},
    {0x17, "Night (tripod)"},
    {0x18, "Pro Low-light"},
    {0x19, "Pro Focus"},
    {0x1a, "Portrait 2"},
    {0x1b, "Dog Face Detection"},
    {0x1c, "Cat Face Detection"},
    {0x30, "HDR"},
    {0x40, "Advanced Filter"},
    {0x100, "Aperture-priority AE"},
    {0x200, "Shutter speed priority AE"},
    {0x300, "Manual"},
};
constexpr value_label fujifilm_exr_auto[] = {
    {0x0, "Auto"},
    {0x1, "Manual"},
};
constexpr value_label fujifilm_exr_mode[] = {
    {0x100, "HR (High Resolution)"},
    {0x200, "SN (Signal to Noise priority)"},
    {0x300, "DR (Dynamic Range priority)"},
};
constexpr value_label fujifilm_grain_effect_roughness[] = {
    {0x0, "Off"},
    {0x20, "Weak"},
    {0x40, "Strong"},
};
constexpr value_label fujifilm_color_chrome_effect[] = {
    {0x0, "Off"},
    {0x20, "Weak"},
    {0x40, "Strong"},
};
constexpr value_label fujifilm_grain_effect_size[] = {
    {0x0, "Off"},
    {0x10, "Small"},
    {0x20, "Large"},
};
constexpr value_label fujifilm_crop_mode[] = {
    {0x0, "n/a"},
    {0x1, "Full-frame on GFX"},
    {0x2, "Sports Finder Mode"},
    {0x4, "Electronic Shutter 1.25x Crop"},
};
constexpr value_label fujifilm_color_chrome_fx_blue[] = {
    {0x0, "Off"},
    {0x20, "Weak"},
    {0x40, "Strong"},
};
constexpr value_label fujifilm_shutter_type[] = {
    {0x0, "Mechanical"},
    {0x1, "Electronic"},
    {0x2, "Electronic (long shutter speed)"},
    {0x3, "Electronic Front Curtain"},
};
constexpr value_label fujifilm_auto_bracketing[] = {
    {0x0, "Off"},
    {0x1, "On"},
    {0x2, "Pre-shot"},
};
constexpr value_label fujifilm_blur_warning[] = {
    {0x0, "None"},
    {0x1, "Blur Warning"},
};
constexpr value_label fujifilm_focus_warning[] = {
    {0x0, "Good"},
    {0x1, "Out of focus"},
};
constexpr value_label fujifilm_exposure_warning[] = {
    {0x0, "Good"},
    {0x1, "Bad exposure"},
};
constexpr value_label fujifilm_dynamic_range[] = {
    {0x1, "Standard"},
    {0x3, "Wide"},
};
constexpr value_label fujifilm_film_mode[] = {
    {0x0, "F0/Standard (Provia)"},
    {0x100, "F1/Studio Portrait"},
    {0x110, "F1a/Studio Portrait Enhanced Saturation"},
    {0x120, "F1b/Studio Portrait Smooth Skin Tone (Astia)"},
    {0x130, "F1c/Studio Portrait Increased Sharpness"},
    {0x200, "F2/Fujichrome (Velvia)"},
    {0x300, "F3/Studio Portrait Ex"},
    {0x400, "F4/Velvia"},
    {0x500, "Pro Neg. Std"},
    {0x501, "Pro Neg. Hi"},
    {0x600, "Classic Chrome"},
    {0x700, "Eterna"},
    {0x800, "Classic Negative"},
    {0x900, "Bleach Bypass"},
    {0xa00, "Nostalgic Neg"},
};
constexpr value_label fujifilm_dynamic_range_setting[] = {
    {0x0, "Auto"},
    {0x1, "Manual"},
    {0x100, "Standard (100%)"},
    {0x200, "Wide1 (230%)"},
    {0x201, "Wide2 (400%)"},
    {0x8000, "Film Simulation"},
};
constexpr value_label fujifilm_scene_recognition[] = {
    {0x0, "Unrecognized"},
    {0x100, "Portrait Image"},
    {0x103, "Night Portrait"},
    {0x105, "Backlit Portrait"},
    {0x200, "Landscape Image"},
    {0x300, "Night Scene"},
    {0x400, "Macro"},
};
constexpr value_label fujifilm_image_generation[] = {
    {0x0, "Original Image"},
    {0x1, "Re-developed from RAW"},
};
constexpr value_label fujifilm_d_range_priority[] = {
    {0x0, "Auto"},
    {0x1, "Fixed"},
};
constexpr value_label fujifilm_d_range_priority_auto[] = {
    {0x1, "Weak"},
    {0x2, "Strong"},
    {0x3, "Plus"},
};
constexpr value_label fujifilm_d_range_priority_fixed[] = {
    {0x1, "Weak"},
    {0x2, "Strong"},
};
constexpr tag_values fujifilm_tags[] = {
    {0x1001, fujifilm_sharpness, "%d"},
    {0x1002, fujifilm_white_balance, "%d"},
    {0x1003, fujifilm_saturation, "%d"},
    {0x1004, fujifilm_contrast, "%d"},
    {0x1006, fujifilm_contrast_1006, "%d"},
    {0x100b, fujifilm_noise_reduction, "%d"},
    {0x100e, fujifilm_noise_reduction_100e, "%d"},
    {0x1010, fujifilm_fuji_flash_mode, "%d"},
    {0x1020, fujifilm_macro, "%d"},
    {0x1021, fujifilm_focus_mode, "%d"},
    {0x1022, fujifilm_af_mode, "%d"},
    {0x1030, fujifilm_slow_sync, "%d"},
    {0x1031, fujifilm_picture_mode, "%d"},
    {0x1033, fujifilm_exr_auto, "%d"},
    {0x1034, fujifilm_exr_mode, "%d"},
    {0x1047, fujifilm_grain_effect_roughness, "%d"},
    {0x1048, fujifilm_color_chrome_effect, "%d"},
    {0x104c, fujifilm_grain_effect_size, "%d"},
    {0x104d, fujifilm_crop_mode, "%d"},
    {0x104e, fujifilm_color_chrome_fx_blue, "%d"},
    {0x1050, fujifilm_shutter_type, "%d"},
    {0x1100, fujifilm_auto_bracketing, "%d"},
    {0x1300, fujifilm_blur_warning, "%d"},
    {0x1301, fujifilm_focus_warning, "%d"},
    {0x1302, fujifilm_exposure_warning, "%d"},
    {0x1400, fujifilm_dynamic_range, "%d"},
    {0x1401, fujifilm_film_mode, "%d"},
    {0x1402, fujifilm_dynamic_range_setting, "%d"},
    {0x1425, fujifilm_scene_recognition, "%d"},
    {0x1436, fujifilm_image_generation, "%d"},
    {0x1443, fujifilm_d_range_priority, "%d"},
    {0x1444, fujifilm_d_range_priority_auto, "%d"},
    {0x1445, fujifilm_d_range_priority_fixed, "%d"},
};
// clang-format on

constexpr group_values groups[] = {
    {ifd_type_mn_fujifilm, fujifilm_tags},
};

}  // namespace

void format_note_fujifilm(const walked_entry &value, char *text) { format_note_value(value, groups, text); }
