#include "exif/field_store.h"

ifd_field_store ifd_fields;
