// The reader's entry point: tell the container from the file's first bytes,
// let its locator find the TIFF header, check it, walk the IFDs into
// ifd_fields and sort the records.
#pragma once
#include "exif/entry_text.h"
#include "exif/field_store.h"
#include "exif/reading_profile.h"

// Revision identification of the reader module (shown by -v and -d).
extern const char exif_rcs_id[];

// Reads the file into ifd_fields (*result points there), the values made text
// by `formatting`; sorted when sort is 1. Returns a result code of
// support/errors.h; a walk that stops early keeps what it gathered and counts
// as read.
[[nodiscard]] int read_exif_fields(const char *dir_name, const char *file_name, const value_formatting &formatting,
                                   const reading_profile &profile, ifd_field_store **result, int sort);
