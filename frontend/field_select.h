// Field selection for list and SQL output (-f).
#pragma once
#include <cstddef>

// EXIF fields that can be selected: columns 0 to 19.
constexpr int max_list_columns = 20;

// The list's working area: a list given on the command line keeps its first
// 2048 characters; one read from a file at most 2047.
constexpr size_t list_text_size = 2049;  // 2048 characters and a terminator
constexpr size_t list_file_size = 2048;  // a list file gives at most 2047 characters

// Applies a field-name list: given directly, or "@file" to read it from a file
// ("@-" for standard input). Replaces any earlier selection. 0 on success, 1
// when the list named no valid field.
[[nodiscard]] int set_list_fields(const char *list);

// Fills buffer with at most size - 1 characters read from the named file, or
// from standard input when the name begins with '-', and terminates it; the
// buffer stays empty when the file cannot be opened (the error is printed).
void get_string_from_file(const char *name, char *buffer, size_t size);
