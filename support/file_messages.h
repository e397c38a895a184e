// Messages about the file being read. With named messages (extended reading)
// every line names the file as the listing shows it ("Warning: dir/a.jpg:
// ..."), and a file gives at most ten warning lines, then one that counts the
// rest: a broken file must not bury a night's run in its warnings. Without,
// callers print the texts of old as they are.
#pragma once
#include <cstdint>

// Starts the messages of a file shown as `shown_name`.
void begin_file_messages(const char *shown_name, bool named);
// Prints the count of the warnings not shown, if any.
void end_file_messages();
// True while the file's messages are named.
bool file_messages_named();

// "Warning: NAME: text" (counted against the cap, silenced by -q) and
// "Error: NAME: text"; the text comes without a line end.
[[gnu::format(printf, 1, 2)]] void file_warning(const char *format, ...);
[[gnu::format(printf, 1, 2)]] void file_error(const char *format, ...);

// Warning lines a file may print before the rest are only counted.
constexpr int32_t max_warnings_per_file = 10;

// The run's exit status with extended reading: 2 once a file or folder
// could not be opened or read at the system level, else 0.
void note_system_failure();
int run_exit_status();
