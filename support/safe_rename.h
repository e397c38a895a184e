// Renaming without overwriting: a taken name gives way to its first free
// numbered variant.
#pragma once

// Renames old_name to new_name, or, when a file of that name exists, to the
// first of new_name(1) ... new_name(99) that does not, whose name is then
// copied into new_name (an area of built_name_size bytes, support/file_names.h).
// Returns 0, or non-zero with errno set: the failing rename's result, or -1
// with EEXIST when all 99 numbered names are taken.
[[nodiscard]] int rename_with_retry(const char *old_name, char *new_name);
