// Readable values of the standard fields read back from built files in both
// byte orders: value names, APEX and exposure conversions at their boundaries,
// fixed-place quotients, texts, and the options -x and -u from the command line.
#include <gtest/gtest.h>

#include "formatter_window.h"

using namespace readback;

namespace {

constexpr uint16_t kExposureTime = 0x829A, kFNumber = 0x829D, kDateTaken = 0x9003, kShutter = 0x9201,
                   kAperture = 0x9202, kComment = 0x9286;
constexpr where kExcel{.opts = {0, 0, 0, 1}};  // -x

Entry ratio(uint16_t tag, uint32_t num, uint32_t den) { return rationals(tag, {{num, den}}); }
Entry sratio(uint16_t tag, int32_t num, int32_t den) { return srationals(tag, {{num, den}}); }

class StandardFields : public testing::TestWithParam<ByteOrder> {};

TEST_P(StandardFields, ValuesAtTheirBoundaries)
{
    const Bytes comment = bytes_of("ASCII\0\0\0Hello\0\0\0\0\0\0\0");
    expect_texts(
        GetParam(),
        {
            {{shorts(0x9207, {2})}, "Centre Weighted Average"},  // value names share one lookup
            {{shorts(0x9207, {6})}, "Unknown value 6"},
            {{ratio(kExposureTime, 1, 125)}, "1/125"},
            {{ratio(kExposureTime, 10, 1250)}, "1/125"},
            {{ratio(kExposureTime, 2, 1)}, "2.0"},
            {{ratio(kExposureTime, 1, 1)}, "1.0"},
            {{ratio(kExposureTime, 0, 125)}, "0/125", kExcel},  // undefined: the stored fraction, never " sec"
            {{ratio(kExposureTime, 5, 0)}, "5/0"},
            {{sratio(kShutter, 0, 1)}, "2"},
            {{sratio(kShutter, 1, 2)}, "1"},
            {{sratio(kShutter, 697, 100)}, "1/64"},  // Tv is truncated, not rounded
            {{sratio(kShutter, 7, 1)}, "1/128"},
            {{sratio(kShutter, -1, 1)}, "4"},
            {{sratio(kShutter, 30, 1)}, "1/1073741824"},  // the largest that fits 32 bits
            {{sratio(kShutter, -29, 1)}, "1073741824"},
            {{sratio(kShutter, 31, 1)}, "31/1", kExcel},
            {{sratio(kShutter, -30, 1)}, "-30/1"},
            {{ratio(kShutter, 0xFFFFFFFF, 1)}, "4"},             // parts read signed even when stored RATIONAL
            {{ratio(kShutter, 0x80000000, 0)}, "2147483648/0"},  // the fraction as -u shows the stored type
            {{sratio(kShutter, INT32_MIN, 0)}, "-2147483648/0"},
            {{ratio(kAperture, 5, 1)}, "5.7"},
            {{ratio(kAperture, 3, 0)}, "3/0"},
            {{ratio(kAperture, 4000, 1)}, "4000/1"},  // sqrt(2)^4000 overflows
            {{ratio(kFNumber, 28, 10)}, "2.8"},       // fixed-place quotients share one lookup
            {{sratio(0x9204, -1, 3)}, "-0.33"},
            {{ratio(kFNumber, 28, 0)}, "28/0"},
            {{ratio(kFNumber, 21, 20)}, "1.0"},  // 1.04999995 in single precision, 1.05000000000000004 in double
            {{ratio(0xA215, 16777217, 1)}, "16777216"},  // each part passes through single precision
            {{sratio(0x9203, -1, 3)}, "-0.33"},          // brightness is not interpreted
            {{ascii(kDateTaken, "2001:10:06 12:00:00")}, "2001:10:06 12:00:00"},
            // Nothing is written past the text's end.
            {{bytes(kDateTaken, kAscii, bytes_of("2001:\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0"))}, "2001/", kExcel},
            {{undefined(kComment, comment)}, "Hello"},         // the character code is dropped
            {{bytes(kComment, kUndefined, comment, 5)}, ""},   // too short for the character code
            {{undefined(0x9000, {'0', '1', 0, 0x7f})}, "01"},  // versions are copied as text
        });
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, StandardFields, both_orders(), order_name);

TEST(StandardFieldOptions, ExcelFormsOnlyWhenInterpreting)
{
    temp_dir dir;
    Ifd exif{{ratio(kExposureTime, 1, 125), ascii(kDateTaken, "2001:10:06 12:00:00"), sratio(kShutter, 7, 1),
              shorts(0x9209, {1})}};
    write_file(dir.file("p.jpg"), exif_jpeg(Tiff{.chain = {Ifd{{pointer(tag::kExifIfd, exif)}}}}));
    auto run = [&](std::vector<std::string> options) {
        options.push_back("p.jpg");
        cli_result r = run_tagsift(options, {.cwd = dir.path()});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        return r.out;
    };
    auto listing = [](std::string exposure, std::string date, std::string shutter, std::string flash) {
        return "FILE: p.jpg\n\nImage    \n  Exposure Time (sec)      : " + exposure +
               "\n  Date/Time Taken          : " + date + "\n  Shutter Speed (sec)      : " + shutter +
               "\n  Flash                    : " + flash + "\n\n";
    };
    EXPECT_EQ(run({}), listing("1/125", "2001:10:06 12:00:00", "1/128", "Fired"));
    EXPECT_EQ(run({"-x"}), listing("1/125 sec", "2001/10/06 12:00:00", "1/128 sec", "Fired"));
    EXPECT_EQ(run({"-u"}), listing("1/125", "2001:10:06 12:00:00", "7/1", "1"));
    EXPECT_EQ(run({"-u", "-x"}), run({"-u"}));
}

}  // namespace
