#include "support/safe_rename.h"

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>

#include "support/file_names.h"
#include "support/jpeg_file.h"
#include "support/run_options.h"
#include "support/text_copy.h"
#include "support/trace.h"

namespace {

constexpr int max_retries = 99;

}  // namespace

int rename_with_retry(const char *old_name, char *new_name)
{
    if (!file_exists(new_name))
        return rename(old_name, new_name);
    for (int number = 1; number <= max_retries; number++) {
        char numbered[built_name_size];
        create_retry_file_name(new_name, number, numbered);
        if (file_exists(numbered))
            continue;
        int rc = rename(old_name, numbered);
        if (rc != 0)
            return rc;  // a failure here would recur with every other number
        copy_text(new_name, built_name_size, numbered);
        trace("Renamed %s to %s\n", old_name, new_name);
        return 0;
    }
    errno = EEXIST;
    return -1;
}

const char *unsafe_to_replace(const char *path)
{
    struct stat st;
    if (lstat(path, &st) != 0)
        return nullptr;
    switch (st.st_mode & S_IFMT) {
    case S_IFREG:
        return st.st_nlink > 1 ? "a file with other hard links" : nullptr;
    case S_IFLNK:
        return "a symbolic link";
    case S_IFDIR:
        return "a directory";
    case S_IFIFO:
        return "a FIFO";
    case S_IFSOCK:
        return "a socket";
    case S_IFCHR:
    case S_IFBLK:
        return "a device";
    default:
        return "a special file";
    }
}

int replace_safely(const char *new_file, const char *name, const char **refusal)
{
    *refusal = unsafe_to_replace(name);
    if (*refusal != nullptr)
        return -1;
    return rename(new_file, name);
}
