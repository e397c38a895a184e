#include "frontend/paths.h"

#include <fcntl.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

#include "exif/field_store.h"
#include "support/file_messages.h"
#include "support/rcs_id.h"
#include "support/run_options.h"
#include "support/trace.h"

int get_file_type(const char *path)
{
    trace("get_file_type RcsId: %s\n", support_rcs_id);
    if (strcmp(path, ".") == 0)
        return type_dot;
    if (strcmp(path, "..") == 0)
        return type_dot_dot;
    struct stat st;
    if (stat(path, &st) != 0) {
        const int error_number = errno;
        fprintf(stderr, "Error: file %s: can't determine file type: %s\n", path, strerror(error_number));
        note_system_failure();
        errno = error_number;  // the typed outputs' record names it too
        return type_unreadable;
    }
    // The directory bit alone decides, as the mode word carries it.
    return (st.st_mode & S_IFDIR) != 0 ? type_directory : type_file;
}

char *get_current_dir(char *buffer) { return getcwd(buffer, max_name_len + 1); }

int open_working_dir()
{
    int fd = open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        fd = open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    return fd;
}
