// What a list line or an SQL statement is made of: the selected pseudo-fields
// in their fixed order, then the selected EXIF fields by column.
#pragma once
#include <cstdint>

#include "exif/field_defs.h"
#include "exif/field_store.h"
#include "frontend/field_select.h"
#include "frontend/options.h"

enum class pseudo_source { path_name, dir_name, file_name, file_size };

struct pseudo_field {
    int32_t command_options::*flag;
    const char *list_name;  // the name -f takes, and the heading in the list style
    const char *sql_name;   // column name in the SQL style
    pseudo_source source;
};

// Printed first, in this order, wherever they stand in the field list. The
// full path goes into the SQL column "file-name", as the bare name does.
// clang-format off
constexpr pseudo_field pseudo_fields[] = {
    {&command_options::include_file_name_full, "file-name-full", "file-name", pseudo_source::path_name},
    {&command_options::include_file_dir, "file-dir", "file-dir", pseudo_source::dir_name},
    {&command_options::include_file_name, "file-name", "file-name", pseudo_source::file_name},
    {&command_options::include_file_size, "file-size", "file-size", pseudo_source::file_size},
};
// clang-format on

// The file's text for a pseudo-field; nullptr for file-size, a number.
const char *pseudo_field_text(const pseudo_field &field, const ifd_field_store *store);

struct column_set {
    const char *value[max_list_columns];              // nullptr: the file has no value there
    const ifd_field_defn_row *row[max_list_columns];  // the row the value came from
    int last;                                         // highest column with a value; 0 when none
};

// The rows of the selected EXIF fields by column, nullptr where none is; returns the highest
// column with a row, 0 when there is none. These are the columns of the list header.
int selected_rows(const ifd_field_defn_row *rows[max_list_columns]);

// Gathers a file's values by column; a later record replaces an earlier one.
void collect_columns(const ifd_field_store *store, column_set *columns);
