#include "support/number_text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The text is the one that the first of "%.1g" … "%.14g" to read back as the
// same double gives ("%.15g" when none does). printf and strtod make it in
// 7 rounds on average, a third of a JSON record's time, so for the numbers
// photos hold (1e-5 up to 1e15) the digits are found here with exact integer
// arithmetic instead; the rest takes the printf rounds.

namespace {

__extension__ typedef unsigned __int128 wide;

constexpr int max_digits = 15;
constexpr int fast_low_exponent = -5;  // 1e-5 and up: 10^19 times 2^53 fits 128 bits
constexpr int fast_high_exponent = 14;

constexpr uint64_t powers_of_ten[20] = {1ULL,
                                        10ULL,
                                        100ULL,
                                        1000ULL,
                                        10000ULL,
                                        100000ULL,
                                        1000000ULL,
                                        10000000ULL,
                                        100000000ULL,
                                        1000000000ULL,
                                        10000000000ULL,
                                        100000000000ULL,
                                        1000000000000ULL,
                                        10000000000000ULL,
                                        100000000000000ULL,
                                        1000000000000000ULL,
                                        10000000000000000ULL,
                                        100000000000000000ULL,
                                        1000000000000000000ULL,
                                        10000000000000000000ULL};

// A positive finite double as mantissa × 2^exponent.
struct binary_value {
    uint64_t mantissa;
    int exponent;
};

// x × 10^scale cut to a whole number, and how the cut-off rest compares
// with a half (-1, 0, 1) and whether there is one. scale in [0, 19] and
// exponent in [-70, -1], so that nothing overflows 128 bits.
struct scaled_value {
    uint64_t whole;
    int rest_against_half;
    bool has_rest;
};

scaled_value scaled(const binary_value &x, int scale)
{
    const wide numerator = static_cast<wide>(x.mantissa) * powers_of_ten[scale];
    const wide denominator = static_cast<wide>(1) << -x.exponent;
    const wide twice_rest = 2 * (numerator % denominator);
    return {static_cast<uint64_t>(numerator / denominator),
            twice_rest > denominator ? 1 : twice_rest == denominator ? 0 : -1, twice_rest != 0};
}

// Whether digits × 10^-scale reads back as x: it lies within half a step of
// x, or on the half step when x's mantissa is even (ties go to even). Below
// a power of two the step down is half as wide.
bool reads_back(const binary_value &x, uint64_t digits, int scale)
{
    const uint64_t ten = powers_of_ten[scale >= 0 ? scale : -scale];
    // Everything times 2^(2 - exponent) × 10^max(scale, 0), so that all is whole.
    const wide candidate = (static_cast<wide>(digits) * (scale < 0 ? ten : 1)) << (2 - x.exponent);
    const wide exact = static_cast<wide>(x.mantissa) * 4 * (scale >= 0 ? ten : 1);
    const wide step = 2 * static_cast<wide>(scale >= 0 ? ten : 1);
    const bool power_of_two = x.mantissa == (1ULL << 52);
    const wide limit = candidate >= exact ? step : power_of_two ? step / 2 : step;
    const wide distance = candidate >= exact ? candidate - exact : exact - candidate;
    return distance < limit || (distance == limit && (x.mantissa & 1) == 0);
}

// As snprintf(text, size, "%s", ...) would, without its cost.
void copy_out(const char *out, size_t length, char *text, size_t size)
{
    if (size == 0)
        return;
    const size_t kept = length < size ? length : size - 1;
    memcpy(text, out, kept);
    text[kept] = '\0';
}

// Writes `digits` (count significant digits, exponent `power` of the first)
// as "%.{count}g" would, trailing zeros dropped.
void write_g_style(bool negative, uint64_t digits, int count, int power, char *text, size_t size)
{
    char figures[max_digits + 1];
    for (int i = count - 1; i >= 0; i--) {
        figures[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    int used = count;
    while (used > 1 && figures[used - 1] == '0')
        used--;
    char out[48];
    size_t n = 0;
    if (negative)
        out[n++] = '-';
    if (power < -4 || power >= count) {
        out[n++] = figures[0];
        if (used > 1) {
            out[n++] = '.';
            for (int i = 1; i < used; i++)
                out[n++] = figures[i];
        }
        n += static_cast<size_t>(
            snprintf(out + n, sizeof out - n, "e%c%02d", power < 0 ? '-' : '+', power < 0 ? -power : power));
    } else if (power >= 0) {
        for (int i = 0; i <= power; i++)
            out[n++] = figures[i];
        if (used > power + 1) {
            out[n++] = '.';
            for (int i = power + 1; i < used; i++)
                out[n++] = figures[i];
        }
    } else {
        out[n++] = '0';
        out[n++] = '.';
        for (int i = power; i < -1; i++)
            out[n++] = '0';
        for (int i = 0; i < used; i++)
            out[n++] = figures[i];
    }
    copy_out(out, n, text, size);
}

// The printf rounds themselves, for numbers outside the exact range.
void format_by_rounds(double value, char *text, size_t size)
{
    for (int digits = 1; digits < max_digits; digits++) {
        snprintf(text, size, "%.*g", digits, value);
        if (strtod(text, nullptr) == value)
            return;
    }
    snprintf(text, size, "%.*g", max_digits, value);
}

}  // namespace

void format_real(double value, char *text, size_t size)
{
    const double magnitude = std::fabs(value);
    if (value == std::floor(value) && magnitude < 1e15) {  // 180, not 1.8e+02
        format_whole(static_cast<int64_t>(value), text, size);
        return;
    }
    if (!(magnitude >= 1e-5 && magnitude < 1e15)) {
        format_by_rounds(value, text, size);
        return;
    }
    int binary_exponent = 0;
    const double fraction = std::frexp(magnitude, &binary_exponent);  // in [0.5, 1)
    const binary_value x{static_cast<uint64_t>(std::ldexp(fraction, 53)), binary_exponent - 53};
    // x's first max_digits digits, cut, with the power of ten of the first;
    // log10 may be a step off next to a power of ten, the digits settle it.
    int power = std::clamp(static_cast<int>(std::floor(std::log10(magnitude))), fast_low_exponent, fast_high_exponent);
    scaled_value first = scaled(x, max_digits - 1 - power);
    while (first.whole < powers_of_ten[max_digits - 1] || first.whole >= powers_of_ten[max_digits]) {
        power += first.whole < powers_of_ten[max_digits - 1] ? -1 : 1;
        first = scaled(x, max_digits - 1 - power);
    }
    for (int count = 1; count <= max_digits; count++) {
        // Rounded to count digits, ties to even as printf rounds.
        const uint64_t cut = powers_of_ten[max_digits - count];
        uint64_t digits = first.whole / cut;
        const uint64_t tail = first.whole % cut;
        const int against_half = count == max_digits ? first.rest_against_half
                                 : tail != cut / 2   ? (tail > cut / 2 ? 1 : -1)
                                                     : (first.has_rest ? 1 : 0);
        if (against_half > 0 || (against_half == 0 && (digits & 1) != 0))
            digits++;
        int shown_power = power;
        if (digits == powers_of_ten[count]) {  // 9.96 to one digit is 1e+01
            digits /= 10;
            shown_power++;
        }
        if (count == max_digits || reads_back(x, digits, count - 1 - shown_power)) {
            write_g_style(value < 0, digits, count, shown_power, text, size);
            return;
        }
    }
}

void format_whole(int64_t value, char *text, size_t size)
{
    char out[24];
    char *end = out + sizeof out;
    char *p = end;
    // Counted in the negative range, which holds INT64_MIN.
    int64_t rest = value < 0 ? value : -value;
    do {
        *--p = static_cast<char>('0' - rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (value < 0)
        *--p = '-';
    copy_out(p, static_cast<size_t>(end - p), text, size);
}
