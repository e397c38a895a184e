// Keeping each printed value in one piece: CSV quoting for list lines, quoted
// literals and identifiers for SQL.
#pragma once

// Prints the text between two quote characters, doubling each one inside.
void print_quoted(const char *text, char quote);

// True when a list value would break its line apart unquoted: it holds the
// separator, a double quote, a carriage return or a line feed.
bool needs_list_quotes(const char *text, char separator);

// True for an optional sign, digits and an optional fraction (1200, -0.33):
// the only values SQL may be given bare.
bool is_plain_number(const char *text);
