#include "exif/format/ifd_formats.h"

#include "exif/exif_reader.h"
#include "exif/extended_field_defs.h"
#include "exif/field_defs.h"
#include "exif/field_row.h"
#include "exif/format/format_extended.h"
#include "exif/format/formatters.h"
#include "exif/ifd_types.h"
#include "support/run_options.h"
#include "support/trace.h"

namespace {

struct ifd_format_row {
    int32_t ifd_type;
    const char *name;
    ifd_formatter format;
};

// One row per IFD type, in the order of the type codes.
// clang-format off
constexpr ifd_format_row ifd_formats[] = {
    {ifd_type_camera, "Camera   ", format_field_generic},
    {ifd_type_image, "Image    ", format_field_generic},
    {ifd_type_thumbnail, "Thumbnail", format_field_generic},
    {ifd_type_interop, "InterOp  ", format_field_generic},
    {ifd_type_olympus, "Maker Note (Olympus)", format_field_olymp},
    {ifd_type_nikon1, "Maker Note (Nikon models up to E950)", format_field_nikon1},
    {ifd_type_nikon2, "Maker Note (Nikon model E990 and above)", format_field_nikon2},
    {ifd_type_casio, "Maker Note (Casio)", format_field_casio},
    {ifd_type_canon, "Maker Note (Canon PowerShot)", format_field_canong1},
    {ifd_type_canon_s100, "Maker Note (Canon PowerShot S100)", format_field_canong1},
    {ifd_type_canon_d30, "Maker Note (Canon EOS D30)", format_field_canong1},
    {ifd_type_olympus_c2500l, "Maker Note (Olympus C2500L)", format_field_olymp},
    {ifd_type_fujifilm, "Maker Note (FujiFilm)", format_field_fujifilm},
    {ifd_type_gps, "GPS", format_field_gps},
    {ifd_type_minolta, "Maker Note (Minolta)", format_field_generic},
    {ifd_type_nikon_d1x, "Maker Note (Nikon D1X)", format_field_basic_ifd},
    {ifd_type_tiff_sub_ifd, "TIFF Sub-IFD", format_field_generic},
    {ifd_type_unknown, "Unknown  ", format_field_generic},
    {ifd_type_packet, "XMP and IPTC", format_field_generic},
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
        warn("Warning: file %s: Unexpected data type for field '%s', expected %s, actual %s.\n", value.store->file_name,
             row.description, expected_type_name(row.data_type), data_type_names[value.data_type]);
        format_field_basic(value.ctx, value.data_type, value.count, text);
    } else if (row.count != 0 && row.count != value.count) {
        warn("Warning: file %s - Unexpected data repeat count for field '%s', expected %d, actual %d\n",
             value.store->file_name, row.description, static_cast<int>(row.count), static_cast<int>(value.count));
        format_field_basic(value.ctx, value.data_type, value.count, text);
    } else if (!(exif_opts_p->extended && is_standard_ifd(value.ifd_type) &&
                 format_extended_field(value.ctx, value.tag, value.data_type, value.count, text))) {
        ifd_formats[value.ifd_type].format(value.ctx, value.tag, value.data_type, value.count, value.store->model_code,
                                           text);
    }
}

int extract_exif_fields(const char *dir_name, const char *file_name, ifd_field_store **result, int sort)
{
    return read_exif_fields(dir_name, file_name, standard_formatting, result, sort);
}
