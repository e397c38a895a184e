// The two kinds of side output: -d traces on standard output and warnings on
// standard error, which -q silences. Formats are checked like printf's.
#pragma once

// Prints to standard output when -d is on.
[[gnu::format(printf, 1, 2)]] void trace(const char *format, ...);
// Prints to standard error unless -q is on.
[[gnu::format(printf, 1, 2)]] void warn(const char *format, ...);
