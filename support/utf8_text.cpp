#include "support/utf8_text.h"

#include <cstdint>

namespace {

// clang-format off
constexpr utf8_lead lead_bytes[] = {
    {0xC2, 0xDF, 0x80, 0xBF, 2},
    {0xE0, 0xE0, 0xA0, 0xBF, 3},  // no overlong forms
    {0xE1, 0xEC, 0x80, 0xBF, 3},
    {0xED, 0xED, 0x80, 0x9F, 3},  // no surrogates
    {0xEE, 0xEF, 0x80, 0xBF, 3},
    {0xF0, 0xF0, 0x90, 0xBF, 4},  // no overlong forms
    {0xF1, 0xF3, 0x80, 0xBF, 4},
    {0xF4, 0xF4, 0x80, 0x8F, 4},  // nothing past U+10FFFF
};
// clang-format on

bool in(uint8_t byte, uint8_t low, uint8_t high) { return byte >= low && byte <= high; }

}  // namespace

const utf8_lead *find_utf8_lead(unsigned char b)
{
    for (const utf8_lead &row : lead_bytes)
        if (in(b, row.first_low, row.first_high))
            return &row;
    return nullptr;
}

size_t utf8_sequence_length(const char *text)
{
    const auto *p = reinterpret_cast<const uint8_t *>(text);
    if (p[0] < 0x80)
        return 1;
    const utf8_lead *row = find_utf8_lead(p[0]);
    if (row == nullptr || !in(p[1], row->second_low, row->second_high))
        return 0;
    for (size_t i = 2; i < row->length; i++)
        if (!in(p[i], 0x80, 0xBF))
            return 0;
    return row->length;
}

size_t copy_shown_text(char *dst, size_t size, const char *src)
{
    if (size == 0)
        return 0;
    size_t used = 0, characters = 0;
    for (const char *p = src; *p != '\0'; characters++) {
        const auto byte = static_cast<uint8_t>(*p);
        size_t n = utf8_sequence_length(p);
        const bool c1 = n == 2 && byte == 0xC2 && static_cast<uint8_t>(p[1]) < 0xA0;
        const bool shown = n > 1 ? !c1 : n == 1 && byte >= 0x20 && byte != 0x7F;
        const size_t written = shown ? n : 1;
        if (used + written > size - 1)
            break;
        for (size_t i = 0; i < written; i++)
            dst[used + i] = shown ? p[i] : '?';
        used += written;
        p += n > 0 ? n : 1;
    }
    dst[used] = '\0';
    return characters;
}
