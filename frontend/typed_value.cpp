#include "frontend/typed_value.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "exif/extended_field_defs.h"
#include "exif/field_row.h"
#include "exif/format/extended_names.h"
#include "exif/format/standard_names.h"
#include "exif/ifd_types.h"
#include "exif/packet_fields.h"
#include "exif/tags.h"
#include "support/file_messages.h"
#include "support/number_text.h"
#include "support/trace.h"

namespace {

bool is_gps_position(const ifd_field_defn_row &row)
{
    return row.ifd_type == ifd_type_gps && (row.tag == tag::gps_latitude || row.tag == tag::gps_longitude ||
                                            row.tag == tag::gps_dest_latitude || row.tag == tag::gps_dest_longitude);
}

bool is_integer_type(uint32_t data_type)
{
    switch (data_type) {
    case data_type_byte:
    case data_type_short:
    case data_type_long:
    case data_type_sbyte:
    case data_type_sshort:
    case data_type_slong:
    case data_type_short_or_long:
    case data_type_byte_or_short:
        return true;
    default:
        return false;
    }
}

bool is_real_type(uint32_t data_type)
{
    switch (data_type) {
    case data_type_rational:
    case data_type_srational:
    case data_type_float:
    case data_type_double:
    case data_type_short_long_rational:
    case data_type_short_or_rational:
    case data_type_any_number:
        return true;
    default:
        return false;
    }
}

// Number i of the value, as the file's byte order stores it.
uint64_t stored_bits(const ifd_field_store *store, const ifd_field &field, uint32_t size, uint32_t i)
{
    const unsigned char *p = field.value_head + size * i;
    uint64_t bits = 0;
    for (uint32_t b = 0; b < size; b++)
        bits |= static_cast<uint64_t>(p[store->motorola_order ? b : size - 1 - b]) << (8 * (size - 1 - b));
    return bits;
}

bool fits(const ifd_field &field, uint32_t size, uint32_t i)
{
    return i < field.count && size * (i + 1) <= static_cast<uint32_t>(value_head_size);
}

// Integer number i of an integer data type.
bool stored_whole(const ifd_field_store *store, const ifd_field &field, uint32_t i, int64_t *value)
{
    switch (field.data_type) {
    case data_type_byte:
    case data_type_sbyte:
        if (!fits(field, 1, i))
            return false;
        *value = field.data_type == data_type_byte ? static_cast<int64_t>(stored_bits(store, field, 1, i))
                                                   : static_cast<int8_t>(stored_bits(store, field, 1, i));
        return true;
    case data_type_short:
    case data_type_sshort:
        if (!fits(field, 2, i))
            return false;
        *value = field.data_type == data_type_short ? static_cast<int64_t>(stored_bits(store, field, 2, i))
                                                    : static_cast<int16_t>(stored_bits(store, field, 2, i));
        return true;
    case data_type_long:
    case data_type_slong:
        if (!fits(field, 4, i))
            return false;
        *value = field.data_type == data_type_long ? static_cast<int64_t>(stored_bits(store, field, 4, i))
                                                   : static_cast<int32_t>(stored_bits(store, field, 4, i));
        return true;
    default:
        return false;
    }
}

// Rational number i: its parts, signed for SRATIONAL.
bool stored_rational(const ifd_field_store *store, const ifd_field &field, uint32_t i, double *numerator,
                     double *denominator)
{
    if ((field.data_type != data_type_rational && field.data_type != data_type_srational) || !fits(field, 8, i))
        return false;
    const uint64_t n = stored_bits(store, field, 4, 2 * i);
    const uint64_t d = stored_bits(store, field, 4, 2 * i + 1);
    const bool is_signed = field.data_type == data_type_srational;
    *numerator = is_signed ? static_cast<int32_t>(n) : static_cast<double>(n);
    *denominator = is_signed ? static_cast<int32_t>(d) : static_cast<double>(d);
    return true;
}

// Reads a whole number, a decimal or a fraction a/b, nothing after it.
bool parse_number(const char *text, size_t length, bool whole_only, double *value)
{
    char copy[64];
    if (length == 0 || length >= sizeof copy)
        return false;
    memcpy(copy, text, length);
    copy[length] = '\0';
    const char *p = copy;
    if (*p == '+' || *p == '-')
        p++;
    if (*p < '0' || *p > '9')
        return false;  // no "inf", "nan", hexadecimal or blanks
    for (const char *q = p; *q != '\0'; q++)
        if (!((*q >= '0' && *q <= '9') || (!whole_only && (*q == '.' || *q == '/'))))
            return false;
    char *end = nullptr;
    double n = strtod(copy, &end);
    if (*end == '/') {
        const char *after = end + 1;
        double d = strtod(after, &end);
        if (end == after || d == 0)
            return false;
        n /= d;
    }
    if (*end != '\0' || !std::isfinite(n))
        return false;
    *value = n;
    return true;
}

size_t trimmed_length(const char *text)
{
    size_t length = strnlen(text, display_value_size);
    while (length > 0 && (text[length - 1] == ' ' || text[length - 1] == '\0'))
        length--;
    return length;
}

bool two_digits(const char *p, int low, int high, int *value)
{
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9')
        return false;
    *value = (p[0] - '0') * 10 + (p[1] - '0');
    return *value >= low && *value <= high;
}

// "+02:00" or "-05:30" as stored, else false.
bool is_time_offset(const char *offset)
{
    int hours = 0;
    int minutes = 0;
    return offset != nullptr && (offset[0] == '+' || offset[0] == '-') && two_digits(offset + 1, 0, 14, &hours) &&
           offset[3] == ':' && two_digits(offset + 4, 0, 59, &minutes) && (offset[6] == '\0' || offset[6] == ' ');
}

// "YYYY:MM:DD HH:MM:SS" as stored becomes "YYYY-MM-DDTHH:MM:SS", with the
// offset when one is given; a blank, zero or unreadable date gives false.
bool iso_date(const ifd_field &field, const char *offset, char *text, size_t size)
{
    if (field.data_type != data_type_ascii || field.count < 19)
        return false;
    const char *s = reinterpret_cast<const char *>(field.value_head);
    int year_high = 0;
    int year_low = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    if (!two_digits(s, 0, 99, &year_high) || !two_digits(s + 2, 0, 99, &year_low) || s[4] != ':' ||
        !two_digits(s + 5, 1, 12, &month) || s[7] != ':' || !two_digits(s + 8, 1, 31, &day) || s[10] != ' ' ||
        !two_digits(s + 11, 0, 23, &hour) || s[13] != ':' || !two_digits(s + 14, 0, 59, &minute) || s[16] != ':' ||
        !two_digits(s + 17, 0, 60, &second) || year_high * 100 + year_low == 0)
        return false;
    // As snprintf "%.4s-%.2s-%.2sT%.2s:%.2s:%.2s%.6s" would write it, at a
    // tenth of the cost: every record holds a date or two.
    char iso[26];
    memcpy(iso, s, 19);
    iso[4] = '-';
    iso[7] = '-';
    iso[10] = 'T';
    const size_t offset_length = is_time_offset(offset) ? 6 : 0;
    if (offset_length != 0)
        memcpy(iso + 19, offset, offset_length);
    const size_t length = 19 + offset_length;
    if (size == 0)
        return true;
    const size_t kept = length < size ? length : size - 1;
    memcpy(text, iso, kept);
    text[kept] = '\0';
    return true;
}

// A GPS time of day (three rationals) as "14:31:07" or "14:31:07.5"; false
// when it is stored otherwise or a part is no number.
bool gps_time_text(const ifd_field_store *store, const ifd_field &field, char *text, size_t size)
{
    double parts[3];
    for (uint32_t i = 0; i < 3; i++) {
        double d = 0;
        if (field.count != 3 || !stored_rational(store, field, i, &parts[i], &d) || d == 0 || parts[i] < 0)
            return false;
        parts[i] /= d;
    }
    if (parts[0] != std::floor(parts[0]) || parts[1] != std::floor(parts[1]) || parts[0] > 24 || parts[1] > 59 ||
        parts[2] >= 61)
        return false;
    char seconds[32];
    format_real(parts[2], seconds, sizeof seconds);
    snprintf(text, size, "%02.0f:%02.0f:%s%s", parts[0], parts[1], parts[2] < 10 ? "0" : "", seconds);
    return true;
}

// The quantity the listing shows for the APEX values: seconds, and the f-number.
double shown_quantity(const ifd_field_defn_row &row, double stored)
{
    if (row.ifd_type == ifd_type_gps || !is_standard_ifd(row.ifd_type))
        return stored;
    switch (row.tag) {
    case tag::shutter_speed:
        return std::exp2(-stored);
    case tag::aperture:
    case tag::max_aperture:
        return std::exp2(stored / 2);
    default:
        return stored;
    }
}

void set_null_with_warning(const ifd_field_store *store, const ifd_field &field, const ifd_field_defn_row &row,
                           typed_value *value)
{
    value->kind = typed_value::null;
    if (file_messages_named())
        file_warning("value '%s' of field %s is not a number, written as null", field.display_value, row.nickname);
    else
        warn("Warning: File %s: value '%s' of field %s is not a number, written as null\n", store->path_name,
             field.display_value, row.nickname);
}

}  // namespace

