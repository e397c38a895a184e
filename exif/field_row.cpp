#include "exif/field_row.h"

#include "exif/extended_field_defs.h"
#include "exif/ifd_types.h"
#include "exif/maker_tables.h"
#include "support/run_options.h"

namespace {

// IFD0, IFD1, the EXIF and interoperability IFDs and the TIFF sub-IFDs share
// one set of tags, in which a field may stand in the others' IFDs; the GPS IFD
// has a set of its own.
bool same_tag_set(int32_t a, int32_t b)
{
    return is_standard_ifd(a) && is_standard_ifd(b) && (a == ifd_type_gps) == (b == ifd_type_gps);
}

// The main table's last row with the tag in an IFD type of ifd_type's set of
// tags (the last, as the main table's own lookup takes); nullptr when none.
const ifd_field_defn_row *find_main_row_in_tag_set(int32_t ifd_type, uint32_t tag)
{
    const ifd_field_defn_row *found = nullptr;
    for (const ifd_field_defn_row &row : ifd_field_defn)
        if (row.tag == tag && same_tag_set(row.ifd_type, ifd_type))
            found = &row;
    return found;
}

}  // namespace

const ifd_field_defn_row &find_field_row(int32_t ifd_type, uint32_t tag, bool newer_fields)
{
    // The groups of the maker notes read with -e have their own tables alone.
    if (is_maker_group(ifd_type)) {
        const ifd_field_defn_row *row = find_maker_defn(ifd_type, tag);
        return row != nullptr ? *row : maker_unknown_row;
    }
    const ifd_field_defn_row &main_row = ifd_field_defn[find_field_defn_by_tag(ifd_type, tag)];
    if (!newer_fields || main_row.ifd_type == ifd_type)
        return main_row;
    if (const ifd_field_defn_row *row = find_extended_defn(ifd_type, tag))
        return *row;
    if (!is_standard_ifd(ifd_type) || same_tag_set(main_row.ifd_type, ifd_type))
        return main_row;
    // The main table's choice is a maker note's row, or a GPS row for a tag
    // outside the GPS IFD (or the reverse), which names another field: a row
    // of the same set of tags names it instead (the main table's, then an
    // extended one), or none.
    // (The main table holds no row of the tag at all when it gave the unknown row.)
    if (&main_row != &ifd_field_defn[field_defn_unknown])
        if (const ifd_field_defn_row *row = find_main_row_in_tag_set(ifd_type, tag))
            return *row;
    // The extended rows of the set's IFD types, in the table's order of groups.
    for (int32_t type : {ifd_type_camera, ifd_type_image, ifd_type_thumbnail, ifd_type_gps})
        if (same_tag_set(type, ifd_type))
            if (const ifd_field_defn_row *row = find_extended_defn(type, tag))
                return *row;
    return ifd_field_defn[field_defn_unknown];
}

ifd_field_defn_row *find_field_row_by_nickname(const char *nickname, bool newer_fields)
{
    int row = find_field_defn_by_nickname(nickname);
    if (row >= 0)
        return &ifd_field_defn[row];
    if (!newer_fields || nickname == nullptr)
        return nullptr;
    ifd_field_defn_row *extended = find_extended_defn_by_nickname(nickname);
    return extended != nullptr ? extended : find_maker_defn_by_nickname(nickname);
}

bool is_unknown_field_row(const ifd_field_defn_row &row)
{
    return &row == &ifd_field_defn[field_defn_unknown] || &row == &maker_unknown_row;
}

int field_row_type_matches(uint32_t data_type, const ifd_field_defn_row &row)
{
    // Most values have the very type their row names: a stored type of 2001
    // (1 to 12) names no set of types, so the full check can only agree.
    if (data_type == row.data_type && data_type - 1 < data_type_double)
        return 1;
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
