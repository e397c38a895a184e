#include "exif/field_encode.h"

#include <cstdio>
#include <cstring>

#include "exif/buf_context.h"
#include "exif/field_defs.h"
#include "exif/ifd_types.h"
#include "support/errors.h"
#include "support/exif_date.h"
#include "support/fatal_format.h"

namespace {

enum class encoding { text, date_time, user_comment };

struct encodable_field {
    int32_t ifd_type;
    uint32_t tag;
    encoding how;
};

// The fields exif_encode_field writes; every other row gives code 16.
// clang-format off
constexpr encodable_field encodable_fields[] = {
    {ifd_type_camera, 0x010e, encoding::text},          // description
    {ifd_type_camera, 0x010f, encoding::text},          // make
    {ifd_type_camera, 0x0110, encoding::text},          // model
    {ifd_type_camera, 0x0131, encoding::text},          // firm-ver
    {ifd_type_camera, 0x013b, encoding::text},          // artist
    {ifd_type_camera, 0x8298, encoding::text},          // copyright
    {ifd_type_camera, 0x0132, encoding::date_time},     // date-mod
    {ifd_type_image, 0x9213, encoding::text},           // history
    {ifd_type_image, 0x9003, encoding::date_time},      // date-taken
    {ifd_type_image, 0x9004, encoding::date_time},      // date-digi
    {ifd_type_image, 0x9286, encoding::user_comment},   // comment
};
// clang-format on

constexpr size_t max_text_len = encoded_field_size - 1;
// The EXIF character-code designation for ASCII that starts a user comment.
constexpr unsigned char user_comment_prefix[8] = {'A', 'S', 'C', 'I', 'I', 0, 0, 0};
constexpr size_t max_comment_len = max_text_len - sizeof user_comment_prefix;

const encodable_field *find_encodable(const ifd_field_defn_row &defn)
{
    for (const encodable_field &field : encodable_fields)
        if (field.ifd_type == defn.ifd_type && field.tag == defn.tag)
            return &field;
    return nullptr;
}

int encode_text(const char *text, unsigned char *out, uint32_t *out_length)
{
    const size_t n = strlen(text);
    if (n > max_text_len)
        fatal_stop_format(stderr, 1, "Internal error - long string exif_encode_field('%s')\n", text);
    memcpy(out, text, n + 1);
    *out_length = static_cast<uint32_t>(n + 1);
    return exif_ok;
}

int encode_user_comment(const char *text, unsigned char *out, uint32_t *out_length)
{
    const size_t n = strlen(text);
    if (n > max_comment_len) {
        fprintf(stderr, "User Comment too long - truncating: %s\n", text);
        return err_value_too_long;
    }
    memcpy(out, user_comment_prefix, sizeof user_comment_prefix);
    memcpy(out + sizeof user_comment_prefix, text, n);
    *out_length = static_cast<uint32_t>(n + sizeof user_comment_prefix);
    return exif_ok;
}

struct number_type {
    uint32_t data_type;
    bool is_signed;  // read as a signed 32-bit number rather than an unsigned one
    int64_t lowest;
    int64_t highest;
    int32_t size;  // bytes stored
};

// The one-number data types exif_encode_num_field writes, and what each accepts.
// clang-format off
constexpr number_type number_types[] = {
    {data_type_short, false, 0, 65535, 2},
    {data_type_long, false, 0, 4294967295, 4},
    {data_type_short_or_long, false, 0, 4294967295, 4},
    {data_type_sshort, true, -32768, 32767, 2},
    {data_type_slong, true, -2147483648, 2147483647, 4},
};
// clang-format on

const number_type *find_number_type(uint32_t data_type)
{
    for (const number_type &type : number_types)
        if (type.data_type == data_type)
            return &type;
    return nullptr;
}

bool is_blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Reads a base-10 number as a 32-bit reading would: false when no digit comes
// or the digits leave that reading's range. For an unsigned reading a minus
// sign negates the value modulo 2^32.
bool read_number(const char *text, bool is_signed, int64_t *value)
{
    const char *p = text;
    while (is_blank(*p))
        p++;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        p++;
    if (!is_digit(*p))
        return false;
    constexpr uint64_t unsigned_limit = 0xFFFFFFFF;
    const uint64_t limit = !is_signed ? unsigned_limit : negative ? 0x80000000 : 0x7FFFFFFF;
    uint64_t magnitude = 0;
    for (; is_digit(*p); p++) {
        magnitude = magnitude * 10 + static_cast<uint64_t>(*p - '0');
        if (magnitude > limit)
            return false;  // stops before the sum itself could overflow
    }
    const int64_t signed_magnitude = static_cast<int64_t>(magnitude);
    if (is_signed)
        *value = negative ? -signed_magnitude : signed_magnitude;
    else
        *value = negative ? static_cast<int64_t>((unsigned_limit + 1 - magnitude) & unsigned_limit) : signed_magnitude;
    return true;
}

}  // namespace

int exif_encode_field(uint16_t row, const char *text, unsigned char *out, uint32_t *out_length)
{
    // A row past the table would be read out of bounds.
    if (row >= field_defn_rows)
        return err_format_unsupported;
    const encodable_field *field = find_encodable(ifd_field_defn[row]);
    if (field == nullptr)
        return err_format_unsupported;
    switch (field->how) {
    case encoding::text:
        return encode_text(text, out, out_length);
    case encoding::date_time:
        if (!is_valid_exif_date(text))
            return err_bad_date;
        return encode_text(text, out, out_length);
    case encoding::user_comment:
        return encode_user_comment(text, out, out_length);
    }
    return err_format_unsupported;
}

int exif_encode_num_field(uint16_t row, const char *text, unsigned char *out, uint32_t *value_count,
                          int32_t motorola_order)
{
    if (row >= field_defn_rows)
        return err_format_unsupported;
    const ifd_field_defn_row &defn = ifd_field_defn[row];
    if (defn.count != 1)
        return err_format_unsupported;
    const number_type *type = find_number_type(defn.data_type);
    if (type == nullptr)
        return err_format_unsupported;
    int64_t value = 0;
    if (!read_number(text, type->is_signed, &value) || value < type->lowest || value > type->highest)
        return err_bad_number;

    buf_context ctx{};
    init_buf_context(&ctx, nullptr, out, type->size, 0);
    ctx.motorola_order = motorola_order;
    // Negative values go in as their two's complement bits.
    const uint32_t bits = static_cast<uint32_t>(value);
    if (type->size == 2)
        put_u_int2(&ctx, bits);
    else
        put_u_int4(&ctx, bits);
    *value_count = 1;
    return exif_ok;
}
