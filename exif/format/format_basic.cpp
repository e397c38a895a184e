// Uninterpreted (raw) and plain (basic) renderings of any value.
#include <cstring>

#include "exif/field_defs.h"
#include "exif/format/float_values.h"
#include "exif/format/format_text.h"
#include "exif/format/formatters.h"
#include "exif/format/standard_rationals.h"
#include "exif/format/standard_text.h"
#include "support/run_options.h"

namespace {

// Hex digits shown stop once the text passes this length: 249 bytes at most.
constexpr size_t hex_text_stop = 496;

// The bytes of a byte-typed value that lie in the buffer: a count reaching past
// the buffer's end is cut there.
uint32_t bytes_available(const buf_context *ctx, uint32_t count) { return buf_bytes(ctx, count); }

// With whole-value cuts, hex digits shown stop where the cut mark still fits after them.
void format_hex(const buf_context *ctx, uint32_t count, format_text &out)
{
    static const char digits[] = "0123456789abcdef";
    const bool whole = profile_of(ctx).whole_value_cuts;
    const size_t stop = whole ? hex_text_stop - cut_mark_length : hex_text_stop;
    uint32_t n = bytes_available(ctx, count);
    uint32_t i = 0;
    for (; i < n && out.length() <= stop; i++) {
        char pair[2] = {digits[ctx->buf_p[i] >> 4], digits[ctx->buf_p[i] & 0xF]};
        out.append(pair, 2);
    }
    if (whole && i < n)
        out.append(cut_mark);
}

// Reads and renders each of `count` values with `one`, blank-separated, then
// leaves the cursor after the last value. All values must lie in the buffer
// (checked at once, so that values past a full text are skipped, not read).
// With whole-value cuts a text cut at the limit ends after its last whole
// value, with the cut mark.
template <typename Render>
void format_values(buf_context *ctx, uint32_t data_type, uint32_t count, format_text &out, Render one)
{
    if (!require_bytes(ctx, static_cast<uint64_t>(field_lengths[data_type]) * count))
        return;  // a bounded read: the walk passes the entry over
    size_t last_whole = out.length();  // the end of the last value the mark still fits after
    uint32_t i = 0;
    for (; i < count && !out.full(); i++) {
        if (i > 0)
            out.append(" ", 1);
        one(out);
        if (out.length() + cut_mark_length <= format_text_limit)
            last_whole = out.length();
    }
    if (profile_of(ctx).whole_value_cuts && (i < count || out.cut())) {
        out.cut_back(last_whole);
        out.append(cut_mark);
    }
    ctx->buf_p += static_cast<size_t>(field_lengths[data_type]) * (count - i);
}

}  // namespace

int is_printable(const unsigned char *bytes, uint32_t count)
{
    for (uint32_t i = 0; i < count; i++)
        if (bytes[i] < 0x20 || bytes[i] > 0x7E)
            return 0;
    return 1;
}

void format_field_raw(buf_context *ctx, uint32_t data_type, uint32_t count, char *text)
{
    format_text out(text);
    switch (data_type) {
    case data_type_byte:
    case data_type_sbyte:
    case data_type_undefined:
        format_hex(ctx, count, out);
        break;
    case data_type_ascii:
        format_value_text(ctx, count, out);
        break;
    case data_type_short:
        format_values(ctx, data_type, count, out, [ctx](format_text &o) { o.appendf("%d", get_u_int2(ctx)); });
        break;
    case data_type_long:
        format_values(ctx, data_type, count, out, [ctx](format_text &o) { o.appendf("%u", get_u_int4(ctx)); });
        break;
    case data_type_rational:
        format_values(ctx, data_type, count, out,
                      [ctx](format_text &o) { format_raw_fraction(read_stored_rational(ctx, data_type_rational), o); });
        break;
    case data_type_sshort:
        format_values(ctx, data_type, count, out, [ctx](format_text &o) { o.appendf("%d", get_int2(ctx)); });
        break;
    case data_type_slong:
        format_values(ctx, data_type, count, out, [ctx](format_text &o) { o.appendf("%d", get_int4(ctx)); });
        break;
    case data_type_long8:
    case data_type_ifd8:
        format_values(ctx, data_type, count, out,
                      [ctx](format_text &o) { o.appendf("%llu", static_cast<unsigned long long>(get_u_int8(ctx))); });
        break;
    case data_type_slong8:
        format_values(ctx, data_type, count, out, [ctx](format_text &o) {
            o.appendf("%lld", static_cast<long long>(static_cast<int64_t>(get_u_int8(ctx))));
        });
        break;
    case data_type_srational:
        format_values(ctx, data_type, count, out, [ctx](format_text &o) {
            format_raw_fraction(read_stored_rational(ctx, data_type_srational), o);
        });
        break;
    case data_type_float:
        if (profile_of(ctx).newer_fields)
            format_values(ctx, data_type, count, out, [ctx](format_text &o) { o.appendf("%.7g", get_float32(ctx)); });
        else
            out.append("<not yet implemented>");
        break;
    case data_type_double:
        if (profile_of(ctx).newer_fields)
            format_values(ctx, data_type, count, out, [ctx](format_text &o) { o.appendf("%.15g", get_float64(ctx)); });
        else
            out.append("<not yet implemented>");
        break;
    default:
        out.appendf("Unrecognised data type: %d", data_type);
        break;
    }
}

void format_field_basic(buf_context *ctx, uint32_t data_type, uint32_t count, char *text)
{
    format_text out(text);
    switch (data_type) {
    case data_type_byte:
    case data_type_sbyte:
    case data_type_undefined:
        if (is_printable(ctx->buf_p, bytes_available(ctx, count)))
            format_value_text(ctx, count, out);
        else
            format_hex(ctx, count, out);
        break;
    case data_type_rational:
        format_values(ctx, data_type, count, out, [ctx](format_text &o) {
            float numerator = static_cast<float>(get_u_int4(ctx));
            float denominator = static_cast<float>(get_u_int4(ctx));
            o.appendf("%.2f", denominator != 0.0f ? numerator / denominator : 0.0f);
        });
        break;
    case data_type_srational:
        format_values(ctx, data_type, count, out, [ctx](format_text &o) {
            float numerator = static_cast<float>(get_int4(ctx));
            float denominator = static_cast<float>(get_int4(ctx));
            o.appendf("%.2f", denominator != 0.0f ? numerator / denominator : 0.0f);
        });
        break;
    default:
        format_field_raw(ctx, data_type, count, text);
        break;
    }
}

void format_field_basic_ifd(buf_context *ctx, uint32_t, uint32_t data_type, uint32_t count, uint32_t, char *text)
{
    format_field_basic(ctx, data_type, count, text);
}
