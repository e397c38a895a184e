#include "frontend/terminal_output.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

#include "support/control_bytes.h"

namespace {

struct terminal {
    int fd;
    FILE *stream;  // the filtering stream, once made
    control_byte_filter filter;
};
terminal out_terminal{STDOUT_FILENO, nullptr, {}};
terminal err_terminal{STDERR_FILENO, nullptr, {}};
char out_line_buffer[BUFSIZ];

bool write_all(int fd, const char *bytes, size_t n)
{
    while (n > 0) {
        ssize_t done = write(fd, bytes, n);
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        bytes += done;
        n -= static_cast<size_t>(done);
    }
    return true;
}

ssize_t write_filtered(void *cookie, const char *bytes, size_t size)
{
    auto *t = static_cast<terminal *>(cookie);
    constexpr size_t piece = 4096;
    char cleaned[piece + control_filter_slack];
    for (size_t done = 0; done < size; done += piece) {
        const size_t n = size - done < piece ? size - done : piece;
        if (!write_all(t->fd, cleaned, filter_control_bytes(&t->filter, bytes + done, n, cleaned)))
            return -1;
    }
    return static_cast<ssize_t>(size);
}

// At exit, after the last output: a UTF-8 sequence left unfinished is written as the bytes it is.
void release_held_bytes()
{
    terminal *const terminals[] = {&out_terminal, &err_terminal};
    for (terminal *t : terminals) {
        if (t->stream == nullptr)
            continue;
        fflush(t->stream);
        char rest[control_filter_slack];
        write_all(t->fd, rest, flush_control_byte_filter(&t->filter, rest));
    }
}

FILE *filtering_stream(terminal &t)
{
    if (!isatty(t.fd))
        return nullptr;
    t.stream = fopencookie(&t, "w", {nullptr, write_filtered, nullptr, nullptr});
    return t.stream;
}

}  // namespace

void filter_terminal_output()
{
    if (FILE *out = filtering_stream(out_terminal)) {
        setvbuf(out, out_line_buffer, _IOLBF, sizeof out_line_buffer);
        stdout = out;
    }
    if (FILE *err = filtering_stream(err_terminal)) {
        setvbuf(err, nullptr, _IONBF, 0);
        stderr = err;
    }
    if (out_terminal.stream != nullptr || err_terminal.stream != nullptr)
        atexit(release_held_bytes);
}
