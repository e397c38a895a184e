// The raw and basic renderings of a value: data types, byte order, the
// 499-character text limit, and values that reach the end of the window.
#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include <algorithm>

#include "exif/buf_context.h"
#include "exif/format/formatters.h"

namespace {

// A window on the first `size` bytes of a larger area whose bytes after the
// window are printable, so that a read past the window shows; numbers are
// stored with the window's byte order.
struct value_window {
    std::vector<unsigned char> bytes;
    buf_context ctx{};
    explicit value_window(size_t size = 4096, int motorola = 0) : bytes(size + 64, 'X')
    {
        std::fill(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), 0);
        init_buf_context(&ctx, nullptr, bytes.data(), static_cast<int32_t>(size), 0);
        ctx.motorola_order = motorola;
        ctx.offset_base = bytes.data();
    }
    void put(size_t at, unsigned n, uint32_t v)
    {
        for (unsigned i = 0; i < n; i++)
            bytes[at + i] = static_cast<unsigned char>(v >> (8 * (ctx.motorola_order ? n - 1 - i : i)));
    }
    void put_text(size_t at, const std::string &s) { memcpy(bytes.data() + at, s.data(), s.size()); }
};

using formatter = void (*)(buf_context *, uint32_t, uint32_t, char *);

// Formats the value at `at` with a fresh copy of the window's context.
std::string render(formatter f, const value_window &w, uint32_t type, uint32_t count, size_t at = 0)
{
    buf_context ctx = w.ctx;
    ctx.buf_p = const_cast<unsigned char *>(w.bytes.data()) + at;
    char text[600];
    memset(text, 'Z', sizeof text);
    text[0] = '\0';
    f(&ctx, type, count, text);
    return std::string(text, strnlen(text, sizeof text));
}
std::string raw(const value_window &w, uint32_t type, uint32_t count, size_t at = 0)
{
    return render(format_field_raw, w, type, count, at);
}
std::string basic(const value_window &w, uint32_t type, uint32_t count, size_t at = 0)
{
    return render(format_field_basic, w, type, count, at);
}

TEST(FormatBasic, IntegersInEitherByteOrderAreSpaceSeparatedInBothModes)
{
    for (int motorola : {0, 1}) {
        value_window w(64, motorola);
        w.put(0, 2, 1), w.put(2, 2, 2), w.put(4, 2, 65535);
        w.put(8, 4, 0xFFFFFFFF), w.put(12, 4, 0x80000000), w.put(16, 4, 7);
        for (formatter f : {format_field_raw, format_field_basic}) {
            SCOPED_TRACE(motorola ? "Motorola" : "Intel");
            EXPECT_EQ(render(f, w, 3, 3), "1 2 65535");
            EXPECT_EQ(render(f, w, 8, 3), "1 2 -1");
            EXPECT_EQ(render(f, w, 4, 3, 8), "4294967295 2147483648 7");
            EXPECT_EQ(render(f, w, 9, 3, 8), "-1 -2147483648 7");
        }
    }
}

TEST(FormatBasic, RationalsAsFractionsRawAndDecimalsBasicThroughSinglePrecision)
{
    value_window w(64, 1);
    const uint32_t words[] = {70, 10, 5, 0, uint32_t(-1), 3, uint32_t(-3), uint32_t(-4), uint32_t(-5), 0, (1u << 24) + 1, 1};
    for (size_t i = 0; i < std::size(words); i++)
        w.put(4 * i, 4, words[i]);
    EXPECT_EQ(raw(w, 5, 2), "70/10 5/0");
    EXPECT_EQ(basic(w, 5, 2), "7.00 0.00") << "a zero denominator gives zero";
    EXPECT_EQ(raw(w, 10, 3, 16), "-1/3 -3/-4 -5/0");
    EXPECT_EQ(basic(w, 10, 3, 16), "-0.33 0.75 0.00");
    EXPECT_EQ(raw(w, 5, 1, 16), "4294967296/3") << "2^32 - 1 rounds to 2^32 in single precision";
    EXPECT_EQ(raw(w, 5, 1, 40), "16777216/1") << "2^24 + 1 rounds to 2^24";
    EXPECT_EQ(basic(w, 5, 1, 40), "16777216.00");
}

TEST(FormatBasic, BytesPrintableAsTextOtherwiseAsHex)
{
    value_window w(64);
    w.put_text(0, std::string("0210\0", 5));
    w.put_text(8, "\x7f~ ");
    w.put_text(16, "\xff\x01");
    EXPECT_EQ(basic(w, 7, 4), "0210");
    EXPECT_EQ(raw(w, 7, 4), "30323130");
    EXPECT_EQ(basic(w, 7, 5), "3032313000");
    EXPECT_EQ(raw(w, 7, 5), "3032313000");
    EXPECT_EQ(basic(w, 1, 3, 8), "7f7e20") << "DEL is not printable";
    EXPECT_EQ(basic(w, 1, 2, 9), "~ ");
    EXPECT_EQ(basic(w, 6, 2, 16), "ff01");
    EXPECT_EQ(raw(w, 2, 5), "0210") << "text ends at its NUL";
    EXPECT_EQ(raw(w, 2, 3), "021") << "text ends at its count";
}

