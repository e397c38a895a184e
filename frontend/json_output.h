// The JSON Lines style (-o j): one JSON object per file, one line each, with
// the columns of the list style under the names of its header.
#pragma once
#include "exif/field_store.h"

void print_field_json(const ifd_field_store *store);
