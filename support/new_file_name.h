// A name no one can guess for a new file that is to take another file's place.
#pragma once
#include <cstddef>

#include "support/file_names.h"

// Result areas of create_new_file_name hold this many bytes.
constexpr size_t new_file_name_size = built_name_size + 20;

// "<folder of name>/.tagsift-<10 random letters and digits>", or without the
// folder part when name (at most 99 characters) has none. Built afresh at each
// call: someone who can write to the folder must not be able to put something
// at the name first.
void create_new_file_name(const char *name, char *result);
