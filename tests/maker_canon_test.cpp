// Canon maker notes read from built files in both byte orders: the settings
// arrays and custom functions line by line, the number layouts, and the real
// EOS D30 photo.
#include <gtest/gtest.h>

#include "maker_note_fixtures.h"

using namespace maker_fixture;

namespace {

class CanonNotes : public testing::TestWithParam<ByteOrder> {};

std::string canon(ByteOrder order, const Entry &entry) { return decode(canon_g1(), order, entry); }

// n values of `fill`, with the given positions set.
std::vector<uint16_t> array_of(size_t n, uint16_t fill, std::initializer_list<std::pair<size_t, uint16_t>> set)
{
    std::vector<uint16_t> v(n, fill);
    for (auto [position, value] : set)
        v.at(position) = value;
    return v;
}

TEST_P(CanonNotes, Settings1KnownValues)
{
    // Position 0 and the positions without a line hold 9: they add nothing.
    std::vector<uint16_t> v = array_of(34, 9, {{1, 1}, {2, 100}, {4, 16}, {5, 1}, {7, 6}, {10, 2}, {11, 6}, {13, 65535},
                                               {14, 1}, {15, 0}, {16, 19}, {17, 5}, {19, 0x3004}, {20, 5}, {23, 200},
                                               {24, 35}, {25, 32}, {29, 0x6890}, {32, 1}});
    EXPECT_EQ(canon(GetParam(), fixture::shorts(0x0001, v)),
              "Macro Mode     : Macro\n"
              "Self Timer     : 10.0sec\n"
              "Flash Mode     : External\n"
              "Drive Mode     : Continuous\n"
              "Focus Mode     : MF\n"
              "Image Size     : Small\n"
              "Easy Shoot     : B&W\n"
              "Contrast       : Low\n"
              "Saturation     : High\n"
              "Sharpness      : Normal\n"
              "ISO            : 400\n"
              "Meter Mode     : CenterWeighted\n"
              "AF Point       : Left\n"
              "Exposure Mode  : A-DEP\n"
              "Focal Len Long : 200\n"
              "Focal Len Short: 35\n"
              "FocalUnitsPerMM: 32\n"
              "Flash          : External Internal FpSyncUsed RearCurtainSync FpSyncEnabled \n"
              "Focus          : Continuous\n");
}

TEST_P(CanonNotes, Settings1Fallbacks)
{
    std::vector<uint16_t> v = array_of(33, 0, {{1, 3}, {2, 3}, {4, 7}, {5, 2}, {7, 7}, {10, 3}, {11, 12}, {13, 2},
                                               {14, 65534}, {15, 3}, {16, 20}, {17, 2}, {19, 0x2005}, {20, 6},
                                               {29, 0x0001}, {32, 2}});
    EXPECT_EQ(canon(GetParam(), fixture::shorts(0x0001, v)),
              "Macro Mode     : 3\n"
              "Self Timer     : 0.3sec\n"
              "Flash Mode     : 7\n"
              "Drive Mode     : 2\n"
              "Focus Mode     : 7\n"
              "Image Size     : 3\n"
              "Easy Shoot     : 12\n"
              "Contrast       : 2\n"
              "Saturation     : 65534\n"
              "Sharpness      : 3\n"
              "ISO            : Unknown 20\n"
              "Meter Mode     : 2\n"
              "AF Point       : 0x2005\n"
              "Exposure Mode  : Unknown 0x6\n"
              "Focal Len Long : 0\n"
              "Focal Len Short: 0\n"
              "FocalUnitsPerMM: 0\n"
              "Flash          : \n"
              "Focus          : 2\n");
}

TEST_P(CanonNotes, FlashWordAndSelfTimer)
{
    auto flash_line = [&](uint16_t word) {
        std::string text = canon(GetParam(), fixture::shorts(0x0001, array_of(30, 0, {{29, word}})));
        return text.substr(text.find("Flash          : "));
    };
    EXPECT_EQ(flash_line(0), "Flash          : None \n");
    EXPECT_EQ(flash_line(0x4010), "Flash          : External FpSyncEnabled \n");
    EXPECT_EQ(flash_line(0x2080), "Flash          : Internal RearCurtainSync \n");
    EXPECT_EQ(canon(GetParam(), fixture::shorts(0x0001, {0, 1, 0})), "Macro Mode     : Macro\nSelf Timer     : Off\n");
}

TEST_P(CanonNotes, Settings4TablesAndFallbacks)
{
    std::vector<uint16_t> v = array_of(20, 9, {{7, 4}, {9, 3}, {14, 0x3001}, {15, 0xFFF4}, {19, 250}});
    EXPECT_EQ(canon(GetParam(), fixture::shorts(0x0004, v)),
              "White Balance  : Flourescent\n"
              "ContinBurstSeq : 3\n"
              "AF Point       : Center\n"
              "Flash Bias     : -0.33EV\n"
              "Subject Dist   : 250\n");
    std::string fallbacks =
        canon(GetParam(), fixture::shorts(0x0004, array_of(20, 9, {{7, 7}, {14, 0x3005}, {15, 0x0008}})));
    EXPECT_NE(fallbacks.find("White Balance  : 7\n"), std::string::npos) << fallbacks;
    EXPECT_NE(fallbacks.find("AF Point       : 0x3005\n"), std::string::npos) << fallbacks;
    EXPECT_NE(fallbacks.find("Flash Bias     : 0x8\n"), std::string::npos) << fallbacks;
    EXPECT_NE(canon(GetParam(), fixture::shorts(0x0004, array_of(20, 9, {{15, 0x0034}}))).find("Flash Bias     : +1.67EV\n"),
              std::string::npos);
}

TEST_P(CanonNotes, ArraysTooShortForAnyLineAreEmpty)
{
    EXPECT_EQ(canon(GetParam(), fixture::shorts(0x0001, {5})), "");
    EXPECT_EQ(canon(GetParam(), fixture::shorts(0x0004, {9, 9, 9, 9, 9, 9, 9})), "");
    EXPECT_EQ(canon(GetParam(), fixture::shorts(0x000f, {0x0101})), "");
}

TEST_P(CanonNotes, CustomFunctionsByFunctionNumber)
{
    // Position 0 is never shown; function 14 and function 0 add nothing.
    EXPECT_EQ(canon(GetParam(), fixture::shorts(0x000f, {0x0101, 0x0301, 0x0305, 0x0E00, 0x0000, 0x0600, 0x0D01})),
              "Mirror Lockup            : Enabled\n"
              "Mirror Lockup            : 0773\n"
              "AV Mode Shutter Speed    : Automatic \n"
              "Sensor Cleaning          : Enabled\n");
}

TEST_P(CanonNotes, LongTextIsCutAt499CharactersInTheMiddleOfALine)
{
    std::vector<uint16_t> v(41, 0x0101);
    const std::string line = "Long Exp. Noise Reduction: On\n";  // 30 characters
    std::string expected;
    for (int i = 0; i < 16; i++)
        expected += line;
    expected += line.substr(0, 499 - expected.size());
    EXPECT_EQ(canon(GetParam(), fixture::shorts(0x000f, v)), expected);
}

TEST_P(CanonNotes, ImageNumberLayout)
{
    EXPECT_EQ(canon(GetParam(), u32(0x0008, 1000123)), "100-0123");
    EXPECT_EQ(canon(GetParam(), u32(0x0008, 12345)), "001-2345");
    EXPECT_EQ(canon(GetParam(), u32(0x0008, 5)), "000-0005");
    EXPECT_EQ(canon(GetParam(), u32(0x0008, 0)), "000-0000");
    EXPECT_EQ(canon(GetParam(), u32(0x0008, 4294967295u)), "429496-7295");
}

TEST_P(CanonNotes, BodyNumberLayoutReadsTheFirstValueOnly)
{
    EXPECT_EQ(canon(GetParam(), u32(0x000c, 0x00A10000 | 12345)), "00A112345");
    EXPECT_EQ(canon(GetParam(), u32(0x000c, 0)), "000000000");
    EXPECT_EQ(canon(GetParam(), fixture::longs(0x000c, {0x00010002, 7})), "000100002");
}

TEST_P(CanonNotes, OtherTagsArePlain)
{
    EXPECT_EQ(canon(GetParam(), fixture::ascii(0x0006, "IMG:EOS D30 JPEG")), "IMG:EOS D30 JPEG");
    EXPECT_EQ(canon(GetParam(), fixture::shorts(0x0002, {0, 70, 914})), "0 70 914");
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, CanonNotes, both_orders(), order_name);

TEST(CanonSamples, EosD30PhotoDecodesItsSettings)
{
    std::string samples = samples_folder();
    if (samples.empty())
        GTEST_SKIP() << "no sample folder";
    cli_result r = run_tagsift({samples + "/exiv2/exiv2-canon-eos-d30.jpg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    size_t at = r.out.find("\nMaker Note (Canon PowerShot)\n");
    ASSERT_NE(at, std::string::npos) << r.out;
    const std::string more(29, ' ');  // continuation lines stand under the value
    // Values checked against the stored numbers (-u) and exiftool's reading.
    for (const std::string &line :
         {listing_line("Settings 1", "Macro Mode     : Normal"), more + "Drive Mode     : Continuous\n",
          more + "Focus Mode     : AIservo\n", more + "AF Point       : Auto\n",
          more + "Exposure Mode  : AvPriority\n", more + "Focal Len Long : 70\n", more + "Focal Len Short: 28\n",
          more + "Flash          : None \n", listing_line("Settings 4", "White Balance  : Sunny"),
          more + "Flash Bias     : 0.00EV\n", listing_line("Image Number", "889-8982"),
          listing_line("Camera Body Number", "093107059"),
          listing_line("Custom Functions", "Long Exp. Noise Reduction: Off"),
          more + "SET ButtonFunc when Shoot: Not Assigned\n"})
        EXPECT_NE(r.out.find(line, at), std::string::npos) << line << "\n" << r.out;
}

}  // namespace
