#include "frontend/list_output.h"

#include <cstdio>

#include "exif/extended_field_defs.h"
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
    void number(uint32_t n)
    {
        begin_value();
        printf("%u", n);
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
    const char *names[max_list_columns] = {};
    trace("Scanning ifd_field_defn for headers to be included\n");
    int last = 0;
    auto note_name = [&](const ifd_field_defn_row &row) {
        const int32_t column = row.list_column;
        if (column < 0 || column >= max_list_columns)
            return;
        names[column] = row.nickname;
        if (column > last)
            last = column;
    };
    for (int i = 0; ifd_field_defn[i].tag != field_defn_end_tag; i++)
        note_name(ifd_field_defn[i]);
    for (const ifd_field_defn_row &row : extended_field_defn)  // selected only with -e
        note_name(row);
    trace("Print out field headers (max=%d)\n", last);
    const char separator = static_cast<char>(opts.separator);
    for (const pseudo_field &p : pseudo_fields)
        if (opts.*p.flag)
            printf("%s%c", p.list_name, separator);
    for (int column = 0; column <= last; column++)
        printf("%s%c", names[column] != nullptr ? names[column] : "", separator);
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
