// Text turned into stored field values: the date check step by step, text and
// user-comment fields, and single numbers in both byte orders.
#include <gtest/gtest.h>

#include <algorithm>

#include "exif/field_defs.h"
#include "exif/field_encode.h"
#include "support/exif_date.h"
#include "support/run_options.h"

using namespace std::string_literals;

namespace {

TEST(ExifDate, EachStepRefusesWithItsReasonShownOnlyWithDebug)
{
    // clang-format off
    const std::pair<const char *, std::string> checks[] = {
        {"2001:10:06 12:30:00 and more", "Invalid date field length 20\n"},
        {"2001:10:06T12:30:00", "Date/time separator 'T' is not a space\n"},
        {"2001-10-06 12:30:00", "Comons missing from date\n"}, {"20x1:10:06 12:30:00", "Year is not numerics\n"},
        {"2001:1a:06 12:30:00", "month is not numerics\n"}, {"2001:13:06 12:30:00", "Month 13 out of range\n"},
        {"2001:10:+6 12:30:00", "Day is not numerics\n"}, {"2001:10:00 12:30:00", "day 0 out of range\n"},
        {"2001:10:32 12:30:00", "day 32 out of range\n"}, {"2001:10:06 12.30:00", "Colons missing from time\n"},
        {"2001:10:06 1 :30:00", "hour not numeric\n"}, {"2001:10:06 24:30:00", "hour 24 > 23\n"},
        {"2001:10:06 12:3-:00", "minute not numeric\n"}, {"2001:10:06 12:60:00", "minute 60 out of range\n"},
        {"2001:10:06 12:30: 0", "seconds not numeric\n"}, {"2001:10:06 12:30:60", "seconds 60 out of range\n"},
        {"0000:02:31 23:59:59", "Date validated    0: 2:31 23:59:59\n"},
    };
    // clang-format on
    for (int debug : {1, 0}) {
        exif_opts.debug = debug;
        for (const auto &[text, message] : checks) {
            testing::internal::CaptureStdout();
            EXPECT_EQ(is_valid_exif_date(text), static_cast<int>(message.starts_with("Date validated"))) << text;
            EXPECT_EQ(testing::internal::GetCapturedStdout(), debug ? message : "") << text;
        }
    }
}

// exif_encode_field's stored bytes, or its code when it refuses (and then
// leaves the area and the length as they were).
std::string encode(const char *nickname, const std::string &text)
{
    std::string out(encoded_field_size, '\xEE');
    uint32_t length = 7777;
    int code = exif_encode_field(find_field_defn_by_nickname(nickname), text.c_str(),
                                 reinterpret_cast<unsigned char *>(out.data()), &length);
    if (code == 0)
        return out.substr(0, length);
    EXPECT_EQ(length, 7777u);
    EXPECT_EQ(out, std::string(encoded_field_size, '\xEE'));
    return "code " + std::to_string(code);
}

TEST(EncodeField, TextDateAndUserCommentFields)
{
    EXPECT_EQ(encode("history", std::string(499, 'h')), std::string(499, 'h') + '\0');
    EXPECT_EQ(encode("date-taken", "2001:10:06 12:30:00"), "2001:10:06 12:30:00\0"s);
    EXPECT_EQ(encode("date-mod", "2001:10:06 12:30"), "code 18");
    EXPECT_EQ(encode("orient", "1"), "code 16") << "a number field";
    EXPECT_EQ(encode("comment", ""), "ASCII\0\0\0"s);
    EXPECT_EQ(encode("comment", std::string(491, 'c')), "ASCII\0\0\0"s + std::string(491, 'c'));
    const std::string too_long(492, 'c');
    testing::internal::CaptureStderr();
    EXPECT_EQ(encode("comment", too_long), "code 17");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "User Comment too long - truncating: " + too_long + "\n");
}

TEST(EncodeNumField, RangesOfEachTypeInBothByteOrders)
{
    struct {
        const char *nickname, *text;
        int code;
        std::vector<unsigned char> intel;  // the stored bytes in Intel order; reversed for Motorola
    } const cases[] = {
        // SHORT
        {"orient", " +258abc", 0, {0x02, 0x01}},
        {"orient", "65536", 20, {}},
        {"orient", "-1", 20, {}},
        {"orient", "", 20, {}},
        // LONG, and SHORT or LONG
        {"th-if-offset", "16909060", 0, {0x04, 0x03, 0x02, 0x01}},
        {"th-if-offset", "-1", 0, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"th-if-offset", "4294967296", 20, {}},
        {"width", "70000", 0, {0x70, 0x11, 0x01, 0x00}},
        // SSHORT
        {"olc2500l-1007", "-32768", 0, {0x00, 0x80}},
        {"olc2500l-1007", "32767", 0, {0xFF, 0x7F}},
        {"olc2500l-1007", "32768", 20, {}},
        {"olc2500l-1007", "-32769", 20, {}},
        // SLONG
        {"image-type", "-2147483648", 0, {0x00, 0x00, 0x00, 0x80}},
        {"image-type", "2147483648", 20, {}},
        {"image-type", "2147483647", 0, {0xFF, 0xFF, 0xFF, 0x7F}},
        {"image-type", "-2147483649", 20, {}},
        // a value count of 0, a rational
        {"cn-0000", "1", 16, {}},
        {"x-res", "1", 16, {}},
    };
    for (const auto &c : cases) {
        for (int32_t motorola : {0, 1}) {
            std::vector<unsigned char> out(4, 0xEE), expected = c.intel;
            uint32_t count = 9;
            const uint16_t row = find_field_defn_by_nickname(c.nickname);
            EXPECT_EQ(exif_encode_num_field(row, c.text, out.data(), &count, motorola), c.code) << c.text;
            if (motorola)
                std::reverse(expected.begin(), expected.end());
            expected.resize(4, 0xEE);  // nothing written past the value, nor on refusal
            EXPECT_EQ(out, expected) << c.text << " motorola " << motorola;
            EXPECT_EQ(count, c.code == 0 ? 1u : 9u) << c.text;
        }
    }
}

}  // namespace
