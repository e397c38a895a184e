#include "frontend/dir_walk.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "exif/format/ifd_formats.h"
#include "frontend/options.h"
#include "frontend/outputs.h"
#include "frontend/paths.h"
#include "frontend/progress.h"
#include "frontend/read_ahead.h"
#include "frontend/unread_files.h"
#include "support/errors.h"
#include "support/file_messages.h"
#include "support/run_options.h"
#include "support/text_copy.h"
#include "support/trace.h"

namespace {

constexpr size_t display_path_size = max_name_len + 1;
// Each level adds at least "/x" to the display path, which bounds the depth.
constexpr int max_walk_depth = max_name_len / 2 + 2;

struct dir_identity {
    dev_t dev;
    ino_t ino;
};

// The directories from the top of the walk down to the one being walked: a
// symbolic link back to any of them would make the walk endless.
struct walk_path {
    dir_identity dirs[max_walk_depth];
    int depth;
};

bool on_walk_path(const walk_path &path, const struct stat &st)
{
    for (int i = 0; i < path.depth; i++)
        if (path.dirs[i].dev == st.st_dev && path.dirs[i].ino == st.st_ino)
            return true;
    return false;
}

void enter_walk_path(walk_path &path, const struct stat &st)
{
    if (path.depth < max_walk_depth)
        path.dirs[path.depth++] = {st.st_dev, st.st_ino};
}

// The messages of old for a file that gave no fields.
void report_unread_jpeg_file(int rc, const ifd_field_store *store)
{
    switch (rc) {
    case err_no_exif:
        warn("Warning: File %s is JPEG but does not contain EXIF information\n", store->path_name);
        break;
    case err_no_exif_in_file:
        warn("Warning: File %s does not contain EXIF information\n", store->path_name);
        break;
    default:
        fprintf(stderr, "Error: Can't extract EXIF fields: %s\n", exif_strerror(rc));
        break;
    }
}

void process_file(const char *display_path, const char *name)
{
    ifd_field_store *store;
    int rc = extract_exif_fields(display_path, name, run_profile(), &store, 1);
    switch (rc) {
    case exif_ok:
        output_fields(store);
        break;
    case err_unknown_container:
        trace("Ignoring non-JPEG file %s\n", name);
        break;
    default:
        if (file_messages_named())
            report_unread_file(rc);
        else
            report_unread_jpeg_file(rc, store);
        break;
    }
    if (rc != exif_ok && rc != err_unknown_container)
        output_failed_file(store, rc);
    end_file_messages();
    progress_file_read(display_path);
}

bool walk_directory(char *display_path, const char *name, int subdirs, walk_path &path);

// FIFOs, sockets and devices, also behind a link, are passed over like any
// file that is not a JPEG: opening or reading one could wait forever.
bool special_file(const dirent *entry)
{
    switch (entry->d_type) {
    case DT_REG:
    case DT_DIR:
        return false;
    case DT_FIFO:
    case DT_SOCK:
    case DT_CHR:
    case DT_BLK:
        return true;
    default: {
        struct stat st;
        return stat(entry->d_name, &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
    }
    }
}

// A regular file is known as one from its directory entry, which saves a stat
// per file; everything else (directories, links, "." and "..", file systems
// that do not tell) is looked at as the path type says. Debug traces come from
// get_file_type, so with -d it is always asked.
int entry_type(const dirent *entry)
{
    if (entry->d_type == DT_REG && !exif_opts_p->debug)
        return type_file;
    if (special_file(entry)) {
        trace("Ignoring special file %s\n", entry->d_name);
        return type_unknown;
    }
    return get_file_type(entry->d_name);
}

// Reads the working directory's entries. Returns false when a subdirectory's
// walk could not come back here: entries named relative to this directory
// can no longer be reached, so the rest of it is left.
bool walk_entries(char *display_path, int subdirs, walk_path &path)
{
    DIR *dir = opendir(".");
    if (dir == nullptr) {
        fprintf(stderr, "Error: Can't open directory %s:%s\n", display_path, strerror(errno));
        note_system_failure();
        return true;
    }
    trace("Opened directory %s\n", display_path);
    bool in_place = true;
    entry_read_ahead read_ahead;
    for (long index = 0; in_place; index++) {
        read_ahead.before(index);
        const dirent *entry = readdir(dir);
        if (entry == nullptr)
            break;
        switch (entry_type(entry)) {
        case type_file:
            process_file(display_path, entry->d_name);
            break;
        case type_directory:
            if (subdirs)
                in_place = walk_directory(display_path, entry->d_name, subdirs, path);
            else
                trace("Subdirectory %s ignored\n", entry->d_name);
            break;
        case type_unreadable:
            output_unreadable_path(display_path, entry->d_name, errno);  // the error has been printed
            break;
        default:
            break;  // "." and "..", or what is neither file nor directory
        }
    }
    read_ahead.finish();
    closedir(dir);
    return in_place;
}

// Enters a subdirectory, walks it and returns to the directory holding it.
// Returns false when that return failed.
bool walk_subdirectory(char *display_path, const char *name, int subdirs, walk_path &path)
{
    struct stat st;
    if (stat(name, &st) != 0) {
        fprintf(stderr, "Error: Can't enter directory %s/%s: %s\n", display_path, name, strerror(errno));
        note_system_failure();
        return true;
    }
    if (on_walk_path(path, st)) {
        warn("Warning: Directory %s/%s leads back into the walk (a link loop), skipped\n", display_path, name);
        return true;
    }
    const size_t length = strlen(display_path);
    if (length + 1 + strlen(name) > static_cast<size_t>(max_name_len) || path.depth >= max_walk_depth) {
        fprintf(stderr, "Error: Directory path %s/%s is longer than %d characters, skipped\n", display_path, name,
                max_name_len);
        return true;
    }
    const int back = open_working_dir();
    if (back < 0) {
        fprintf(stderr, "Error: Can't keep the way back to directory %s: %s\n", display_path, strerror(errno));
        return true;
    }
    if (chdir(name) != 0) {
        fprintf(stderr, "Error: Can't enter directory %s/%s: %s\n", display_path, name, strerror(errno));
        note_system_failure();
        close(back);
        return true;
    }
    append_text(display_path, display_path_size, "/");
    append_text(display_path, display_path_size, name);
    trace("Setting directory to %s\n", display_path);
    enter_walk_path(path, st);

    walk_entries(display_path, subdirs, path);  // the handle brings the walk back whatever happened below

    path.depth--;
    display_path[length] = '\0';
    bool in_place = fchdir(back) == 0;
    if (!in_place) {
        fprintf(stderr, "Error: Can't return to directory %s: %s\n", display_path, strerror(errno));
        note_system_failure();
    }
    close(back);
    return in_place;
}

bool walk_directory(char *display_path, const char *name, int subdirs, walk_path &path)
{
    trace("Processing directory %s, parent %s\n", name, display_path);
    if (strcmp(name, ".") != 0)
        return walk_subdirectory(display_path, name, subdirs, path);
    struct stat st;
    if (stat(".", &st) == 0)
        enter_walk_path(path, st);
    return walk_entries(display_path, subdirs, path);
}

}  // namespace

void extract_dir(char *display_path, const char *name, int subdirs)
{
    walk_path path{};
    struct stat st;
    // A subdirectory is walked from its parent, which is then on the path too.
    if (strcmp(name, ".") != 0 && stat(".", &st) == 0)
        enter_walk_path(path, st);
    walk_directory(display_path, name, subdirs, path);
}
