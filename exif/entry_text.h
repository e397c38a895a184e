// How the walk turns an entry's value into text. The reader knows where each
// value lies; what it means is the formatters' business (exif/format/), which
// hand the reader these functions when they ask it to read a file.
#pragma once
#include <cstdint>

#include "exif/buf_context.h"
#include "exif/field_defs.h"
#include "exif/field_store.h"

// One entry's value, as the walk found it.
struct walked_entry {
    buf_context *ctx;  // the value's own context: its cursor stands on the value's first byte
    const ifd_field_store *store;
    int32_t ifd_type;
    const ifd_field_defn_row *row;  // the entry's row in the definition tables
    uint32_t tag;
    uint32_t data_type;
    uint32_t count;
};

struct value_formatting {
    // Writes the value's text, at most 499 characters, into text.
    void (*format_entry)(const walked_entry &value, char *text);
    // The name of an IFD type, as listings head its group.
    const char *(*ifd_type_name)(int32_t ifd_type);
};
