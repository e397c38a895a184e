#include "frontend/json_output.h"

#include <cstdint>
#include <cstdio>

#include "frontend/selected_columns.h"
#include "support/number_text.h"
#include "support/utf8_text.h"

namespace {

// Bytes a JSON string holds as they are: printable ASCII but the quote and the backslash.
bool is_plain_byte(uint8_t byte) { return byte >= 0x20 && byte < 0x7F && byte != '"' && byte != '\\'; }

// Prints the text as a JSON string in UTF-8 whatever its bytes: well-formed
// UTF-8 stays as it is, any other byte is read as Latin-1, and control
// characters are escaped.
void print_json_text(const char *text)
{
    putchar('"');
    const char *p = text;
    while (*p != '\0') {
        const char *run = p;
        while (is_plain_byte(static_cast<uint8_t>(*p)))
            p++;
        fwrite(run, 1, static_cast<size_t>(p - run), stdout);
        if (*p == '\0')
            break;
        const auto byte = static_cast<uint8_t>(*p);
        const size_t length = utf8_sequence_length(p);
        if (length > 1) {
            fwrite(p, 1, length, stdout);
            p += length;
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

private:
    bool first_ = true;
};

}  // namespace

void print_field_json(const ifd_field_store *store)
{
    column_set columns;
    collect_columns(store, &columns);
    const ifd_field_defn_row *rows[max_list_columns];
    const int last = selected_rows(rows);
    json_object object;
    for (const pseudo_field &p : pseudo_fields) {
        if (!(opts.*p.flag))
            continue;
        object.key(p.list_name);
        const char *text = pseudo_field_text(p, store);
        if (text != nullptr)
            print_json_text(text);
        else
            printf("%u", store->file_size);
    }
    for (int column = 0; column <= last; column++) {
        if (rows[column] == nullptr)
            continue;  // no field selected there: the list header shows an empty name
        object.key(rows[column]->nickname);
        const char *text = columns.value[column];
        // A number SQL writes bare stays a number when its text survives the reading.
        if (text == nullptr)
            fputs("null", stdout);
        else if (columns.row[column]->sql_quote == 0 && number_keeps_text(text))
            fputs(text, stdout);
        else
            print_json_text(text);
    }
    object.end();
}
