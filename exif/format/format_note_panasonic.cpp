// Panasonic (and Leica of the same layout) maker notes: the names of the settings' values, by group and tag.
#include "exif/field_defs.h"
#include "exif/format/note_values.h"
#include "exif/ifd_types.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label panasonic_image_quality[] = {
    {0x1, "TIFF"},
    {0x2, "High"},
    {0x3, "Normal"},
    {0x6, "Very High"},
    {0x7, "RAW"},
    {0x9, "Motion Picture"},
    {0xb, "Full HD Movie"},
    {0xc, "4k Movie"},
};
constexpr value_label panasonic_white_balance[] = {
    {0x1, "Auto"},
    {0x2, "Daylight"},
    {0x3, "Cloudy"},
    {0x4, "Incandescent"},
    {0x5, "Manual"},
    {0x8, "Flash"},
    {0xa, "Black & White"},
    {0xb, "Manual 2"},
    {0xc, "Shade"},
    {0xd, "Kelvin"},
    {0xe, "Manual 3"},
    {0xf, "Manual 4"},
    {0x13, "Auto (cool)"},
};
constexpr value_label panasonic_focus_mode[] = {
    {0x1, "Auto"},
    {0x2, "Manual"},
    {0x4, "Auto, Focus button"},
    {0x5, "Auto, Continuous"},
    {0x6, "AF-S"},
    {0x7, "AF-C"},
    {0x8, "AF-F"},
};
constexpr value_label panasonic_image_stabilization[] = {
    {0x2, "On, Optical"},
    {0x3, "Off"},
    {0x4, "On, Mode 2"},
    {0x5, "On, Optical Panning"},
    {0x6, "On, Body-only"},
    {0x7, "On, Body-only Panning"},
    {0x9, "Dual IS"},
    {0xa, "Dual IS Panning"},
    {0xb, "Dual2 IS"},
    {0xc, "Dual2 IS Panning"},
};
constexpr value_label panasonic_macro_mode[] = {
    {0x1, "On"},
    {0x2, "Off"},
    {0x101, "Tele-Macro"},
    {0x201, "Macro Zoom"},
};
constexpr value_label panasonic_audio[] = {
    {0x1, "Yes"},
    {0x2, "No"},
    {0x3, "Stereo"},
};
constexpr value_label panasonic_video_frame_rate[] = {
    {0x0, "n/a"},
};
constexpr value_label panasonic_color_effect[] = {
    {0x1, "Off"},
    {0x2, "Warm"},
    {0x3, "Cool"},
    {0x4, "Black & White"},
    {0x5, "Sepia"},
    {0x6, "Happy"},
    {0x8, "Vivid"},
};
constexpr value_label panasonic_burst_mode[] = {
    {0x0, "Off"},
    {0x1, "On"},
    {0x2, "Auto Exposure Bracketing (AEB)"},
    {0x3, "Focus Bracketing"},
    {0x4, "Unlimited"},
    {0x8, "White Balance Bracketing"},
    {0x11, "On (with flash)"},
    {0x12, "Aperture Bracketing"},
};
constexpr value_label panasonic_noise_reduction[] = {
    {0x0, "Standard"},
    {0x1, "Low (-1)"},
    {0x2, "High (+1)"},
    {0x3, "Lowest (-2)"},
    {0x4, "Highest (+2)"},
    {0x5, "+5"},
    {0x6, "+6"},
    {0xfffb, "-5"},
    {0xfffc, "-4"},
    {0xfffd, "-3"},
    {0xfffe, "-2"},
    {0xffff, "-1"},
};
constexpr value_label panasonic_self_timer[] = {
    {0x0, "Off (0)"},
    {0x1, "Off"},
    {0x2, "10 s"},
    {0x3, "2 s"},
    {0x4, "10 s / 3 pictures"},
    {0x102, "2 s after shutter pressed"},
    {0x10a, "10 s after shutter pressed"},
    {0x30a, "3 photos after 10 s"},
};
constexpr value_label panasonic_rotation[] = {
    {0x1, "Horizontal (normal)"},
    {0x3, "Rotate 180"},
    {0x6, "Rotate 90 CW"},
    {0x8, "Rotate 270 CW"},
};
constexpr value_label panasonic_af_assist_lamp[] = {
    {0x1, "Fired"},
    {0x2, "Enabled but Not Used"},
    {0x3, "Disabled but Required"},
    {0x4, "Disabled and Not Required"},
};
constexpr value_label panasonic_color_mode[] = {
    {0x0, "Normal"},
    {0x1, "Natural"},
    {0x2, "Vivid"},
};
constexpr value_label panasonic_optical_zoom_mode[] = {
    {0x1, "Standard"},
    {0x2, "Extended"},
};
constexpr value_label panasonic_conversion_lens[] = {
    {0x1, "Off"},
    {0x2, "Wide"},
    {0x3, "Telephoto"},
    {0x4, "Macro"},
};
constexpr value_label panasonic_battery_level[] = {
    {0x1, "Full"},
    {0x2, "Medium"},
    {0x3, "Low"},
    {0x4, "Near Empty"},
    {0x7, "Near Full"},
    {0x8, "Medium Low"},
    {0x100, "n/a"},
};
constexpr value_label panasonic_contrast[] = {
    {0x0, "Normal"},
};
constexpr value_label panasonic_world_time_location[] = {
    {0x1, "Home"},
    {0x2, "Destination"},
};
constexpr value_label panasonic_text_stamp[] = {
    {0x1, "Off"},
    {0x2, "On"},
};
constexpr value_label panasonic_program_iso[] = {
    {0xfffe, "Intelligent ISO"},
    {0xffff, "n/a"},
    {0xffffffff, "n/a"},
};
constexpr value_label panasonic_text_stamp_3e[] = {
    {0x1, "Off"},
    {0x2, "On"},
};
constexpr value_label panasonic_saturation[] = {
    {0x0, "Normal"},
};
constexpr value_label panasonic_sharpness[] = {
    {0x0, "Normal"},
};
constexpr value_label panasonic_film_mode[] = {
    {0x0, "n/a"},
    {0x1, "Standard (color)"},
    {0x2, "Dynamic (color)"},
    {0x3, "Nature (color)"},
    {0x4, "Smooth (color)"},
    {0x5, "Standard (B&W)"},
    {0x6, "Dynamic (B&W)"},
    {0x7, "Smooth (B&W)"},
    {0xa, "Nostalgic"},
    {0xb, "Vibrant"},
};
constexpr value_label panasonic_jpeg_quality[] = {
    {0x0, "n/a (Movie)"},
    {0x2, "High"},
    {0x3, "Standard"},
    {0x6, "Very High"},
    {0xff, "n/a (RAW only)"},
};
constexpr value_label panasonic_bracket_settings[] = {
    {0x0, "No Bracket"},
    {0x1, "3 Images, Sequence 0/-/+"},
    {0x2, "3 Images, Sequence -/0/+"},
    {0x3, "5 Images, Sequence 0/-/+"},
    {0x4, "5 Images, Sequence -/0/+"},
    {0x5, "7 Images, Sequence 0/-/+"},
    {0x6, "7 Images, Sequence -/0/+"},
};
constexpr value_label panasonic_flash_curtain[] = {
    {0x0, "n/a"},
    {0x1, "1st"},
    {0x2, "2nd"},
};
constexpr value_label panasonic_long_exposure_noise_reduction[] = {
    {0x1, "Off"},
    {0x2, "On"},
};
constexpr value_label panasonic_intelligent_exposure[] = {
    {0x0, "Off"},
    {0x1, "Low"},
    {0x2, "Standard"},
    {0x3, "High"},
};
constexpr value_label panasonic_flash_warning[] = {
    {0x0, "No"},
    {0x1, "Yes (flash required but disabled)"},
};
constexpr value_label panasonic_intelligent_resolution[] = {
    {0x0, "Off"},
    {0x1, "Low"},
    {0x2, "Standard"},
    {0x3, "High"},
    {0x4, "Extended"},
};
constexpr value_label panasonic_hdr_shot[] = {
    {0x0, "Off"},
    {0x3, "On"},
};
constexpr value_label panasonic_intelligent_d_range[] = {
    {0x0, "Off"},
    {0x1, "Low"},
    {0x2, "Standard"},
    {0x3, "High"},
};
constexpr value_label panasonic_clear_retouch[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label panasonic_photo_style[] = {
    {0x0, "Auto"},
    {0x1, "Standard or Custom"},
    {0x2, "Vivid"},
    {0x3, "Natural"},
    {0x4, "Monochrome"},
    {0x5, "Scenery"},
    {0x6, "Portrait"},
    {0x8, "Cinelike D"},
    {0x9, "Cinelike V"},
    {0xb, "L. Monochrome"},
    {0xc, "Like709"},
    {0xf, "L. Monochrome D"},
    {0x11, "V-Log"},
    {0x12, "Cinelike D2"},
};
constexpr value_label panasonic_shading_compensation[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label panasonic_camera_orientation[] = {
    {0x0, "Normal"},
    {0x1, "Rotate CW"},
    {0x2, "Rotate 180"},
    {0x3, "Rotate CCW"},
    {0x4, "Tilt Upwards"},
    {0x5, "Tilt Downwards"},
};
constexpr value_label panasonic_sweep_panorama_direction[] = {
    {0x0, "Off"},
    {0x1, "Left to Right"},
    {0x2, "Right to Left"},
    {0x3, "Top to Bottom"},
    {0x4, "Bottom to Top"},
};
constexpr value_label panasonic_timer_recording[] = {
    {0x0, "Off"},
    {0x1, "Time Lapse"},
    {0x2, "Stop-motion Animation"},
    {0x3, "Focus Bracketing"},
};
constexpr value_label panasonic_hdr[] = {
    {0x0, "Off"},
    {0x64, "1 EV"},
    {0xc8, "2 EV"},
    {0x12c, "3 EV"},
    {0x8064, "1 EV (Auto)"},
    {0x80c8, "2 EV (Auto)"},
    {0x812c, "3 EV (Auto)"},
};
constexpr value_label panasonic_shutter_type[] = {
    {0x0, "Mechanical"},
    {0x1, "Electronic"},
    {0x2, "Hybrid"},
};
constexpr value_label panasonic_touch_ae[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label panasonic_monochrome_filter_effect[] = {
    {0x0, "Off"},
    {0x1, "Yellow"},
    {0x2, "Orange"},
    {0x3, "Red"},
    {0x4, "Green"},
};
constexpr value_label panasonic_video_burst_resolution[] = {
    {0x1, "Off or 4K"},
    {0x4, "6K"},
};
constexpr value_label panasonic_multi_exposure[] = {
    {0x0, "n/a"},
    {0x1, "Off"},
    {0x2, "On"},
};
constexpr value_label panasonic_red_eye_removal[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label panasonic_video_burst_mode[] = {
    {0x1, "Off"},
    {0x4, "Post Focus"},
    {0x18, "4K Burst"},
    {0x28, "4K Burst (Start/Stop)"},
    {0x48, "4K Pre-burst"},
    {0x108, "Loop Recording"},
    {0x408, "Focus Stacking"},
    {0x810, "6K Burst"},
    {0x820, "6K Burst (Start/Stop)"},
    {0x1001, "High Resolution Mode"},
};
constexpr value_label panasonic_diffraction_correction[] = {
    {0x0, "Off"},
    {0x1, "Auto"},
};
constexpr value_label panasonic_long_exposure_nr_used[] = {
    {0x0, "No"},
    {0x1, "Yes"},
};
constexpr value_label panasonic_video_preburst[] = {
    {0x0, "No"},
    {0x1, "4K or 6K"},
};
constexpr value_label panasonic_sensor_type[] = {
    {0x0, "Multi-aspect"},
    {0x1, "Standard"},
};
constexpr value_label panasonic_monochrome_grain_effect[] = {
    {0x0, "Off"},
    {0x1, "Low"},
    {0x2, "Standard"},
    {0x3, "High"},
};
constexpr value_label panasonic_dynamic_range_boost[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
// The scene modes; the shooting modes are the same but for Off (0).
constexpr value_label panasonic_scene_mode[] = {
    {0x0, "Off"},
    {0x1, "Normal"},
    {0x2, "Portrait"},
    {0x3, "Scenery"},
    {0x4, "Sports"},
    {0x5, "Night Portrait"},
    {0x6, "Program"},
    {0x7, "Aperture Priority"},
    {0x8, "Shutter Priority"},
    {0x9, "Macro"},
    {0xa, "Spot"},
    {0xb, "Manual"},
    {0xc, "Movie Preview"},
    {0xd, "Panning"},
    {0xe, "Simple"},
    {0xf, "Color Effects"},
    {0x10, "Self Portrait"},
    {0x11, "Economy"},
    {0x12, "Fireworks"},
    {0x13, "Party"},
    {0x14, "Snow"},
    {0x15, "Night Scenery"},
    {0x16, "Food"},
    {0x17, "Baby"},
    {0x18, "Soft Skin"},
    {0x19, "Candlelight"},
    {0x1a, "Starry Night"},
    {0x1b, "High Sensitivity"},
    {0x1c, "Panorama Assist"},
    {0x1d, "Underwater"},
    {0x1e, "Beach"},
    {0x1f, "Aerial Photo"},
    {0x20, "Sunset"},
    {0x21, "Pet"},
    {0x22, "Intelligent ISO"},
    {0x23, "Clipboard"},
    {0x24, "High Speed Continuous Shooting"},
    {0x25, "Intelligent Auto"},
    {0x27, "Multi-aspect"},
    {0x29, "Transform"},
    {0x2a, "Flash Burst"},
    {0x2b, "Pin Hole"},
    {0x2c, "Film Grain"},
    {0x2d, "My Color"},
    {0x2e, "Photo Frame"},
    {0x30, "Movie"},
    {0x33, "HDR"},
    {0x34, "Peripheral Defocus"},
    {0x37, "Handheld Night Shot"},
    {0x39, "3D"},
    {0x3b, "Creative Control"},
    {0x3c, "Intelligent Auto Plus"},
    {0x3e, "Panorama"},
    {0x3f, "Glass Through"},
    {0x40, "HDR"},
    {0x42, "Digital Filter"},
    {0x43, "Clear Portrait"},
    {0x44, "Silky Skin"},
    {0x45, "Backlit Softness"},
    {0x46, "Clear in Backlight"},
    {0x47, "Relaxing Tone"},
    {0x48, "Sweet Child's Face"},
    {0x49, "Distinct Scenery"},
    {0x4a, "Bright Blue Sky"},
    {0x4b, "Romantic Sunset Glow"},
    {0x4c, "Vivid Sunset Glow"},
    {0x4d, "Glistening Water"},
    {0x4e, "Clear Nightscape"},
    {0x4f, "Cool Night Sky"},
    {0x50, "Warm Glowing Nightscape"},
    {0x51, "Artistic Nightscape"},
    {0x52, "Glittering Illuminations"},
    {0x53, "Clear Night Portrait"},
    {0x54, "Soft Image of a Flower"},
    {0x55, "Appetizing Food"},
    {0x56, "Cute Dessert"},
    {0x57, "Freeze Animal Motion"},
    {0x58, "Clear Sports Shot"},
    {0x59, "Monochrome"},
    {0x5a, "Creative Control"},
    {0x5c, "Handheld Night Shot"},
};
constexpr value_label panasonic_highlight_warning[] = {
    {0x0, "Disabled"},
    {0x1, "No"},
    {0x2, "Yes"},
};
constexpr value_label panasonic_dark_focus_environment[] = {
    {0x1, "No"},
    {0x2, "Yes"},
};
constexpr value_label panasonic_text_stamp_8008[] = {
    {0x1, "Off"},
    {0x2, "On"},
};
constexpr value_label panasonic_text_stamp_8009[] = {
    {0x1, "Off"},
    {0x2, "On"},
};
constexpr tag_values panasonic_tags[] = {
    {0x0001, panasonic_image_quality, "%d"},
    {0x0003, panasonic_white_balance, "%d"},
    {0x0007, panasonic_focus_mode, "%d"},
    {0x001a, panasonic_image_stabilization, "%d"},
    {0x001c, panasonic_macro_mode, "%d"},
    {0x001f, std::span<const value_label>(panasonic_scene_mode).subspan(1), "%d"},
    {0x0020, panasonic_audio, "%d"},
    {0x0027, panasonic_video_frame_rate, "%d"},
    {0x0028, panasonic_color_effect, "%d"},
    {0x002a, panasonic_burst_mode, "%d"},
    {0x002d, panasonic_noise_reduction, "%d"},
    {0x002e, panasonic_self_timer, "%d"},
    {0x0030, panasonic_rotation, "%d"},
    {0x0031, panasonic_af_assist_lamp, "%d"},
    {0x0032, panasonic_color_mode, "%d"},
    {0x0034, panasonic_optical_zoom_mode, "%d"},
    {0x0035, panasonic_conversion_lens, "%d"},
    {0x0038, panasonic_battery_level, "%d"},
    {0x0039, panasonic_contrast, "%d"},
    {0x003a, panasonic_world_time_location, "%d"},
    {0x003b, panasonic_text_stamp, "%d"},
    {0x003c, panasonic_program_iso, "%d"},
    {0x003e, panasonic_text_stamp_3e, "%d"},
    {0x0040, panasonic_saturation, "%d"},
    {0x0041, panasonic_sharpness, "%d"},
    {0x0042, panasonic_film_mode, "%d"},
    {0x0043, panasonic_jpeg_quality, "%d"},
    {0x0045, panasonic_bracket_settings, "%d"},
    {0x0048, panasonic_flash_curtain, "%d"},
    {0x0049, panasonic_long_exposure_noise_reduction, "%d"},
    {0x005d, panasonic_intelligent_exposure, "%d"},
    {0x0062, panasonic_flash_warning, "%d"},
    {0x0070, panasonic_intelligent_resolution, "%d"},
    {0x0076, panasonic_hdr_shot, "%d"},
    {0x0079, panasonic_intelligent_d_range, "%d"},
    {0x007c, panasonic_clear_retouch, "%d"},
    {0x0089, panasonic_photo_style, "%d"},
    {0x008a, panasonic_shading_compensation, "%d"},
    {0x008f, panasonic_camera_orientation, "%d"},
    {0x0093, panasonic_sweep_panorama_direction, "%d"},
    {0x0096, panasonic_timer_recording, "%d"},
    {0x009e, panasonic_hdr, "%d"},
    {0x009f, panasonic_shutter_type, "%d"},
    {0x00ab, panasonic_touch_ae, "%d"},
    {0x00ac, panasonic_monochrome_filter_effect, "%d"},
    {0x00b3, panasonic_video_burst_resolution, "%d"},
    {0x00b4, panasonic_multi_exposure, "%d"},
    {0x00b9, panasonic_red_eye_removal, "%d"},
    {0x00bb, panasonic_video_burst_mode, "%u"},
    {0x00bc, panasonic_diffraction_correction, "%d"},
    {0x00be, panasonic_long_exposure_nr_used, "%d"},
    {0x00c1, panasonic_video_preburst, "%d"},
    {0x00ca, panasonic_sensor_type, "%d"},
    {0x00d2, panasonic_monochrome_grain_effect, "%d"},
    {0x00ee, panasonic_dynamic_range_boost, "%d"},
    {0x8001, panasonic_scene_mode, "%d"},
    {0x8002, panasonic_highlight_warning, "%d"},
    {0x8003, panasonic_dark_focus_environment, "%d"},
    {0x8008, panasonic_text_stamp_8008, "%d"},
    {0x8009, panasonic_text_stamp_8009, "%d"},
};
// clang-format on

constexpr group_values groups[] = {
    {ifd_type_mn_panasonic, panasonic_tags},
};

// Texts Panasonic stores as UNDEFINED bytes: the serial number, and the
// title, names and places the user typed.
bool undefined_text(const walked_entry &value)
{
    constexpr uint32_t texts[] = {0x0025, 0x0065, 0x0066, 0x0067, 0x0069, 0x006b, 0x006d, 0x006f, 0x0080};
    if (value.ifd_type != ifd_type_mn_panasonic || value.data_type != data_type_undefined)
        return false;
    for (uint32_t tag : texts)
        if (value.tag == tag)
            return true;
    return false;
}

}  // namespace

void format_note_panasonic(const walked_entry &value, char *text)
{
    if (undefined_text(value))
        format_note_text(value, text);
    else
        format_note_number(value, groups, text);
}
