// Text turned into stored field values: the date check step by step, text and
// user-comment fields, and single numbers in both byte orders.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>

#include "exif/exif_options.h"
#include "exif/field_defs.h"
#include "support/errors.h"
#include "support/exif_date.h"
#include "support/field_encode.h"

using namespace std::string_literals;

namespace {

using Bytes = std::vector<unsigned char>;

uint16_t row_of(const char *nickname)
{
    int row = find_field_defn_by_nickname(nickname);
    EXPECT_GE(row, 0) << nickname;
    return static_cast<uint16_t>(row);
}

class ExifDate : public ::testing::Test {
protected:
    void SetUp() override { exif_opts.debug = 1; }
    void TearDown() override { exif_opts.debug = 0; }
};

TEST_F(ExifDate, EachCheckRefusesWithItsReason)
{
    const std::pair<const char *, const char *> refused[] = {
        {"2001:10:06 12:30:00 and more", "Invalid date field length 20\n"},
        {"2001:10:06T12:30:00", "Date/time separator 'T' is not a space\n"},
        {"2001-10-06 12:30:00", "Comons missing from date\n"},
        {"20x1:10:06 12:30:00", "Year is not numerics\n"},
        {"2001:1a:06 12:30:00", "month is not numerics\n"},
        {"2001:13:06 12:30:00", "Month 13 out of range\n"},
        {"2001:10:+6 12:30:00", "Day is not numerics\n"},
        {"2001:10:32 12:30:00", "day 32 out of range\n"},
        {"2001:10:06 12.30:00", "Colons missing from time\n"},
        {"2001:10:06 1 :30:00", "hour not numeric\n"},
        {"2001:10:06 24:30:00", "hour 24 > 23\n"},
        {"2001:10:06 12:3-:00", "minute not numeric\n"},
        {"2001:10:06 12:60:00", "minute 60 out of range\n"},
        {"2001:10:06 12:30: 0", "seconds not numeric\n"},
        {"2001:10:06 12:30:60", "seconds 60 out of range\n"},
    };
    for (const auto &[text, reason] : refused) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(is_valid_exif_date(text), 0) << text;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), reason) << text;
    }
    EXPECT_EQ(is_valid_exif_date("2001:10:00 12:30:00"), 0) << "day 0";
    EXPECT_EQ(is_valid_exif_date("2001:10:06"), 0);
}

TEST_F(ExifDate, AcceptsAnyYearAndDayUpTo31)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(is_valid_exif_date("0000:02:31 23:59:59"), 1);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Date validated    0: 2:31 23:59:59\n");
    exif_opts.debug = 0;
    testing::internal::CaptureStdout();
    EXPECT_EQ(is_valid_exif_date("2001:13:06 12:30:00"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "reasons are shown only with debug";
    EXPECT_EQ(all_numeric(""), 1);
    EXPECT_EQ(all_numeric("0123456789"), 1);
    EXPECT_EQ(all_numeric("12a"), 0);
}

// exif_encode_field's stored bytes, or its code when it refuses (and then
// leaves the area and the length as they were).
std::string encode(const char *nickname, const std::string &text)
{
    std::string out(encoded_field_size, '\xEE');
    uint32_t length = 7777;
    int code = exif_encode_field(row_of(nickname), text.c_str(), reinterpret_cast<unsigned char *>(out.data()),
                                 &length);
    if (code == exif_ok)
        return out.substr(0, length);
    EXPECT_EQ(length, 7777u);
    EXPECT_EQ(out, std::string(encoded_field_size, '\xEE'));
    return "code " + std::to_string(code);
}

TEST(EncodeField, TextAndDateFieldsStoreTheTextWithItsTerminator)
{
    EXPECT_EQ(encode("make", "Canon"), "Canon\0"s);
    EXPECT_EQ(encode("history", std::string(499, 'h')).size(), 500u);
    EXPECT_EQ(encode("date-taken", "2001:10:06 12:30:00"), "2001:10:06 12:30:00\0"s);
    EXPECT_EQ(encode("date-mod", "2001:10:06 12:30"), "code 18");
    EXPECT_EXIT(encode("artist", std::string(500, 'a')), testing::ExitedWithCode(1),
                "^Internal error - long string exif_encode_field\\('a{500}'\\)\n$");
    EXPECT_EQ(encode("orient", "1"), "code 16") << "a number field";
    unsigned char out[encoded_field_size];
    uint32_t length = 0;
    EXPECT_EQ(exif_encode_field(field_defn_rows, "x", out, &length), err_format_unsupported) << "past the table";
}

TEST(EncodeField, UserCommentHasTheAsciiPrefixAndNoTerminator)
{
    EXPECT_EQ(encode("comment", ""), "ASCII\0\0\0"s);
    EXPECT_EQ(encode("comment", "hi"), "ASCII\0\0\0hi"s);
    EXPECT_EQ(encode("comment", std::string(491, 'c')).size(), 499u);
    testing::internal::CaptureStderr();
    EXPECT_EQ(encode("comment", std::string(492, 'c')), "code 17");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "User Comment too long - truncating: " + std::string(492, 'c') + "\n");
}

