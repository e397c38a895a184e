#include "frontend/selected_columns.h"

#include "exif/extended_field_defs.h"
#include "exif/field_row.h"
#include "exif/ifd_types.h"
#include "exif/maker_tables.h"
#include "exif/packet_fields.h"
#include "frontend/options.h"

const char *pseudo_field_text(const pseudo_field &field, const ifd_field_store *store)
{
    switch (field.source) {
    case pseudo_source::path_name:
        return store->path_name;
    case pseudo_source::dir_name:
        return store->dir_name;
    case pseudo_source::file_name:
        return store->file_name;
    case pseudo_source::file_size:
        break;
    }
    return nullptr;
}

int selected_rows(const ifd_field_defn_row *rows[max_list_columns])
{
    for (int column = 0; column < max_list_columns; column++)
        rows[column] = nullptr;
    int last = 0;
    auto note_row = [&](const ifd_field_defn_row &row) {
        const int32_t column = row.list_column;
        if (column < 0 || column >= max_list_columns)
            return;
        rows[column] = &row;
        if (column > last)
            last = column;
    };
    for (int i = 0; ifd_field_defn[i].tag != field_defn_end_tag; i++)
        note_row(ifd_field_defn[i]);
    for (const ifd_field_defn_row &row : extended_field_defn)  // selected only with -e
        note_row(row);
    for (std::span<ifd_field_defn_row> table : maker_tables)  // the same
        for (const ifd_field_defn_row &row : table)
            note_row(row);
    return last;
}

void collect_columns(const ifd_field_store *store, column_set *columns)
{
    *columns = {};
    for (uint32_t i = 0; i < store->count && i < static_cast<uint32_t>(max_fields); i++) {
        const ifd_field &f = store->fields[i];
        const ifd_field_defn_row &row = find_field_row(f.ifd_type, f.tag, run_profile().newer_fields);
        const int32_t column = row.list_column;
        if (column < 0 || column >= max_list_columns)
            continue;
        columns->value[column] = f.display_value;
        columns->row[column] = &row;
        if (column > columns->last)
            columns->last = column;
    }
    // The fields chosen from XMP and IPTC (selected only with -e).
    for (const ifd_field_defn_row &row : extended_field_defn) {
        const int32_t column = row.list_column;
        if (row.ifd_type != ifd_type_packet || column < 0 || column >= max_list_columns)
            continue;
        const char *value = packet_field_value(row.tag);
        if (value == nullptr)
            continue;
        columns->value[column] = value;
        columns->row[column] = &row;
        if (column > columns->last)
            columns->last = column;
    }
}
