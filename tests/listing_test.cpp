// The readable listing: one heading per IFD type, labels padded to a column,
// long values and values with line feeds folded under the first line.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "exif/exif_options.h"
#include "exif/field_store.h"
#include "exif/ifd_types.h"
#include "frontend/listing.h"
#include "frontend/outputs.h"

namespace {

const std::string indent(29, ' ');

struct record {
    int ifd_type;
    const char *label;
    std::string value;
};

// Prints the listing of a hand-filled store and returns what it wrote.
std::string listing(const std::vector<record> &records)
{
    exif_opts = {};
    ifd_fields = {};
    strcpy(ifd_fields.path_name, "pics/a.jpg");
    for (const record &r : records) {
        ifd_field &f = ifd_fields.fields[ifd_fields.count++];
        f.ifd_type = static_cast<uint16_t>(r.ifd_type);
        strcpy(f.description, r.label);
        strcpy(f.display_value, r.value.c_str());
    }
    testing::internal::CaptureStdout();
    print_exif_fields(&ifd_fields);
    return testing::internal::GetCapturedStdout();
}

// The listing of a file holding one Camera field.
std::string one_field(const std::string &value)
{
    return listing({{ifd_type_camera, "Description", value}});
}
std::string one_field_expected(const std::string &lines)
{
    return "FILE: pics/a.jpg\n\nCamera   \n  Description              : " + lines + "\n";
}

std::string run_of(size_t n, char first = 'a')
{
    std::string s;
    for (size_t i = 0; i < n; i++)
        s += static_cast<char>(first + i % 20);
    return s;
}

TEST(Listing, ShortAndEmptyValuesStayOnTheLabelsLine)
{
    EXPECT_EQ(one_field("NIKON"), one_field_expected("NIKON\n"));
    EXPECT_EQ(one_field(""), one_field_expected("\n"));
    std::string fifty = run_of(45) + "; .,x";
    EXPECT_EQ(one_field(fifty), one_field_expected(fifty + "\n"));
}

TEST(Listing, LineFeedsStartContinuationLines)
{
    EXPECT_EQ(one_field("a\nb"), one_field_expected("a\n" + indent + "b\n"));
    EXPECT_EQ(one_field("a\n"), one_field_expected("a\n")) << "a final line feed adds no line";
    EXPECT_EQ(one_field("a\n\nb\n"), one_field_expected("a\n" + indent + "\n" + indent + "b\n"));
}

TEST(Listing, LongValuesBreakAfterABreakCharacterInTheSecondHalf)
{
    std::string sixty = run_of(40) + " " + run_of(19, 'A');
    EXPECT_EQ(one_field(sixty), one_field_expected(sixty.substr(0, 41) + "\n" + indent + run_of(19, 'A') + "\n"));

    std::string at_fifty = run_of(50) + "." + run_of(9);
    EXPECT_EQ(one_field(at_fifty), one_field_expected(at_fifty.substr(0, 51) + "\n" + indent + run_of(9) + "\n"));

    std::string unbroken = run_of(120);
    EXPECT_EQ(one_field(unbroken), one_field_expected(unbroken.substr(0, 50) + "\n" + indent +
                                                      unbroken.substr(50, 50) + "\n" + indent +
                                                      unbroken.substr(100) + "\n"));
}

TEST(Listing, FindPunctuationLimits)
{
    struct {
        std::string text;
        size_t expected;
        const char *why;
    } cases[] = {
        {"", 0, "empty"},
        {run_of(50), 50, "fits"},
        {run_of(30) + "\n" + run_of(40), 31, "line feed within the limit"},
        {run_of(49) + "\n" + run_of(40), 50, "line feed as the 50th character"},
        {run_of(50) + "\n" + run_of(40), 50, "line feed as the 51st character is no break"},
        {run_of(26) + "," + run_of(40), 27, "comma at position 26"},
        {run_of(25) + ";" + run_of(40), 50, "position 25 is too early"},
        {run_of(30) + " " + run_of(10) + "." + run_of(30), 42, "the last break character wins"},
        {run_of(51) + " " + run_of(10), 50, "a blank past position 50 is not seen"},
        {run_of(30) + ":" + run_of(40), 50, "a colon is no break character"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(find_punctuation(c.text.c_str(), 50), c.expected) << c.why;
    EXPECT_EQ(contains_newline("ab\ncd"), 1);
    EXPECT_EQ(contains_newline("abcd"), 0);
}

TEST(Listing, RecordsOfOneTypeShareAHeading)
{
    std::string out = listing({{ifd_type_camera, "Make", "NIKON"},
                               {ifd_type_camera, "Model", "E950"},
                               {ifd_type_image, "ISO Speed", "100"},
                               {ifd_type_nikon1, "Quality", "VGA Fine"},
                               {ifd_type_unknown, "Unknown Field 0xc000     ", "x"}});
    EXPECT_EQ(out, "FILE: pics/a.jpg\n"
                   "\nCamera   \n"
                   "  Make                     : NIKON\n"
                   "  Model                    : E950\n"
                   "\nImage    \n"
                   "  ISO Speed                : 100\n"
                   "\nMaker Note (Nikon models up to E950)\n"
                   "  Quality                  : VGA Fine\n"
                   "\nUnknown  \n"
                   "  Unknown Field 0xc000     : x\n"
                   "\n");
}

TEST(Listing, FileWithoutFieldsPrintsItsNameAndAnEmptyLine)
{
    EXPECT_EQ(listing({}), "FILE: pics/a.jpg\n\n");
}

}  // namespace
