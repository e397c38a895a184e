// The two kinds of side output: -d traces on standard output and warnings on
// standard error, which -q silences. Formats are checked like printf's.
#pragma once

#include "support/run_options.h"

// Prints to standard output; call it through trace().
[[gnu::format(printf, 1, 2)]] void print_trace(const char *format, ...);

// trace(format, ...) prints when -d is on. It is an expression rather than a
// function so that the arguments are not even evaluated without -d: traces
// stand in the per-entry paths, where a call per trace would cost 5% of a run.
#define trace(...) ((void)(exif_opts_p->debug != 0 && (print_trace(__VA_ARGS__), true)))

// Prints to standard error unless -q is on.
[[gnu::format(printf, 1, 2)]] void warn(const char *format, ...);
