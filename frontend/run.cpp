#include "frontend/run.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "exif/format/ifd_formats.h"
#include "frontend/catalogue.h"
#include "frontend/dir_walk.h"
#include "frontend/options.h"
#include "frontend/outputs.h"
#include "frontend/paths.h"
#include "frontend/progress.h"
#include "frontend/read_ahead.h"
#include "frontend/unread_files.h"
#include "frontend/usage.h"
#include "frontend/version.h"
#include "support/errors.h"
#include "support/fatal.h"
#include "support/file_messages.h"
#include "support/run_options.h"
#include "support/text_copy.h"
#include "support/trace.h"

namespace {

constexpr size_t name_size = max_name_len + 1;

// Where the run started; every argument ends by returning here.
struct start_point {
    char name[name_size];  // empty when the path does not fit
    int fd;                // a handle on the directory itself, -1 when unavailable
};

void read_file_argument(const char *current_dir, const char *arg)
{
    ifd_field_store *store;
    int rc = extract_exif_fields(current_dir, arg, run_profile(), &store, 1);
    if (rc == exif_ok) {
        output_fields(store);
    } else {
        if (!file_messages_named())
            fprintf(stderr, "Error: Error while extracting EXIF fields: %s\n", exif_strerror(rc));
        else
            report_unread_file(rc);
        output_failed_file(store, rc);
    }
    end_file_messages();
    progress_file_read(current_dir);
}

// What the outputs have begun is ended on every way out of the run.
void end_run()
{
    set_stop_hook(nullptr);
    progress_end();
    end_output();
}

void walk_directory_argument(char *current_dir, const char *arg)
{
    if (chdir(arg) != 0) {
        fprintf(stderr, "Error: Can't open directory %s\n", arg);
        note_system_failure();
        return;
    }
    trace("Directory set to %s\n", arg);
    if (opts.absolute_paths) {
        if (get_current_dir(current_dir) == nullptr) {
            fprintf(stderr, "Error: Directory path of %s is longer than %d characters, skipped\n", arg, max_name_len);
            return;
        }
    } else {
        copy_text(current_dir, name_size, arg);
    }
    extract_dir(current_dir, ".", opts.subdirs);
}

void return_to_start(const start_point &start, const char *base_dir, char *current_dir)
{
    int rc = start.fd >= 0 ? fchdir(start.fd) : chdir(start.name);
    if (rc != 0) {
        fprintf(stderr, "Error: Can't open directory %s\n", start.name);
        return;
    }
    trace("Reset directory to %s\n", start.name);
    copy_text(current_dir, name_size, base_dir);
}

void process_argument(const char *arg, const start_point &start, const char *base_dir, char *current_dir)
{
    if (strlen(arg) > static_cast<size_t>(max_name_len)) {
        fprintf(stderr, "Error: Name longer than %d characters, skipped: %s\n", max_name_len, arg);
        return;
    }
    switch (get_file_type(arg)) {
    case type_file:
        read_file_argument(current_dir, arg);
        break;
    case type_directory:
    case type_dot:
    case type_dot_dot:
        walk_directory_argument(current_dir, arg);
        break;
    case type_unreadable:
        output_unreadable_path(current_dir, arg, errno);  // the error has been printed
        break;
    default:
        break;
    }
    return_to_start(start, base_dir, current_dir);
}

}  // namespace

int run_tagsift(int argc, char *argv[])
{
    int first_arg = set_command_options(argc, argv);
    if (first_arg < 0)
        return 1;
    if (opts.show_usage) {
        display_usage();
        return 0;
    }
    if (opts.list_field_names) {
        display_field_names();
        return 0;
    }
    if (opts.show_version) {
        display_version();
        return 0;
    }

    start_point start{};
    start.fd = open_working_dir();
    char base_dir[name_size] = "";
    if (get_current_dir(start.name) == nullptr) {
        start.name[0] = '\0';
        if (opts.absolute_paths)
            fprintf(stderr, "Error: Can't determine the start directory (%s), paths are shown relative\n",
                    strerror(errno));
    } else if (opts.absolute_paths) {
        copy_text(base_dir, sizeof base_dir, start.name);
        trace("Absolution start dir set to %s\n", base_dir);
    }
    char current_dir[name_size];
    copy_text(current_dir, sizeof current_dir, base_dir);

    set_stop_hook(end_run);
    progress_start();
    start_output();
    argument_read_ahead read_ahead(start.fd >= 0 ? start.fd : AT_FDCWD, argv, argc);
    for (int i = first_arg; i > 0 && i < argc; i++) {
        read_ahead.before(i);
        process_argument(argv[i], start, base_dir, current_dir);
    }
    end_run();

    if (start.fd >= 0)
        close(start.fd);
    // Extended reading tells a run in which a file or folder could not be
    // read at all (2) from one that read everything, broken contents included (0).
    return opts.extended ? run_exit_status() : 0;
}
