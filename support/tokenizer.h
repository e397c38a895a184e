// Splits a text into names (separated by commas or white space) and name=value
// pairs whose value may be quoted. The scanner keeps its state between calls,
// so one text is read by a series of calls that each return the next token.
// Not reentrant: the state and the result areas are globals.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr size_t next_name_size = 51;    // 50 characters and a terminator
constexpr size_t next_value_size = 501;  // 500 characters and a terminator

enum token_kind : int { token_name = 1, token_value = 2, token_end = 3 };

// Starts a new scan with the given quote character.
void init_get_next_token(int quote_char);

// Scans [*cursor, end) for the next token and leaves *cursor after the last
// character examined. A name or value is copied into dest, cut to
// dest_size - 1 characters, and terminated. Line feeds inside a quoted value
// are replaced by blanks in the text itself.
int get_next_token(char **cursor, const char *end, char *dest, size_t dest_size);

// The next name of the list (values are reported and skipped), or the empty
// text when the list has no further name. Every call starts a fresh scan.
char *get_next_name(char **cursor, const char *end, int quote_char);

// The next name=value pair: *name and *value point to the result areas, or
// both are null at the end of the list.
void get_next_name_and_value(char **cursor, const char *end, char **name, char **value, int quote_char);
