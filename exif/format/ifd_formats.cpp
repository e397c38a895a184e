#include "exif/format/ifd_formats.h"

#include "exif/exif_reader.h"
#include "exif/extended_field_defs.h"
#include "exif/field_defs.h"
#include "exif/field_row.h"
#include "exif/format/format_extended.h"
#include "exif/format/formatters.h"
#include "exif/format/note_values.h"
#include "exif/ifd_types.h"
#include "support/file_messages.h"
#include "support/run_options.h"
#include "support/trace.h"

namespace {

// A maker-note group (read with -e) has a formatter of the whole entry.
using note_formatter = void (*)(const walked_entry &value, char *text);

struct ifd_format_row {
    int32_t ifd_type;
    const char *name;
    ifd_formatter format;
    note_formatter note_format;
};

// One row per IFD type, in the order of the type codes.
// clang-format off
constexpr ifd_format_row ifd_formats[] = {
    {ifd_type_camera, "Camera   ", format_field_generic, nullptr},
    {ifd_type_image, "Image    ", format_field_generic, nullptr},
    {ifd_type_thumbnail, "Thumbnail", format_field_generic, nullptr},
    {ifd_type_interop, "InterOp  ", format_field_generic, nullptr},
    {ifd_type_olympus, "Maker Note (Olympus)", format_field_olymp, nullptr},
    {ifd_type_nikon1, "Maker Note (Nikon models up to E950)", format_field_nikon1, nullptr},
    {ifd_type_nikon2, "Maker Note (Nikon model E990 and above)", format_field_nikon2, nullptr},
    {ifd_type_casio, "Maker Note (Casio)", format_field_casio, nullptr},
    {ifd_type_canon, "Maker Note (Canon PowerShot)", format_field_canong1, nullptr},
    {ifd_type_canon_s100, "Maker Note (Canon PowerShot S100)", format_field_canong1, nullptr},
    {ifd_type_canon_d30, "Maker Note (Canon EOS D30)", format_field_canong1, nullptr},
    {ifd_type_olympus_c2500l, "Maker Note (Olympus C2500L)", format_field_olymp, nullptr},
    {ifd_type_fujifilm, "Maker Note (FujiFilm)", format_field_fujifilm, nullptr},
    {ifd_type_gps, "GPS", format_field_gps, nullptr},
    {ifd_type_minolta, "Maker Note (Minolta)", format_field_generic, nullptr},
    {ifd_type_nikon_d1x, "Maker Note (Nikon D1X)", format_field_basic_ifd, nullptr},
    {ifd_type_tiff_sub_ifd, "TIFF Sub-IFD", format_field_generic, nullptr},
    {ifd_type_unknown, "Unknown  ", format_field_generic, nullptr},
    {ifd_type_mn_canon, "Maker Note (Canon)", nullptr, format_note_canon},
    {ifd_type_mn_canon_camera_settings, "Canon Camera Settings", nullptr, format_note_canon},
    {ifd_type_mn_canon_focal_length, "Canon Focal Length", nullptr, format_note_canon},
    {ifd_type_mn_canon_shot_info, "Canon Shot Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_panorama, "Canon Panorama", nullptr, format_note_canon},
    {ifd_type_mn_canon_my_colors, "Canon My Colors", nullptr, format_note_canon},
    {ifd_type_mn_canon_face_detect, "Canon Face Detect 1", nullptr, format_note_canon},
    {ifd_type_mn_canon_af_info2, "Canon AF Info 2", nullptr, format_note_canon},
    {ifd_type_mn_canon_time_info, "Canon Time Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_file_info, "Canon File Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_crop_info, "Canon Crop Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_aspect_info, "Canon Aspect Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_processing, "Canon Processing", nullptr, format_note_canon},
    {ifd_type_mn_canon_sensor_info, "Canon Sensor Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_color_info, "Canon Color Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_af_micro_adj, "Canon AF Micro Adjustment", nullptr, format_note_canon},
    {ifd_type_mn_canon_lighting_opt, "Canon Lighting Optimizer", nullptr, format_note_canon},
    {ifd_type_mn_canon_multi_exp, "Canon Multiple Exposure", nullptr, format_note_canon},
    {ifd_type_mn_canon_hdr_info, "Canon HDR Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_af_config, "Canon AF Config", nullptr, format_note_canon},
    {ifd_type_mn_nikon, "Maker Note (Nikon)", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_vr_info, "Nikon VR Info", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_picture_control, "Nikon Picture Control", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_world_time, "Nikon World Time", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_iso_info, "Nikon ISO Info", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_hdr_info, "Nikon HDR Info", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_location_info, "Nikon Location Info", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_af_info, "Nikon AF Info", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_lens_data00, "Nikon Lens Data 0100", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_lens_data01, "Nikon Lens Data 0101", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_flash_info, "Nikon Flash Info", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_multi_exposure, "Nikon Multi Exposure", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_file_info, "Nikon File Info", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_af_tune, "Nikon AF Tune", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_retouch_info, "Nikon Retouch Info", nullptr, format_note_nikon},
    {ifd_type_mn_fujifilm, "Maker Note (Fujifilm)", nullptr, format_note_fujifilm},
    {ifd_type_mn_olympus, "Maker Note (Olympus)", nullptr, format_note_olympus},
    {ifd_type_mn_olympus_equipment, "Olympus Equipment", nullptr, format_note_olympus},
    {ifd_type_mn_olympus_camera_settings, "Olympus Camera Settings", nullptr, format_note_olympus},
    {ifd_type_mn_olympus_raw_development, "Olympus Raw Development", nullptr, format_note_olympus},
    {ifd_type_mn_olympus_image_processing, "Olympus Image Processing", nullptr, format_note_olympus},
    {ifd_type_mn_olympus_focus_info, "Olympus Focus Info", nullptr, format_note_olympus},
    {ifd_type_packet, "XMP and IPTC", format_field_generic, nullptr},
    {ifd_type_mn_canon_af_info, "Canon AF Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_color_balance, "Canon Color Balance", nullptr, format_note_canon},
    {ifd_type_mn_canon_ps_info, "Canon Picture Styles", nullptr, format_note_canon},
    {ifd_type_mn_canon_ps_info2, "Canon Picture Styles 2", nullptr, format_note_canon},
    {ifd_type_mn_nikon_flash_info3, "Nikon Flash Info 0103", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_af_info2, "Nikon AF Info 2", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_face_detect, "Nikon Face Detect", nullptr, format_note_nikon},
    {ifd_type_mn_nikon_flash_info6, "Nikon Flash Info 0106", nullptr, format_note_nikon},
    {ifd_type_mn_canon_lens_info, "Canon Lens Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_measured_color, "Canon Measured Color", nullptr, format_note_canon},
    {ifd_type_mn_canon_face_detect2, "Canon Face Detect 2", nullptr, format_note_canon},
    {ifd_type_mn_canon_face_detect3, "Canon Face Detect 3", nullptr, format_note_canon},
    {ifd_type_mn_canon_contrast_info, "Canon Contrast Info", nullptr, format_note_canon},
    {ifd_type_mn_canon_ambience, "Canon Ambience", nullptr, format_note_canon},
    {ifd_type_mn_canon_vignetting_corr2, "Canon Vignetting Correction 2", nullptr, format_note_canon},
    {ifd_type_mn_canon_preview_info, "Canon Preview Image Info", nullptr, format_note_canon},
    {ifd_type_mn_nikon_distort_info, "Nikon Distort Info", nullptr, format_note_nikon},
    {ifd_type_mn_sony, "Maker Note (Sony)", nullptr, format_note_sony},
    {ifd_type_mn_sony_shot_info, "Sony Shot Info", nullptr, format_note_sony},
    {ifd_type_mn_sony_af_points, "Sony Focal Plane AF", nullptr, format_note_sony},
    {ifd_type_mn_sony_panorama, "Sony Panorama", nullptr, format_note_sony},
    {ifd_type_mn_sony_ericsson, "Maker Note (Sony Ericsson)", nullptr, format_note_sony},
    {ifd_type_mn_panasonic, "Maker Note (Panasonic)", nullptr, format_note_panasonic},
    {ifd_type_mn_panasonic_face_det, "Panasonic Face Det Info", nullptr, format_note_panasonic},
    {ifd_type_mn_panasonic_face_rec, "Panasonic Face Rec Info", nullptr, format_note_panasonic},
    {ifd_type_mn_panasonic_time_info, "Panasonic Time Info", nullptr, format_note_panasonic},
    {ifd_type_mn_apple, "Maker Note (Apple)", nullptr, format_note_apple},
    {ifd_type_mn_apple_run_time, "Apple Run Time", nullptr, format_note_apple},
    {ifd_type_mn_samsung, "Maker Note (Samsung)", nullptr, format_note_samsung},
    {ifd_type_mn_samsung_picture_wizard, "Samsung Picture Wizard", nullptr, format_note_samsung},
    {ifd_type_mn_pentax, "Maker Note (Pentax)", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_lens_rec, "Pentax Lens Rec", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_sr_info, "Pentax SR Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_face_info, "Pentax Face Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_time_info, "Pentax Time Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_camera_settings, "Pentax Camera Settings", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_ae_info, "Pentax AE Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_lens_data, "Pentax Lens Data", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_flash_info, "Pentax Flash Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_camera_info, "Pentax Camera Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_battery_info, "Pentax Battery Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_af_info, "Pentax AF Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_kelvin_wb, "Pentax Kelvin WB", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_color_info, "Pentax Color Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_ev_step_info, "Pentax EV Step Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_shot_info, "Pentax Shot Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_face_pos, "Pentax Face Pos", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_face_size, "Pentax Face Size", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_filter_info, "Pentax Filter Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_level_info, "Pentax Level Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_wb_levels, "Pentax WB Levels", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_lens_info_q, "Pentax Lens Info Q", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_pixel_shift, "Pentax Pixel Shift Info", nullptr, format_note_pentax},
    {ifd_type_mn_pentax_af_point_info, "Pentax AF Point Info", nullptr, format_note_pentax},
};
// clang-format on

// Every IFD type has its row, at its own index.
constexpr bool rows_complete()
{
    if (sizeof ifd_formats / sizeof ifd_formats[0] != ifd_type_count)
        return false;
    for (int32_t i = 0; i < ifd_type_count; i++)
        if (ifd_formats[i].ifd_type != i)
            return false;
    return true;
}
static_assert(rows_complete(), "one row per IFD type, in type order");

constexpr value_formatting standard_formatting = {format_entry_value, ifd_type_name};

}  // namespace

const char *ifd_type_name(int32_t ifd_type) { return ifd_formats[ifd_type].name; }

void format_entry_value(const walked_entry &value, char *text)
{
    const ifd_field_defn_row &row = *value.row;
    if (exif_opts_p->raw) {
        format_field_raw(value.ctx, value.data_type, value.count, text);
    } else if (!field_row_type_matches(value.data_type, row)) {
        if (file_messages_named())
            file_warning("unexpected data type for field '%s', expected %s, actual %s", row.description,
                         expected_type_name(row.data_type), data_type_names[value.data_type]);
        else
            warn("Warning: file %s: Unexpected data type for field '%s', expected %s, actual %s.\n",
                 value.store->file_name, row.description, expected_type_name(row.data_type),
                 data_type_names[value.data_type]);
        format_field_basic(value.ctx, value.data_type, value.count, text);
    } else if (row.count != 0 && row.count != value.count) {
        if (file_messages_named())
            file_warning("unexpected data repeat count for field '%s', expected %d, actual %d",
                         row.description, static_cast<int>(row.count), static_cast<int>(value.count));
        else
            warn("Warning: file %s - Unexpected data repeat count for field '%s', expected %d, actual %d\n",
                 value.store->file_name, row.description, static_cast<int>(row.count), static_cast<int>(value.count));
        format_field_basic(value.ctx, value.data_type, value.count, text);
    } else if (!(profile_of(value.ctx).newer_fields && is_standard_ifd(value.ifd_type) &&
                 format_extended_field(value.ctx, value.tag, value.data_type, value.count, text))) {
        const ifd_format_row &format = ifd_formats[value.ifd_type];
        if (format.note_format != nullptr)
            format.note_format(value, text);
        else
            format.format(value.ctx, value.tag, value.data_type, value.count, value.store->model_code, text);
    }
}

int extract_exif_fields(const char *dir_name, const char *file_name, const reading_profile &profile,
                        ifd_field_store **result, int sort)
{
    return read_exif_fields(dir_name, file_name, standard_formatting, profile, result, sort);
}