TEST(FormatBasic, UnconvertedTypesAndEmptyValues)
{
    value_window w(16);
    w.put_text(0, "\x01\x02\x03\x04");
    for (formatter f : {format_field_raw, format_field_basic}) {
        EXPECT_EQ(render(f, w, 11, 1), "<not yet implemented>");
        EXPECT_EQ(render(f, w, 12, 1), "<not yet implemented>");
        EXPECT_EQ(render(f, w, 13, 1), "Unrecognised data type: 13");
        for (uint32_t type = 1; type <= 10; type++)
            EXPECT_EQ(render(f, w, type, 0), "") << "count 0, type " << type;
    }
}

TEST(FormatBasic, HexStopsAfter249Bytes)
{
    value_window w(400);
    for (size_t i = 0; i < 300; i++)
        w.bytes[i] = static_cast<unsigned char>(i % 7 == 0 ? 0x80 : 'a');
    std::string hex;
    for (size_t i = 0; i < 249; i++)
        hex += w.bytes[i] == 0x80 ? "80" : "61";
    EXPECT_EQ(basic(w, 7, 300), hex);
    EXPECT_EQ(raw(w, 1, 249), hex);
    EXPECT_EQ(raw(w, 1, 248), hex.substr(0, 496));
}

TEST(FormatBasic, TextStopsAt499Characters)
{
    value_window w(700);
    std::string letters;
    for (int i = 0; i < 600; i++)
        letters += static_cast<char>('a' + i % 26);
    w.put_text(0, letters);
    EXPECT_EQ(basic(w, 7, 600), letters.substr(0, 499));
    EXPECT_EQ(basic(w, 1, 499), letters.substr(0, 499));
    EXPECT_EQ(raw(w, 2, 600), letters.substr(0, 499));
}

TEST(FormatBasic, ManyValuesAreCutAt499CharactersButAllRead)
{
    value_window w(2100, 1);
    for (size_t i = 0; i < 1000; i++)
        w.put(2 * i, 2, 7);
    std::string sevens = "7";
    for (int i = 1; i < 250; i++)
        sevens += " 7";
    for (formatter f : {format_field_raw, format_field_basic}) {
        buf_context ctx = w.ctx;
        char text[600] = "";
        f(&ctx, 3, 1000, text);
        EXPECT_EQ(std::string(text), sevens);
        EXPECT_EQ(ctx.buf_p, w.bytes.data() + 2000) << "cursor after the 1000th value";
    }
    // A value cut in the middle of its digits.
    for (size_t i = 0; i < 250; i++)
        w.put(4 * i, 4, 4000000000u);
    std::string full = "4000000000";
    for (int i = 1; i < 100; i++)
        full += " 4000000000";
    EXPECT_EQ(raw(w, 4, 100), full.substr(0, 499));
    std::string ones = "1.00";
    for (int i = 1; i < 125; i++)
        ones += " 1.00";
    EXPECT_EQ(basic(w, 5, 125), ones.substr(0, 499));
}

TEST(FormatBasic, ByteValuesStopAtTheEndOfTheWindow)
{
    value_window w(16);
    w.put_text(10, "ABCDEF");
    EXPECT_EQ(basic(w, 7, 100, 10), "ABCDEF");
    EXPECT_EQ(raw(w, 2, 100, 10), "ABCDEF");
    EXPECT_EQ(raw(w, 1, 100, 10), "414243444546");
    w.bytes[15] = 0x01;
    EXPECT_EQ(basic(w, 6, 1000, 12), "43444501");
}

TEST(FormatBasic, MultiByteValuesPastTheWindowStopTheRun)
{
    value_window w(16);
    w.put_text(0, "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(basic(w, 3, 3, 10), "19531 20045 20559") << "the last two bytes are still inside";
    EXPECT_EXIT(basic(w, 3, 4, 10), testing::ExitedWithCode(8), "Error: Attempt to read past end of buffer, exiting\n");
    EXPECT_EXIT(raw(w, 5, 1, 12), testing::ExitedWithCode(8), "Error: Attempt to read past end of buffer, exiting\n");
}

TEST(FormatBasic, PrintableMeansSpaceToTilde)
{
    const unsigned char inside[] = {0x20, 'A', 0x7E};
    EXPECT_EQ(is_printable(inside, 3), 1);
    for (unsigned char outside : {0x00, 0x09, 0x1F, 0x7F, 0x80, 0xFF}) {
        const unsigned char bytes[] = {'A', outside, 'B'};
        EXPECT_EQ(is_printable(bytes, 3), 0) << int(outside);
        EXPECT_EQ(is_printable(bytes, 1), 1) << "only count bytes are looked at";
    }
    EXPECT_EQ(is_printable(inside, 0), 1);
}

}  // namespace
