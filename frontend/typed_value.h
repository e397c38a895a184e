// Typed values for the outputs that databases and scripts query (-o j, -o d):
// each column has one type, and its numbers come from the numbers the file
// stores, not from the rounded text the listing shows.
#pragma once
#include <cstddef>
#include <cstdint>

#include "exif/field_defs.h"
#include "exif/field_store.h"
#include "exif/packet_store.h"

enum class column_type { integer, real, text };

// The type of a field's column, the same in every file: text for texts,
// dates, codes with names, maker-note fields and fields whose row allows
// other than one number (but GPS positions, which become decimal degrees);
// else a number.
column_type type_of_row(const ifd_field_defn_row &row);

struct typed_value {
    enum kind_t { null, integer, real, text } kind;
    int64_t whole;
    double number;
    const char *chars;  // text: the bytes, not terminated
    size_t length;
    char own[48];  // room for texts made here (ISO dates)
    const packet_property *items;  // a list's items (the keywords), else nullptr
};

// The field's value as its column type asks. A number column whose value is
// stored as text or as several numbers takes the text when it reads as one
// number (or a fraction a/b); otherwise the value is null after a warning that
// names the file. `offset` is the file's stored time offset of a date, or nullptr.
void type_field(const ifd_field_store *store, const ifd_field &field, const ifd_field_defn_row &row, column_type type,
                const char *offset, typed_value *value);

// A field chosen from XMP and IPTC (ifd_type_packet): its text, the list of
// the keywords, or a number read from the text (null after a warning naming
// the file when it is none).
void type_packet_field(const ifd_field_defn_row &row, column_type type, typed_value *value);

// Decimal degrees of a stored GPS position (three rationals), false when it
// is not stored so or a denominator is 0.
bool gps_degrees(const ifd_field_store *store, const ifd_field &field, double *degrees);
// A single stored number (integer, rational, float or double) as a double.
bool stored_number(const ifd_field_store *store, const ifd_field &field, double *value);

