// Nikon maker notes read from built files in both byte orders, and from the
// real E950 and E990 photos.
#include <gtest/gtest.h>

#include "maker_note_fixtures.h"

using namespace maker_fixture;

namespace {

class NikonE950Notes : public testing::TestWithParam<ByteOrder> {};
class NikonE990Notes : public testing::TestWithParam<ByteOrder> {};
class NikonD1xNotes : public testing::TestWithParam<ByteOrder> {};

struct table_case {
    uint16_t tag;
    uint16_t known;
    const char *text;
    uint16_t unknown;  // shown through the fallback
};

TEST_P(NikonE950Notes, EachSettingTableAndItsFallback)
{
    const table_case cases[] = {
        {0x0003, 6, "SXGA Fine", 7},
        {0x0004, 2, "Monochrome", 0},
        {0x0005, 4, "Contrast-", 5},
        {0x0006, 5, "ISO 100", 1},
        {0x0007, 6, "Speed Light", 7},
        {0x000b, 1, "Fisheye", 2},
    };
    for (const table_case &c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(decode(nikon_e950(), GetParam(), u16(c.tag, c.known)), c.text);
        EXPECT_EQ(decode(nikon_e950(), GetParam(), u16(c.tag, c.unknown)), "Unknown value " + std::to_string(c.unknown));
    }
    EXPECT_EQ(decode(nikon_e950(), GetParam(), u16(0x0003, 0)), "Unknown value 0");
}

TEST_P(NikonE950Notes, DigitalZoomWithoutDenominatorShowsTheStoredFraction)
{
    EXPECT_EQ(decode(nikon_e950(), GetParam(), fixture::rationals(0x000a, {{3, 2}})), "1.5x");
    EXPECT_EQ(decode(nikon_e950(), GetParam(), fixture::rationals(0x000a, {{0, 100}})), "0.0x");
    fixture::Entry no_denominator = fixture::rationals(0x000a, {{5, 0}});
    EXPECT_EQ(decode(nikon_e950(), GetParam(), no_denominator), "5/0");
    EXPECT_EQ(decode(nikon_e950(), GetParam(), no_denominator), decode_raw(nikon_e950(), GetParam(), no_denominator));
}

TEST_P(NikonE950Notes, OtherTagsAndMistypedEntriesArePlain)
{
    EXPECT_EQ(decode(nikon_e950(), GetParam(), fixture::rationals(0x0008, {{1, 4}})), "0.25");
    EXPECT_EQ(decode(nikon_e950(), GetParam(), fixture::ascii(0x0002, "08.00")), "08.00");
    // Quality stored as LONG fails the definition check and is not decoded.
    EXPECT_EQ(decode(nikon_e950(), GetParam(), u32(0x0003, 6)), "6");
}

TEST_P(NikonE990Notes, IsoSettingShowsTheSecondNumberAloneWhenTheFirstIsZero)
{
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::shorts(0x0002, {0, 100})), "100");
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::shorts(0x0002, {1, 100})), "1,100");
}

TEST_P(NikonE990Notes, ManualFocusAndDigitalZoomGuardZeroDenominators)
{
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::rationals(0x0085, {{25, 10}})), "2.5");
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::rationals(0x0085, {{0, 0}})), "0.0");
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::rationals(0x0086, {{3, 2}})), "1.5x");
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::rationals(0x0086, {{7, 0}})), "0.0");
}

TEST_P(NikonE990Notes, FocusPositionBytesInStoredOrder)
{
    // Bytes are not numbers: the same bytes give the same text in either byte order.
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::undefined(0x0088, {0, 2, 0, 0})), "Bottom");
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::undefined(0x0088, {0, 4, 0, 0})), "Right");
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::undefined(0x0088, {0, 7, 0, 0})), "Unknown value 7");
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::undefined(0x0088, {1, 2, 0, 0})), "1,2,0,0");
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::undefined(0x0088, {0, 1, 0, 9})), "0,1,0,9");
}

TEST_P(NikonE990Notes, CameraTextsAreShownAsWritten)
{
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::ascii(0x0004, "FINE  ")), "FINE  ");
    EXPECT_EQ(decode(nikon_e990(), GetParam(), fixture::rationals(0x000a, {{883, 100}})), "8.83");
}

TEST_P(NikonD1xNotes, MakerNoteIsShownPlainlyUnderItsOwnHeading)
{
    // The ISO tag of the E990 note is not decoded in a D1X note.
    EXPECT_EQ(decode(nikon_d1x(), GetParam(), fixture::shorts(0x0002, {0, 200})), "0 200");
    EXPECT_EQ(decode(nikon_d1x(), GetParam(), fixture::ascii(0x0003, "COLOR")), "COLOR");
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, NikonE950Notes, both_orders(), order_name);
INSTANTIATE_TEST_SUITE_P(ByteOrders, NikonE990Notes, both_orders(), order_name);
INSTANTIATE_TEST_SUITE_P(ByteOrders, NikonD1xNotes, both_orders(), order_name);

void expect_lines(const std::string &file, const std::string &heading, const std::vector<std::string> &lines)
{
    cli_result r = run_tagsift({file});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    size_t at = r.out.find("\n" + heading + "\n");
    ASSERT_NE(at, std::string::npos) << r.out;
    for (const std::string &line : lines)
        EXPECT_NE(r.out.find(line, at), std::string::npos) << line << "\n" << r.out;
}

TEST(NikonSamples, E950PhotosDecodeTheirSettings)
{
    std::string samples = samples_folder();
    if (samples.empty())
        GTEST_SKIP() << "no sample folder";
    // Values checked against the stored numbers (-u) and exiftool's reading.
    for (const char *file : {"/exiv2/exiv2-nikon-e950.jpg", "/exif-samples/jpg_exif-org/nikon-e950.jpg"}) {
        SCOPED_TRACE(file);
        expect_lines(samples + file, "Maker Note (Nikon models up to E950)",
                     {listing_line("Quality", "Unknown value 12"), listing_line("Colour Mode", "Colour"),
                      listing_line("Image Adjustment", "Contrast+"), listing_line("CCD Sensitivity", "ISO 80"),
                      listing_line("White Balance", "Auto"), listing_line("Digital Zoom", "0.0x"),
                      listing_line("Lens Converter", "None")});
    }
}

TEST(NikonSamples, E990PhotoDecodesItsSettings)
{
    std::string samples = samples_folder();
    if (samples.empty())
        GTEST_SKIP() << "no sample folder";
    expect_lines(samples + "/exiv2/exiv2-nikon-e990.jpg", "Maker Note (Nikon model E990 and above)",
                 {listing_line("ISO Setting", "0"), listing_line("Quality", "FINE  "),
                  listing_line("Manual Focus Distance", "0.0"), listing_line("Digital Zoom", "1.0x"),
                  listing_line("AF Focus Position", "Left")});
}

}  // namespace