// exif_encode_num_field's bytes in Intel and in Motorola order; empty when refused.
struct number_case {
    const char *text;
    int code;
    Bytes intel;
};

void expect_numbers(const char *nickname, uint32_t data_type, std::initializer_list<number_case> cases)
{
    const uint16_t row = row_of(nickname);
    ASSERT_EQ(ifd_field_defn[row].data_type, data_type) << nickname;
    for (const number_case &c : cases) {
        for (int32_t motorola : {0, 1}) {
            std::array<unsigned char, 4> out = {0xEE, 0xEE, 0xEE, 0xEE};
            uint32_t count = 9;
            EXPECT_EQ(exif_encode_num_field(row, c.text, out.data(), &count, motorola), c.code) << c.text;
            Bytes expected = c.intel;
            if (motorola)
                std::reverse(expected.begin(), expected.end());
            const size_t n = c.code == exif_ok ? expected.size() : 0;
            EXPECT_EQ(Bytes(out.begin(), out.begin() + n), expected) << c.text << " motorola " << motorola;
            for (size_t i = n; i < out.size(); i++)
                EXPECT_EQ(out[i], 0xEE) << "nothing written past the value: " << c.text;
            EXPECT_EQ(count, c.code == exif_ok ? 1u : 9u) << c.text;
        }
    }
}

TEST(EncodeNumField, UnsignedShortAndLong)
{
    expect_numbers("orient", data_type_short,
                   {{"258", 0, {0x02, 0x01}}, {"65535", 0, {0xFF, 0xFF}}, {" +12abc", 0, {0x0C, 0x00}},
                    {"65536", 20, {}}, {"-1", 20, {}}, {"", 20, {}}, {"abc", 20, {}}});
    expect_numbers("th-if-offset", data_type_long,
                   {{"16909060", 0, {0x04, 0x03, 0x02, 0x01}}, {"4294967295", 0, {0xFF, 0xFF, 0xFF, 0xFF}},
                    {"-1", 0, {0xFF, 0xFF, 0xFF, 0xFF}}, {"4294967296", 20, {}}, {"99999999999999999999", 20, {}}});
    expect_numbers("width", data_type_short_or_long, {{"70000", 0, {0x70, 0x11, 0x01, 0x00}}});
}

TEST(EncodeNumField, SignedShortAndLong)
{
    expect_numbers("olc2500l-1007", data_type_sshort,
                   {{"-32768", 0, {0x00, 0x80}}, {"32767", 0, {0xFF, 0x7F}}, {"-2", 0, {0xFE, 0xFF}},
                    {"32768", 20, {}}, {"-32769", 20, {}}});
    expect_numbers("image-type", data_type_slong,
                   {{"-2147483648", 0, {0x00, 0x00, 0x00, 0x80}}, {"2147483647", 0, {0xFF, 0xFF, 0xFF, 0x7F}},
                    {"2147483648", 20, {}}, {"-2147483649", 20, {}}});
}

TEST(EncodeNumField, OnlySingleIntegersAreEncoded)
{
    for (const char *nickname : {"cn-0000", "th-ycbcr-sub", "x-res", "make"}) {
        unsigned char out[4] = {};
        uint32_t count = 0;
        EXPECT_EQ(exif_encode_num_field(row_of(nickname), "1", out, &count, 0), err_format_unsupported) << nickname;
    }
}

}  // namespace
