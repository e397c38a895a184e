#include "exif/format/text_printf.h"

#include <bit>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace {

constexpr uint64_t powers_of_ten[10] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000, 100000000, 1000000000};
constexpr int max_fixed_precision = 9;

// Characters gathered up to the area's bound; what passes it is dropped, as
// vsnprintf drops it.
class bounded_text {
public:
    bounded_text(char *out, size_t size) : out_(out), room_(size - 1) {}
    void put(char c)
    {
        if (length_ < room_)
            out_[length_++] = c;
    }
    void put(const char *text, size_t n)
    {
        if (n > room_ - length_)
            n = room_ - length_;
        memcpy(out_ + length_, text, n);
        length_ += n;
    }
    void repeat(char c, size_t n)
    {
        if (n > room_ - length_)
            n = room_ - length_;
        memset(out_ + length_, c, n);
        length_ += n;
    }
    int finish()
    {
        out_[length_] = '\0';
        return static_cast<int>(length_);
    }

private:
    char *out_;
    size_t room_;
    size_t length_ = 0;
};

struct conversion {
    bool left = false;  // '-'
    bool zero = false;  // '0'
    size_t width = 0;
    int precision = -1;  // -1: none given
};

// Digits of n, most significant first, at the end of a 20-character area;
// returns where they begin.
char *decimal_digits(uint64_t n, char *end)
{
    do {
        *--end = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    return end;
}

// A sign (or none) and a body, padded to the width as printf pads numbers.
void put_padded(bounded_text &out, const conversion &c, const char *sign, const char *body, size_t body_length,
                bool numeric)
{
    size_t length = strlen(sign) + body_length;
    size_t pad = c.width > length ? c.width - length : 0;
    if (c.left) {
        out.put(sign, strlen(sign));
        out.put(body, body_length);
        out.repeat(' ', pad);
    } else if (c.zero && numeric) {
        out.put(sign, strlen(sign));
        out.repeat('0', pad);
        out.put(body, body_length);
    } else {
        out.repeat(' ', pad);
        out.put(sign, strlen(sign));
        out.put(body, body_length);
    }
}

// %f through the C library, for what fixed_point_text does not cover; the
// caller keeps width and precision within the local area.
void put_fixed_by_library(bounded_text &out, const conversion &c, double value)
{
    char conversion_format[16];
    snprintf(conversion_format, sizeof conversion_format, "%%%s%s*.*f", c.left ? "-" : "", c.zero ? "0" : "");
    char text[512];
    int n = snprintf(text, sizeof text, conversion_format, static_cast<int>(c.width), c.precision, value);
    if (n > 0)
        out.put(text, strnlen(text, sizeof text - 1));
}

// Reads a run of digits as a count, saturating far above any bound here.
size_t read_count(const char *&p)
{
    size_t n = 0;
    for (; *p >= '0' && *p <= '9'; p++)
        n = n > 100000000 ? n : n * 10 + static_cast<size_t>(*p - '0');
    return n;
}

// The formatting itself; false at the first thing it does not handle.
bool format_directly(bounded_text &out, const char *fmt, va_list ap)
{
    for (const char *p = fmt; *p != '\0'; p++) {
        if (*p != '%') {
            out.put(*p);
            continue;
        }
        p++;
        if (*p == '%') {
            out.put('%');
            continue;
        }
        conversion c;
        for (;; p++) {
            if (*p == '-')
                c.left = true;
            else if (*p == '0')
                c.zero = true;
            else if (*p == '+' || *p == ' ' || *p == '#' || *p == '\'')
                return false;
            else
                break;
        }
        if (*p == '*') {
            int width = va_arg(ap, int);
            if (width < 0) {
                c.left = true;
                width = width == INT_MIN ? INT_MAX : -width;
            }
            c.width = static_cast<size_t>(width);
            p++;
        } else {
            c.width = read_count(p);
        }
        if (*p == '.') {
            p++;
            if (*p == '*') {
                int precision = va_arg(ap, int);
                c.precision = precision < 0 ? -1 : precision;
                p++;
            } else {
                size_t precision = read_count(p);
                c.precision = precision > INT_MAX ? INT_MAX : static_cast<int>(precision);
            }
        }
        char digits[24];
        char *end = digits + sizeof digits;
        switch (*p) {
        case 'd':
        case 'i': {
            if (c.precision >= 0)
                return false;
            int value = va_arg(ap, int);
            uint64_t magnitude =
                value < 0 ? 0u - static_cast<uint64_t>(static_cast<int64_t>(value)) : static_cast<uint64_t>(value);
            char *first = decimal_digits(magnitude, end);
            put_padded(out, c, value < 0 ? "-" : "", first, static_cast<size_t>(end - first), true);
            break;
        }
        case 'u':
        case 'x': {
            if (c.precision >= 0)
                return false;
            unsigned value = va_arg(ap, unsigned);
            char *first = end;
            if (*p == 'u') {
                first = decimal_digits(value, end);
            } else {
                do {
                    *--first = "0123456789abcdef"[value % 16];
                    value /= 16;
                } while (value != 0);
            }
            put_padded(out, c, "", first, static_cast<size_t>(end - first), true);
            break;
        }
        case 's': {
            const char *text = va_arg(ap, const char *);
            if (text == nullptr || c.zero)
                return false;
            size_t length = c.precision >= 0 ? strnlen(text, static_cast<size_t>(c.precision)) : strlen(text);
            put_padded(out, c, "", text, length, false);
            break;
        }
        case 'f': {
            double value = va_arg(ap, double);
            if (c.precision < 0)
                c.precision = 6;
            char text[48];
            size_t length;
            if (c.precision > max_fixed_precision ||
                !fixed_point_text(value, c.precision, text, sizeof text, &length)) {
                if (c.width > 400 || c.precision > 400)
                    return false;  // more than the library path's area holds
                put_fixed_by_library(out, c, value);
                break;
            }
            size_t sign = text[0] == '-' ? 1 : 0;
            put_padded(out, c, sign != 0 ? "-" : "", text + sign, length - sign, true);
            break;
        }
        default:
            return false;
        }
    }
    return true;
}

}  // namespace

