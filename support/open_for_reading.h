// Opening a file to read without waiting: open(2) blocks on a FIFO until a
// writer comes, which could be never when someone else planted it.
#pragma once
#include <cstdio>

// Opens path like fopen with a reading mode ("rb" or "rb+"), without waiting
// for a writer when path is a FIFO; reads then wait for data as usual, and a
// FIFO without a writer reads as empty. nullptr with errno set on failure.
FILE *open_for_reading(const char *path, const char *mode);
