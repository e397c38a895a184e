#include "frontend/typed_record.h"

#include <cstdio>
#include <cstring>

#include "exif/field_row.h"
#include "exif/format/ifd_formats.h"
#include "exif/ifd_types.h"
#include "exif/packet_fields.h"
#include "frontend/options.h"
#include "frontend/selected_columns.h"
#include "support/number_text.h"
#include "support/run_options.h"
#include "support/text_copy.h"

namespace {

typed_columns columns_of_run;

// The decimal GPS position: the tag of each value and of its reference.
struct gps_part {
    typed_source source;
    uint32_t tag;
    uint32_t ref_tag;
};
constexpr gps_part gps_parts[] = {{typed_source::gps_lat, 0x0002, 0x0001},
                                  {typed_source::gps_lon, 0x0004, 0x0003},
                                  {typed_source::gps_alt, 0x0006, 0x0005}};

// The stored time offset of each date (EXIF 2.31), read with -e only.
struct date_offset {
    uint32_t date_tag;
    uint32_t offset_tag;
};
constexpr date_offset date_offsets[] = {{0x0132, 0x9010}, {0x9003, 0x9011}, {0x9004, 0x9012}};

// Group keys by IFD type code (exif/ifd_types.h).
// clang-format off
constexpr const char *group_keys[ifd_type_count] = {
    "camera", "image", "thumbnail", "interop", "maker_note_olympus", "maker_note_nikon1", "maker_note_nikon2",
    "maker_note_casio", "maker_note_canon", "maker_note_canon_s100", "maker_note_canon_d30",
    "maker_note_olympus_c2500l", "maker_note_fujifilm", "gps", "maker_note_minolta", "maker_note_nikon_d1x",
    "tiff_sub_ifd", "unknown",
};
// clang-format on

void snake_name(const char *name, char *out, size_t size)
{
    copy_text(out, size, name);
    for (char *p = out; *p != '\0'; p++)
        if (*p == '-')
            *p = '_';
}

void add_column(typed_source source, const ifd_field_defn_row *row, column_type type, const char *name)
{
    typed_column &c = columns_of_run.column[columns_of_run.count++];
    c.source = source;
    c.row = row;
    c.type = type;
    snake_name(name, c.name, sizeof c.name);
}

const ifd_field *find_field(const ifd_field_store *store, int32_t ifd_type, uint32_t tag)
{
    for (uint32_t i = 0; i < store->count; i++)
        if (store->fields[i].tag == tag && store->fields[i].ifd_type == ifd_type)
            return &store->fields[i];
    return nullptr;
}

const char *date_offset_text(const ifd_field_store *store, const ifd_field_defn_row &row)
{
    if (!run_profile().newer_fields || !row.is_date)
        return nullptr;
    for (const date_offset &d : date_offsets) {
        if (d.date_tag != row.tag)
            continue;
        const ifd_field *offset = find_field(store, ifd_type_image, d.offset_tag);
        return offset != nullptr ? offset->display_value : nullptr;
    }
    return nullptr;
}

// A signed decimal coordinate or altitude: negative to the south and west,
// and below the altitude's reference.
bool gps_position(const ifd_field_store *store, typed_source source, double *value)
{
    for (const gps_part &part : gps_parts) {
        if (part.source != source)
            continue;
        const bool is_alt = source == typed_source::gps_alt;
        const ifd_field *field = find_field(store, ifd_type_gps, part.tag);
        if (field == nullptr || !(is_alt ? stored_number(store, *field, value) : gps_degrees(store, *field, value)))
            return false;
        const ifd_field *ref = find_field(store, ifd_type_gps, part.ref_tag);
        if (ref != nullptr) {
            const unsigned char r = ref->value_head[0];
            if (is_alt ? r == 1 : (r == 'S' || r == 'W' || r == 's' || r == 'w'))
                *value = -*value;
        }
        return true;
    }
    return false;
}

const char *base_name(const char *path)
{
    const char *slash = strrchr(path, '/');
    return slash != nullptr ? slash + 1 : path;
}

void set_text(typed_value &value, const char *text)
{
    value.kind = typed_value::text;
    value.chars = text;
    value.length = strlen(text);
}

}  // namespace

void prepare_typed_columns()
{
    columns_of_run.count = 0;
    add_column(typed_source::path_name, nullptr, column_type::text, "file-name-full");
    if (opts.all_fields) {  // the groups of fields follow the size
        opts.include_file_size = 1;
        opts.gps_position = gps_position_lat | gps_position_lon | gps_position_alt;
    }
    for (const pseudo_field &p : pseudo_fields) {
        if (!(opts.*p.flag) || p.source == pseudo_source::path_name)
            continue;
        const auto source = p.source == pseudo_source::dir_name    ? typed_source::dir_name
                            : p.source == pseudo_source::file_name ? typed_source::file_name
                                                                   : typed_source::file_size;
        add_column(source, nullptr, source == typed_source::file_size ? column_type::integer : column_type::text,
                   p.list_name);
    }
    const ifd_field_defn_row *rows[max_list_columns];
    const int last = selected_rows(rows);
    for (int column = 0; column <= last; column++)
        if (rows[column] != nullptr)
            add_column(typed_source::field, rows[column], type_of_row(*rows[column]), rows[column]->nickname);
    constexpr struct {
        int32_t bit;
        typed_source source;
        const char *name;
    } gps_columns[] = {{gps_position_lat, typed_source::gps_lat, "gps_lat"},
                       {gps_position_lon, typed_source::gps_lon, "gps_lon"},
                       {gps_position_alt, typed_source::gps_alt, "gps_alt"}};
    for (const auto &g : gps_columns)
        if (opts.gps_position & g.bit)
            add_column(g.source, nullptr, column_type::real, g.name);
    add_column(typed_source::error, nullptr, column_type::text, "error");
}

