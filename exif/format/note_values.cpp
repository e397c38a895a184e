#include "exif/format/note_values.h"

#include "exif/field_defs.h"
#include "exif/format/format_text.h"
#include "exif/format/formatters.h"

namespace {

// The value as a number, signed types sign-extended; false for other types.
bool read_number(buf_context *ctx, uint32_t data_type, uint32_t *number)
{
    switch (data_type) {
    case data_type_byte:
        *number = buf_bytes(ctx, 1) == 1 ? ctx->buf_p[0] : 0;
        return buf_bytes(ctx, 1) == 1;
    case data_type_sbyte:
        *number = buf_bytes(ctx, 1) == 1 ? static_cast<uint32_t>(static_cast<int8_t>(ctx->buf_p[0])) : 0;
        return buf_bytes(ctx, 1) == 1;
    case data_type_short:
        *number = get_u_int2(ctx);
        return true;
    case data_type_sshort:
        *number = static_cast<uint32_t>(get_int2(ctx));
        return true;
    case data_type_long:
        *number = get_u_int4(ctx);
        return true;
    case data_type_slong:
        *number = static_cast<uint32_t>(get_int4(ctx));
        return true;
    default:
        return false;
    }
}

const labels::tag_values *find_values(const walked_entry &value, std::span<const group_values> groups)
{
    for (const group_values &group : groups)
        if (group.ifd_type == value.ifd_type)
            return labels::find_tag_in_order(group.tags, value.tag);
    return nullptr;
}

}  // namespace

void format_note_value(const walked_entry &value, std::span<const group_values> groups, char *text)
{
    const labels::tag_values *values = value.count == 1 ? find_values(value, groups) : nullptr;
    if (values != nullptr) {
        buf_context number_ctx = *value.ctx;
        uint32_t number = 0;
        if (read_number(&number_ctx, value.data_type, &number)) {
            format_text out(text);
            labels::append_value_text(out, values->values, number, values->fallback);
            return;
        }
    }
    format_field_basic(value.ctx, value.data_type, value.count, text);
}

void format_note_text(const walked_entry &value, char *text)
{
    format_text out(text);
    const uint32_t held = buf_bytes(value.ctx, value.count);
    for (uint32_t i = 0; i < held; i++) {
        const unsigned char c = value.ctx->buf_p[i];
        if (c >= 0x20 && c < 0x7f)
            out.append(reinterpret_cast<const char *>(&c), 1);
    }
}

void format_note_number(const walked_entry &value, std::span<const group_values> groups, char *text)
{
    constexpr uint32_t most_bytes = 64;
    const bool is_byte = value.data_type == data_type_byte || value.data_type == data_type_sbyte;
    if (!is_byte || value.count > most_bytes || (value.count == 1 && find_values(value, groups) != nullptr)) {
        format_note_value(value, groups, text);
        return;
    }
    format_text out(text);
    const uint32_t held = buf_bytes(value.ctx, value.count);
    for (uint32_t i = 0; i < held; i++) {
        const unsigned char b = value.ctx->buf_p[i];
        if (value.data_type == data_type_sbyte)
            out.appendf(i ? " %d" : "%d", static_cast<int8_t>(b));
        else
            out.appendf(i ? " %u" : "%u", b);
    }
}
