// Names of new files built from existing ones: a suffix before the extension,
// a retry number in brackets, a temporary name from the process number, a
// name no one can guess for a file that is to take another's place.
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
// The same with "(number)" as the suffix; numbers above 99 count as 99.
void create_retry_file_name(const char *name, int number, char *result);
// "tagkit_<process number in lowercase hex>.jpg", without a directory part.
void create_temp_file_name(char *result);

// Result areas of create_new_file_name hold this many bytes.
constexpr size_t new_file_name_size = built_name_size + 20;
// "<folder of name>/.tagsift-<10 random letters and digits>", or without the
// folder part when name has none. Built fresh at each call: someone who can
// write to the folder must not be able to place something at the name first.
void create_new_file_name(const char *name, char *result);
