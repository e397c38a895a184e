#include "support/fatal.h"

#include <cstdio>
#include <cstdlib>

namespace {
void (*stop_hook)() = nullptr;
}  // namespace

void set_stop_hook(void (*hook)()) { stop_hook = hook; }

void fatal_stop(const char *message, int status)
{
    if (stop_hook != nullptr) {
        void (*hook)() = stop_hook;
        stop_hook = nullptr;  // a stop inside the hook ends at once
        hook();
    }
    fflush(stdout);
    fputs(message, stderr);
    exit(status);
}
