#include "frontend/json_output.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "exif/field_row.h"
#include "frontend/options.h"
#include "frontend/typed_record.h"
#include "support/utf8_text.h"

namespace {

// Bytes a JSON string holds as they are: printable ASCII but the quote and the backslash.
bool is_plain_byte(uint8_t byte) { return byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\'; }

// Prints the text as a JSON string in UTF-8 whatever its bytes: well-formed
// UTF-8 stays as it is, any other byte is read as Latin-1, and control
// characters are escaped. The text lies in a terminated string.
void print_json_text(const char *text, size_t length)
{
    putchar('"');
    const char *p = text;
    const char *end = text + length;
    while (p < end) {
        const char *run = p;
        while (p < end && is_plain_byte(static_cast<uint8_t>(*p)))
            p++;
        fwrite(run, 1, static_cast<size_t>(p - run), stdout);
        if (p == end)
            break;
        const auto byte = static_cast<uint8_t>(*p);
        const size_t sequence = utf8_sequence_length(p);
        if (sequence > 1 && sequence <= static_cast<size_t>(end - p)) {
            fwrite(p, 1, sequence, stdout);
            p += sequence;
            continue;
        }
        p++;
        const char *escape = byte == '"'    ? "\\\""
                             : byte == '\\' ? "\\\\"
                             : byte == '\n' ? "\\n"
                             : byte == '\r' ? "\\r"
                             : byte == '\t' ? "\\t"
                                            : nullptr;
        if (escape != nullptr)
            fputs(escape, stdout);
        else if (byte < 0x80)
            printf("\\u%04x", byte);  // the other control characters and DEL
        else
            printf("%c%c", 0xC0 | byte >> 6, 0x80 | (byte & 0x3F));  // the Latin-1 character
    }
    putchar('"');
}

void print_json_text(const char *text) { print_json_text(text, strlen(text)); }

void print_json_value(const typed_value &value)
{
    if (value.kind == typed_value::null)
        fputs("null", stdout);
    else if (value.kind == typed_value::text)
        print_json_text(value.chars, value.length);
    else
        print_typed_number(value);
}

// Separates the members of one object.
class json_object {
public:
    void key(const char *name)
    {
        putchar(first_ ? '{' : ',');
        first_ = false;
        print_json_text(name);
        putchar(':');
    }
    void end() { fputs(first_ ? "{}\n" : "}\n", stdout); }
    void end_nested() { fputs(first_ ? "{}" : "}", stdout); }

private:
    bool first_ = true;
};

// Every field of the file, one object per group in the order of the listing;
// a tag that repeats within a group keeps its first value.
void print_groups(const ifd_field_store *store, json_object &record)
{
    for (uint32_t i = 0; i < store->count;) {
        const int32_t group = store->fields[i].ifd_type;
        record.key(group_key(group));
        json_object members;
        for (; i < store->count && store->fields[i].ifd_type == group; i++) {
            const ifd_field &f = store->fields[i];
            if (i > 0 && store->fields[i - 1].ifd_type == group && store->fields[i - 1].tag == f.tag)
                continue;
            char key[48];
            field_key(f, find_field_row(f.ifd_type, f.tag, run_profile().newer_fields), key, sizeof key);
            members.key(key);
            typed_value value;
            type_any_field(store, f, &value);
            print_json_value(value);
        }
        members.end_nested();
    }
}

}  // namespace

void print_record_json(const ifd_field_store *store, const char *error)
{
    typed_value values[max_typed_columns];
    type_record(store, error, values);
    const typed_columns &columns = run_typed_columns();
    json_object record;
    for (int i = 0; i < columns.count; i++) {
        const typed_column &column = columns.column[i];
        if (column.source == typed_source::error && values[i].kind == typed_value::null)
            continue;  // a file that was read has no error member
        if (opts.all_fields && error == nullptr && column.source == typed_source::gps_lat)
            print_groups(store, record);
        record.key(column.name);
        print_json_value(values[i]);
    }
    record.end();
}
