// Renaming without overwriting: a taken name gives way to its first free
// numbered variant. Replacing safely: a new file takes a name only from
// nothing, or from a regular file with no other hard link.
#pragma once

// Renames old_name to new_name, or, when a file of that name exists, to the
// first of new_name(1) ... new_name(99) that does not, whose name is then
// copied into new_name (an area of built_name_size bytes, support/file_names.h).
// Returns 0, or non-zero with errno set: the failing rename's result, or -1
// with EEXIST when all 99 numbered names are taken.
[[nodiscard]] int rename_with_retry(const char *old_name, char *new_name);

// Why a new file must not take path's name: what stands there ("a symbolic
// link", "a file with other hard links", "a directory", "a FIFO", ...), or
// nullptr when nothing does or a regular file with no other link does. Writing
// to such a thing would write through it (to a link's target, into a FIFO or
// a device), and renaming over it would still take it from whoever meant it.
// nullptr too when the status cannot be read for another reason than a
// missing name: the create or rename that follows reports why.
const char *unsafe_to_replace(const char *path);
// Renames new_file to name unless unsafe_to_replace(name) says why not, which
// *refusal then holds (-1, errno unchanged). rename(2) itself never follows a
// link at name, so a link put there between the check and the rename is
// replaced, not written through. Returns 0, or -1 with errno set by rename.
[[nodiscard]] int replace_safely(const char *new_file, const char *name, const char **refusal);
