// Shared set-up of the fuzz targets: a private scratch folder, the program's
// output streams sent to /dev/null, and the field selection of a fresh run.
#pragma once
#include <cstddef>
#include <cstdint>

// Creates the scratch folder (under /dev/shm when it exists), makes it the
// working directory, and points stdout/stderr of the program at /dev/null
// (libFuzzer and the sanitizers keep writing to file descriptor 2). Sets
// TAGSIFT_FUZZ_VERBOSE=1 to keep the program's output.
void fuzz_setup();

// Writes the bytes to the named file in the scratch folder.
void fuzz_write_file(const char *name, const uint8_t *data, size_t size);

// Puts the field table's output columns back to the program's start values.
void fuzz_reset_selection();
