#include "support/fatal_format.h"

#include <cstdarg>

#include "support/fatal.h"

void fatal_stop_format(FILE *stream, int status, const char *format, ...)
{
    // Printed straight to the stream: a name in the message may be of any length.
    fflush(stdout);
    va_list args;
    va_start(args, format);
    vfprintf(stream, format, args);
    va_end(args);
    fatal_stop("", status);
}
