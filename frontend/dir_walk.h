// The directory walk: every JPEG file of a directory, and with -r of every
// directory below it.
#pragma once

// Walks the directory `name`: "." (the working directory) or the bare name of a
// subdirectory of it. display_path is the directory's name as shown, a
// 256-byte buffer (255 characters and a terminator); names of subdirectories
// are appended while they are walked and cut off again. The walk leaves the
// process in the working directory it was called in.
void extract_dir(char *display_path, const char *name, int subdirs);
