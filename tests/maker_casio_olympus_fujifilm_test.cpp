// Casio, Olympus and FujiFilm maker notes read from built files in both byte
// orders (FujiFilm's own Intel order inside a Motorola file included), and the
// formatters called directly for what a file cannot reach.
#include <gtest/gtest.h>

#include <cstring>

#include "exif/format/formatters.h"
#include "maker_note_fixtures.h"

using namespace maker_fixture;

namespace {

struct table_case {
    uint16_t tag;
    uint16_t known;
    const char *text;
    uint16_t unknown;
    const char *fallback;
};

void expect_tables(const camera &cam, ByteOrder order, std::initializer_list<table_case> cases)
{
    for (const table_case &c : cases) {
        SCOPED_TRACE(c.tag);
        EXPECT_EQ(decode(cam, order, u16(c.tag, c.known)), c.text);
        EXPECT_EQ(decode(cam, order, u16(c.tag, c.unknown)), c.fallback);
    }
}

// A formatter called on a window holding exactly `bytes`, cursor on the first.
std::string format_window(ifd_formatter f, std::vector<unsigned char> bytes, uint32_t tag, uint32_t type,
                          uint32_t count, uint32_t model_code)
{
    buf_context ctx{};
    init_buf_context(&ctx, nullptr, bytes.data(), static_cast<int32_t>(bytes.size()), 0);
    ctx.offset_base = bytes.data();
    char text[500];
    text[0] = '\0';
    f(&ctx, tag, type, count, model_code, text);
    return std::string(text, strnlen(text, sizeof text));
}

class CasioNotes : public testing::TestWithParam<ByteOrder> {};

TEST_P(CasioNotes, EachSettingTableAndItsFallback)
{
    expect_tables(casio("QV-2000UX"), GetParam(),
                  {{0x0001, 10, "Night Scene", 6, "Unknown value 6"},
                   {0x0002, 3, "Fine", 0, "Unknown value 0"},
                   {0x0003, 5, "Infinity", 1, "Unknown value 1"},
                   {0x0005, 11, "Weak", 12, "Unknown value 12"},
                   {0x0007, 4, "Fluorescent", 6, "Unknown value 6"},
                   {0x000b, 2, "Hard", 3, "Unknown value 3"},
                   {0x000c, 1, "Low", 3, "Unknown value 3"},
                   {0x000d, 2, "High", 65535, "Unknown value 65535"},
                   {0x0014, 100, "High", 90, "Unknown value 90"}});
}

TEST_P(CasioNotes, DigitalZoomIsOne32BitValue)
{
    const camera qv = casio("QV-8000SX");
    EXPECT_EQ(decode(qv, GetParam(), u32(0x000a, 0x10000)), "Off");
    EXPECT_EQ(decode(qv, GetParam(), u32(0x000a, 0x10001)), "2X");
    EXPECT_EQ(decode(qv, GetParam(), u32(0x000a, 0x20000)), "2X");
    EXPECT_EQ(decode(qv, GetParam(), u32(0x000a, 0x30000)), "Unknown value 0x30000");
}

TEST_P(CasioNotes, FlashModeCodesDependOnTheModel)
{
    EXPECT_EQ(decode(casio("QV-2000UX"), GetParam(), u16(0x0004, 3)), "Off");
    EXPECT_EQ(decode(casio("QV-2000UX"), GetParam(), u16(0x0004, 5)), "Unknown value 5");
    EXPECT_EQ(decode(casio("QV-8000SX"), GetParam(), u16(0x0004, 3)), "Unknown value 3");
    EXPECT_EQ(decode(casio("QV-8000SX"), GetParam(), u16(0x0004, 4)), "Off");
    EXPECT_EQ(decode(casio("QV-3500EX"), GetParam(), u16(0x0004, 5)), "Red Eye Reduction");
    // No file of another camera reaches the Casio formatter; a caller can.
    EXPECT_EQ(format_window(format_field_casio, {3, 0, 0, 0}, 0x0004, 3, 1, model_generic), "Unknown model code 0");
}

TEST_P(CasioNotes, Field0011ShowsTheWhole32BitValue)
{
    EXPECT_EQ(decode(casio("QV-2000UX"), GetParam(), u32(0x0011, 0x12345678)), "305419896 (0x12345678)");
    EXPECT_EQ(decode(casio("QV-2000UX"), GetParam(), u32(0x0011, 0xFFFFFFFF)), "4294967295 (0xffffffff)");
}

TEST_P(CasioNotes, OtherTagsArePlain)
{
    EXPECT_EQ(decode(casio("QV-2000UX"), GetParam(), u32(0x0006, 1500)), "1500");
    EXPECT_EQ(decode(casio("QV-2000UX"), GetParam(), u16(0x0008, 2)), "2");
}

class OlympusNotes : public testing::TestWithParam<ByteOrder> {};

TEST_P(OlympusNotes, QualityAndMacroTables)
{
    for (const camera &cam : {olympus(), olympus_c2500l()}) {
        SCOPED_TRACE(cam.model);
        expect_tables(cam, GetParam(),
                      {{0x0201, 3, "SHQ", 4, "Unknown 4"}, {0x0202, 1, "Macro", 2, "Unknown value 2"}});
    }
}

TEST_P(OlympusNotes, SpecialModeAndDirection)
{
    auto mode = [&](uint32_t m, uint32_t s, uint32_t d) {
        return decode(olympus(), GetParam(), fixture::longs(0x0200, {m, s, d}));
    };
    EXPECT_EQ(mode(2, 5, 1), "Fast, 5, Left to Right");
    EXPECT_EQ(mode(3, 2, 4), "Panorama, 2, Top to Bottom");
    EXPECT_EQ(mode(0, 0, 0), "Normal, 0, 0");
    EXPECT_EQ(mode(7, 1, 9), "7, 1, 9");
    EXPECT_EQ(mode(0xFFFFFFFF, 0xFFFFFFFE, 0x80000000), "-1, -2, -2147483648");
    EXPECT_EQ(decode(olympus_c2500l(), GetParam(), fixture::longs(0x0200, {1, 3, 2})), "Unknown, 3, Right to Left");
}

TEST_P(OlympusNotes, CameraIdBytesUpToAZeroByteAnd499Characters)
{
    EXPECT_EQ(decode(olympus(), GetParam(), fixture::undefined(0x0209, {'O', 'L', 'Y', 0, 'X', 'Y'})), "OLY");
    EXPECT_EQ(decode(olympus(), GetParam(), fixture::undefined(0x0209, {'A', 0x01, 0xE9, 'B', 'C'})),
              "A\x01\xE9" "BC");
    std::string id = decode(olympus_c2500l(), GetParam(), fixture::undefined(0x0209, fixture::Bytes(600, 'k')));
    EXPECT_EQ(id, std::string(499, 'k'));
}

TEST(OlympusCameraId, StopsAtTheEndOfTheWindow)
{
    // Twelve bytes left in the window, a count of 600, no zero byte.
    EXPECT_EQ(format_window(format_field_olymp, std::vector<unsigned char>(12, 'z'), 0x0209, 7, 600, model_olympus),
              std::string(12, 'z'));
}

class FujiFilmNotes : public testing::TestWithParam<ByteOrder> {};

TEST_P(FujiFilmNotes, EachSettingTableAndItsFallback)
{
    // The maker note is in Intel order whatever the file uses.
    expect_tables(fujifilm(), GetParam(),
                  {{0x1001, 5, "Hard", 2, "Unknown 2"},
                   {0x1002, 769, "DayWhite-colour Fluorescent", 771, "Unknown value 771"},
                   {0x1010, 3, "Redeye Reduction", 4, "Unknown value 4"},
                   {0x1020, 1, "On", 2, "Unknown value 2"},
                   {0x1021, 1, "Manual", 2, "Unknown value 2"},
                   {0x1030, 0, "Off", 256, "Unknown value 256"},
                   {0x1031, 0x200, "Shutter Priority AE", 3, "Unknown value 3"},
                   {0x1100, 1, "On", 9, "Unknown value 9"},
                   {0x1300, 1, "Yes", 2, "Unknown value 2"},
                   {0x1301, 1, "Out of Focus", 2, "Unknown value 2"},
                   {0x1302, 1, "Over Exposed", 2, "Unknown value 2"}});
}

TEST_P(FujiFilmNotes, WholeMakerNoteWithOutOfLineValues)
{
    std::vector<field> fields = read_maker_note(
        fujifilm(), GetParam(),
        {fixture::undefined(0x0000, {'0', '1', '3', '0'}), fixture::ascii(0x1000, "NORMAL "),
         u16(0x1002, 0x400), fixture::srationals(0x1011, {{-1, 3}}), u16(0x1031, 0x300)});
    ASSERT_EQ(fields.size(), 5u);
    EXPECT_EQ(fields[0].value, "0130");
    EXPECT_EQ(fields[1].value, "NORMAL ");
    EXPECT_EQ(fields[2].value, "Incandescant");
    EXPECT_EQ(fields[3].value, "-0.33");
    EXPECT_EQ(fields[4].value, "Manual");
    for (const field &f : fields)
        EXPECT_EQ(f.ifd_type, 12);
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, CasioNotes, both_orders(), order_name);
INSTANTIATE_TEST_SUITE_P(ByteOrders, OlympusNotes, both_orders(), order_name);
INSTANTIATE_TEST_SUITE_P(ByteOrders, FujiFilmNotes, both_orders(), order_name);

}  // namespace
