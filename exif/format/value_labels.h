// "value -> text" tables of the formatters, and their lookups.
#pragma once
#include <cstdint>
#include <span>

#include "exif/format/format_text.h"

namespace labels {

struct value_label {
    uint32_t value;
    const char *label;
};

// The decoded settings of one tag: its value table and the fallback, a printf
// format taking the value as its one unsigned argument (%d only for 16-bit values).
struct tag_values {
    uint32_t tag;
    std::span<const value_label> values;
    const char *fallback;
};

// The label of value, or nullptr when the table has no row for it.
const char *find_label(std::span<const value_label> table, uint32_t value);
// The row of tag, or nullptr.
const tag_values *find_tag(std::span<const tag_values> tags, uint32_t tag);
// The same, by binary search, for a table in tag order (see in_tag_order).
const tag_values *find_tag_in_order(std::span<const tag_values> tags, uint32_t tag);

// True when the rows stand in increasing tag order; for static_assert.
constexpr bool in_tag_order(std::span<const tag_values> tags)
{
    for (size_t i = 1; i < tags.size(); i++)
        if (tags[i - 1].tag >= tags[i].tag)
            return false;
    return true;
}
// Appends the label of value, or the fallback printed with it.
void append_value_text(format_text &out, std::span<const value_label> table, uint32_t value, const char *fallback);

}  // namespace labels
