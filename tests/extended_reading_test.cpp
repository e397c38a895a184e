// Extended reading (-e): the value names it adds, with their fallbacks; the
// texts and numbers it reads; and, end to end, where -e may stand, how the
// new fields are listed, selected and warned about.
#include <gtest/gtest.h>

#include <string>

#include "formatter_window.h"

using namespace readback;

namespace {

constexpr where kExtended{.profile = &extended_reading};
constexpr where kExtendedRaw{.opts = {0, 0, 1, 0}, .profile = &extended_reading};
constexpr where kExtendedGps{.parent = tag::kGpsIfd, .profile = &extended_reading};

// One named code and one without a name of each value table; TIFF and DNG
// tags stand in the EXIF IFD, where they are named after their IFD0 rows.
struct named_code {
    uint16_t tag;
    uint16_t type;
    uint32_t code;
    const char *name;
    uint32_t unnamed;
    const where *w = &kExtended;
};

Entry code_entry(const named_code &c, uint32_t value)
{
    if (c.type == kLong)
        return longs(c.tag, {value});
    if (c.type == kUndefined)
        return undefined(c.tag, {static_cast<uint8_t>(value)});
    return shorts(c.tag, {static_cast<uint16_t>(value)});
}

TEST(ExtendedNames, EachTableNamesItsCodesAndFallsBackToTheNumber)
{
    // clang-format off
    const named_code cases[] = {
        {0x00FE, kLong, 1, "Reduced-resolution image", 0x20000},
        {0x00FF, kShort, 3, "Single page of multi-page image", 4},
        {0x0103, kShort, 5, "LZW", 99},                 // beside "JPEG Compression"
        {0x0106, kShort, 2, "RGB", 7},
        {0x0107, kShort, 2, "Ordered dither or halftone", 4},
        {0x010A, kShort, 2, "Reversed", 3},
        {0x0112, kShort, 5, "Upper Left, mirrored", 10},  // beside the four start points
        {0x011C, kShort, 2, "Planar", 3},
        {0x0122, kShort, 3, "Thousandths", 6},
        {0x013D, kShort, 2, "Horizontal differencing", 4},
        {0x014C, kShort, 2, "Not CMYK", 3},
        {0x0152, kShort, 2, "Unassociated alpha", 3},
        {0x0153, kShort, 3, "Floating point", 5},
        {0x0200, kShort, 14, "Lossless", 2},  // not after the Olympus row of the same number
        {0x8822, kShort, 0, "Not defined", 9},
        {0x8830, kShort, 2, "Recommended exposure index", 8},
        {0x9207, kShort, 6, "Partial", 7},
        {0x9208, kShort, 11, "Shade", 5},
        {0x9209, kShort, 0x18, "Auto, not fired", 0x02},
        {0xA001, kShort, 0xFFFF, "Uncalibrated", 2},
        {0xA217, kShort, 4, "Three chip colour area sensor", 6},
        {0xA300, kUndefined, 3, "Digital still camera", 4},
        {0xA301, kUndefined, 1, "Directly photographed", 2},
        {0xA401, kShort, 1, "Custom process", 2},
        {0xA402, kShort, 2, "Auto bracket", 3},
        {0xA403, kShort, 1, "Manual white balance", 2},
        {0xA406, kShort, 3, "Night scene", 4},
        {0xA407, kShort, 4, "High gain down", 5},
        {0xA40A, kShort, 1, "Soft", 3},                 // contrast shares it
        {0xA409, kShort, 2, "High saturation", 3},
        {0xA40C, kShort, 3, "Distant view", 4},
        {0xA460, kShort, 3, "Composite image captured when shooting", 4},
        {0xC617, kShort, 9, "Staggered H", 10},
        {0xC635, kShort, 1, "Safe", 2},
        {0xC65A, kShort, 10, "Cloudy weather", 5},      // the light sources as EXIF 2.2 names them
        {0xC6BF, kShort, 2, "Output-referred, high dynamic range", 3},
        {0xC6FD, kLong, 3, "No restrictions", 4},
        {0xC71A, kLong, 4, "ProPhoto RGB", 5},
        {0xC7A3, kLong, 1, "sRGB", 2},
        {0xC7A6, kLong, 1, "None", 2},
        {0xC7E9, kShort, 2, "Inverse", 3},
        {0xC7EC, kShort, 1, "Metres", 2},
        {0xC7ED, kShort, 2, "Optical ray", 3},
        {0x001E, kShort, 1, "Differential correction applied", 2, &kExtendedGps},
    };
    // clang-format on
    for (const named_code &c : cases) {
        EXPECT_EQ(decode(ByteOrder::Intel, {code_entry(c, c.code)}, *c.w), c.name) << std::hex << c.tag;
        EXPECT_EQ(decode(ByteOrder::Intel, {code_entry(c, c.unnamed)}, *c.w),
                  "Unknown value " + std::to_string(c.unnamed))
            << std::hex << c.tag;
    }
    // Names the older tables give stay theirs.
    EXPECT_EQ(decode(ByteOrder::Intel, {shorts(0x9208, {10})}, kExtended), "Flash");
}

// UCS-2 of the text in the given byte order, after the character-code prefix.
Bytes unicode_comment(ByteOrder order, std::u16string_view text)
{
    Bytes b = bytes_of("UNICODE\0");
    for (char16_t unit : text) {
        const uint8_t hi = static_cast<uint8_t>(unit >> 8), lo = static_cast<uint8_t>(unit & 0xFF);
        b.insert(b.end(), order == ByteOrder::Motorola ? std::initializer_list<uint8_t>{hi, lo}
                                                       : std::initializer_list<uint8_t>{lo, hi});
    }
    return b;
}

Bytes utf8_bytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string repeated(const std::string &piece, int times)
{
    std::string text;
    for (int i = 0; i < times; i++)
        text += piece;
    return text;
}

class ExtendedTexts : public testing::TestWithParam<ByteOrder> {};

TEST_P(ExtendedTexts, UnicodeUtf8AndFloatingPointValues)
{
    const ByteOrder order = GetParam();
    // XP texts are UCS-2 in Intel order whatever the file's order.
    Bytes xp_title = unicode_comment(ByteOrder::Intel, std::u16string(u"\u03A9mega\0", 6));
    xp_title.erase(xp_title.begin(), xp_title.begin() + 8);
    const Bytes long_comment = unicode_comment(order, std::u16string(300, u'\u00E9'));
    expect_texts(
        order,
        {
            {{undefined(0x9286, unicode_comment(order, u"Gr\u00FC\u00DFe \u20AC"))},
             "Gr\u00FC\u00DFe \u20AC",
             kExtended},
            {{undefined(0x9286, unicode_comment(order, u"\U0001F600 \xD800x"))}, "\U0001F600 \uFFFDx", kExtended},
            // 249 two-byte characters fill 498 bytes; half of the next one is not written.
            {{undefined(0x9286, long_comment)}, repeated("\u00E9", 249), kExtended},
            {{bytes(0x9C9B, kByte, xp_title)}, "\u03A9mega", kExtended},
            {{undefined(0x001B, bytes_of("ASCII\0\0\0network"))}, "network", kExtendedGps},
            {{bytes(0xA434, 129, utf8_bytes("Objektiv \u00FC"))}, "Objektiv \u00FC", kExtended},
            {{floats(0xC6FA, {1.5f, -0.25f})}, "1.5 -0.25", kExtended},
            {{doubles(0xC761, {0.1, 2e-9})}, "0.1 2e-09", kExtendedRaw},
            {{doubles(0xC7A8, {1.0 / 3})}, "0.333333333333333", kExtended},
        });
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, ExtendedTexts, both_orders(), order_name);

// A file whose IFD0 holds a TIFF field, an interoperability field (which the
// main table's lookup would name after a FujiFilm row), a private tag (which
// it would name after the GPS row of the same number), an EXIF field the main
// table knows and one it does not; its EXIF IFD holds new fields, one of
// another data type.
std::string write_photo(const temp_dir &dir)
{
    const Ifd exif{.entries = {ascii(0xA434, "Lens X"), longs(0xA403, {0}), shorts(0xA402, {1})}};
    const Ifd ifd0{.entries = {undefined(0x000B, {1}), longs(0x0100, {640}), shorts(0x1001, {2272}),
                               shorts(0x8822, {1}), shorts(0xA406, {2}), pointer(tag::kExifIfd, exif)}};
    write_file(dir.file("f.jpg"), exif_jpeg(Tiff{.chain = {ifd0}}));
    return dir.file("f.jpg");
}

TEST(ExtendedReading, ListsSelectsAndWarnsWhereverTheOptionStands)
{
    temp_dir dir;
    const std::string file = write_photo(dir);
    const std::string type_warning = "Warning: " + file +
                                     ": unexpected data type for field 'White Balance', expected UNSIGNED SHORT, "
                                     "actual UNSIGNED LONG\n";
    const struct {
        std::vector<std::string> args;
        std::string out, err;
        int status;
    } cases[] = {
        {{"-e", file},
         "FILE: " + file +
             "\n\nCamera   \n"
             "  Image Width              : 640\n"
             "  Related Image Width      : 2272\n"
             "  Exposure Program         : Manual\n"
             "  Scene Capture Type       : Portrait\n"
             "\nImage    \n"
             "  Exposure Mode            : Manual exposure\n"
             "  White Balance            : 0\n"
             "  Lens Model               : Lens X\n"
             "\nUnknown  \n"
             "  Unknown Field 0x000b     : 01\n\n",
         type_warning,
         0},
        {{"-o", "l", "-f", "lens-model,exp-mode,scene-capture", "-e", file},
         "Lens X,Manual exposure,Portrait\n",
         type_warning,
         0},
        {{"-qo", "l", "-f", "lens-model", file}, "", "Error: No valid fields names specified.\n", 1},
        // "e" as the argument of -f is a field name, not the option.
        {{"-qo", "l", "-f", "e,img-width", file}, "", "Error: No valid fields names specified.\n", 1},
        {{"-qeo", "s", "-f", "e,img-width", file},
         "INSERT INTO pictures (\n    \"img-width\"\n) VALUES (\n    640\n);\n\n",
         "",
         0},
    };
    for (const auto &c : cases) {
        const cli_result r = run_tagsift(c.args);
        EXPECT_EQ(r.out, c.out) << c.args[0];
        EXPECT_EQ(r.err, c.err) << c.args[0];
        EXPECT_EQ(r.status, c.status) << c.args[0];
    }
}

TEST(ExtendedReading, FindsTheExifSegmentAfterAnXmpSegment)
{
    temp_dir dir;
    const std::string xmp = "http://ns.adobe.com/xap/1.0/";
    const Segment xmp_segment{.marker = 0xFFE1, .data = Bytes(xmp.begin(), xmp.end() + 1)};
    const Ifd ifd0{.entries = {ascii(tag::kMake, "After XMP")}};
    write_file(dir.file("x.jpg"), build_jpeg(Jpeg{.exif = Tiff{.chain = {ifd0}}, .before = {jfif(), xmp_segment}}));
    const cli_result plain = run_tagsift({"x.jpg"}, {.cwd = dir.path()});
    EXPECT_EQ(plain.err, "Error: Error while extracting EXIF fields: EXIF header string missing\n");
    const cli_result extended = run_tagsift({"-e", "x.jpg"}, {.cwd = dir.path()});
    EXPECT_EQ(extended.out, "FILE: x.jpg\n\nCamera   \n  Make                     : After XMP\n\n");
    EXPECT_EQ(extended.err, "");
}

TEST(ExtendedReading, CatalogueShowsTheNewRowsInTheirGroups)
{
    const std::string text = run_tagsift({"-e", "-l"}).out;
    const size_t image = text.find("\nImage    \n"), thumbnail = text.find("\nThumbnail\n");
    const size_t row = text.find("\n  lens-model                a434  Lens Model\n");
    EXPECT_LT(image, row);
    EXPECT_LT(row, thumbnail);
    EXPECT_EQ(run_tagsift({"-l"}).out.find("lens-model"), std::string::npos);
}

}  // namespace
