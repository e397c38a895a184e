#include "support/created_files.h"

#include <cstdio>
#include <cstring>

#include "support/fatal_format.h"
#include "support/run_options.h"
#include "support/text_copy.h"
#include "support/trace.h"

char created_files[max_created_files][created_file_name_size];
int32_t next_created_file_num = 0;

void add_to_created_files_list(const char *name)
{
    // Both limits stop the run rather than skip a file: the list must stay complete.
    if (created_files_full())
        fatal_stop_format(stderr, 1, "Error: Max number of temp files created - exiting\n");
    if (strnlen(name, created_file_name_size) >= created_file_name_size)
        fatal_stop_format(stderr, 1, "Error: File name '%s' too long - exiting\n", name);
    copy_text(created_files[next_created_file_num], created_file_name_size, name);
    next_created_file_num++;
    trace("Created file %d recorded: %s\n", next_created_file_num, name);
}

int created_files_full() { return next_created_file_num >= max_created_files ? 1 : 0; }

int is_created_file(const char *name)
{
    for (int32_t i = 0; i < next_created_file_num; i++) {
        if (strcmp(created_files[i], name) == 0) {
            trace("%s is a created file\n", name);
            return 1;
        }
    }
    return 0;
}
