#include "exif/maker_tables.h"

#include <algorithm>
#include <cstring>

#include "exif/ifd_types.h"

namespace {

const std::span<ifd_field_defn_row> tables[] = {canon_rows, nikon_rows, fujifilm_rows, olympus_rows,
                                                sony_rows,  panasonic_rows, apple_rows, samsung_rows, pentax_rows};

// Each group's rows in tag order, found once (the walk asks for every entry's row).
struct group_rows {
    ifd_field_defn_row *first = nullptr, *end = nullptr;
};

const group_rows &rows_of(int32_t ifd_type)
{
    static group_rows groups[ifd_type_count];
    static bool indexed = false;
    if (!indexed) {
        for (std::span<ifd_field_defn_row> table : tables)
            for (ifd_field_defn_row &row : table) {
                group_rows &group = groups[row.ifd_type];
                if (group.first == nullptr)
                    group.first = &row;
                group.end = &row + 1;
            }
        indexed = true;
    }
    return groups[ifd_type];
}

}  // namespace

const std::span<const std::span<ifd_field_defn_row>> maker_tables = tables;

constinit const ifd_field_defn_row maker_unknown_row = {
    0xffff, ifd_type_unknown, "unknown", "Unknown Field Tag", data_type_any, 0, 0, -1, 1, 0};

// The groups run from Canon's to the last, but for the packet's type among them;
// one unsigned comparison turns away the standard IFDs, which nearly every entry asks about.
static_assert(ifd_type_mn_olympus_focus_info + 1 == ifd_type_packet && ifd_type_packet + 1 < ifd_type_count);
bool is_maker_group(int32_t ifd_type)
{
    constexpr uint32_t groups = ifd_type_count - ifd_type_mn_canon;
    return static_cast<uint32_t>(ifd_type) - ifd_type_mn_canon < groups && ifd_type != ifd_type_packet;
}

ifd_field_defn_row *find_maker_defn(int32_t ifd_type, uint32_t tag)
{
    if (!is_maker_group(ifd_type))
        return nullptr;
    const group_rows &group = rows_of(ifd_type);
    ifd_field_defn_row *row = std::lower_bound(group.first, group.end, tag,
                                               [](const ifd_field_defn_row &r, uint32_t t) { return r.tag < t; });
    return row != group.end && row->tag == tag ? row : nullptr;
}

ifd_field_defn_row *find_maker_defn_by_nickname(const char *nickname)
{
    for (std::span<ifd_field_defn_row> table : tables)
        for (ifd_field_defn_row &row : table)
            if (strcmp(row.nickname, nickname) == 0)
                return &row;
    return nullptr;
}
