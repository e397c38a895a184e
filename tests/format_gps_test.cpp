// Readable GPS values: the version, positions in zero-padded columns in both
// of their forms, the time without padding, and the plain fallback.
#include <gtest/gtest.h>

#include "formatter_window.h"

namespace {

constexpr uint32_t kByte = 1, kAscii = 2, kRational = 5;
constexpr uint32_t kLatitude = 0x0002, kLongitude = 0x0004, kTime = 0x0007, kDestLatitude = 0x0014,
                   kDestLongitude = 0x0016;

struct part {
    int32_t num, den;
};

class GpsFields : public ::testing::TestWithParam<bool> {
protected:
    bool motorola() const { return GetParam(); }
    // Three rationals, as the coordinate and time fields hold them.
    std::string triple(uint32_t tag, part a, part b, part c)
    {
        formatter_window w(motorola());
        w.srational(a.num, a.den).srational(b.num, b.den).srational(c.num, c.den);
        std::string text = w.format(format_field_gps, tag, kRational, 3);
        EXPECT_EQ(w.cursor(), 24u) << "all three values are read";
        return text;
    }
};

TEST_P(GpsFields, VersionIsDotted)
{
    formatter_window w(motorola());
    w.text(std::string("\x02\x00\x00\x00", 4));
    EXPECT_EQ(w.format(format_field_gps, 0x0000, kByte, 4), "2.0.0.0");
    formatter_window high(motorola());
    high.text(std::string("\x02\xC8\x01\x00", 4));
    EXPECT_EQ(high.format(format_field_gps, 0x0000, kByte, 4), "2.200.1.0") << "bytes are unsigned";
}

TEST_P(GpsFields, LatitudeInItsTwoForms)
{
    EXPECT_EQ(triple(kLatitude, {51, 1}, {3045, 100}, {0, 1}), "51 30.45");
    EXPECT_EQ(triple(kLatitude, {5, 1}, {350, 100}, {0, 1}), "05 03.50");
    EXPECT_EQ(triple(kLatitude, {5, 1}, {3, 1}, {7, 1}), "05 03 07");
    EXPECT_EQ(triple(kLatitude, {0, 1}, {0, 1}, {0, 1}), "00 00 00");
    EXPECT_EQ(triple(kDestLatitude, {5, 1}, {3, 1}, {7, 1}), "05 03 07");
}

TEST_P(GpsFields, LongitudeInItsTwoForms)
{
    EXPECT_EQ(triple(kLongitude, {5, 1}, {3, 1}, {7, 1}), "005 03 07");
    EXPECT_EQ(triple(kLongitude, {0, 1}, {7, 1}, {30, 1}), "000 07 30");
    EXPECT_EQ(triple(kLongitude, {122, 1}, {3045, 100}, {0, 1}), "122 30.45");
    EXPECT_EQ(triple(kDestLongitude, {5, 1}, {350, 100}, {0, 1}), "005 03.50");
}

TEST_P(GpsFields, TheMinutesDenominatorPicksTheForm)
{
    EXPECT_EQ(triple(kLatitude, {51, 1}, {30, 1}, {1234, 100}), "51 30 12") << "seconds rounded";
    EXPECT_EQ(triple(kLatitude, {51, 1}, {3000, 100}, {15, 1}), "51 30.00") << "seconds not shown";
    EXPECT_EQ(triple(kLatitude, {51, 1}, {30, 0}, {7, 1}), "51 00 07") << "zero denominator reads as 0";
    EXPECT_EQ(triple(kLatitude, {51, 1}, {-30, -1}, {7, 1}), "51 00 07") << "negative denominator reads as 0";
}

TEST_P(GpsFields, NumbersWiderThanTheirColumnKeepTheSeparator)
{
    EXPECT_EQ(triple(kLatitude, {-50, 1}, {3045, 100}, {0, 1}), "-50 30.45");
    EXPECT_EQ(triple(kLatitude, {5, 1}, {100, 1}, {7, 1}), "05 100 07");
    EXPECT_EQ(triple(kLongitude, {-5, 1}, {3, 1}, {7, 1}), "-05 03 07") << "zeros go after the sign";
}

TEST_P(GpsFields, TimeIsNotZeroFilled)
{
    EXPECT_EQ(triple(kTime, {14, 1}, {5, 1}, {9, 1}), "14: 5: 9");
    EXPECT_EQ(triple(kTime, {0, 1}, {0, 1}, {5953, 100}), " 0: 0:60") << "seconds rounded";
}

TEST_P(GpsFields, OtherTagsAreRenderedPlainly)
{
    formatter_window reference(motorola());
    reference.text(std::string("N\0", 2));
    EXPECT_EQ(reference.format(format_field_gps, 0x0001, kAscii, 2), "N");
    formatter_window altitude(motorola());
    altitude.rational(100, 1);
    EXPECT_EQ(altitude.format(format_field_gps, 0x0006, kRational, 1), "100.00");
    formatter_window altitude_ref(motorola());
    altitude_ref.text(std::string("\0", 1));
    EXPECT_EQ(altitude_ref.format(format_field_gps, 0x0005, kByte, 1), "00");
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, GpsFields, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return info.param ? std::string("Motorola") : std::string("Intel");
                         });

}  // namespace
