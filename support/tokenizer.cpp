#include "support/tokenizer.h"

#include <cstdio>
#include <cstring>

#include "support/fatal.h"
#include "support/run_options.h"
#include "support/trace.h"

namespace {

enum scan_state : int32_t {
    before_name = 1,
    in_name = 2,
    after_separator = 3,
    after_equals = 4,
    in_value = 5,
    in_quoted_value = 6,
};

constexpr char module_name[] = "tokenizer.cpp";
constexpr size_t pair_token_size = 512;

int32_t gnt_state = before_name;
int32_t gnt_quote_char = '"';
char next_name[next_name_size];    // the last name returned
char next_value[next_value_size];  // the last value returned

// Copies the token [start, stop) into dest; an empty token (only a quoted
// value can be one) becomes a single blank.
void copy_token(char *dest, size_t dest_size, const char *start, const char *stop)
{
    if (dest_size == 0)
        return;
    size_t n = static_cast<size_t>(stop - start);
    if (n == 0) {
        start = " ";
        n = 1;
    }
    if (n > dest_size - 1)
        n = dest_size - 1;
    memcpy(dest, start, n);
    dest[n] = '\0';
}

bool is_white(char c) { return c == '\t' || c == '\n' || c == ' '; }

// What the end of the text means in each state; *start is where the token began.
int end_of_text(const char *start, const char *end, char *dest, size_t dest_size)
{
    switch (gnt_state) {
    case before_name:
        return token_end;
    case in_name:
        copy_token(dest, dest_size, start, end);
        gnt_state = before_name;
        return token_name;
    case after_separator:
        warn("End of string reached after ','\n");
        return token_end;
    case after_equals:
        warn("End of string reached after '='\n");
        return token_end;
    case in_value:
        copy_token(dest, dest_size, start, end);
        gnt_state = before_name;
        return token_value;
    case in_quoted_value:
        warn("End of string reached inside quoted string\n");
        return token_end;
    default: {
        char message[128];
        snprintf(message, sizeof message, "Error: Unreachable 'default' statement reached: %s, line %d\n", module_name,
                 __LINE__);
        fatal_stop(message, 1);
    }
    }
}

}  // namespace

void init_get_next_token(int quote_char)
{
    gnt_state = before_name;
    gnt_quote_char = quote_char;
}

int get_next_token(char **cursor, const char *end, char *dest, size_t dest_size)
{
    char *p = *cursor;
    const int left = static_cast<int>(end - p);
    trace("get_next_token('%.*s'), len=%d\n", left, p, left);  // the text need not be terminated
    char *start = p;
    while (p < end) {
        char *here = p++;
        const char c = *here;
        const bool comma = c == ',';
        const bool equals = c == '=';
        const bool white = is_white(c);
        const bool quote = !comma && !equals && !white && c == gnt_quote_char;
        int complete = 0;  // kind of a token that this character completes
        switch (gnt_state) {
        case before_name:
        case after_separator:
            if (comma) {
                if (gnt_state == after_separator)
                    fprintf(stderr, "Unexpected ',' ignored.\n");
                gnt_state = after_separator;
            } else if (equals) {
                if (gnt_state == after_separator)
                    fprintf(stderr, "Unexpected '=' after ',' ignored\n");
                else
                    gnt_state = after_equals;
            } else if (quote) {
                fprintf(stderr, "Unexpected quote character '%c' ignored\n", c);
            } else if (!white) {
                start = here;
                gnt_state = in_name;
            }
            break;
        case in_name:
            if (comma || white || equals) {
                complete = token_name;
                gnt_state = equals ? after_equals : after_separator;
            } else if (quote) {
                fprintf(stderr, "Unexpected quote character '%c' ignored.\n", c);
            }
            break;
        case after_equals:
            if (comma) {
                fprintf(stderr, "Unexpected ',' where value expected. Previous field name ignored\n");
                gnt_state = after_separator;
            } else if (equals) {
                fprintf(stderr, "Unexpected duplicate '=' ignored\n");
            } else if (quote) {
                start = p;
                gnt_state = in_quoted_value;
            } else if (!white) {
                start = here;
                gnt_state = in_value;
            }
            break;
        case in_value:
            if (comma || white || equals) {
                complete = token_value;
                gnt_state = comma ? after_separator : before_name;
                if (equals)
                    fprintf(stderr, "Unexpected '=' ignored\n");
            } else if (quote) {
                fprintf(stderr, "Unexpected '\"' ignored\n");
            }
            break;
        case in_quoted_value:
            if (quote) {
                complete = token_value;
                gnt_state = before_name;
            } else if (c == '\n') {
                *here = ' ';
            }
            break;
        default:
            fprintf(stderr, "Error: Unreachable 'default' statement reached.\n");
            break;
        }
        if (complete != 0) {
            copy_token(dest, dest_size, start, here);
            *cursor = p;
            return complete;
        }
    }
    *cursor = p;
    return end_of_text(start, end, dest, dest_size);
}

char *get_next_name(char **cursor, const char *end, int quote_char)
{
    init_get_next_token(quote_char);
    for (;;) {
        int kind = get_next_token(cursor, end, next_name, sizeof next_name);
        if (kind == token_name)
            return next_name;
        if (kind != token_value)
            break;
        fprintf(stderr, "Unexpected value '%s' ignored\n", next_name);
    }
    next_name[0] = '\0';
    return next_name;
}

void get_next_name_and_value(char **cursor, const char *end, char **name, char **value, int quote_char)
{
    trace("get_next_name_and_value ('%.*s')\n", static_cast<int>(end - *cursor), *cursor);
    init_get_next_token(quote_char);
    char token[pair_token_size];
    bool have_name = false;
    for (;;) {
        int kind = get_next_token(cursor, end, token, sizeof token);
        if (kind == token_end)
            break;
        if (kind == token_name) {
            if (have_name)
                fprintf(stderr, "No value following field '%s', field ignored\n", next_name);
            copy_token(next_name, sizeof next_name, token, token + strlen(token));
            have_name = true;
        } else if (kind == token_value) {
            if (!have_name) {
                fprintf(stderr, "Unexpected value '%s', field ignored\n", token);
                continue;
            }
            copy_token(next_value, sizeof next_value, token, token + strlen(token));
            *name = next_name;
            *value = next_value;
            trace("Get next name/value returning %s=%s\n", next_name, next_value);
            return;
        } else {
            fprintf(stderr, "Internal Error: reached unreachable 'default' statement. %s, %d\n", module_name, __LINE__);
        }
    }
    if (have_name)
        fprintf(stderr, "Unexpected end of list where value expected. Field '%s' ignored\n", next_name);
    *name = nullptr;
    *value = nullptr;
    trace("Get next name/value returning NULLs\n");
}
