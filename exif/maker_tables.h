// The tag tables of the maker notes read with -e, one file per maker
// (maker_table_<maker>.cpp), and what hangs from each maker's note IFD.
//
// Rows in the layout of the main table (exif/field_defs.h), grouped by IFD
// type (a group of exif/ifd_types.h), each group in tag order. In a group of
// settings (note_array) the tag is the value's index in its record and the
// data type and count are those the value is read as; in an IFD group the
// data type is data_type_any.
#pragma once
#include <cstdint>
#include <span>

#include "exif/field_defs.h"
#include "exif/maker_notes.h"

// Any stored data type: the maker decides what it writes.
constexpr uint32_t data_type_any = 18;

extern const maker_links canon_links;
extern const maker_links nikon_links;
extern const maker_links fujifilm_links;
extern const maker_links olympus_links;
extern const maker_links sony_links;
extern const maker_links panasonic_links;
extern const maker_links apple_links;
extern const maker_links samsung_links;
extern const maker_links pentax_links;

// Each maker's rows; only list_column changes at run time.
extern const std::span<ifd_field_defn_row> canon_rows;
extern const std::span<ifd_field_defn_row> nikon_rows;
extern const std::span<ifd_field_defn_row> fujifilm_rows;
extern const std::span<ifd_field_defn_row> olympus_rows;
extern const std::span<ifd_field_defn_row> sony_rows;
extern const std::span<ifd_field_defn_row> panasonic_rows;
extern const std::span<ifd_field_defn_row> apple_rows;
extern const std::span<ifd_field_defn_row> samsung_rows;
extern const std::span<ifd_field_defn_row> pentax_rows;

// All makers' rows, table by table.
extern const std::span<const std::span<ifd_field_defn_row>> maker_tables;

// The row of a tag a maker group does not know: listed as unknown, of whatever type it is.
extern const ifd_field_defn_row maker_unknown_row;

// True for the groups of these tables.
bool is_maker_group(int32_t ifd_type);
// The row of tag within a maker group, or nullptr.
ifd_field_defn_row *find_maker_defn(int32_t ifd_type, uint32_t tag);
// The row whose nickname equals the text exactly, or nullptr.
ifd_field_defn_row *find_maker_defn_by_nickname(const char *nickname);
