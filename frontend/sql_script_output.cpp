#include "frontend/sql_script_output.h"

#include <cstdint>
#include <cstdio>

#include "frontend/typed_record.h"
#include "frontend/value_quoting.h"
#include "support/utf8_text.h"

namespace {

// SQLite reads these as its INTEGER, REAL and TEXT; PostgreSQL's INTEGER and
// REAL would be too small for LONG values, file sizes and GPS degrees.
const char *sql_type(column_type type)
{
    return type == column_type::integer ? "BIGINT" : type == column_type::real ? "DOUBLE PRECISION" : "TEXT";
}

// A string literal in UTF-8 whatever the text's bytes (any byte that is not
// well-formed UTF-8 is read as Latin-1, as -o j does), split after each
// carriage return that comes before a line feed: the sqlite3 shell drops a
// carriage return at the end of an input line, inside a literal too.
void print_script_text(const char *text, size_t length)
{
    putchar('\'');
    const char *end = text + length;
    for (const char *p = text; p < end; p++) {
        const auto byte = static_cast<uint8_t>(*p);
        if (byte >= 0x80) {
            const size_t sequence = utf8_sequence_length(p);
            if (sequence > 1 && sequence <= static_cast<size_t>(end - p)) {
                fwrite(p, 1, sequence, stdout);
                p += sequence - 1;
            } else {
                printf("%c%c", 0xC0 | byte >> 6, 0x80 | (byte & 0x3F));
            }
            continue;
        }
        if (byte == '\'')
            putchar('\'');
        putchar(*p);
        if (p[0] == '\r' && p + 1 < end && p[1] == '\n')
            fputs("' || '", stdout);
    }
    putchar('\'');
}

void print_script_value(const typed_value &value)
{
    if (value.kind == typed_value::null)
        fputs("NULL", stdout);
    else if (value.kind == typed_value::text)
        print_script_text(value.chars, value.length);
    else
        print_typed_number(value);
}

bool transaction_open = false;

}  // namespace

void print_sql_script_start()
{
    printf("CREATE TABLE IF NOT EXISTS pictures (\n");
    const typed_columns &columns = run_typed_columns();
    for (int i = 0; i < columns.count; i++) {
        const typed_column &column = columns.column[i];
        fputs(i == 0 ? "    " : ",\n    ", stdout);
        print_quoted(column.name, '"');
        printf(" %s%s", sql_type(column.type), column.source == typed_source::path_name ? " PRIMARY KEY" : "");
    }
    printf("\n);\n\nBEGIN TRANSACTION;\n\n");
    transaction_open = true;
}

void print_record_sql_script(const ifd_field_store *store, const char *error)
{
    typed_value values[max_typed_columns];
    type_record(store, error, values);
    const typed_columns &columns = run_typed_columns();
    printf("INSERT INTO pictures (");
    for (int i = 0; i < columns.count; i++) {
        fputs(i == 0 ? "" : ", ", stdout);
        print_quoted(columns.column[i].name, '"');
    }
    printf(")\n    VALUES (");
    for (int i = 0; i < columns.count; i++) {
        fputs(i == 0 ? "" : ", ", stdout);
        print_script_value(values[i]);
    }
    // The key is the first column; a file loaded before takes every value anew.
    printf(")\n    ON CONFLICT (\"%s\") DO UPDATE SET ", columns.column[0].name);
    for (int i = 1; i < columns.count; i++) {
        fputs(i == 1 ? "" : ", ", stdout);
        print_quoted(columns.column[i].name, '"');
        fputs(" = excluded.", stdout);
        print_quoted(columns.column[i].name, '"');
    }
    printf(";\n\n");
}

void print_sql_script_end()
{
    if (!transaction_open)
        return;
    printf("COMMIT;\n");
    transaction_open = false;
}
