#include "exif/format/value_labels.h"

#include <algorithm>

namespace labels {

const char *find_label(std::span<const value_label> table, uint32_t value)
{
    for (const value_label &row : table)
        if (row.value == value)
            return row.label;
    return nullptr;
}

const tag_values *find_tag(std::span<const tag_values> tags, uint32_t tag)
{
    for (const tag_values &row : tags)
        if (row.tag == tag)
            return &row;
    return nullptr;
}

void append_value_text(format_text &out, std::span<const value_label> table, uint32_t value, const char *fallback)
{
    if (const char *label = find_label(table, value))
        out.append(label);
    else
        out.appendf(fallback, value);
}

const tag_values *find_tag_in_order(std::span<const tag_values> tags, uint32_t tag)
{
    auto row =
        std::lower_bound(tags.begin(), tags.end(), tag, [](const tag_values &t, uint32_t v) { return t.tag < v; });
    return row != tags.end() && row->tag == tag ? &*row : nullptr;
}

}  // namespace labels
