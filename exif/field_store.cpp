#include "exif/field_store.h"

#include "exif/file_scan.h"

ifd_field_store ifd_fields;

const char *find_field_value(const ifd_field_store *store, int32_t ifd_type, uint32_t tag)
{
    for (uint32_t i = 0; i < store->count; i++) {
        const ifd_field &f = store->fields[i];
        if (f.tag == tag && (ifd_type == any_ifd_type || f.ifd_type == ifd_type))
            return f.display_value;
    }
    return nullptr;
}

uint32_t field_capacity() { return scan.profile->newer_fields ? max_fields : max_fields_per_file; }
