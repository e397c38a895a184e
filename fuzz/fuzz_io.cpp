#include "fuzz/fuzz_io.h"

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "exif/extended_field_defs.h"
#include "exif/field_defs.h"

extern "C" FILE *__real_fdopen(int fd, const char *mode);

namespace {
int32_t start_columns[field_defn_rows];
char scratch[256];
}  // namespace

void fuzz_setup()
{
    const char *base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    snprintf(scratch, sizeof scratch, "%s/tagsift-fuzz-%d", base, static_cast<int>(getpid()));
    mkdir(scratch, 0700);
    if (chdir(scratch) != 0)
        abort();
    const char *verbose = getenv("TAGSIFT_FUZZ_VERBOSE");
    if (verbose == nullptr || verbose[0] != '1') {
        // Not the wrapped fdopen: streams it opens are tracked for
        // close_files_left_open, which would close this one at the first stop.
        FILE *null_out = __real_fdopen(open("/dev/null", O_WRONLY | O_CLOEXEC), "w");
        if (null_out == nullptr)
            abort();
        stdout = null_out;
        stderr = null_out;
    }
    for (int i = 0; i < field_defn_rows; i++)
        start_columns[i] = ifd_field_defn[i].list_column;
}

void fuzz_write_file(const char *name, const uint8_t *data, size_t size)
{
    FILE *fp = fopen(name, "wb");
    if (fp == nullptr)
        abort();
    if (size > 0 && fwrite(data, 1, size, fp) != size)
        abort();
    fclose(fp);
}

void fuzz_reset_selection()
{
    for (int i = 0; i < field_defn_rows; i++)
        ifd_field_defn[i].list_column = start_columns[i];
    for (ifd_field_defn_row &row : extended_field_defn)  // none selected at start
        row.list_column = -1;
}
