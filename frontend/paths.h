// Path type and working-directory helpers of the front end.
#pragma once

enum file_type {
    type_directory = 0,
    type_file = 1,
    type_dot = 2,
    type_dot_dot = 3,
    type_unknown = 4,     // neither file nor directory: passed over
    type_unreadable = 5,  // its status could not be read; errno tells why
};

// Classifies a path, following symbolic links; prints an error for type_unreadable.
int get_file_type(const char *path);
// Fills a 256-byte buffer with the working directory; nullptr when it does not fit.
char *get_current_dir(char *buffer);

// A handle on the working directory, to come back to exactly this directory
// even when a subdirectory was reached through a symbolic link (-1 when none
// can be had); a directory that cannot be read still gives one.
int open_working_dir();
