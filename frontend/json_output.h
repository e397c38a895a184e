// The JSON Lines style (-o j): one JSON object per file, one line each, with
// the typed values of the run's columns (frontend/typed_record.h).
#pragma once
#include "exif/field_store.h"

// Writes the keys of the run's columns once; after prepare_typed_columns().
void prepare_json_keys();
// The file's record; `error` is nullptr for a file that was read, else the
// message of the failure, written as the member "error".
void print_record_json(const ifd_field_store *store, const char *error);
