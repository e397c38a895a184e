// Canon maker notes: the settings arrays and custom functions line by line,
// the image and camera body numbers in their fixed layouts.
#include <cstdio>

#include "exif/format/canon_arrays.h"
#include "exif/format/formatters.h"

namespace {

constexpr uint32_t tag_settings1 = 0x0001;
constexpr uint32_t tag_settings4 = 0x0004;
constexpr uint32_t tag_image_number = 0x0008;
constexpr uint32_t tag_body_number = 0x000c;
constexpr uint32_t tag_custom_functions = 0x000f;

// Number layouts are padded with blanks by printf and then with zeros: every
// blank among the first 8 characters becomes the digit 0.
void zero_pad(char *text)
{
    for (int i = 0; i < 8 && text[i] != '\0'; i++)
        if (text[i] == ' ')
            text[i] = '0';
}

// Folder number and file number: 1000123 is 100-0123.
void format_image_number(buf_context *ctx, char *text)
{
    uint32_t n = get_u_int4(ctx);
    snprintf(text, format_text_limit + 1, "%3d-%4d", static_cast<int>(n / 10000), static_cast<int>(n % 10000));
    zero_pad(text);
}

// Only the first value counts, whatever the count.
void format_body_number(buf_context *ctx, char *text)
{
    uint32_t n = get_u_int4(ctx);
    snprintf(text, format_text_limit + 1, "%04X%05d", n >> 16, static_cast<int>(n & 0xFFFF));
    zero_pad(text);
}

}  // namespace

void format_field_canong1(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t, char *text)
{
    switch (tag) {
    case tag_settings1: {
        format_text out(text);
        append_canon_settings1(ctx, count, out);
        break;
    }
    case tag_settings4: {
        format_text out(text);
        append_canon_settings4(ctx, count, out);
        break;
    }
    case tag_custom_functions: {
        format_text out(text);
        append_canon_custom_functions(ctx, count, out);
        break;
    }
    case tag_image_number:
        format_image_number(ctx, text);
        break;
    case tag_body_number:
        format_body_number(ctx, text);
        break;
    default:
        format_field_basic(ctx, data_type, count, text);
        break;
    }
}
