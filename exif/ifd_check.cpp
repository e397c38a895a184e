#include "exif/ifd_check.h"

#include <cstdio>

namespace {

// The leading entries whose data types are looked at: in garbage, most of
// them name types that do not exist.
constexpr uint32_t entries_looked_at = 4;

// Reads a number of `size` bytes (2, 4 or 8) at p in the block's byte order.
uint64_t number_at(const unsigned char *p, uint32_t size, bool motorola_order)
{
    uint64_t value = 0;
    for (uint32_t i = 0; i < size; i++)
        value |= static_cast<uint64_t>(p[motorola_order ? i : size - 1 - i]) << (8 * (size - 1 - i));
    return value;
}

}  // namespace

const char *ifd_refusal(const buf_context *ctx, const tiff_layout &layout)
{
    static char reason[96];
    const uint64_t room = buf_remaining(ctx);
    if (room < layout.count_size)
        return "its entry count lies past the end of the data";
    (void)buf_bytes(ctx, layout.count_size);  // read in place below
    const uint64_t entries = number_at(ctx->buf_p, layout.count_size, ctx->motorola_order != 0);
    if (entries > max_ifd_entries) {
        snprintf(reason, sizeof reason, "it claims %llu entries, more than %u",
                 static_cast<unsigned long long>(entries), max_ifd_entries);
        return reason;
    }
    if (room - layout.count_size < entries * layout.entry_size + layout.offset_size) {
        snprintf(reason, sizeof reason, "its %llu entries run past the end of the data",
                 static_cast<unsigned long long>(entries));
        return reason;
    }
    uint32_t looked_at = entries < entries_looked_at ? static_cast<uint32_t>(entries) : entries_looked_at;
    (void)buf_bytes(ctx, layout.count_size + looked_at * layout.entry_size);
    uint32_t missing_types = 0;
    for (uint32_t i = 0; i < looked_at; i++) {
        const unsigned char *entry = ctx->buf_p + layout.count_size + i * layout.entry_size;
        if (!stored_type_exists(static_cast<uint32_t>(number_at(entry + 2, 2, ctx->motorola_order != 0))))
            missing_types++;
    }
    if (missing_types * 2 > looked_at)
        return "its first entries have data types that do not exist";
    return nullptr;
}

bool next_ifd_points_back(uint64_t next, uint64_t ifd_offset, uint64_t entries, const tiff_layout &layout)
{
    if (next == 0)
        return false;
    const uint64_t ifd_end = ifd_offset + layout.count_size + entries * layout.entry_size + layout.offset_size;
    return next < layout.header_size || (next >= ifd_offset && next < ifd_end);
}
