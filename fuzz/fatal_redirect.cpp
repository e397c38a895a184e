#include "fuzz/fatal_redirect.h"

#include <cstdio>

#include "support/fatal.h"

namespace {
void (*stop_hook)() = nullptr;
}  // namespace

void set_stop_hook(void (*hook)()) { stop_hook = hook; }

void fatal_stop(const char *message, int status)
{
    if (stop_hook != nullptr) {
        void (*hook)() = stop_hook;
        stop_hook = nullptr;
        hook();
    }
    fflush(stdout);
    fputs(message, stderr);
    throw fatal_stopped{status};
}

// The link wraps fopen/fdopen/fclose (-Wl,--wrap) so that a stop thrown
// between an open and its close does not leak the stream.
extern "C" {
FILE *__real_fopen(const char *path, const char *mode);
FILE *__real_fdopen(int fd, const char *mode);
int __real_fclose(FILE *fp);
FILE *__wrap_fopen(const char *path, const char *mode);
FILE *__wrap_fdopen(int fd, const char *mode);
int __wrap_fclose(FILE *fp);
}

namespace {
constexpr int max_tracked = 16;
FILE *open_files[max_tracked];

FILE *track(FILE *fp)
{
    if (fp == nullptr)
        return fp;
    for (FILE *&slot : open_files) {
        if (slot == nullptr) {
            slot = fp;
            return fp;
        }
    }
    return fp;  // more than the program ever holds: not tracked
}
}  // namespace

FILE *__wrap_fopen(const char *path, const char *mode) { return track(__real_fopen(path, mode)); }

FILE *__wrap_fdopen(int fd, const char *mode) { return track(__real_fdopen(fd, mode)); }

int __wrap_fclose(FILE *fp)
{
    for (FILE *&slot : open_files)
        if (slot == fp)
            slot = nullptr;
    return __real_fclose(fp);
}

void close_files_left_open()
{
    for (FILE *&slot : open_files) {
        if (slot != nullptr) {
            __real_fclose(slot);
            slot = nullptr;
        }
    }
}
