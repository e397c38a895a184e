#include "frontend/json_output.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "exif/field_row.h"
#include "exif/packet_store.h"
#include "frontend/options.h"
#include "frontend/typed_record.h"
#include "support/utf8_text.h"

namespace {

// A record is written in many small pieces: the *_unlocked calls spare each
// one a lock (the program has one thread).

// Bytes a JSON string holds as they are: printable ASCII but the quote and the backslash.
bool is_plain_byte(uint8_t byte) { return byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\'; }

// Prints the text as a JSON string in UTF-8 whatever its bytes: well-formed
// UTF-8 stays as it is, any other byte is read as Latin-1, and control
// characters are escaped. The text lies in a terminated string.
void print_json_text(const char *text, size_t length)
{
    putchar_unlocked('"');
    const char *p = text;
    const char *end = text + length;
    while (p < end) {
        const char *run = p;
        while (p < end && is_plain_byte(static_cast<uint8_t>(*p)))
            p++;
        fwrite_unlocked(run, 1, static_cast<size_t>(p - run), stdout);
        if (p == end)
            break;
        const auto byte = static_cast<uint8_t>(*p);
        const size_t sequence = utf8_sequence_length(p);
        if (sequence > 1 && sequence <= static_cast<size_t>(end - p)) {
            fwrite_unlocked(p, 1, sequence, stdout);
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
            fputs_unlocked(escape, stdout);
        else if (byte < 0x80)
            printf("\\u%04x", byte);  // the other control characters and DEL
        else
            printf("%c%c", 0xC0 | byte >> 6, 0x80 | (byte & 0x3F));  // the Latin-1 character
    }
    putchar_unlocked('"');
}

void print_json_text(const char *text) { print_json_text(text, strlen(text)); }

// The items of a list (the keywords) as an array of strings.
void print_json_list(const packet_property &list)
{
    char separator = '[';
    for (int i = 0; i < list.item_count; i++) {
        const char *text = nullptr;
        size_t length = 0;
        if (!packet_item(list, i, &text, &length))
            continue;
        putchar_unlocked(separator);
        separator = ',';
        print_json_text(text, length);
    }
    fputs_unlocked(separator == '[' ? "[]" : "]", stdout);
}

void print_json_value(const typed_value &value)
{
    if (value.kind == typed_value::null)
        fputs_unlocked("null", stdout);
    else if (value.kind == typed_value::text && value.items != nullptr)
        print_json_list(*value.items);
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
        putchar_unlocked(first_ ? '{' : ',');
        first_ = false;
        print_json_text(name);
        putchar_unlocked(':');
    }
    // A key written before as `"name":`: one write instead of five.
    void prepared_key(const char *text, size_t length)
    {
        putchar_unlocked(first_ ? '{' : ',');
        first_ = false;
        fwrite_unlocked(text, 1, length, stdout);
    }
    void end() { fputs_unlocked(first_ ? "{}\n" : "}\n", stdout); }
    void end_nested() { fputs_unlocked(first_ ? "{}" : "}", stdout); }

private:
    bool first_ = true;
};

// The run's column keys as `"name":`, for the names that need no escapes
// (all that the field tables give); length 0 for any other.
struct column_key {
    char text[sizeof(typed_column::name) + 3];
    size_t length;
};
column_key column_keys[max_typed_columns];

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

void prepare_json_keys()
{
    const typed_columns &columns = run_typed_columns();
    for (int i = 0; i < columns.count; i++) {
        const char *name = columns.column[i].name;
        column_key &key = column_keys[i];
        key.length = 0;
        const size_t length = strlen(name);
        bool plain = length + 3 <= sizeof key.text;
        for (size_t c = 0; c < length && plain; c++)
            plain = is_plain_byte(static_cast<uint8_t>(name[c]));
        if (!plain)
            continue;
        key.text[0] = '"';
        memcpy(key.text + 1, name, length);
        memcpy(key.text + 1 + length, "\":", 2);
        key.length = length + 3;
    }
}

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
        const column_key &key = column_keys[i];
        if (key.length != 0)
            record.prepared_key(key.text, key.length);
        else
            record.key(column.name);
        print_json_value(values[i]);
    }
    record.end();
}
