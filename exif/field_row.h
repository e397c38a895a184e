// The definition row of a field: the main table's, or with newer_fields
// (extended reading) also one of the extended rows (exif/extended_field_defs.h).
#pragma once
#include <cstdint>

#include "exif/field_defs.h"

// The main table's row of tag within ifd_type when it has one; failing that
// its last row of the tag in any IFD type, or the unknown row. With newer_fields, an
// extended row of that IFD type comes first; and within the standard IFDs,
// where the main table's choice comes from a maker note or from the other set
// of tags (GPS or not), a row of the same set of tags (the main table's, then
// an extended one) or else the unknown row.
const ifd_field_defn_row &find_field_row(int32_t ifd_type, uint32_t tag, bool newer_fields);

// The row a -f field name selects: the main table's, or with newer_fields an
// extended row; nullptr when neither has the name.
ifd_field_defn_row *find_field_row_by_nickname(const char *nickname, bool newer_fields);

bool is_unknown_field_row(const ifd_field_defn_row &row);

// 1 when an entry stored with data_type is acceptable for the row, else 0.
int field_row_type_matches(uint32_t data_type, const ifd_field_defn_row &row);

// The IFDs of the TIFF and EXIF standards, where a tag means the same in each;
// maker notes give the same tags meanings of their own.
bool is_standard_ifd(int32_t ifd_type);
