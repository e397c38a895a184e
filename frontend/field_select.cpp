#include "frontend/field_select.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "exif/extended_field_defs.h"
#include "exif/field_defs.h"
#include "exif/field_row.h"
#include "exif/maker_tables.h"
#include "frontend/options.h"
#include "frontend/selected_columns.h"
#include "support/run_options.h"
#include "support/text_copy.h"
#include "support/tokenizer.h"
#include "support/trace.h"

namespace {

void clear_selection()
{
    for (int i = 0; ifd_field_defn[i].tag != field_defn_end_tag; i++)
        ifd_field_defn[i].list_column = -1;
    for (ifd_field_defn_row &row : extended_field_defn)
        row.list_column = -1;
    for (std::span<ifd_field_defn_row> table : maker_tables)
        for (ifd_field_defn_row &row : table)
            row.list_column = -1;
    for (const pseudo_field &p : pseudo_fields)
        opts.*p.flag = 0;
    opts.gps_position = 0;
    opts.all_fields = 0;
}

// The names only the typed styles (-o j, -o d) know: the decimal GPS
// position, and with -o j every field. False for any other name.
bool select_typed_field(const char *name)
{
    constexpr struct {
        const char *name;
        int32_t bit;
    } gps_names[] = {{"gps_lat", gps_position_lat}, {"gps_lon", gps_position_lon}, {"gps_alt", gps_position_alt}};
    if (opts.typed_style == 0)
        return false;
    for (const auto &g : gps_names) {
        if (strcmp(name, g.name) == 0) {
            opts.gps_position |= g.bit;
            return true;
        }
    }
    if (opts.typed_style == 'j' && strcmp(name, "all") == 0) {
        opts.all_fields = 1;
        return true;
    }
    return false;
}

// Sets the flag of a pseudo-field name; false when the name is none of them.
bool select_pseudo_field(const char *name)
{
    for (const pseudo_field &p : pseudo_fields) {
        if (strcmp(name, p.list_name) == 0) {
            opts.*p.flag = 1;
            return true;
        }
    }
    return false;
}

bool any_pseudo_field()
{
    for (const pseudo_field &p : pseudo_fields)
        if (opts.*p.flag)
            return true;
    return false;
}

}  // namespace

void get_string_from_file(const char *name, char *buffer, size_t size)
{
    trace("Opening file %s\n", name);
    if (size == 0)
        return;
    buffer[0] = '\0';
    const bool from_stdin = name[0] == '-';
    FILE *fp = from_stdin ? stdin : fopen(name, "r");
    if (fp == nullptr) {
        fprintf(stderr, "Error: Can't open file list file %s: %s\n", name, strerror(errno));
        return;
    }
    size_t got = fread(buffer, 1, size - 1, fp);
    trace("%s: items read = %d\n", name, static_cast<int>(got));
    buffer[got] = '\0';
    if (!from_stdin)
        fclose(fp);
}

int set_list_fields(const char *list)
{
    clear_selection();
    char text[list_text_size];
    if (list[0] == '@')
        get_string_from_file(list + 1, text, list_file_size);
    else
        copy_text(text, sizeof text, list);

    char *cursor = text;
    const char *end = text + strlen(text);
    int column = 0;
    const char *name = get_next_name(&cursor, end, '"');
    while (name[0] != '\0' && column < max_list_columns) {
        trace("processing field %s, column %d\n", name, column);
        ifd_field_defn_row *row = find_field_row_by_nickname(name, run_profile().newer_fields);
        if (row != nullptr && row->list_column == -1) {
            trace("Setting field %s to column %d\n", name, column);
            row->list_column = column++;
        } else if (row != nullptr) {
            warn("Warning: Duplicate field name '%s' ignored\n", name);
        } else if (!select_pseudo_field(name) && !select_typed_field(name)) {
            warn("Warning: Unknown field name '%s' ignored.\n", name);
        }
        name = get_next_name(&cursor, end, '"');
    }
    if (name[0] != '\0')
        warn("Warning: More than %d fields specified, remainder ignored\n", max_list_columns);
    if (column == 0 && !any_pseudo_field() && opts.gps_position == 0 && opts.all_fields == 0) {
        fprintf(stderr, "Error: No valid fields names specified.\n");
        return 1;
    }
    return 0;
}
