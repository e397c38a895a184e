#include "support/trace.h"

#include <cstdarg>
#include <cstdio>

#include "support/run_options.h"

void print_trace(const char *format, ...)
{
    va_list args;
    va_start(args, format);
    vprintf(format, args);
    va_end(args);
}

void warn(const char *format, ...)
{
    if (exif_opts_p->quiet)
        return;
    va_list args;
    va_start(args, format);
    vfprintf(stderr, format, args);
    va_end(args);
}
