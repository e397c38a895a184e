#include "exif/format/float_values.h"

#include <bit>
#include <cstdint>

float get_float32(buf_context *ctx) { return std::bit_cast<float>(get_u_int4(ctx)); }

double get_float64(buf_context *ctx)
{
    uint64_t first = get_u_int4(ctx);
    uint64_t second = get_u_int4(ctx);
    // Motorola order stores the high half first, Intel order the low half.
    uint64_t bits = ctx->motorola_order ? (first << 32 | second) : (second << 32 | first);
    return std::bit_cast<double>(bits);
}
