#include "frontend/progress.h"

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <sys/ioctl.h>
#include <unistd.h>

#include "support/run_options.h"
#include "support/utf8_text.h"

namespace {

constexpr int64_t first_after_ms = 1000;  // runs shorter than this show nothing
constexpr int64_t update_every_ms = 250;
constexpr size_t folder_size = 1024;
constexpr char erase[] = "\r\033[K";  // to the start of the line, and clear it

struct progress_state {
    FILE *terminal;  // standard error as it was; nullptr while no line may be shown
    FILE *hooked;    // the stream that stands in for it meanwhile
    bool shown;
    uint32_t files;
    int64_t start_ms, drawn_ms;
    size_t width;  // of the terminal, in characters
};

progress_state state;

// The coarse clock is read without a system call: cheap enough for every file.
int64_t now_ms()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &t);
    return static_cast<int64_t>(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
}

// The line's own control sequences go straight to the terminal: standard
// error may be a stream that shows control bytes from files as '?' (see
// terminal_output.h), and what it passes on is written at once, unbuffered,
// so the two stay in order.
void write_raw(const char *bytes, size_t size)
{
    while (size > 0) {
        const ssize_t n = write(STDERR_FILENO, bytes, size);
        if (n <= 0)
            return;
        bytes += n;
        size -= static_cast<size_t>(n);
    }
}

void clear_line()
{
    if (!state.shown)
        return;
    write_raw(erase, sizeof erase - 1);
    state.shown = false;
}

ssize_t write_after_clearing(void *, const char *data, size_t size)
{
    clear_line();
    return static_cast<ssize_t>(fwrite(data, 1, size, state.terminal));
}

size_t terminal_width()
{
    winsize size{};
    if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col < progress_narrowest)
        return progress_narrowest;
    return size.ws_col;
}

// Skips the first characters of a text of well-formed UTF-8.
const char *skip_characters(const char *text, size_t count)
{
    for (; count > 0 && *text != '\0'; count--)
        text += utf8_sequence_length(text);
    return text;
}

// One line, narrower than the terminal: a folder too long loses its start.
void draw(const char *folder, int64_t now)
{
    const int64_t elapsed = now - state.start_ms;
    char counts[64];
    const int counts_length = snprintf(counts, sizeof counts, "%u files read, %lld files/s, ", state.files,
                                       static_cast<long long>(state.files * 1000LL / elapsed));
    char shown[folder_size];
    const size_t characters = copy_shown_text(shown, sizeof shown, folder[0] != '\0' ? folder : ".");
    const size_t used = static_cast<size_t>(counts_length) + 1;
    const size_t room = state.width > used + 3 ? state.width - used : 3;
    const char *tail = characters > room ? skip_characters(shown, characters - room + 3) : shown;
    char line[sizeof counts + folder_size + 16];
    const int length = snprintf(line, sizeof line, "\r%s%s%s\033[K", counts, tail == shown ? "" : "...", tail);
    write_raw(line, static_cast<size_t>(length));
    state.shown = true;
    state.drawn_ms = now;
}

}  // namespace

void progress_start()
{
    state = {};
    if (exif_opts_p->quiet || !isatty(STDERR_FILENO) || isatty(STDOUT_FILENO))
        return;
    FILE *hooked = fopencookie(nullptr, "w", {nullptr, write_after_clearing, nullptr, nullptr});
    if (hooked == nullptr)
        return;
    setvbuf(hooked, nullptr, _IONBF, 0);
    state.terminal = stderr;
    state.hooked = hooked;
    state.width = terminal_width();
    state.start_ms = now_ms();
    state.drawn_ms = state.start_ms - update_every_ms;
    stderr = hooked;
}

void progress_file_read(const char *folder)
{
    if (state.terminal == nullptr)
        return;
    state.files++;
    const int64_t now = now_ms();
    if (now - state.start_ms > first_after_ms && now - state.drawn_ms >= update_every_ms)
        draw(folder, now);
}

void progress_end()
{
    if (state.terminal == nullptr)
        return;
    clear_line();
    stderr = state.terminal;
    fclose(state.hooked);
    state = {};
}
