// The order in which a file's records are shown.
#pragma once
#include "exif/field_store.h"

// Sorts the records by IFD type, then tag, keeping extraction order among
// equals, without allocating.
void sort_fields(ifd_field_store *store);