column_type type_of_row(const ifd_field_defn_row &row)
{
    if (row.ifd_type == ifd_type_packet) {
        const packet_field_type type = packet_field_type_of(row.tag);
        return type == packet_field_type::whole  ? column_type::integer
               : type == packet_field_type::real ? column_type::real
                                                 : column_type::text;
    }
    if (is_gps_position(row))
        return column_type::real;
    if (row.is_date || !is_standard_ifd(row.ifd_type) || row.count != 1 || is_unknown_field_row(row))
        return column_type::text;
    if (row.ifd_type != ifd_type_gps && (has_standard_names(row.tag) || has_extended_names(row.tag)))
        return column_type::text;
    if (is_integer_type(row.data_type))
        return column_type::integer;
    return is_real_type(row.data_type) ? column_type::real : column_type::text;
}

bool stored_number(const ifd_field_store *store, const ifd_field &field, double *value)
{
    if (field.count != 1)
        return false;
    int64_t whole = 0;
    if (stored_whole(store, field, 0, &whole)) {
        *value = static_cast<double>(whole);
        return true;
    }
    double n = 0;
    double d = 0;
    if (stored_rational(store, field, 0, &n, &d)) {
        *value = n / d;
        return d != 0;
    }
    if (field.data_type == data_type_float) {
        const auto bits = static_cast<uint32_t>(stored_bits(store, field, 4, 0));
        float f = 0;
        memcpy(&f, &bits, sizeof f);
        *value = f;
        return std::isfinite(*value);
    }
    if (field.data_type == data_type_double) {
        const uint64_t bits = stored_bits(store, field, 8, 0);
        memcpy(value, &bits, sizeof *value);
        return std::isfinite(*value);
    }
    return false;
}

