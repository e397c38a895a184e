// Output to a terminal: file names and texts read from photos may hold escape
// sequences, which a terminal must be shown, not made to act on.
#pragma once

// When standard output (standard error) is a terminal, replaces the stream by
// one that writes through support/control_bytes, keeping its buffering: line
// buffered output, unbuffered errors. Output to a pipe or a file is left as is.
// Called once, before anything is printed.
void filter_terminal_output();
