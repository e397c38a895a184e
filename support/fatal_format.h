// Fatal stops whose message is built from a format, for the support library's
// limits (created files, name lengths, text lengths).
#pragma once
#include <cstdio>

// Prints the formatted message on stream, after what standard output holds so
// far, then ends the program through fatal_stop with status.
[[noreturn]] void fatal_stop_format(FILE *stream, int status, const char *format, ...)
    __attribute__((format(printf, 3, 4)));
