// The formatters' own printf: every conversion it does itself must give the
// C library's characters exactly, including rounding, signs, padding and the
// cut at the area's bound; what it does not do goes to the library.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

#include "exif/format/text_printf.h"

namespace {

std::string ours(size_t size, const char *fmt, ...)
{
    std::string out(size, '#');
    va_list ap;
    va_start(ap, fmt);
    int n = format_bounded(out.data(), size, fmt, ap);
    va_end(ap);
    EXPECT_GE(n, 0) << fmt;
    EXPECT_EQ(out[static_cast<size_t>(n)], '\0') << fmt;
    return out.substr(0, static_cast<size_t>(n));
}

std::string library(size_t size, const char *fmt, ...)
{
    std::string out(size, '#');
    va_list ap;
    va_start(ap, fmt);
    vsnprintf(out.data(), size, fmt, ap);
    va_end(ap);
    return out.c_str();
}

// Both ways, same arguments, compared.
#define EXPECT_LIKE_LIBRARY(size, fmt, ...)                                                                            \
    EXPECT_EQ(ours(size, fmt, __VA_ARGS__), library(size, fmt, __VA_ARGS__)) << (fmt)

class TextPrintf : public ::testing::Test {
protected:
    static constexpr size_t area = 500;  // a formatter's text area
    // Values around the cases that are easy to get wrong: exact ties in
    // binary, negative zero, values that round to zero, subnormals, large.
    const double values[28] = {0.0,   -0.0,  0.5,  1.5,     2.5,      -2.5,    0.125,    0.375, -0.125,    0.05,
                               0.15,  0.25,  1e-7, -1e-7,   4.9e-324, 1.0 / 3, 2.0 / 3,  99.95, 99.949999, 1234567.891,
                               -0.04, 0.045, 1e15, -4.5e18, 6e18,     1.0e300, 123.456f, 1.1f};
};

TEST_F(TextPrintf, FixedPointMatchesTheLibraryForEveryPrecisionAndWidth)
{
    for (double v : values) {
        EXPECT_LIKE_LIBRARY(area, "%.0f", v);
        EXPECT_LIKE_LIBRARY(area, "%.1f", v);
        EXPECT_LIKE_LIBRARY(area, "%.2f", v);
        EXPECT_LIKE_LIBRARY(area, "%f", v);
        EXPECT_LIKE_LIBRARY(area, "%05.2f", v);
        EXPECT_LIKE_LIBRARY(area, "%2.0f:%2.0f", v, -v);
        EXPECT_LIKE_LIBRARY(area, "%*.*f", 12, 3, v);
        EXPECT_LIKE_LIBRARY(area, "%0*.0f %02.0f", 3, v, v);
        EXPECT_LIKE_LIBRARY(area, "%-9.1fx|", v);
        EXPECT_LIKE_LIBRARY(area, "%.12f", v);  // past the exact method: the library's
    }
}

TEST_F(TextPrintf, RandomSinglePrecisionQuotientsRoundAsTheLibraryRounds)
{
    // The formatters print float quotients of stored rationals widened to double.
    std::mt19937 rng(20011006);
    for (int i = 0; i < 20000; i++) {
        float numerator = static_cast<float>(static_cast<int32_t>(rng()));
        float denominator = static_cast<float>(rng() % 100000 + 1);
        double v = numerator / denominator;
        EXPECT_LIKE_LIBRARY(area, "%.1f|%.2f|%.0f", v, v, v);
    }
}

TEST_F(TextPrintf, NonFiniteValuesAreTheLibrarys)
{
    const double odd[] = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()};
    for (double v : odd) {
        EXPECT_LIKE_LIBRARY(area, "%.1f", v);
        EXPECT_LIKE_LIBRARY(area, "%08.2f|", v);
    }
    char text[48];
    size_t length = 0;
    EXPECT_FALSE(fixed_point_text(odd[0], 1, text, sizeof text, &length));
    EXPECT_FALSE(fixed_point_text(std::ldexp(1.0, 62), 1, text, sizeof text, &length));
    EXPECT_TRUE(fixed_point_text(std::ldexp(1.0, 61), 0, text, sizeof text, &length));
    EXPECT_STREQ(text, "2305843009213693952");
}

