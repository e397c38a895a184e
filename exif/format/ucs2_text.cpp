#include "exif/format/ucs2_text.h"

namespace {

constexpr uint32_t replacement_character = 0xFFFD;

bool is_high_surrogate(uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The UTF-8 bytes of a code point; their number.
size_t encode_utf8(uint32_t code, char out[4])
{
    if (code < 0x80) {
        out[0] = static_cast<char>(code);
        return 1;
    }
    if (code < 0x800) {
        out[0] = static_cast<char>(0xC0 | code >> 6);
        out[1] = static_cast<char>(0x80 | (code & 0x3F));
        return 2;
    }
    if (code < 0x10000) {
        out[0] = static_cast<char>(0xE0 | code >> 12);
        out[1] = static_cast<char>(0x80 | (code >> 6 & 0x3F));
        out[2] = static_cast<char>(0x80 | (code & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | code >> 18);
    out[1] = static_cast<char>(0x80 | (code >> 12 & 0x3F));
    out[2] = static_cast<char>(0x80 | (code >> 6 & 0x3F));
    out[3] = static_cast<char>(0x80 | (code & 0x3F));
    return 4;
}

}  // namespace

void append_ucs2_text(const unsigned char *bytes, uint32_t size, bool big_endian, format_text &out)
{
    const uint32_t units = size / 2;
    auto unit_at = [&](uint32_t i) -> uint32_t {
        const unsigned char *p = bytes + 2 * static_cast<size_t>(i);
        return big_endian ? (p[0] << 8 | p[1]) : (p[1] << 8 | p[0]);
    };
    for (uint32_t i = 0; i < units; i++) {
        uint32_t code = unit_at(i);
        if (code == 0)
            break;
        if (is_high_surrogate(code) && i + 1 < units && is_low_surrogate(unit_at(i + 1))) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit_at(i + 1) - 0xDC00);
            i++;
        } else if (is_high_surrogate(code) || is_low_surrogate(code)) {
            code = replacement_character;
        }
        char utf8[4];
        size_t n = encode_utf8(code, utf8);
        if (out.length() + n > format_text_limit)
            break;
        out.append(utf8, n);
    }
}
