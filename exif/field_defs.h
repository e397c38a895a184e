// The table of known fields, and the two small tables about TIFF data types.
//
// Each row ties a tag, within one IFD type (exif/ifd_types.h), to the nickname
// the user selects it by, the description printed as its label, the data type
// and count it should have, and its output flags. The rows are in a fixed
// order that the lookups depend on: row 0 stands for any unknown tag, then the
// fields grouped by IFD type, then the end marker.
#pragma once
#include <cstdint>

struct ifd_field_defn_row {
    const uint32_t tag;          // field_defn_end_tag marks the end of the table
    const int32_t ifd_type;      // IFD type code
    const char *const nickname;  // lower case with hyphens; unique
    const char *const description;
    const uint32_t data_type;  // 1..12, or data_type_short_or_long
    const uint32_t count;      // expected count of values; 0 = any
    const int32_t opens_ifd;   // 1: the value is the offset of a nested IFD
    int32_t list_column;       // column in list and SQL output; -1: not output
    const int32_t sql_quote;   // 1: quoted in SQL output
    const int32_t is_date;     // 1 on the date/time fields
};

constexpr int field_defn_rows = 294;
constexpr int field_defn_unknown = 0;  // row of any tag the table does not know
constexpr int field_defn_end = field_defn_rows - 1;
constexpr uint32_t field_defn_end_tag = 0xFFFFFFFF;

// Only list_column changes at run time (field selection rewrites it).
extern ifd_field_defn_row ifd_field_defn[field_defn_rows];

// TIFF data type codes; 13 appears only in the definition table.
constexpr uint32_t data_type_byte = 1;
constexpr uint32_t data_type_ascii = 2;
constexpr uint32_t data_type_short = 3;
constexpr uint32_t data_type_long = 4;
constexpr uint32_t data_type_rational = 5;
constexpr uint32_t data_type_sbyte = 6;
constexpr uint32_t data_type_undefined = 7;
constexpr uint32_t data_type_sshort = 8;
constexpr uint32_t data_type_slong = 9;
constexpr uint32_t data_type_srational = 10;
constexpr uint32_t data_type_float = 11;
constexpr uint32_t data_type_double = 12;
constexpr uint32_t data_type_short_or_long = 13;
// BigTIFF's 64-bit integers: unsigned, signed, and an IFD's offset.
constexpr uint32_t data_type_long8 = 16;
constexpr uint32_t data_type_slong8 = 17;
constexpr uint32_t data_type_ifd8 = 18;
constexpr bool is_wide_integer_type(uint32_t data_type)
{
    return data_type >= data_type_long8 && data_type <= data_type_ifd8;
}
// The 32-bit type a 64-bit integer type stands in for where a field's type is checked.
constexpr uint32_t narrowed_type(uint32_t data_type)
{
    return data_type == data_type_slong8 ? data_type_slong : is_wide_integer_type(data_type) ? data_type_long : data_type;
}

// Bytes per value of data types 0..18 (types 0, 14 and 15 are never used; 13 is an IFD's offset).
extern const uint32_t field_lengths[19];
// Names of data types 0..18, for warnings.
extern const char *const data_type_names[19];

// The row of tag within ifd_type; failing that the last row with the tag in any
// IFD type; failing that field_defn_unknown. The end marker never matches.
int find_field_defn_by_tag(int32_t ifd_type, uint32_t tag);

// The first row whose nickname equals the text exactly (case matters), or -1.
// The end marker never matches.
int find_field_defn_by_nickname(const char *nickname);

// 1 when an entry stored with data_type is acceptable for the row, else 0.
int field_data_type_matches(uint32_t data_type, int row);
// The same rule for a row's expected data type (codes 1..13).
int data_type_matches(uint32_t data_type, uint32_t expected);
