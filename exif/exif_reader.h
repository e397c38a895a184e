// The reader's entry point: find the EXIF block of a JPEG file and fill ifd_fields.
#pragma once
#include "exif/buf_context.h"
#include "exif/field_store.h"

// Revision identification of the reader module (shown by -v and -d).
extern const char exif_rcs_id[];

int extract_exif_fields(const char *dir_name, const char *file_name,
                        ifd_field_store **result, int sort);
int find_exif_data(buf_context *ctx);
int extract_exif_record(buf_context *ctx, ifd_field_store *store);
int ifd_field_compare(const ifd_field *a, const ifd_field *b);
