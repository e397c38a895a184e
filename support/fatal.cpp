#include "support/fatal.h"

#include <cstdio>
#include <cstdlib>

void fatal_stop(const char *message, int status)
{
    fflush(stdout);
    fputs(message, stderr);
    exit(status);
}
