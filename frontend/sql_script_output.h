// The SQL script style (-o d): a script that creates the table pictures when
// it is missing and adds one row per file in a single transaction, ready to
// be piped into a database's command-line client.
#pragma once
#include "exif/field_store.h"

// CREATE TABLE IF NOT EXISTS with every selected column, then BEGIN TRANSACTION.
void print_sql_script_start();
// The file's INSERT statement; nothing for a file without a value in any selected column.
void print_field_sql_script(const ifd_field_store *store);
// COMMIT, once after print_sql_script_start: at the end of the run, or from
// the stop hook when the run ends early.
void print_sql_script_end();
