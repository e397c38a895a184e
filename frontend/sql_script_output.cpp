#include "frontend/sql_script_output.h"

#include <cstdio>
#include <cstring>

#include "frontend/selected_columns.h"
#include "frontend/sql_output.h"
#include "frontend/value_quoting.h"
#include "support/number_text.h"
#include "support/trace.h"

namespace {

// Fields whose values are whole numbers in every file that stores them with
// the data type and count they should have: their columns are numeric
// (BIGINT: LONG values and file sizes pass 2^31), all others text, so that no
// value loses its text (0220, 2.50) to a number type.
constexpr const char *numeric_fields[] = {"width", "height", "img-width", "img-len", "th-width", "th-len"};

bool is_numeric(const ifd_field_defn_row &row)
{
    for (const char *name : numeric_fields)
        if (strcmp(row.nickname, name) == 0)
            return true;
    return false;
}

// The column of file-name-full is "file-name", as in -o s, unless file-name
// is selected too: then it keeps its own name.
const char *script_name(const pseudo_field &field)
{
    if (field.source == pseudo_source::path_name && opts.include_file_name)
        return field.list_name;
    return field.sql_name;
}

// A string literal as -o s writes it, but split after each carriage return
// that comes before a line feed: the sqlite3 shell drops a carriage return at
// the end of an input line, inside a literal too.
void print_script_text(const char *text)
{
    putchar('\'');
    for (const char *p = text; *p != '\0'; p++) {
        if (*p == '\'')
            putchar('\'');
        putchar(*p);
        if (p[0] == '\r' && p[1] == '\n')
            fputs("' || '", stdout);
    }
    putchar('\'');
}

// As -o s writes values, but a number is bare only when a database reads it
// back as the same text, and in a numeric column only when it is whole. Any
// other value is a literal, which SQLite keeps as text in a numeric column
// too unless it reads as a number (a width stored as the text 0220 is 220).
void print_script_value(const char *text, const ifd_field_defn_row &row)
{
    const bool bare = row.sql_quote == 0 && number_keeps_text(text) && !(is_numeric(row) && strchr(text, '.'));
    if (bare)
        fputs(text, stdout);
    else
        print_script_text(text);
}

constexpr insert_rules script_rules = {script_name, print_script_text, print_script_value};

bool transaction_open = false;

void print_column(bool &first, const char *name, const char *type)
{
    fputs(first ? "    " : ",\n    ", stdout);
    first = false;
    print_quoted(name, '"');
    printf(" %s", type);
}

}  // namespace

void print_sql_script_start()
{
    printf("CREATE TABLE IF NOT EXISTS pictures (\n");
    bool first = true;
    for (const pseudo_field &p : pseudo_fields)
        if (opts.*p.flag)
            print_column(first, script_name(p), p.source == pseudo_source::file_size ? "BIGINT" : "TEXT");
    const ifd_field_defn_row *rows[max_list_columns];
    const int last = selected_rows(rows);
    for (int column = 0; column <= last; column++)
        if (rows[column] != nullptr)
            print_column(first, rows[column]->nickname, is_numeric(*rows[column]) ? "BIGINT" : "TEXT");
    printf("\n);\n\nBEGIN TRANSACTION;\n\n");
    transaction_open = true;
}

void print_field_sql_script(const ifd_field_store *store)
{
    column_set columns;
    collect_columns(store, &columns);
    bool any = columns.value[columns.last] != nullptr;
    for (const pseudo_field &p : pseudo_fields)
        any = any || opts.*p.flag;
    if (!any) {
        trace("No selected field in %s, no INSERT\n", store->path_name);
        return;
    }
    print_insert(store, columns, script_rules);
}

void print_sql_script_end()
{
    if (!transaction_open)
        return;
    printf("COMMIT;\n");
    transaction_open = false;
}
