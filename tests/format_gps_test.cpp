// Readable GPS values read back from built files in both byte orders: the
// version, positions in zero-padded columns in both of their forms, the time
// without padding, and the plain fallback.
#include <gtest/gtest.h>

#include "formatter_window.h"

using namespace readback;

namespace {

constexpr where kGps{.parent = tag::kGpsIfd};

Entry latitude(SRational d, SRational m, SRational s) { return srationals(0x0002, {d, m, s}); }
Entry longitude(SRational d, SRational m, SRational s) { return srationals(0x0004, {d, m, s}); }

class GpsFields : public testing::TestWithParam<ByteOrder> {};

TEST_P(GpsFields, VersionPositionsAndTime)
{
    expect_texts(GetParam(), {
                                 {{byte_values(0x0000, {2, 200, 1, 0})}, "2.200.1.0", kGps},
                                 // Minutes with a fraction hide the seconds; whole minutes show them, rounded.
                                 {{latitude({51, 1}, {3045, 100}, {0, 1})}, "51 30.45", kGps},
                                 {{latitude({5, 1}, {350, 100}, {0, 1})}, "05 03.50", kGps},
                                 {{latitude({5, 1}, {3, 1}, {7, 1})}, "05 03 07", kGps},
                                 {{latitude({51, 1}, {30, 1}, {1234, 100})}, "51 30 12", kGps},
                                 {{longitude({5, 1}, {3, 1}, {7, 1})}, "005 03 07", kGps},
                                 {{longitude({122, 1}, {3045, 100}, {0, 1})}, "122 30.45", kGps},
                                 // A denominator of zero or below reads as 0.
                                 {{latitude({51, 1}, {30, 0}, {7, 1})}, "51 00 07", kGps},
                                 {{latitude({51, 1}, {-30, -1}, {7, 1})}, "51 00 07", kGps},
                                 // Numbers wider than their column keep the separator; zeros go after the sign.
                                 {{latitude({5, 1}, {100, 1}, {7, 1})}, "05 100 07", kGps},
                                 {{longitude({-5, 1}, {3, 1}, {7, 1})}, "-05 03 07", kGps},
                                 // The time is not zero-filled.
                                 {{srationals(0x0007, {{14, 1}, {5, 1}, {9, 1}})}, "14: 5: 9", kGps},
                                 {{srationals(0x0007, {{0, 1}, {0, 1}, {5953, 100}})}, " 0: 0:60", kGps},
                                 {{rationals(0x0006, {{100, 1}})}, "100.00", kGps},  // other tags are plain
                             });
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, GpsFields, both_orders(), order_name);

}  // namespace
