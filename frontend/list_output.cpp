#include "frontend/list_output.h"

#include <cstdio>

#include "frontend/selected_columns.h"
#include "frontend/value_quoting.h"
#include "support/run_options.h"
#include "support/trace.h"

namespace {

// One line of values: the separator goes before every value but the first,
// even when the first is empty, so that columns never shift.
class list_line {
public:
    explicit list_line(char separator) : separator_(separator) {}
    void value(const char *text)
    {
        begin_value();
        if (needs_list_quotes(text, separator_))
            print_quoted(text, '"');
        else
            fputs(text, stdout);
    }
    void number(uint64_t n)
    {
        begin_value();
        printf("%llu", static_cast<unsigned long long>(n));
    }

private:
    void begin_value()
    {
        if (!first_)
            putchar(separator_);
        first_ = false;
    }
    char separator_;
    bool first_ = true;
};

}  // namespace

void print_field_list_header()
{
    trace("print_field_list_header\nClearing list fields array.\n");
    trace("Scanning ifd_field_defn for headers to be included\n");
    const ifd_field_defn_row *rows[max_list_columns];
    const int last = selected_rows(rows);
    trace("Print out field headers (max=%d)\n", last);
    const char separator = static_cast<char>(opts.separator);
    for (const pseudo_field &p : pseudo_fields)
        if (opts.*p.flag)
            printf("%s%c", p.list_name, separator);
    for (int column = 0; column <= last; column++)
        printf("%s%c", rows[column] != nullptr ? rows[column]->nickname : "", separator);
    printf("\n");
}

void print_field_list(const ifd_field_store *store)
{
    column_set columns;
    collect_columns(store, &columns);
    list_line line(static_cast<char>(opts.separator));
    for (const pseudo_field &p : pseudo_fields) {
        if (!(opts.*p.flag))
            continue;
        const char *text = pseudo_field_text(p, store);
        if (text != nullptr)
            line.value(text);
        else
            line.number(store->file_size);
    }
    for (int column = 0; column <= columns.last; column++)
        line.value(columns.value[column] != nullptr ? columns.value[column] : "");
    putchar('\n');
}
