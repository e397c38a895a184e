#include "frontend/sql_script_output.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "exif/packet_store.h"
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
    putchar_unlocked('\'');
    const char *end = text + length;
    for (const char *p = text; p < end;) {
        const char *run = p;
        while (p < end && static_cast<uint8_t>(*p) < 0x80 && *p != '\'' && *p != '\r')
            p++;
        fwrite_unlocked(run, 1, static_cast<size_t>(p - run), stdout);
        if (p == end)
            break;
        const auto byte = static_cast<uint8_t>(*p);
        if (byte >= 0x80) {
            const size_t sequence = utf8_sequence_length(p);
            if (sequence > 1 && sequence <= static_cast<size_t>(end - p)) {
                fwrite_unlocked(p, 1, sequence, stdout);
                p += sequence;
            } else {
                putchar_unlocked(static_cast<char>(0xC0 | byte >> 6));
                putchar_unlocked(static_cast<char>(0x80 | (byte & 0x3F)));
                p++;
            }
            continue;
        }
        if (byte == '\'')
            putchar_unlocked('\'');
        putchar_unlocked(*p);
        if (p[0] == '\r' && p + 1 < end && p[1] == '\n')
            fputs_unlocked("' || '", stdout);
        p++;
    }
    putchar_unlocked('\'');
}

void print_script_value(const typed_value &value)
{
    if (value.kind == typed_value::null)
        fputs_unlocked("NULL", stdout);
    else if (value.kind == typed_value::text)
        print_script_text(value.chars, value.length);
    else
        print_typed_number(value);
}

bool transaction_open = false;
int list_column = -1;  // the column of the keywords, -1 when the run has none

// A loaded file's keywords are replaced by the ones it has now.
void print_keyword_rows(const typed_value &path, const typed_value &keywords)
{
    fputs_unlocked("DELETE FROM keywords WHERE \"path\" = ", stdout);
    print_script_value(path);
    fputs_unlocked(";\n", stdout);
    const char *separator = "INSERT INTO keywords (\"path\", \"keyword\") VALUES\n    (";
    for (int i = 0; keywords.items != nullptr && i < keywords.items->item_count; i++) {
        const char *text = nullptr;
        size_t length = 0;
        if (!packet_item(*keywords.items, i, &text, &length))
            continue;
        fputs_unlocked(separator, stdout);
        separator = "),\n    (";
        print_script_value(path);
        fputs_unlocked(", ", stdout);
        print_script_text(text, length);
    }
    // A file may give a keyword twice.
    fputs_unlocked(separator[0] == ')' ? ")\n    ON CONFLICT DO NOTHING;\n\n" : "\n", stdout);
}

// The parts of each statement that name the columns are the same for every
// record, so they are written once at the start: "INSERT INTO pictures
// (...)\n    VALUES (" and the update after ON CONFLICT.
struct statement_part {
    char text[max_typed_columns * 2 * (sizeof(typed_column::name) * 2 + 16) + 64];
    size_t length;

    void add(const char *piece, size_t n)
    {
        if (n < sizeof text - length) {  // always: the size allows for every column quoted twice
            memcpy(text + length, piece, n);
            length += n;
        }
    }
    void add(const char *piece) { add(piece, strlen(piece)); }
    // A name in double quotes, a quote in it doubled, as print_quoted writes it.
    void add_quoted(const char *name)
    {
        add("\"");
        for (const char *p = name; *p != '\0'; p++)
            add(*p == '"' ? "\"\"" : p, *p == '"' ? 2 : 1);
        add("\"");
    }
};

statement_part insert_head;
statement_part conflict_tail;

void prepare_statement_parts(const typed_columns &columns)
{
    insert_head.length = 0;
    insert_head.add("INSERT INTO pictures (");
    for (int i = 0; i < columns.count; i++) {
        insert_head.add(i == 0 ? "" : ", ");
        insert_head.add_quoted(columns.column[i].name);
    }
    insert_head.add(")\n    VALUES (");
    // The key is the first column; a file loaded before takes every value anew.
    conflict_tail.length = 0;
    conflict_tail.add(")\n    ON CONFLICT (");
    conflict_tail.add_quoted(columns.column[0].name);
    conflict_tail.add(") DO UPDATE SET ");
    for (int i = 1; i < columns.count; i++) {
        conflict_tail.add(i == 1 ? "" : ", ");
        conflict_tail.add_quoted(columns.column[i].name);
        conflict_tail.add(" = excluded.");
        conflict_tail.add_quoted(columns.column[i].name);
    }
    conflict_tail.add(";\n\n");
}

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
    printf("\n);\n\n");
    list_column = -1;
    for (int i = 0; i < columns.count; i++)
        if (is_list_column(columns.column[i]))
            list_column = i;
    // A keyword is searched with an index: one row per file and keyword.
    if (list_column >= 0)
        printf("CREATE TABLE IF NOT EXISTS keywords (\n"
               "    \"path\" TEXT NOT NULL,\n"
               "    \"keyword\" TEXT NOT NULL,\n"
               "    PRIMARY KEY (\"path\", \"keyword\")\n"
               ");\n"
               "CREATE INDEX IF NOT EXISTS keywords_by_keyword ON keywords (\"keyword\");\n\n");
    printf("BEGIN TRANSACTION;\n\n");
    transaction_open = true;
    prepare_statement_parts(columns);
}

void print_record_sql_script(const ifd_field_store *store, const char *error)
{
    typed_value values[max_typed_columns];
    type_record(store, error, values);
    const typed_columns &columns = run_typed_columns();
    fwrite_unlocked(insert_head.text, 1, insert_head.length, stdout);
    for (int i = 0; i < columns.count; i++) {
        fputs_unlocked(i == 0 ? "" : ", ", stdout);
        print_script_value(values[i]);
    }
    fwrite_unlocked(conflict_tail.text, 1, conflict_tail.length, stdout);
    if (list_column >= 0)
        print_keyword_rows(values[0], values[list_column]);
}

void print_sql_script_end()
{
    if (!transaction_open)
        return;
    printf("COMMIT;\n");
    transaction_open = false;
}
