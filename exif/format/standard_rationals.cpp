#include "exif/format/standard_rationals.h"

#include <cmath>

#include "exif/field_defs.h"

namespace {

constexpr const char excel_seconds[] = " sec";

float quotient(const stored_rational &r, bool is_signed)
{
    return rational_part(r.numerator_bits, is_signed) / rational_part(r.denominator_bits, is_signed);
}

}  // namespace

float rational_part(uint32_t bits, bool is_signed)
{
    return is_signed ? static_cast<float>(static_cast<int32_t>(bits)) : static_cast<float>(bits);
}

stored_rational read_stored_rational(buf_context *ctx, uint32_t data_type)
{
    stored_rational r{};
    r.numerator_bits = get_u_int4(ctx);
    r.denominator_bits = get_u_int4(ctx);
    r.data_type = data_type;
    return r;
}

void format_raw_fraction(const stored_rational &r, format_text &out)
{
    bool is_signed = r.data_type == data_type_srational;
    out.appendf("%.0f/%.0f", static_cast<double>(rational_part(r.numerator_bits, is_signed)),
                static_cast<double>(rational_part(r.denominator_bits, is_signed)));
}

void format_quotient(const stored_rational &r, bool is_signed, int width, int places, format_text &out)
{
    // Both parts are finite, so only a zero denominator leaves the quotient undefined.
    if (r.denominator_bits == 0) {
        format_raw_fraction(r, out);
        return;
    }
    out.appendf("%*.*f", width, places, static_cast<double>(quotient(r, is_signed)));
}

void format_exposure_time(const stored_rational &r, bool excel_tweak, format_text &out)
{
    float numerator = rational_part(r.numerator_bits, false);
    float denominator = rational_part(r.denominator_bits, false);
    if (numerator >= denominator) {
        if (denominator == 0.0f) {
            format_raw_fraction(r, out);
            return;
        }
        out.appendf("%.1f", static_cast<double>(numerator / denominator));
    } else {
        if (numerator == 0.0f) {
            format_raw_fraction(r, out);
            return;
        }
        out.appendf("1/%.0f", static_cast<double>(denominator / numerator));
    }
    if (excel_tweak)
        out.append(excel_seconds);
}

void format_shutter_speed(const stored_rational &r, bool excel_tweak, format_text &out)
{
    if (r.denominator_bits == 0) {
        format_raw_fraction(r, out);
        return;
    }
    // The largest speed "%d" can show; 2^31 itself does not fit.
    constexpr double int32_limit = 2147483648.0;
    double tv = static_cast<double>(quotient(r, true));
    if (tv < 1.0) {
        double speed = 1.0 / std::pow(2.0, tv - 1.0);
        if (!(speed < int32_limit)) {
            format_raw_fraction(r, out);
            return;
        }
        out.appendf("%d", static_cast<int32_t>(speed));
    } else {
        // 2 << 29 is the largest power of two that fits: Tv must stay below 31.
        double shift = std::trunc(tv - 1.0);
        if (shift > 29.0) {
            format_raw_fraction(r, out);
            return;
        }
        out.appendf("1/%d", 2 << static_cast<int>(shift));
    }
    if (excel_tweak)
        out.append(excel_seconds);
}

void format_apex_aperture(const stored_rational &r, format_text &out)
{
    if (r.denominator_bits == 0) {
        format_raw_fraction(r, out);
        return;
    }
    double f_number = std::pow(std::sqrt(2.0), static_cast<double>(quotient(r, false)));
    // Apertures beyond about Av 2048 overflow a double.
    if (!std::isfinite(f_number)) {
        format_raw_fraction(r, out);
        return;
    }
    out.appendf("%.1f", f_number);
}
