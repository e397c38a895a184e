// The raw and basic renderings of a value: the cases the listings do not show,
// the hex and text limits, and values that reach the end of the window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "exif/buf_context.h"
#include "exif/format/formatters.h"

namespace {

// An Intel-order window on the first `size` bytes of a larger area whose bytes
// after the window are printable, so that a read past the window shows.
struct value_window {
    std::vector<unsigned char> bytes;
    buf_context ctx{};
    explicit value_window(size_t size) : bytes(size + 64, 'X')
    {
        std::fill(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size), 0);
        init_buf_context(&ctx, nullptr, bytes.data(), static_cast<int32_t>(size), 0);
        ctx.offset_base = bytes.data();
    }
    void put(size_t at, std::initializer_list<uint32_t> words)
    {
        for (uint32_t v : words)
            for (unsigned i = 0; i < 4; i++)
                bytes[at++] = static_cast<unsigned char>(v >> (8 * i));
    }
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

TEST(FormatBasic, RationalsTextAndBytesRawAndBasic)
{
    value_window w(80);
    w.put(0, {70, 10, 5, 0, uint32_t(-1), 3, uint32_t(-3), uint32_t(-4), uint32_t(-5), 0, 0xFFFFFFFF, 3, (1u << 24) + 1,
              1});
    memcpy(w.bytes.data() + 56, "0210\0\x1f~ \x7f", 9);
    const struct {
        uint32_t type, count, at;
        const char *raw, *basic;
    } cases[] = {
        {5, 2, 0, "70/10 5/0", "7.00 0.00"},  // a zero denominator gives zero
        {10, 3, 16, "-1/3 -3/-4 -5/0", "-0.33 0.75 0.00"},
        {5, 1, 40, "4294967296/3", nullptr},      // 2^32 - 1 rounds to 2^32 in single precision
        {5, 1, 48, "16777216/1", "16777216.00"},  // 2^24 + 1 rounds to 2^24
        {7, 4, 56, "30323130", "0210"},
        {7, 5, 56, "3032313000", "3032313000"},
        {2, 5, 56, "0210", "0210"},  // text ends at its NUL
        {2, 3, 56, "021", "021"},    // or at its count
        {1, 3, 61, "1f7e20", "1f7e20"},
        {1, 2, 62, "7e20", "~ "},  // printable: blank to tilde
        {1, 2, 63, "207f", "207f"},
        {6, 2, 62, "7e20", "~ "},
        {13, 1, 0, "Unrecognised data type: 13", "Unrecognised data type: 13"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " at " << c.at);
        EXPECT_EQ(raw(w, c.type, c.count, c.at), c.raw);
        if (c.basic != nullptr) {
            EXPECT_EQ(basic(w, c.type, c.count, c.at), c.basic);
        }
    }
    for (uint32_t type = 1; type <= 10; type++) {
        EXPECT_EQ(raw(w, type, 0), "") << "count 0, type " << type;
        EXPECT_EQ(basic(w, type, 0), "") << "count 0, type " << type;
    }
}

TEST(FormatBasic, HexStopsAfter249BytesAndTextAt499Characters)
{
    value_window w(700);
    std::string hex, letters;
    for (size_t i = 0; i < 300; i++)
        w.bytes[i] = static_cast<unsigned char>(i % 7 == 0 ? 0x80 : 'a');
    for (size_t i = 0; i < 249; i++)
        hex += w.bytes[i] == 0x80 ? "80" : "61";
    EXPECT_EQ(basic(w, 7, 300), hex);
    EXPECT_EQ(raw(w, 1, 249), hex);
    EXPECT_EQ(raw(w, 1, 248), hex.substr(0, 496));
    for (int i = 0; i < 600; i++)
        letters += static_cast<char>('a' + i % 26);
    memcpy(w.bytes.data(), letters.data(), letters.size());
    EXPECT_EQ(basic(w, 7, 600), letters.substr(0, 499));
    EXPECT_EQ(basic(w, 1, 499), letters.substr(0, 499));
    EXPECT_EQ(raw(w, 2, 600), letters.substr(0, 499));
}

TEST(FormatBasic, ManyValuesAreCutAt499CharactersButAllRead)
{
    value_window w(4100);
    for (size_t i = 0; i < 1000; i++)
        w.put(4 * i, {4000000000u});
    std::string full = "4000000000", ones = "1.00";
    for (int i = 1; i < 100; i++)
        full += " 4000000000", ones += " 1.00";
    for (formatter f : {format_field_raw, format_field_basic}) {
        buf_context ctx = w.ctx;
        char text[600] = "";
        f(&ctx, 4, 1000, text);
        EXPECT_EQ(std::string(text), full.substr(0, 499)) << "a value cut in the middle of its digits";
        EXPECT_EQ(ctx.buf_p, w.bytes.data() + 4000) << "cursor after the 1000th value";
    }
    EXPECT_EQ(basic(w, 5, 125), ones.substr(0, 499));
}

TEST(FormatBasic, ValuesAtTheEndOfTheWindow)
{
    value_window w(16);
    memcpy(w.bytes.data(), "ABCDEFGHIJKLMNOP", 16);
    EXPECT_EQ(basic(w, 7, 100, 10), "KLMNOP") << "byte values stop at the window's end";
    EXPECT_EQ(raw(w, 2, 100, 10), "KLMNOP");
    EXPECT_EQ(raw(w, 1, 100, 10), "4b4c4d4e4f50");
    EXPECT_EQ(basic(w, 3, 3, 10), "19531 20045 20559") << "the last two bytes are still inside";
    EXPECT_EXIT(basic(w, 3, 4, 10), testing::ExitedWithCode(8), "Error: Attempt to read past end of buffer, exiting\n");
    EXPECT_EXIT(raw(w, 5, 1, 12), testing::ExitedWithCode(8), "Error: Attempt to read past end of buffer, exiting\n");
}

}  // namespace
