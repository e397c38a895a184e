// The Canon maker note's arrays of 16-bit numbers. Each decoder appends one
// "label: value" line per known position to the text; position 0 is skipped.
#pragma once
#include <cstdint>

#include "exif/buf_context.h"
#include "exif/format/format_text.h"

void append_canon_settings1(buf_context *ctx, uint32_t count, format_text &out);
void append_canon_settings4(buf_context *ctx, uint32_t count, format_text &out);
void append_canon_custom_functions(buf_context *ctx, uint32_t count, format_text &out);

// Reads the `count` values of an array in order and hands positions 1 and up to
// line(position, value). Every value is read, even once the text is full.
template <typename Line>
void for_each_canon_position(buf_context *ctx, uint32_t count, Line line)
{
    for (uint32_t i = 0; i < count; i++) {
        uint32_t v = get_u_int2(ctx);
        if (i > 0)
            line(i, v);
    }
}
