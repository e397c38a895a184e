// Fuzz-build replacement of the program's one exit: instead of ending the
// process, fatal_stop throws back into the harness, which counts the stop as
// an ordinary outcome of the input and goes on with the next one.
#pragma once

struct fatal_stopped {
    int status;
};

// Files opened by the program and not yet closed when a stop unwound the
// stack; the harness closes them so that a stop leaks nothing.
void close_files_left_open();
