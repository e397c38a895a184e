// The one way the program stops on its own: a read, skip or write that would
// pass the end of the in-memory buffer (status 8), or a fatal support-library
// limit (status 1). Kept in one function so that a fuzzing build can replace it.
#pragma once

[[noreturn]] void fatal_stop(const char *message, int status);
