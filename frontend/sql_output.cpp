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

// Text is written as a literal; a value of a column that is not quoted is
// written bare only when it is a plain number, so no value can break the
// statement.
void print_value(sql_list &list, const char *text, bool quoted)
{
    list.next();
    if (quoted || !is_plain_number(text))
        print_quoted(text, '\'');
    else
        fputs(text, stdout);
}

}  // namespace

void print_field_sql(const ifd_field_store *store)
{
    column_set columns;
    collect_columns(store, &columns);

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
        const char *text = pseudo_field_text(p, store);
        if (text != nullptr) {
            print_value(values, text, true);
        } else {
            values.next();
            printf("%u", store->file_size);
        }
    }
    for (int column = 0; column <= columns.last; column++)
        if (columns.value[column] != nullptr)
            print_value(values, columns.value[column], columns.row[column]->sql_quote != 0);
    printf("\n);\n\n");
}
