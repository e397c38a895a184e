// The integers of a binary property list ("bplist00"), as Apple's maker note
// keeps its run time: a dictionary of numbers under text keys.
#pragma once
#include <cstdint>

// The integer stored under key in the list's top dictionary. False when the
// bytes are no binary property list, the top object no dictionary, or the key
// is missing or holds other than an integer. Reads only within data[0, size).
bool plist_integer(const unsigned char *data, uint32_t size, const char *key, int64_t *value);
