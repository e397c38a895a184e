// The pure text rules of the JSON and SQL script outputs and of the progress
// line: well-formed UTF-8, and text made safe for a terminal line.
#include <gtest/gtest.h>

#include <string>

#include "support/utf8_text.h"

namespace {

TEST(Utf8Text, SequenceLengthsOfWellFormedTextOnly)
{
    // clang-format off
    const std::pair<const char *, size_t> cases[] = {
        {"a", 1}, {"", 1}, {"\xc3\xa9", 2}, {"\xe2\x82\xac", 3}, {"\xf0\x9f\x93\xb7", 4}, {"\xf4\x8f\xbf\xbf", 4},
        {"\x80", 0}, {"\xc1\xbf", 0}, {"\xe0\x9f\x80", 0}, {"\xf0\x8f\xbf\xbf", 0},  // stray, overlong
        {"\xed\xa0\x80", 0}, {"\xf4\x90\x80\x80", 0}, {"\xf5\x80\x80\x80", 0},     // surrogate, past U+10FFFF
        {"\xe2\x82", 0}, {"\xe2\x82z", 0}, {"\xc3", 0}, {"\xff", 0},                  // cut short, never a lead
    };
    // clang-format on
    for (const auto &[text, length] : cases)
        EXPECT_EQ(utf8_sequence_length(text), length) << text;
}

TEST(Utf8Text, ShownTextReplacesControlsAndStrayBytesByCharacter)
{
    // clang-format off
    const std::tuple<const char *, size_t, std::string, size_t> cases[] = {
        // text, size of the result area, shown, characters
        {"pics/2019", 64, "pics/2019", 9},
        {"a\rb\x1b[2J\x7f", 64, "a?b?[2J?", 8},
        {"caf\xc3\xa9/\xc2\x9b/\xe9", 64, "caf\xc3\xa9/?/?", 8},  // C1 control, Latin-1 byte
        {"ab\xc3\xa9z", 4, "ab", 2},                              // never half a character
    };
    // clang-format on
    for (const auto &[text, size, shown, characters] : cases) {
        char result[64];
        EXPECT_EQ(copy_shown_text(result, size, text), characters) << text;
        EXPECT_EQ(std::string(result), shown) << text;
    }
}

}  // namespace
