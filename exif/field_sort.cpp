#include "exif/field_sort.h"

#include <algorithm>
#include <cstdint>

namespace {

// Stable order of records: IFD type, then tag, then extraction order.
uint64_t sort_key(const ifd_field &f)
{
    return static_cast<uint64_t>(f.ifd_type) << 32 | static_cast<uint64_t>(f.tag) << 16 | f.seq;
}

}  // namespace

// Sorts an index, then applies it to the records by cycles.
void sort_fields(ifd_field_store *store)
{
    uint32_t n = store->count;
    uint64_t keys[max_fields];
    for (uint32_t i = 0; i < n; i++)
        keys[i] = sort_key(store->fields[i]) << 10 | i;
    std::sort(keys, keys + n);
    static_assert(max_fields <= 1024, "the record's index takes 10 bits of the key");
    uint16_t source[max_fields];
    for (uint32_t i = 0; i < n; i++)
        source[i] = static_cast<uint16_t>(keys[i] & 0x3FF);
    bool done[max_fields] = {};
    for (uint32_t start = 0; start < n; start++) {
        if (done[start] || source[start] == start)
            continue;
        ifd_field held = store->fields[start];
        uint32_t to = start;
        while (source[to] != start) {
            store->fields[to] = store->fields[source[to]];
            done[to] = true;
            to = source[to];
        }
        store->fields[to] = held;
        done[to] = true;
    }
}
