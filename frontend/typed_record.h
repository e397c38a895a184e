// The record a file gives in the typed outputs (-o j, -o d): the columns of
// the run, fixed before the first file, and one file's typed values in them.
#pragma once
#include "exif/field_store.h"
#include "frontend/field_select.h"
#include "frontend/typed_value.h"

enum class typed_source { path_name, dir_name, file_name, file_size, field, gps_lat, gps_lon, gps_alt, error };

struct typed_column {
    typed_source source;
    const ifd_field_defn_row *row;  // the field's row, for typed_source::field
    column_type type;
    char name[40];  // the -l name with '-' turned into '_'
};

// The full path, the other selected pseudo-fields, the EXIF fields by column,
// the decimal GPS position, and the error message.
constexpr int max_typed_columns = 4 + max_list_columns + 3 + 1;

struct typed_columns {
    typed_column column[max_typed_columns];
    int count;
};

// Whether the column holds a list (the keywords), whose items -o j writes
// as an array and -o d as rows of a table of their own.
bool is_list_column(const typed_column &column);

// Fixes the columns from the field selection; call before the first file.
void prepare_typed_columns();
const typed_columns &run_typed_columns();

// The file's values by column; `error` is nullptr for a file that was read,
// else the message, and its EXIF columns are null.
void type_record(const ifd_field_store *store, const char *error, typed_value values[max_typed_columns]);

// The name of a group of fields in -o j -f all: "camera", "gps", "maker_note_canon" ...
const char *group_key(int32_t ifd_type);
// A field's key within its group: its -l name with '_' for '-', or its tag
// number ("0x9011") when it has no name.
void field_key(const ifd_field &field, const ifd_field_defn_row &row, char *key, size_t size);

// The typed value of any field of the file (-o j -f all), its column type
// given by its row.
void type_any_field(const ifd_field_store *store, const ifd_field &field, typed_value *value);

// Prints an integer or real value; both styles write numbers alike.
void print_typed_number(const typed_value &value);
