// Interpreting formatters not written yet: they render every value plainly,
// as every interpreting formatter does for the tags it does not know.
#include "exif/format/formatters.h"

#define PLAIN_FORMATTER(name)                                                                               \
    void name(buf_context *ctx, uint32_t, uint32_t data_type, uint32_t count, uint32_t, char *text)          \
    {                                                                                                       \
        format_field_basic(ctx, data_type, count, text);                                                    \
    }

PLAIN_FORMATTER(format_field_generic)
PLAIN_FORMATTER(format_field_gps)
PLAIN_FORMATTER(format_field_nikon1)
PLAIN_FORMATTER(format_field_nikon2)
PLAIN_FORMATTER(format_field_canong1)
PLAIN_FORMATTER(format_field_casio)
PLAIN_FORMATTER(format_field_olymp)
PLAIN_FORMATTER(format_field_fujifilm)
