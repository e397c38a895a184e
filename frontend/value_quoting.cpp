#include "frontend/value_quoting.h"

#include <cstdio>
#include <cstring>

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Skips a run of digits; false when there is none.
bool skip_digits(const char *&p)
{
    const char *start = p;
    while (is_digit(*p))
        p++;
    return p != start;
}

}  // namespace

void print_quoted(const char *text, char quote)
{
    putchar(quote);
    for (const char *q; (q = strchr(text, quote)) != nullptr; text = q + 1) {
        fwrite(text, 1, static_cast<size_t>(q - text), stdout);
        putchar(quote);
        putchar(quote);
    }
    fputs(text, stdout);
    putchar(quote);
}

bool needs_list_quotes(const char *text, char separator)
{
    for (const char *p = text; *p != '\0'; p++)
        if (*p == separator || *p == '"' || *p == '\r' || *p == '\n')
            return true;
    return false;
}

bool is_plain_number(const char *text)
{
    const char *p = text;
    if (*p == '+' || *p == '-')
        p++;
    if (!skip_digits(p))
        return false;
    if (*p == '.') {
        p++;
        if (!skip_digits(p))
            return false;
    }
    return *p == '\0';
}
