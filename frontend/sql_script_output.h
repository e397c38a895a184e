// The SQL script style (-o d): a script that creates the table pictures when
// it is missing, keyed by the file's full path, and loads or updates one row
// per file in a single transaction, ready to be piped into the command-line
// client of SQLite (3.24 or later) or PostgreSQL.
#pragma once
#include "exif/field_store.h"

// CREATE TABLE IF NOT EXISTS with the run's typed columns, then BEGIN TRANSACTION.
void print_sql_script_start();
// The file's upsert; `error` is nullptr for a file that was read, else the
// message of the failure, which goes into the column error.
void print_record_sql_script(const ifd_field_store *store, const char *error);
// COMMIT, once after print_sql_script_start: at the end of the run, or from
// the stop hook when the run ends early.
void print_sql_script_end();
