#include <cstdio>
#include <unistd.h>

#include "frontend/run.h"
#include "frontend/terminal_output.h"

namespace {
// Listings of whole photo archives run to megabytes: a larger buffer than the
// stream's default means far fewer writes. A terminal keeps its line buffering.
char stdout_buffer[1 << 16];
}  // namespace

int main(int argc, char *argv[])
{
    if (!isatty(STDOUT_FILENO))
        setvbuf(stdout, stdout_buffer, _IOFBF, sizeof stdout_buffer);
    filter_terminal_output();
    return run_tagsift(argc, argv);
}