bool fixed_point_text(double value, int precision, char *out, size_t size, size_t *length)
{
    if (precision < 0 || precision > max_fixed_precision)
        return false;
    const uint64_t bits = std::bit_cast<uint64_t>(value);
    const bool negative = (bits >> 63) != 0;
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    const uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
    if (biased == 0x7FF || biased >= 1023 + 62)
        return false;  // not finite, or 2^62 and above
    // value = mantissa * 2^exponent exactly.
    const uint64_t mantissa = biased == 0 ? fraction : fraction | uint64_t{1} << 52;
    const int exponent = biased == 0 ? -1074 : biased - 1075;
    const uint64_t scale = powers_of_ten[precision];

    // q = value * 10^precision, rounded to nearest, ties to even.
    unsigned __int128 scaled = static_cast<unsigned __int128>(mantissa) * scale;  // < 2^83
    unsigned __int128 q;
    if (exponent >= 0) {
        q = scaled << exponent;  // exponent <= 9 here: q < 2^93
    } else if (-exponent >= 100) {
        q = 0;  // below a quarter of the last digit: rounds to 0, never a tie
    } else {
        const int shift = -exponent;
        q = scaled >> shift;
        const unsigned __int128 rest = scaled - (q << shift);
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        if (rest > half || (rest == half && (q & 1) != 0))
            q++;
    }
    // whole = q / scale and part = q % scale by long division in 32-bit steps
    // (a 128-bit division would need a runtime library the program does not link).
    uint64_t rest = static_cast<uint64_t>(q >> 64) % scale;  // the quotient's high word is 0: whole < 2^63
    uint64_t step = rest << 32 | static_cast<uint64_t>(q >> 32 & 0xFFFFFFFFu);
    const uint64_t high = step / scale;
    step = step % scale << 32 | static_cast<uint64_t>(q & 0xFFFFFFFFu);
    const uint64_t whole = high << 32 | step / scale;
    uint64_t part = step % scale;

    char digits[48];
    char *end = digits + sizeof digits;
    char *first = end;
    for (int i = 0; i < precision; i++) {
        *--first = static_cast<char>('0' + part % 10);
        part /= 10;
    }
    if (precision > 0)
        *--first = '.';
    first = decimal_digits(whole, first);
    if (negative)
        *--first = '-';
    const size_t n = static_cast<size_t>(end - first);
    if (n + 1 > size)
        return false;
    memcpy(out, first, n);
    out[n] = '\0';
    *length = n;
    return true;
}

int format_bounded(char *out, size_t size, const char *fmt, va_list ap)
{
    va_list again;
    va_copy(again, ap);
    bounded_text text(out, size);
    int n;
    if (format_directly(text, fmt, ap)) {
        n = text.finish();
    } else {
        n = vsnprintf(out, size, fmt, again);
        if (n >= static_cast<int>(size))
            n = static_cast<int>(size) - 1;
    }
    va_end(again);
    return n;
}
