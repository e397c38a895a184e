#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "support/number_text.h"

namespace {

// The definition itself: the first of "%.1g" … "%.14g" that reads back, else "%.15g".
void by_printf(double value, char *text, size_t size)
{
    if (value == std::floor(value) && std::fabs(value) < 1e15) {
        snprintf(text, size, "%.0f", value == 0 ? 0.0 : value);
        return;
    }
    for (int digits = 1; digits < 15; digits++) {
        snprintf(text, size, "%.*g", digits, value);
        if (strtod(text, nullptr) == value)
            return;
    }
    snprintf(text, size, "%.15g", value);
}

// Numbers photos hold (fractions of small whole numbers, GPS sums, APEX
// powers of two), the edges of the exact range, powers of two and ten and
// their neighbours (where rounding and the step below change), and random
// bit patterns.
TEST(NumberText, AgreesWithPrintfRounds)
{
    std::mt19937_64 random(7);
    auto check = [](double v) {
        char expected[64];
        char got[64];
        by_printf(v, expected, sizeof expected);
        format_real(v, got, sizeof got);
        ASSERT_STREQ(expected, got) << "value " << v;
        format_real(-v, got, sizeof got);
        by_printf(-v, expected, sizeof expected);
        ASSERT_STREQ(expected, got) << "value " << -v;
    };
    for (int n = 1; n < 400; n++)
        for (int d : {3, 6, 7, 10, 60, 100, 200, 1000, 3600, 65536, 1000000})
            check(static_cast<double>(n) / d);
    for (int i = 0; i < 5000; i++) {
        const auto deg = static_cast<double>(random() % 180);
        const auto min = static_cast<double>(random() % 60);
        const auto sec = static_cast<double>(random() % 600000);
        check(deg + min / 60 + sec / 10000 / 3600);
        check(std::exp2(-static_cast<double>(random() % 4000) / 1000));
    }
    for (int p = -8; p <= 16; p++) {
        const double ten = std::pow(10.0, p);
        for (double v : {ten, std::exp2(p * 3.3219280948873623)})
            for (double w : {v, std::nextafter(v, 0.0), std::nextafter(v, 1e300), v * 0.95, v * 9.96})
                check(w);
    }
    for (int p = -60; p <= 60; p++)
        for (double v : {std::exp2(p), std::nextafter(std::exp2(p), 0.0), std::exp2(p) * 1.5})
            check(v);
    for (double v : {0.0, 1e-5, 0.999995, 9.5, 0.5, 99.95, 1e15 - 0.5, 123456789012.345})
        check(v);
    for (int i = 0; i < 30000; i++) {
        uint64_t bits = random();
        double v = 0;
        memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v))
            check(v);
        check(std::ldexp(static_cast<double>(bits >> 11), -static_cast<int>(random() % 110)));
    }
}

TEST(NumberText, WholeNumbersAsPrintfWritesThem)
{
    for (int64_t v : {INT64_MIN, INT64_MIN + 1, int64_t{-10}, int64_t{-1}, int64_t{0}, int64_t{9}, int64_t{10},
                      int64_t{4294967295}, INT64_MAX}) {
        char expected[32];
        char got[32];
        snprintf(expected, sizeof expected, "%lld", static_cast<long long>(v));
        format_whole(v, got, sizeof got);
        EXPECT_STREQ(expected, got);
    }
}

}  // namespace
