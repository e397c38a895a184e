#include "exif/field_row.h"

#include "exif/exif_options.h"
#include "exif/extended_field_defs.h"
#include "exif/ifd_types.h"

namespace {

// The last row of the main table with the tag in a standard IFD type, or nullptr.
const ifd_field_defn_row *find_standard_main_row(uint32_t tag)
{
    const ifd_field_defn_row *found = nullptr;
    for (int i = 0; ifd_field_defn[i].tag != field_defn_end_tag; i++)
        if (ifd_field_defn[i].tag == tag && is_standard_ifd(ifd_field_defn[i].ifd_type))
            found = &ifd_field_defn[i];
    return found;
}

}  // namespace

const ifd_field_defn_row &find_field_row(int32_t ifd_type, uint32_t tag)
{
    const ifd_field_defn_row &main_row = ifd_field_defn[find_field_defn_by_tag(ifd_type, tag)];
    if (!exif_opts_p->extended || main_row.ifd_type == ifd_type)
        return main_row;
    if (const ifd_field_defn_row *row = find_extended_defn(ifd_type, tag))
        return *row;
    if (!is_standard_ifd(ifd_type) || is_standard_ifd(main_row.ifd_type))
        return main_row;
    // In a standard IFD a maker note's row of the same number names another
    // field: a standard row of another IFD type names it instead, or none.
    if (const ifd_field_defn_row *row = find_standard_main_row(tag))
        return *row;
    if (const ifd_field_defn_row *row = find_extended_defn_by_tag(tag))
        return *row;
    return ifd_field_defn[field_defn_unknown];
}

ifd_field_defn_row *find_field_row_by_nickname(const char *nickname)
{
    int row = find_field_defn_by_nickname(nickname);
    if (row >= 0)
        return &ifd_field_defn[row];
    return exif_opts_p->extended && nickname != nullptr ? find_extended_defn_by_nickname(nickname) : nullptr;
}

bool is_unknown_field_row(const ifd_field_defn_row &row) { return &row == &ifd_field_defn[field_defn_unknown]; }

int field_row_type_matches(uint32_t data_type, const ifd_field_defn_row &row)
{
    return extended_type_matches(data_type, row.data_type);
}

bool is_standard_ifd(int32_t ifd_type)
{
    switch (ifd_type) {
    case ifd_type_camera:
    case ifd_type_image:
    case ifd_type_thumbnail:
    case ifd_type_interop:
    case ifd_type_gps:
    case ifd_type_tiff_sub_ifd:
        return true;
    default:
        return false;
    }
}
