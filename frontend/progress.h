// The progress line of long runs: when standard error is a terminal and
// standard output is not, a run that has gone on for more than a second shows
// on standard error, a few times a second, the files read, files per second
// and the folder being walked. -q turns it off.
//
// Messages go to standard error from every layer, so the line is cleared in
// one place: while it may be shown, stderr is a stream of this module's that
// clears the line before it passes on anything written to it. The line is
// drawn again at the next update.
#pragma once
#include <cstddef>

// The narrowest line drawn, in characters: a terminal that says less gets as many.
constexpr size_t progress_narrowest = 40;

// Decides whether the line may be shown, and if so starts the clock.
void progress_start();
// Counts a file read in folder (a display path; empty for the start
// directory) and updates the line when it is due.
void progress_file_read(const char *folder);
// Erases the line and gives standard error back.
void progress_end();
