// The list style (-o l, -o lh): one line of separated values per file,
// optionally under one header line of field names.
#pragma once
#include "exif/field_store.h"

void print_field_list_header();
void print_field_list(const ifd_field_store *store);
