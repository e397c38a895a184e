#include "exif/format/format_extended.h"

#include <cstring>

#include "exif/field_defs.h"
#include "exif/format/extended_names.h"
#include "exif/format/format_text.h"
#include "exif/format/standard_names.h"
#include "exif/format/standard_text.h"
#include "exif/format/ucs2_text.h"

namespace {

constexpr uint32_t tag_user_comment = 0x9286;
constexpr uint32_t tag_gps_processing_method = 0x001B;
constexpr uint32_t tag_gps_area_information = 0x001C;
constexpr uint32_t first_xp_tag = 0x9C9B;  // XP title, comment, author, keywords, subject
constexpr uint32_t last_xp_tag = 0x9C9F;

// The 8-byte character code in front of a user comment or a GPS text.
constexpr uint32_t code_length = 8;
constexpr char unicode_code[code_length] = {'U', 'N', 'I', 'C', 'O', 'D', 'E', '\0'};

// A single coded value of an integer type, or false.
bool read_code(buf_context *ctx, uint32_t data_type, uint32_t count, uint32_t *value)
{
    if (count != 1)
        return false;
    switch (data_type) {
    case data_type_byte:
    case data_type_undefined:
        if (buf_bytes(ctx, 1) < 1)
            return false;
        *value = ctx->buf_p[0];
        return true;
    case data_type_short:
        *value = get_u_int2(ctx);
        return true;
    case data_type_long:
        *value = get_u_int4(ctx);
        return true;
    default:
        return false;
    }
}

bool has_unicode_code(const buf_context *ctx, uint32_t count)
{
    return count >= code_length && buf_bytes(ctx, code_length) == code_length &&
           memcmp(ctx->buf_p, unicode_code, code_length) == 0;
}

}  // namespace

bool format_extended_field(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, char *text)
{
    const bool xp_text = tag >= first_xp_tag && tag <= last_xp_tag;
    const bool coded_text =
        tag == tag_gps_processing_method || tag == tag_gps_area_information || tag == tag_user_comment;
    // Most entries are none of these: they are told so before anything else is done.
    if (!xp_text && !coded_text && !has_extended_names(tag))
        return false;
    format_text out(text);
    if (xp_text) {
        // Always UCS-2 in Intel order, whatever the file's order.
        append_ucs2_text(ctx->buf_p, buf_bytes(ctx, count), false, out);
        return true;
    }
    if (coded_text) {
        if (has_unicode_code(ctx, count)) {
            // UCS-2 in the file's byte order.
            append_ucs2_text(ctx->buf_p + code_length, buf_bytes(ctx, count) - code_length, ctx->motorola_order != 0,
                             out);
            return true;
        }
        if (tag == tag_user_comment)
            return false;                      // the standard formatter reads the other codes
        format_user_comment(ctx, count, out);  // the GPS texts are read as the comment is
        return true;
    }
    // Codes the standard tables name stay theirs; their gaps are filled there.
    if (!has_extended_names(tag) || has_standard_names(tag))
        return false;
    uint32_t value = 0;
    if (!read_code(ctx, data_type, count, &value))
        return false;
    format_extended_name(tag, value, out);
    return true;
}