bool gps_degrees(const ifd_field_store *store, const ifd_field &field, double *degrees)
{
    if (field.count != 3)
        return false;
    double sum = 0;
    for (uint32_t i = 0; i < 3; i++) {
        double n = 0;
        double d = 0;
        if (!stored_rational(store, field, i, &n, &d) || (d == 0 && i == 0))
            return false;
        if (d != 0)  // minutes or seconds of 0/0 stand for none
            sum += n / d / (i == 0 ? 1 : i == 1 ? 60 : 3600);
    }
    *degrees = sum;
    return true;
}

void type_field(const ifd_field_store *store, const ifd_field &field, const ifd_field_defn_row &row, column_type type,
                const char *offset, typed_value *value)
{
    value->kind = typed_value::null;
    value->items = nullptr;
    if (type == column_type::text) {
        const bool is_gps_time = row.ifd_type == ifd_type_gps && row.tag == tag::gps_time;
        if (row.is_date || is_gps_time) {
            if (is_gps_time ? gps_time_text(store, field, value->own, sizeof value->own)
                            : iso_date(field, offset, value->own, sizeof value->own)) {
                value->kind = typed_value::text;
                value->chars = value->own;
                value->length = strlen(value->own);
            }
            return;
        }
        value->chars = field.display_value;
        value->length = trimmed_length(field.display_value);
        if (value->length > 0)
            value->kind = typed_value::text;
        return;
    }
    double number = 0;
    bool known = is_gps_position(row) ? gps_degrees(store, field, &number) : stored_number(store, field, &number);
    if (known) {
        number = shown_quantity(row, number);
        if (!std::isfinite(number)) {  // an APEX value past the range of a double
            set_null_with_warning(store, field, row, value);
            return;
        }
    } else {
        known = parse_number(field.display_value, trimmed_length(field.display_value), type == column_type::integer,
                             &number);
    }
    if (!known) {
        if (trimmed_length(field.display_value) > 0)
            set_null_with_warning(store, field, row, value);
        return;
    }
    if (type == column_type::real) {
        value->kind = typed_value::real;
        value->number = number;
        return;
    }
    if (number != std::floor(number) || std::fabs(number) > 9.0e15) {
        set_null_with_warning(store, field, row, value);
        return;
    }
    value->kind = typed_value::integer;
    value->whole = static_cast<int64_t>(number);
}

void type_packet_field(const ifd_field_defn_row &row, column_type type, typed_value *value)
{
    value->kind = typed_value::null;
    value->items = nullptr;
    const char *text = packet_field_value(row.tag);
    if (text == nullptr)
        return;
    const size_t length = trimmed_length(text);
    if (length == 0)
        return;
    if (type == column_type::text) {
        value->kind = typed_value::text;
        value->chars = text;
        value->length = length;
        if (packet_field_type_of(row.tag) == packet_field_type::list)
            value->items = packet_field_property(row.tag);
        return;
    }
    double number = 0;
    if (!parse_number(text, length, false, &number) ||
        (type == column_type::integer && (number != std::floor(number) || std::fabs(number) > 9.0e15))) {
        file_warning("value '%s' of field %s is not a number, written as null", text, row.nickname);
        return;
    }
    if (type == column_type::integer) {
        value->kind = typed_value::integer;
        value->whole = static_cast<int64_t>(number);
    } else {
        value->kind = typed_value::real;
        value->number = number;
    }
}
