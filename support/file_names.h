// Names of new files built from existing ones: a suffix before the extension,
// a retry number in brackets, a temporary name from the process number.
#pragma once
#include <cstddef>

// Every built name holds at most 99 characters; result areas hold this many bytes.
constexpr size_t built_name_size = 100;

// name with suffix put in front of its extension, or appended when it has
// none: photo.jpg and "-th" give photo-th.jpg. The extension is the last '.'
// of the last path component that is not that component's first character,
// so dir.d/photo gives dir.d/photo-th and .hidden gives .hidden-th.
// A result longer than 99 characters ends the program with status 1.
void create_backup_file_name(const char *name, const char *suffix, char *result);
// Appends tail to a built name; a result longer than 99 characters ends the
// program with status 1.
void append_to_built_name(char *result, const char *tail);
// The same with "(number)" as the suffix; numbers above 99 count as 99.
void create_retry_file_name(const char *name, int number, char *result);
// "tagkit_<process number in lowercase hex>.jpg", without a directory part.
void create_temp_file_name(char *result);
