// The one way the program stops on its own: a read, skip or write that would
// pass the end of the in-memory buffer (status 8), or a fatal support-library
// limit (status 1). Kept in one function so that a fuzzing build can replace it.
#pragma once

[[noreturn]] void fatal_stop(const char *message, int status);

// Registers the function that fatal_stop calls first, once, before standard
// output is flushed: the front end ends what it has begun there (an SQL
// script's transaction, a progress line). nullptr removes it.
void set_stop_hook(void (*hook)());
