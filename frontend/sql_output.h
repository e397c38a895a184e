// The SQL style (-o s): one INSERT statement per file into the table pictures.
#pragma once
#include "exif/field_store.h"

void print_field_sql(const ifd_field_store *store);
