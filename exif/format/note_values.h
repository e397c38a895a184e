// What the maker-note formatters share: the text of one value of a maker
// group, named by the group's value tables where they name it.
#pragma once
#include <cstdint>
#include <span>

#include "exif/entry_text.h"
#include "exif/format/value_labels.h"

// The value tables of one group, in tag order.
struct group_values {
    int32_t ifd_type;
    std::span<const labels::tag_values> tags;
};

// A single number that the group's tables name prints as its name (an unnamed
// one as the table's fallback); anything else as format_field_basic prints it.
void format_note_value(const walked_entry &value, std::span<const group_values> groups, char *text);

// As format_note_value, but BYTE and SBYTE values the tables do not name print
// as decimal numbers, as the makers of numeric byte records mean them.
void format_note_number(const walked_entry &value, std::span<const group_values> groups, char *text);

// Text a maker stores as UNDEFINED bytes: its printable characters, the NULs
// and other bytes around them left out.
void format_note_text(const walked_entry &value, char *text);

// The maker-note formatters, one per maker; value.ifd_type is one of its groups.
void format_note_canon(const walked_entry &value, char *text);
void format_note_nikon(const walked_entry &value, char *text);
void format_note_fujifilm(const walked_entry &value, char *text);
void format_note_olympus(const walked_entry &value, char *text);
void format_note_sony(const walked_entry &value, char *text);
void format_note_panasonic(const walked_entry &value, char *text);
void format_note_apple(const walked_entry &value, char *text);
void format_note_samsung(const walked_entry &value, char *text);
void format_note_pentax(const walked_entry &value, char *text);
