#include "exif/format/extended_names.h"

#include "exif/format/value_labels.h"

namespace {

using labels::value_label;

// TIFF 6.0 and DNG fields.

// clang-format off
constexpr value_label new_subfile_type_names[] = {
    {0, "Full-resolution image"},
    {1, "Reduced-resolution image"},
    {2, "Single page of multi-page image"},
    {3, "Single page of reduced multi-page image"},
    {4, "Transparency mask"},
    {5, "Transparency mask of reduced image"},
    {6, "Transparency mask of multi-page image"},
    {7, "Transparency mask of reduced multi-page image"},
    {8, "Depth map"},
    {9, "Depth map of reduced image"},
    {16, "Enhanced image"},
    {0x10001, "Alternate reduced-resolution image"},
    {0x10004, "Semantic mask"},
};
// clang-format on

// clang-format off
constexpr value_label subfile_type_names[] = {
    {1, "Full-resolution image"},
    {2, "Reduced-resolution image"},
    {3, "Single page of multi-page image"},
};
// clang-format on

// clang-format off
constexpr value_label compression_names[] = {
    {2, "CCITT Group 3 1-D Modified Huffman"},
    {3, "CCITT T.4 (Group 3 Fax)"},
    {4, "CCITT T.6 (Group 4 Fax)"},
    {5, "LZW"},
    {7, "JPEG"},
    {8, "Deflate"},
    {32773, "PackBits"},
    {32946, "Deflate"},
    {34892, "Lossy JPEG"},
    {52546, "JPEG XL"},
};
// clang-format on

// clang-format off
constexpr value_label photometric_names[] = {
    {0, "White is zero"},
    {1, "Black is zero"},
    {2, "RGB"},
    {3, "Palette colour"},
    {4, "Transparency mask"},
    {5, "Separated (CMYK)"},
    {6, "YCbCr"},
    {8, "CIE L*a*b*"},
    {9, "ICC L*a*b*"},
    {10, "ITU L*a*b*"},
    {32803, "Colour filter array"},
    {34892, "Linear raw"},
    {51177, "Depth map"},
    {52527, "Photometric mask"},
};
// clang-format on

// clang-format off
constexpr value_label thresholding_names[] = {
    {1, "No dithering or halftoning"},
    {2, "Ordered dither or halftone"},
    {3, "Randomized process"},
};
// clang-format on

// clang-format off
constexpr value_label fill_order_names[] = {
    {1, "Normal"},
    {2, "Reversed"},
};
// clang-format on

// Codes 2, 4, 5 and 7: the start points of a mirrored image.
// clang-format off
constexpr value_label orientation_names[] = {
    {2, "Upper Right, mirrored"},
    {4, "Lower Left, mirrored"},
    {5, "Upper Left, mirrored"},
    {7, "Lower Right, mirrored"},
};
// clang-format on

// clang-format off
constexpr value_label planar_names[] = {
    {1, "Chunky"},
    {2, "Planar"},
};
// clang-format on

// clang-format off
constexpr value_label gray_unit_names[] = {
    {1, "Tenths"},
    {2, "Hundredths"},
    {3, "Thousandths"},
    {4, "Ten-thousandths"},
    {5, "Hundred-thousandths"},
};
// clang-format on

// clang-format off
constexpr value_label predictor_names[] = {
    {1, "None"},
    {2, "Horizontal differencing"},
    {3, "Floating point"},
};
// clang-format on

// clang-format off
constexpr value_label ink_set_names[] = {
    {1, "CMYK"},
    {2, "Not CMYK"},
};
// clang-format on

// clang-format off
constexpr value_label extra_samples_names[] = {
    {0, "Unspecified"},
    {1, "Associated alpha"},
    {2, "Unassociated alpha"},
};
// clang-format on

// clang-format off
constexpr value_label sample_format_names[] = {
    {1, "Unsigned integer"},
    {2, "Signed integer"},
    {3, "Floating point"},
    {4, "Undefined"},
};
// clang-format on

// clang-format off
constexpr value_label jpeg_process_names[] = {
    {1, "Baseline sequential"},
    {14, "Lossless"},
};
// clang-format on

// clang-format off
constexpr value_label cfa_layout_names[] = {
    {1, "Rectangular"},
    {2, "Staggered A"},
    {3, "Staggered B"},
    {4, "Staggered C"},
    {5, "Staggered D"},
    {6, "Staggered E"},
    {7, "Staggered F"},
    {8, "Staggered G"},
    {9, "Staggered H"},
};
// clang-format on

// clang-format off
constexpr value_label maker_note_safety_names[] = {
    {0, "Unsafe"},
    {1, "Safe"},
};
// clang-format on

// The light sources as EXIF 2.2 names them; DNG's calibration illuminants use them too.
// clang-format off
constexpr value_label light_source_names[] = {
    {0, "Unknown"},
    {1, "Daylight"},
    {2, "Fluorescent"},
    {3, "Tungsten"},
    {4, "Flash"},
    {9, "Fine weather"},
    {10, "Cloudy weather"},
    {11, "Shade"},
    {12, "Daylight fluorescent"},
    {13, "Day white fluorescent"},
    {14, "Cool white fluorescent"},
    {15, "White fluorescent"},
    {16, "Warm white fluorescent"},
    {17, "Standard light A"},
    {18, "Standard light B"},
    {19, "Standard light C"},
    {20, "D55"},
    {21, "D65"},
    {22, "D75"},
    {23, "D50"},
    {24, "ISO studio tungsten"},
    {255, "Other light source"},
};
// clang-format on

// clang-format off
constexpr value_label colorimetric_names[] = {
    {0, "Scene-referred"},
    {1, "Output-referred"},
    {2, "Output-referred, high dynamic range"},
};
// clang-format on

// clang-format off
constexpr value_label embed_policy_names[] = {
    {0, "Allow copying"},
    {1, "Embed if used"},
    {2, "Never embed"},
    {3, "No restrictions"},
};
// clang-format on

// clang-format off
constexpr value_label preview_space_names[] = {
    {0, "Unknown"},
    {1, "Gray gamma 2.2"},
    {2, "sRGB"},
    {3, "Adobe RGB"},
    {4, "ProPhoto RGB"},
};
// clang-format on

// clang-format off
constexpr value_label map_encoding_names[] = {
    {0, "Linear"},
    {1, "sRGB"},
};
// clang-format on

// clang-format off
constexpr value_label black_render_names[] = {
    {0, "Auto"},
    {1, "None"},
};
// clang-format on

// clang-format off
constexpr value_label depth_format_names[] = {
    {0, "Unknown"},
    {1, "Linear"},
    {2, "Inverse"},
};
// clang-format on

// clang-format off
constexpr value_label depth_units_names[] = {
    {0, "Unknown"},
    {1, "Metres"},
};
// clang-format on

// clang-format off
constexpr value_label depth_measure_names[] = {
    {0, "Unknown"},
    {1, "Optical axis"},
    {2, "Optical ray"},
};
// clang-format on

// EXIF 2.2 to 3.0 fields.

constexpr value_label exposure_program_names[] = {
    {0, "Not defined"},
};

// clang-format off
constexpr value_label sensitivity_type_names[] = {
    {0, "Unknown"},
    {1, "Standard output sensitivity"},
    {2, "Recommended exposure index"},
    {3, "ISO speed"},
    {4, "SOS and REI"},
    {5, "SOS and ISO speed"},
    {6, "REI and ISO speed"},
    {7, "SOS, REI and ISO speed"},
};
// clang-format on

// clang-format off
constexpr value_label metering_mode_names[] = {
    {0, "Unknown"},
    {6, "Partial"},
    {255, "Other"},
};
// clang-format on

// Bit 0 fired, bits 1-2 return light, bits 3-4 mode, bit 5 no flash function,
// bit 6 red-eye reduction; the codes EXIF 2.2 lists.
// clang-format off
constexpr value_label flash_names[] = {
    {0x05, "Fired, return not detected"},
    {0x07, "Fired, return detected"},
    {0x08, "On, not fired"},
    {0x09, "On, fired"},
    {0x0D, "On, return not detected"},
    {0x0F, "On, return detected"},
    {0x10, "Off, not fired"},
    {0x14, "Off, not fired, return not detected"},
    {0x18, "Auto, not fired"},
    {0x19, "Auto, fired"},
    {0x1D, "Auto, fired, return not detected"},
    {0x1F, "Auto, fired, return detected"},
    {0x20, "No flash function"},
    {0x30, "Off, no flash function"},
    {0x41, "Fired, red-eye reduction"},
    {0x45, "Fired, red-eye reduction, return not detected"},
    {0x47, "Fired, red-eye reduction, return detected"},
    {0x49, "On, red-eye reduction"},
    {0x4D, "On, red-eye reduction, return not detected"},
    {0x4F, "On, red-eye reduction, return detected"},
    {0x50, "Off, red-eye reduction"},
    {0x58, "Auto, not fired, red-eye reduction"},
    {0x59, "Auto, fired, red-eye reduction"},
    {0x5D, "Auto, fired, red-eye reduction, return not detected"},
    {0x5F, "Auto, fired, red-eye reduction, return detected"},
};
// clang-format on

constexpr value_label colour_space_names[] = {
    {0xFFFF, "Uncalibrated"},
};

// clang-format off
constexpr value_label sensing_method_names[] = {
    {1, "Not defined"},
    {4, "Three chip colour area sensor"},
    {5, "Colour sequential area sensor"},
    {7, "Trilinear sensor"},
    {8, "Colour sequential linear sensor"},
};
// clang-format on

// clang-format off
constexpr value_label file_source_names[] = {
    {0, "Others"},
    {1, "Scanner of transparent type"},
    {2, "Scanner of reflex type"},
    {3, "Digital still camera"},
};
// clang-format on

constexpr value_label scene_type_names[] = {
    {1, "Directly photographed"},
};

// clang-format off
constexpr value_label custom_rendered_names[] = {
    {0, "Normal process"},
    {1, "Custom process"},
};
// clang-format on

// clang-format off
constexpr value_label exposure_mode_names[] = {
    {0, "Auto exposure"},
    {1, "Manual exposure"},
    {2, "Auto bracket"},
};
// clang-format on

// clang-format off
constexpr value_label white_balance_names[] = {
    {0, "Auto white balance"},
    {1, "Manual white balance"},
};
// clang-format on

// clang-format off
constexpr value_label scene_capture_names[] = {
    {0, "Standard"},
    {1, "Landscape"},
    {2, "Portrait"},
    {3, "Night scene"},
};
// clang-format on

// clang-format off
constexpr value_label gain_control_names[] = {
    {0, "None"},
    {1, "Low gain up"},
    {2, "High gain up"},
    {3, "Low gain down"},
    {4, "High gain down"},
};
// clang-format on

// Contrast and sharpness.
// clang-format off
constexpr value_label soft_hard_names[] = {
    {0, "Normal"},
    {1, "Soft"},
    {2, "Hard"},
};
// clang-format on

// clang-format off
constexpr value_label saturation_names[] = {
    {0, "Normal"},
    {1, "Low saturation"},
    {2, "High saturation"},
};
// clang-format on

// clang-format off
constexpr value_label subject_distance_range_names[] = {
    {0, "Unknown"},
    {1, "Macro"},
    {2, "Close view"},
    {3, "Distant view"},
};
// clang-format on

// clang-format off
constexpr value_label composite_image_names[] = {
    {0, "Unknown"},
    {1, "Not a composite image"},
    {2, "General composite image"},
    {3, "Composite image captured when shooting"},
};
// clang-format on

// clang-format off
constexpr value_label gps_differential_names[] = {
    {0, "No differential correction"},
    {1, "Differential correction applied"},
};
// clang-format on

// GPS 0x001e and TIFF 0x0000-0x00fd never meet: the GPS IFD has no TIFF tags.
// clang-format off
constexpr labels::tag_values extended_names[] = {
    {0x001E, gps_differential_names, "Unknown value %d"},
    {0x00FE, new_subfile_type_names, "Unknown value %u"},
    {0x00FF, subfile_type_names, "Unknown value %d"},
    {0x0103, compression_names, "Unknown value %d"},
    {0x0106, photometric_names, "Unknown value %d"},
    {0x0107, thresholding_names, "Unknown value %d"},
    {0x010A, fill_order_names, "Unknown value %d"},
    {0x0112, orientation_names, "Unknown value %d"},
    {0x011C, planar_names, "Unknown value %d"},
    {0x0122, gray_unit_names, "Unknown value %d"},
    {0x013D, predictor_names, "Unknown value %d"},
    {0x014C, ink_set_names, "Unknown value %d"},
    {0x0152, extra_samples_names, "Unknown value %d"},
    {0x0153, sample_format_names, "Unknown value %d"},
    {0x0200, jpeg_process_names, "Unknown value %d"},
    {0x8822, exposure_program_names, "Unknown value %d"},
    {0x8830, sensitivity_type_names, "Unknown value %d"},
    {0x9207, metering_mode_names, "Unknown value %d"},
    {0x9208, light_source_names, "Unknown value %d"},
    {0x9209, flash_names, "Unknown value %d"},
    {0xA001, colour_space_names, "Unknown value %d"},
    {0xA217, sensing_method_names, "Unknown value %d"},
    {0xA300, file_source_names, "Unknown value %d"},
    {0xA301, scene_type_names, "Unknown value %d"},
    {0xA401, custom_rendered_names, "Unknown value %d"},
    {0xA402, exposure_mode_names, "Unknown value %d"},
    {0xA403, white_balance_names, "Unknown value %d"},
    {0xA406, scene_capture_names, "Unknown value %d"},
    {0xA407, gain_control_names, "Unknown value %d"},
    {0xA408, soft_hard_names, "Unknown value %d"},
    {0xA409, saturation_names, "Unknown value %d"},
    {0xA40A, soft_hard_names, "Unknown value %d"},
    {0xA40C, subject_distance_range_names, "Unknown value %d"},
    {0xA460, composite_image_names, "Unknown value %d"},
    {0xC617, cfa_layout_names, "Unknown value %d"},
    {0xC635, maker_note_safety_names, "Unknown value %d"},
    {0xC65A, light_source_names, "Unknown value %d"},
    {0xC65B, light_source_names, "Unknown value %d"},
    {0xC6BF, colorimetric_names, "Unknown value %d"},
    {0xC6FD, embed_policy_names, "Unknown value %u"},
    {0xC71A, preview_space_names, "Unknown value %u"},
    {0xC7A3, map_encoding_names, "Unknown value %u"},
    {0xC7A4, map_encoding_names, "Unknown value %u"},
    {0xC7A6, black_render_names, "Unknown value %u"},
    {0xC7E9, depth_format_names, "Unknown value %d"},
    {0xC7EC, depth_units_names, "Unknown value %d"},
    {0xC7ED, depth_measure_names, "Unknown value %d"},
    {0xCD31, light_source_names, "Unknown value %d"},
};
// clang-format on

}  // namespace

static_assert(labels::in_tag_order(extended_names), "binary search needs the tag order");

bool has_extended_names(uint32_t tag) { return labels::find_tag_in_order(extended_names, tag) != nullptr; }

bool append_extended_name(uint32_t tag, uint32_t value, format_text &out)
{
    const labels::tag_values *entry = labels::find_tag_in_order(extended_names, tag);
    const char *label = entry != nullptr ? labels::find_label(entry->values, value) : nullptr;
    if (label == nullptr)
        return false;
    out.append(label);
    return true;
}

void format_extended_name(uint32_t tag, uint32_t value, format_text &out)
{
    const labels::tag_values *entry = labels::find_tag_in_order(extended_names, tag);
    if (entry != nullptr)
        labels::append_value_text(out, entry->values, value, entry->fallback);
    else
        out.appendf("Unknown value %d", static_cast<int>(value));
}
