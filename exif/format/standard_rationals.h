// Conversions of the standard fields' rationals into readable numbers.
//
// Each part goes through single precision before the division, and so does
// the quotient. A conversion whose arithmetic has no finite result (a zero
// denominator, an exposure time of 0, a shutter speed beyond 32 bits) shows
// the fraction as stored instead, exactly as raw mode renders it.
#pragma once
#include <cstdint>

#include "exif/buf_context.h"
#include "exif/format/format_text.h"

// One rational as stored: the parts' bits and the entry's data type, which
// decides how the raw fraction shows them.
struct stored_rational {
    uint32_t numerator_bits;
    uint32_t denominator_bits;
    uint32_t data_type;
};

stored_rational read_stored_rational(buf_context *ctx, uint32_t data_type);

// One part in single precision, read signed or unsigned.
float rational_part(uint32_t bits, bool is_signed);

// "%.0f/%.0f" of the parts, signed for SRATIONAL entries.
void format_raw_fraction(const stored_rational &r, format_text &out);

// The quotient with printf's "%*.*f", the parts taken signed or unsigned.
void format_quotient(const stored_rational &r, bool is_signed, int width, int places, format_text &out);

// Exposure time: seconds "%.1f" from 1 second on, else "1/%.0f".
void format_exposure_time(const stored_rational &r, bool excel_tweak, format_text &out);

// APEX time value Tv (signed parts): below 1, "%d" of 2^(1 - Tv) truncated;
// from 1 on, "1/%d" of 2^trunc(Tv).
void format_shutter_speed(const stored_rational &r, bool excel_tweak, format_text &out);

// APEX aperture value Av (unsigned parts): "%.1f" of sqrt(2)^Av.
void format_apex_aperture(const stored_rational &r, format_text &out);
