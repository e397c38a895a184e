// The names of the files this run has created, within fixed limits.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int32_t max_created_files = 500;
constexpr size_t created_file_name_size = 101;  // 100 characters and a terminator

// Filled from the first entry on and never emptied; next_created_file_num
// counts the entries in use. Written only by add_to_created_files_list.
extern char created_files[max_created_files][created_file_name_size];
extern int32_t next_created_file_num;

// Records name. A 501st name, or a name of more than 100 characters, ends the
// program with status 1.
void add_to_created_files_list(const char *name);
// 1 when the list is full: recording one more name ends the program.
int created_files_full();
// 1 when name equals one of the recorded names character for character, else 0.
int is_created_file(const char *name);
