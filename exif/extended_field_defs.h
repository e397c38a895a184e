// The fields of newer cameras and of TIFF and DNG files, read with -e.
//
// Rows in the layout of the main table (exif/field_defs.h), kept apart from it
// so that its 294 rows, their order and every lookup that depends on them stay
// as they are without -e. Grouped by IFD type, then by tag. A tag the main
// table has for an IFD type has no row here for the same IFD type.
#pragma once
#include <cstdint>
#include <span>

#include "exif/field_defs.h"

// Data types that the standards allow more than one of; codes past the main
// table's 13, used only in these rows.
constexpr uint32_t data_type_short_long_rational = 14;
constexpr uint32_t data_type_byte_or_short = 15;
constexpr uint32_t data_type_short_or_rational = 16;
constexpr uint32_t data_type_any_number = 17;  // the type of the samples it describes

// EXIF 3.0 stores UTF-8 text under its own type code; with -e it is read as
// ASCII text is.
constexpr uint32_t data_type_utf8 = 129;

constexpr int extended_field_rows = 443;

// Only list_column changes at run time (field selection rewrites it).
extern ifd_field_defn_row extended_field_defn[extended_field_rows];

// The row of tag within ifd_type, or nullptr.
ifd_field_defn_row *find_extended_defn(int32_t ifd_type, uint32_t tag);
// The row whose nickname equals the text exactly, or nullptr.
ifd_field_defn_row *find_extended_defn_by_nickname(const char *nickname);

// 1 when an entry stored with data_type is acceptable where expected is the
// type of a row of either table (codes 1..17).
int extended_type_matches(uint32_t data_type, uint32_t expected);
// The name of an expected type of either table (codes 0..17), for warnings.
const char *expected_type_name(uint32_t expected);
