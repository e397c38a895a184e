// Readable values of the standard fields: value names, APEX and exposure
// conversions at their boundaries, fixed-place quotients, dates, the user
// comment, and the options -x and -u seen from the command line.
#include <gtest/gtest.h>

#include "exif/exif_options.h"
#include "fixture/jpeg_builder.h"
#include "formatter_window.h"
#include "harness/cli_runner.h"

namespace {

constexpr uint32_t kShort = 3, kRational = 5, kUndefined = 7, kSRational = 10, kAscii = 2;

class StandardFields : public ::testing::Test {
protected:
    void SetUp() override { saved_ = exif_opts; exif_opts = {}; }
    void TearDown() override { exif_opts = saved_; }
    void excel(bool on) { exif_opts.excel_tweak = on ? 1 : 0; }

    static std::string code(uint32_t tag, uint16_t value, bool motorola = false)
    {
        return formatter_window(motorola).u16(value).format(format_field_generic, tag, kShort, 1);
    }
    static std::string unsigned_ratio(uint32_t tag, uint32_t num, uint32_t den, bool motorola = false)
    {
        return formatter_window(motorola).rational(num, den).format(format_field_generic, tag, kRational, 1);
    }
    static std::string signed_ratio(uint32_t tag, int32_t num, int32_t den)
    {
        return formatter_window().srational(num, den).format(format_field_generic, tag, kSRational, 1);
    }
    static std::string bytes(uint32_t tag, uint32_t type, std::string_view raw, uint32_t count)
    {
        return formatter_window().text(raw).format(format_field_generic, tag, type, count);
    }

private:
    exif_options saved_{};
};

constexpr uint32_t kOrientation = 0x0112, kExposureTime = 0x829A, kShutter = 0x9201, kAperture = 0x9202,
                   kMaxAperture = 0x9205, kDateTaken = 0x9003, kComment = 0x9286;

TEST_F(StandardFields, EachValueTableNamesItsCodesAndFallsBackToTheNumber)
{
    struct { uint32_t tag; uint16_t named; const char *name; uint16_t unnamed; } tables[] = {
        {0x0103, 6, "JPEG Compression", 7},
        {kOrientation, 9, "Undefined", 2},
        {0x0128, 3, "Centimetre", 0},
        {0xA210, 2, "Inch", 4},
        {0x0213, 2, "Datum Point", 3},
        {0x8822, 8, "Landscape Mode", 0},
        {0x9207, 2, "Centre Weighted Average", 6},
        {0x9208, 0, "Auto", 4},
        {0x9209, 1, "Fired", 9},
        {0xA001, 1, "sRGB", 65535},
        {0xA217, 3, "Two chip colour area sensor", 1},
    };
    for (const auto &t : tables) {
        EXPECT_EQ(code(t.tag, t.named), t.name) << std::hex << t.tag;
        EXPECT_EQ(code(t.tag, t.unnamed), "Unknown value " + std::to_string(t.unnamed)) << std::hex << t.tag;
    }
    EXPECT_EQ(code(kOrientation, 1, true), "Upper Left") << "Motorola order";
}

TEST_F(StandardFields, ExposureTimeAsSecondsOrFraction)
{
    EXPECT_EQ(unsigned_ratio(kExposureTime, 1, 125), "1/125");
    EXPECT_EQ(unsigned_ratio(kExposureTime, 10, 1250), "1/125");
    EXPECT_EQ(unsigned_ratio(kExposureTime, 2, 1), "2.0");
    EXPECT_EQ(unsigned_ratio(kExposureTime, 1, 1), "1.0");
    EXPECT_EQ(unsigned_ratio(kExposureTime, 10, 1250, true), "1/125");
    excel(true);
    EXPECT_EQ(unsigned_ratio(kExposureTime, 1, 125), "1/125 sec");
    EXPECT_EQ(unsigned_ratio(kExposureTime, 2, 1), "2.0 sec");
}

TEST_F(StandardFields, ShutterSpeedFromApexTimeValue)
{
    EXPECT_EQ(signed_ratio(kShutter, 0, 1), "2");
    EXPECT_EQ(signed_ratio(kShutter, 1, 2), "1");
    EXPECT_EQ(signed_ratio(kShutter, 697, 100), "1/64") << "Tv is truncated, not rounded";
    EXPECT_EQ(signed_ratio(kShutter, 7, 1), "1/128");
    EXPECT_EQ(signed_ratio(kShutter, -1, 1), "4");
    EXPECT_EQ(signed_ratio(kShutter, 30, 1), "1/1073741824") << "largest that fits 32 bits";
    EXPECT_EQ(signed_ratio(kShutter, -29, 1), "1073741824");
    // Parts are read signed even when the entry says RATIONAL.
    EXPECT_EQ(unsigned_ratio(kShutter, 0xFFFFFFFF, 1), "4");
    excel(true);
    EXPECT_EQ(signed_ratio(kShutter, 7, 1), "1/128 sec");
    EXPECT_EQ(signed_ratio(kShutter, 0, 1), "2 sec");
}

TEST_F(StandardFields, ApexApertureAndFixedPlaceQuotients)
{
    EXPECT_EQ(unsigned_ratio(kAperture, 5, 1), "5.7");
    EXPECT_EQ(unsigned_ratio(kAperture, 0, 1), "1.0");
    EXPECT_EQ(unsigned_ratio(kMaxAperture, 3, 1), "2.8");
    EXPECT_EQ(unsigned_ratio(0x829D, 28, 10), "2.8");
    EXPECT_EQ(unsigned_ratio(0x829D, 11, 1), "11.0");
    EXPECT_EQ(unsigned_ratio(0x920A, 71, 10), "7.10");
    EXPECT_EQ(unsigned_ratio(0x9206, 7, 2), "3.5");
    EXPECT_EQ(signed_ratio(0x9204, -1, 3), "-0.33");
    EXPECT_EQ(unsigned_ratio(0x011A, 72, 1), "72");
    EXPECT_EQ(unsigned_ratio(0x011B, 300, 1), "300");
    EXPECT_EQ(signed_ratio(0xA20E, -3, 2), "-1.5");
    EXPECT_EQ(unsigned_ratio(0xA215, 401, 4), "100");
}

TEST_F(StandardFields, QuotientsAreSinglePrecision)
{
    // 21/20 is 1.04999995 in single precision and 1.05000000000000004 in double.
    EXPECT_EQ(unsigned_ratio(0x829D, 21, 20), "1.0");
    // 3/40 is 0.0750000030 in single precision and 0.0749999999999999972 in double.
    EXPECT_EQ(signed_ratio(0x9204, 3, 40), "0.08");
    // Each part passes through single precision first: 2^24 + 1 becomes 2^24.
    EXPECT_EQ(unsigned_ratio(0x011A, 16777217, 1), "16777216");
}

TEST_F(StandardFields, UndefinedConversionsShowTheStoredFraction)
{
    excel(true);  // and never with " sec"
    EXPECT_EQ(unsigned_ratio(kExposureTime, 0, 125), "0/125");
    EXPECT_EQ(unsigned_ratio(kExposureTime, 5, 0), "5/0");
    EXPECT_EQ(unsigned_ratio(kExposureTime, 0, 0), "0/0");
    EXPECT_EQ(signed_ratio(kShutter, 31, 1), "31/1") << "2^31 does not fit";
    EXPECT_EQ(signed_ratio(kShutter, -30, 1), "-30/1");
    EXPECT_EQ(signed_ratio(kShutter, 1, 0), "1/0");
    EXPECT_EQ(signed_ratio(kShutter, 0, 0), "0/0");
    // As raw mode shows it: unsigned parts for a RATIONAL entry, signed for SRATIONAL.
    EXPECT_EQ(unsigned_ratio(kShutter, 0x80000000, 0), "2147483648/0");
    EXPECT_EQ(signed_ratio(kShutter, INT32_MIN, 0), "-2147483648/0");
    EXPECT_EQ(unsigned_ratio(kAperture, 3, 0), "3/0");
    EXPECT_EQ(unsigned_ratio(kAperture, 4000, 1), "4000/1") << "sqrt(2)^4000 overflows";
    EXPECT_EQ(unsigned_ratio(0x829D, 28, 0), "28/0");
    EXPECT_EQ(signed_ratio(0x9204, -1, 0), "-1/0");
    EXPECT_EQ(unsigned_ratio(0x011A, 72, 0), "72/0");
}

TEST_F(StandardFields, DatesAndTheirExcelForm)
{
    const std::string date("2001:10:06 12:00:00\0", 20);
    EXPECT_EQ(bytes(kDateTaken, kAscii, date, 20), "2001:10:06 12:00:00");
    excel(true);
    EXPECT_EQ(bytes(kDateTaken, kAscii, date, 20), "2001/10/06 12:00:00");
    EXPECT_EQ(bytes(0x0132, kAscii, date, 20), "2001/10/06 12:00:00");
    EXPECT_EQ(bytes(0x9004, kAscii, date, 20), "2001/10/06 12:00:00");
    EXPECT_EQ(bytes(kDateTaken, kAscii, std::string("2001:\0\0\0\0", 9), 20), "2001/")
        << "nothing is written past the text's end";
}

TEST_F(StandardFields, UserCommentDropsItsCharacterCode)
{
    std::string comment("ASCII\0\0\0Hello", 13);
    comment.resize(20, '\0');
    EXPECT_EQ(bytes(kComment, kUndefined, comment, 20), "Hello");
    EXPECT_EQ(bytes(kComment, kUndefined, comment, 8), "");
    EXPECT_EQ(bytes(kComment, kUndefined, comment, 5), "") << "too short for the character code";
    // A count reaching past the window stops at its end.
    formatter_window tail;
    tail.text(std::string("ASCII\0\0\0Bye", 11)).end_here();
    EXPECT_EQ(tail.format(format_field_generic, kComment, kUndefined, 400), "Bye");
    formatter_window stub;
    stub.text("ASC").end_here();
    EXPECT_EQ(stub.format(format_field_generic, kComment, kUndefined, 400), "");
}

TEST_F(StandardFields, VersionsAreCopiedAsText)
{
    EXPECT_EQ(bytes(0x9000, kUndefined, "0220", 4), "0220");
    EXPECT_EQ(bytes(0xA000, kUndefined, "0100", 4), "0100");
    EXPECT_EQ(bytes(0x0002, kUndefined, std::string("01\0\x7f", 4), 4), "01");
}

TEST_F(StandardFields, OtherTagsAreRenderedPlainly)
{
    EXPECT_EQ(signed_ratio(0x9203, -1, 3), "-0.33") << "brightness";
    EXPECT_EQ(signed_ratio(0x9203, 1, 0), "0.00");
    EXPECT_EQ(bytes(0xC000, kUndefined, std::string("\x01\x02", 2), 2), "0102");
    EXPECT_EQ(code(0xA002, 640), "640");
}

// ---- From the command line: -x and -u. ----

using namespace fixture;

Bytes photo()
{
    Ifd exif{.entries = {rationals(0x829A, {{1, 125}}), ascii(kDateTaken, "2001:10:06 12:00:00"),
                         srationals(kShutter, {{7, 1}}), shorts(0x9209, {1})}};
    Ifd gps{.entries = {rationals(0x0002, {{51, 1}, {3045, 100}, {0, 1}})}};
    return exif_jpeg(Tiff{.chain = {Ifd{.entries = {shorts(kOrientation, {1}), pointer(tag::kExifIfd, exif),
                                                    pointer(tag::kGpsIfd, gps)}}}});
}

struct photo_file {
    temp_dir dir;
    photo_file() { write_file(dir.file("p.jpg"), photo()); }
    std::string listing(std::vector<std::string> options) const
    {
        options.push_back("p.jpg");
        cli_result r = run_tagsift(options, {.cwd = dir.path()});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        return r.out;
    }
};

bool shows(const std::string &listing, const std::string &label_and_value)
{
    return listing.find(label_and_value + "\n") != std::string::npos;
}

TEST(StandardFieldOptions, ExcelFormsOnlyWhenInterpreting)
{
    photo_file file;
    const std::string plain = file.listing({});
    EXPECT_TRUE(shows(plain, "Orientation (start point): Upper Left")) << plain;
    EXPECT_TRUE(shows(plain, "Exposure Time (sec)      : 1/125")) << plain;
    EXPECT_TRUE(shows(plain, "Date/Time Taken          : 2001:10:06 12:00:00")) << plain;
    EXPECT_TRUE(shows(plain, "Flash                    : Fired")) << plain;
    EXPECT_TRUE(shows(plain, "Latitude                 : 51 30.45")) << plain;

    const std::string excel = file.listing({"-x"});
    EXPECT_TRUE(shows(excel, "Exposure Time (sec)      : 1/125 sec")) << excel;
    EXPECT_TRUE(shows(excel, "Shutter Speed (sec)      : 1/128 sec")) << excel;
    EXPECT_TRUE(shows(excel, "Date/Time Taken          : 2001/10/06 12:00:00")) << excel;

    const std::string raw = file.listing({"-u"});
    EXPECT_TRUE(shows(raw, "Orientation (start point): 1")) << raw;
    EXPECT_TRUE(shows(raw, "Exposure Time (sec)      : 1/125")) << raw;
    EXPECT_TRUE(shows(raw, "Shutter Speed (sec)      : 7/1")) << raw;
    EXPECT_TRUE(shows(raw, "Date/Time Taken          : 2001:10:06 12:00:00")) << raw;
    EXPECT_TRUE(shows(raw, "Flash                    : 1")) << raw;
    EXPECT_TRUE(shows(raw, "Latitude                 : 51/1 3045/100 0/1")) << raw;
    EXPECT_EQ(file.listing({"-u", "-x"}), raw) << "-x changes nothing in raw mode";
}

}  // namespace
