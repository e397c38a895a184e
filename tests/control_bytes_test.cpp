// Control characters shown as '?' for a terminal: whole, and fed one byte at a
// time (a UTF-8 sequence split between two writes).
#include <gtest/gtest.h>

#include <string>

#include "support/control_bytes.h"

namespace {

std::string filtered(const std::string &text, size_t piece)
{
    control_byte_filter filter{};
    std::string result;
    char out[64];
    for (size_t at = 0; at < text.size(); at += piece) {
        const std::string part = text.substr(at, piece);
        result.append(out, filter_control_bytes(&filter, part.data(), part.size(), out));
    }
    return result.append(out, flush_control_byte_filter(&filter, out));
}

TEST(ControlBytes, ShownAsQuestionMarksWhileTextAndValidUtf8Stay)
{
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        {"Make\t: Canon\n", "Make\t: Canon\n"},
        {"a\x1b[31mb\rc\x07\x7f\x01", "a?[31mb?c???"},
        {"\x9b" "2J \x80\x9f", "?2J ??"},                           // 8-bit C1 controls, stray
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xb7 \xed\x9f\xbf",    // 2-, 3-, 4-byte sequences
         "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x93\xb7 \xed\x9f\xbf"},
        {"\xc2\x9b" "x\xc2\x85\xc2\xa0", "?x?\xc2\xa0"},              // C1 controls written in UTF-8
        {"\xa0\xbf\xc0\xc1\xf5\xff", "\xa0\xbf\xc0\xc1\xf5\xff"},    // invalid, but no control
        {"\xe2\x82" "A\xe2\x9b", "\xe2?A\xe2?"},                      // unfinished, also at the end
        {"\xe0\x80\x9b\xed\xa0\x80\xf4\x90\x80\x80\xf0\x8f", "\xe0??\xed\xa0?\xf4???\xf0?"},  // not valid
        {"\xc3\x1b\xf0\x9f\x93\n", "\xc3?\xf0??\n"},
    };
    // clang-format on
    for (const auto &[text, shown] : cases) {
        EXPECT_EQ(filtered(text, text.size() + 1), shown) << text;
        EXPECT_EQ(filtered(text, 1), shown) << text;
    }
}

}  // namespace
