// Not interpreted yet: every value is rendered plainly.
#include "exif/format/formatters.h"

void format_field_olymp(buf_context *ctx, uint32_t, uint32_t data_type, uint32_t count, uint32_t, char *text)
{
    format_field_basic(ctx, data_type, count, text);
}