TEST_F(TextPrintf, TiesGoToTheEvenDigit)
{
    char text[48];
    size_t length = 0;
    const std::pair<double, const char *> cases[] = {{0.125, "0.12"},
                                                     {0.375, "0.38"},
                                                     {-0.625, "-0.62"},
                                                     {2.5, "2.50"},
                                                     {0.005, "0.01"}};  // 0.005 lies above the tie
    for (const auto &[value, expected] : cases) {
        ASSERT_TRUE(fixed_point_text(value, 2, text, sizeof text, &length));
        EXPECT_STREQ(text, expected) << value;
        EXPECT_EQ(length, std::string(expected).size());
    }
    ASSERT_TRUE(fixed_point_text(2.5, 0, text, sizeof text, &length));
    EXPECT_STREQ(text, "2");
    ASSERT_TRUE(fixed_point_text(-0.3, 0, text, sizeof text, &length));
    EXPECT_STREQ(text, "-0");
}

TEST_F(TextPrintf, IntegersAndTextMatchTheLibrary)
{
    const int numbers[] = {0, 7, -7, 42, 65535, -2147483647 - 1, 2147483647};
    for (int n : numbers) {
        EXPECT_LIKE_LIBRARY(area, "%d|%5d|%-5d|%05d|%i", n, n, n, n, n);
        EXPECT_LIKE_LIBRARY(area, "%u (0x%x)", static_cast<unsigned>(n), static_cast<unsigned>(n));
        EXPECT_LIKE_LIBRARY(area, "%*d|%*u", -6, n, 4, static_cast<unsigned>(n));
        EXPECT_LIKE_LIBRARY(area, "Unknown value %d, 100%%", n);
    }
    EXPECT_LIKE_LIBRARY(area, "%s, %d", "Normal", 3);
    EXPECT_LIKE_LIBRARY(area, "%-25s: |%-15s: ", "Exposure Time (sec)", "a label longer than fifteen");
    EXPECT_LIKE_LIBRARY(area, "%.3s|%10.2s|%-4s|", "abcdef", "xyz", "");
}

TEST_F(TextPrintf, TextIsCutAtTheAreasBound)
{
    EXPECT_EQ(ours(8, "%s", "abcdefghijk"), "abcdefg");
    EXPECT_EQ(ours(8, "%d-%d", 12345, 67890), "12345-6");
    EXPECT_EQ(ours(8, "%.2f", 123456789.5), "1234567");
    EXPECT_EQ(ours(6, "%-10d|", 1), "1    ");
    EXPECT_EQ(ours(6, "%010.1f", -1.25), "-0000");
    EXPECT_EQ(ours(1, "%d", 5), "");
    // A width far beyond the area is padding up to the bound, not an overrun.
    EXPECT_EQ(ours(area, "%*d", 100000, 1), std::string(area - 1, ' '));
    EXPECT_EQ(ours(area, "%*.1f", 100000, 1.0), library(area, "%*.1f", 100000, 1.0));
}

TEST_F(TextPrintf, ConversionsItDoesNotDoAreLeftToTheLibrary)
{
    EXPECT_LIKE_LIBRARY(area, "%+d % d %#x", 5, 5, 255u);
    EXPECT_LIKE_LIBRARY(area, "%.4d|%c|%ld", 7, 'q', 123456789L);
    EXPECT_LIKE_LIBRARY(area, "%e|%g", 1234.5, 0.0001);
    EXPECT_LIKE_LIBRARY(area, "%3d%%%s", 1, "after a fallback everything is the library's");
}

}  // namespace