const typed_columns &run_typed_columns() { return columns_of_run; }

bool is_list_column(const typed_column &column)
{
    return column.source == typed_source::field && column.row->ifd_type == ifd_type_packet &&
           packet_field_type_of(column.row->tag) == packet_field_type::list;
}

void type_record(const ifd_field_store *store, const char *error, typed_value values[max_typed_columns])
{
    const ifd_field *fields[max_list_columns] = {};
    if (error == nullptr) {
        for (uint32_t i = 0; i < store->count && i < static_cast<uint32_t>(max_fields); i++) {
            const ifd_field &f = store->fields[i];
            const int32_t column = find_field_row(f.ifd_type, f.tag, run_profile().newer_fields).list_column;
            // The first record of a field counts, as in the group listings of
            // -f all: an IFD chain that holds a second EXIF IFD adds records after it.
            if (column >= 0 && column < max_list_columns && fields[column] == nullptr)
                fields[column] = &f;
        }
    }
    for (int i = 0; i < columns_of_run.count; i++) {
        const typed_column &c = columns_of_run.column[i];
        typed_value &value = values[i];
        value.kind = typed_value::null;
        value.items = nullptr;
        double number = 0;
        switch (c.source) {
        case typed_source::path_name:
            set_text(value, store->path_name);
            break;
        case typed_source::dir_name:
            set_text(value, store->dir_name);
            break;
        case typed_source::file_name:  // cleared when the file could not be opened
            set_text(value, store->file_name[0] != '\0' ? store->file_name : base_name(store->path_name));
            break;
        case typed_source::file_size:
            if (store->file_name[0] != '\0') {  // else the size is an earlier file's
                value.kind = typed_value::integer;
                value.whole = store->file_size;
            }
            break;
        case typed_source::field:
            if (c.row->ifd_type == ifd_type_packet)
                type_packet_field(*c.row, c.type, &value);
            else if (const ifd_field *f = fields[c.row->list_column])
                type_field(store, *f, *c.row, c.type, date_offset_text(store, *c.row), &value);
            break;
        case typed_source::gps_lat:
        case typed_source::gps_lon:
        case typed_source::gps_alt:
            if (error == nullptr && gps_position(store, c.source, &number)) {
                value.kind = typed_value::real;
                value.number = number;
            }
            break;
        case typed_source::error:
            if (error != nullptr)
                set_text(value, error);
            break;
        }
    }
}

void type_any_field(const ifd_field_store *store, const ifd_field &field, typed_value *value)
{
    const ifd_field_defn_row &row = find_field_row(field.ifd_type, field.tag, run_profile().newer_fields);
    type_field(store, field, row, type_of_row(row), date_offset_text(store, row), value);
}

// The key of a group the table above leaves out (the maker-note groups of -e,
// XMP and IPTC): its listing name in snake case, "Canon Camera Settings" as
// canon_camera_settings, made once.
const char *group_key(int32_t ifd_type)
{
    if (ifd_type < 0 || ifd_type >= ifd_type_count)
        return "unknown";
    if (group_keys[ifd_type] != nullptr)
        return group_keys[ifd_type];
    static char made[ifd_type_count][48];
    char *key = made[ifd_type];
    if (key[0] == '\0') {
        size_t n = 0;
        bool blank = false;
        for (const char *p = ifd_type_name(ifd_type); *p != '\0' && n + 1 < sizeof made[0]; p++) {
            const bool word = (*p >= 'a' && *p <= 'z') || (*p >= 'A' && *p <= 'Z') || (*p >= '0' && *p <= '9');
            if (!word) {
                blank = n > 0;
                continue;
            }
            if (blank && n + 2 < sizeof made[0])
                key[n++] = '_';
            blank = false;
            key[n++] = static_cast<char>(*p >= 'A' && *p <= 'Z' ? *p - 'A' + 'a' : *p);
        }
        key[n] = '\0';
    }
    return key;
}

void field_key(const ifd_field &field, const ifd_field_defn_row &row, char *key, size_t size)
{
    if (is_unknown_field_row(row))
        snprintf(key, size, "0x%04x", field.tag);
    else
        snake_name(row.nickname, key, size);
}

void print_typed_number(const typed_value &value)
{
    char text[32];
    if (value.kind == typed_value::integer)
        format_whole(value.whole, text, sizeof text);
    else
        format_real(value.number, text, sizeof text);
    fputs_unlocked(text, stdout);
}
