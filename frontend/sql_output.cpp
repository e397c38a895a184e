#include "frontend/sql_output.h"

#include <cstdio>

#include "frontend/selected_columns.h"
#include "frontend/value_quoting.h"

namespace {

// Starts each item of a column or value list on its own indented line.
class sql_list {
public:
    void next()
    {
        fputs(first_ ? "    " : ",\n    ", stdout);
        first_ = false;
    }

private:
    bool first_ = true;
};

// Column names are quoted identifiers: nicknames such as file-name are not
// valid bare names.
void print_name(sql_list &list, const char *name)
{
    list.next();
    print_quoted(name, '"');
}

void print_sql_text(const char *text) { print_quoted(text, '\''); }

// Text is written as a literal; a value of a column that is not quoted is
// written bare only when it is a plain number, so no value can break the
// statement.
void print_sql_value(const char *text, const ifd_field_defn_row &row)
{
    if (row.sql_quote != 0 || !is_plain_number(text))
        print_quoted(text, '\'');
    else
        fputs(text, stdout);
}

// The INSERT statement of a file's selected pseudo-fields and of the EXIF
// columns it has values for, and an empty line.
void print_insert(const ifd_field_store *store, const column_set &columns)
{
    printf("INSERT INTO pictures (\n");
    sql_list names;
    for (const pseudo_field &p : pseudo_fields)
        if (opts.*p.flag)
            print_name(names, p.sql_name);
    for (int column = 0; column <= columns.last; column++)
        if (columns.value[column] != nullptr)
            print_name(names, columns.row[column]->nickname);

    printf("\n) VALUES (\n");
    sql_list values;
    for (const pseudo_field &p : pseudo_fields) {
        if (!(opts.*p.flag))
            continue;
        values.next();
        const char *text = pseudo_field_text(p, store);
        if (text != nullptr)
            print_sql_text(text);
        else
            printf("%llu", static_cast<unsigned long long>(store->file_size));
    }
    for (int column = 0; column <= columns.last; column++) {
        if (columns.value[column] != nullptr) {
            values.next();
            print_sql_value(columns.value[column], *columns.row[column]);
        }
    }
    printf("\n);\n\n");
}

}  // namespace

void print_field_sql(const ifd_field_store *store)
{
    column_set columns;
    collect_columns(store, &columns);
    print_insert(store, columns);
}
