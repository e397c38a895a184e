// Output styles and per-file actions of the front end.
#pragma once
#include "exif/field_store.h"

void print_exif_fields(const ifd_field_store *store);
void print_field_list(const ifd_field_store *store);
void print_field_sql(const ifd_field_store *store);
void print_field_list_header();
[[nodiscard]] int extract_thumbnail(const ifd_field_store *store);
// What a style prints before the first file (the list header, the SQL script's table and
// transaction) and after the last, also when the run stops early.
void start_output();
void end_output();
// Prints one file's fields in the style the options chose (or extracts its thumbnail).
void output_fields(const ifd_field_store *store);
// The record of a file that gave result code rc (support/errors.h) instead of
// its fields: the typed styles (-o j, -o d) write one for every file they report on.
void output_failed_file(const ifd_field_store *store, int rc);
// The same for a path whose status could not be read (errno error_number).
void output_unreadable_path(const char *dir_name, const char *file_name, int error_number);
