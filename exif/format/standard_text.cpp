#include "exif/format/standard_text.h"

#include <cstring>

namespace {

constexpr uint32_t comment_code_length = 8;

void append_bytes(const unsigned char *bytes, uint32_t count, uint32_t available, format_text &out)
{
    size_t n = count < available ? count : available;
    if (n > format_text_limit)
        n = format_text_limit;
    const char *text = reinterpret_cast<const char *>(bytes);
    out.append(text, strnlen(text, n));
}

}  // namespace

void format_value_text(const buf_context *ctx, uint32_t count, format_text &out)
{
    append_bytes(ctx->buf_p, count, buf_bytes(ctx, count), out);
}

void format_date(const buf_context *ctx, uint32_t count, bool excel_tweak, format_text &out)
{
    constexpr size_t colon_positions[] = {4, 7};
    char date[format_text_limit + 1] = "";
    format_text copy(date);
    format_value_text(ctx, count, copy);
    // Only characters actually copied are rewritten: a short text stays short.
    if (excel_tweak)
        for (size_t position : colon_positions)
            if (position < copy.length())
                date[position] = '/';
    out.append(date, copy.length());
}

void format_user_comment(const buf_context *ctx, uint32_t count, format_text &out)
{
    uint32_t available = buf_bytes(ctx, count);
    if (count < comment_code_length || available < comment_code_length)
        return;
    append_bytes(ctx->buf_p + comment_code_length, count - comment_code_length, available - comment_code_length, out);
}
