// The SQL style (-o s): one INSERT statement per file into the table pictures.
#pragma once
#include "exif/field_store.h"
#include "frontend/selected_columns.h"

void print_field_sql(const ifd_field_store *store);

// How an INSERT statement names the pseudo-fields and writes texts and the
// values of EXIF fields; the SQL script (-o d) differs from -o s in all three.
struct insert_rules {
    const char *(*pseudo_name)(const pseudo_field &field);
    void (*print_text)(const char *text);  // as a string literal
    void (*print_value)(const char *text, const ifd_field_defn_row &row);
};

// Prints the INSERT statement of a file's selected pseudo-fields and of the
// EXIF columns it has values for, and an empty line.
void print_insert(const ifd_field_store *store, const column_set &columns, const insert_rules &rules);
