// Canon maker notes read back from built files in both byte orders: the
// settings arrays and custom functions line by line, and the number layouts.
#include <gtest/gtest.h>

#include "formatter_window.h"

using namespace readback;

namespace {

const camera canon_g1{"Canon", "Canon PowerShot G1"};
const where g1{&canon_g1};

// n zeros but for the last value.
std::vector<uint16_t> ending_in(size_t n, uint16_t last)
{
    std::vector<uint16_t> v(n, 0);
    v.back() = last;
    return v;
}

class CanonNotes : public testing::TestWithParam<ByteOrder> {};

TEST_P(CanonNotes, ArraysAndNumberLayouts)
{
    const std::string settings4 = "White Balance  : Auto\nContinBurstSeq : 0\nAF Point       : ";
    const std::string lockup = "Mirror Lockup            : ";
    expect_texts(
        GetParam(),
        {
            // Position 0 is never shown; the settings lines share one lookup with a fallback.
            {{shorts(0x0001, {1, 1, 100})}, "Macro Mode     : Macro\nSelf Timer     : 10.0sec\n", g1},
            {{shorts(0x0001, {1, 3, 0})}, "Macro Mode     : 3\nSelf Timer     : Off\n", g1},
            // The AF point compares its low 12 bits only, and falls back to the whole value.
            {{shorts(0x0004, ending_in(15, 0x3001))}, settings4 + "Center\n", g1},
            {{shorts(0x0004, ending_in(15, 0x3005))}, settings4 + "0x3005\n", g1},
            // Functions 14 and 0 add nothing; an unknown setting shows the whole entry after a 0.
            {{shorts(0x000f, {0x0101, 0x0301, 0x0E00, 0x0000, 0x0305})}, lockup + "Enabled\n" + lockup + "0773\n", g1},
            {{longs(0x0008, {1000123})}, "100-0123", g1},
            {{longs(0x0008, {5})}, "000-0005", g1},
            {{longs(0x0008, {4294967295u})}, "429496-7295", g1},
            {{longs(0x000c, {0x00A10000 | 12345})}, "00A112345", g1},
            {{longs(0x000c, {0x00010002, 7})}, "000100002", g1},  // the first value only
        });
}

TEST_P(CanonNotes, FlashWordsOnePerBit)
{
    auto flash = [&](uint16_t word) {
        std::string text = decode(GetParam(), {shorts(0x0001, ending_in(30, word))}, g1);
        return text.substr(text.find("Flash          :"));
    };
    EXPECT_EQ(flash(0), "Flash          : None \n");
    EXPECT_EQ(flash(0x4810), "Flash          : External FpSyncUsed FpSyncEnabled \n");
    EXPECT_EQ(flash(0x2080), "Flash          : Internal RearCurtainSync \n");
}

TEST_P(CanonNotes, LongTextIsCutAt499CharactersInTheMiddleOfALine)
{
    const std::string line = "Long Exp. Noise Reduction: On\n";  // 30 characters
    std::string expected;
    for (int i = 0; i < 16; i++)
        expected += line;
    EXPECT_EQ(decode(GetParam(), {shorts(0x000f, std::vector<uint16_t>(41, 0x0101))}, g1),
              expected + line.substr(0, 19));
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, CanonNotes, both_orders(), order_name);

}  // namespace
