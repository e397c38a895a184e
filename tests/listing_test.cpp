// The readable listing folds long values after a break character in the second
// half of 50 characters, and values with line feeds under the first line.
#include <gtest/gtest.h>

#include <string>

#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

std::string run_of(size_t n, char first = 'a')
{
    std::string s;
    for (size_t i = 0; i < n; i++)
        s += static_cast<char>(first + i % 20);
    return s;
}

TEST(Listing, LongAndMultiLineValuesAreFolded)
{
    const std::string indent(29, ' ');
    // 50 characters stay on one line; of two break characters the last wins.
    const std::string fifty = run_of(45) + "; .,x", sixty = run_of(30) + ";" + run_of(9) + " " + run_of(19, 'A');
    // A comma at position 20 is too early and a colon is no break character.
    const std::string unbroken = run_of(20) + "," + run_of(10) + ":" + run_of(88),
                      at_fifty = run_of(50) + "." + run_of(9);
    temp_dir dir;
    write_file(
        dir.file("f.jpg"),
        exif_jpeg(Tiff{.chain = {Ifd{{ascii(0x010E, "a\n\nb\n"), ascii(tag::kMake, "a\n"), ascii(tag::kModel, sixty),
                                      ascii(0x0131, unbroken), ascii(0x013B, fifty), ascii(0x8298, at_fifty)}}}}));
    cli_result r = run_tagsift({"f.jpg"}, {.cwd = dir.path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "FILE: f.jpg\n\nCamera   \n"
                     "  Description              : a\n" +
                         indent + "\n" + indent +
                         "b\n"
                         "  Make                     : a\n"
                         "  Model                    : " +
                         sixty.substr(0, 41) + "\n" + indent + run_of(19, 'A') +
                         "\n"
                         "  Firmware Version         : " +
                         unbroken.substr(0, 50) + "\n" + indent + unbroken.substr(50, 50) + "\n" + indent +
                         unbroken.substr(100) +
                         "\n"
                         "  Artist                   : " +
                         fifty +
                         "\n"
                         "  Copyright                : " +
                         at_fifty.substr(0, 51) + "\n" + indent + run_of(9) + "\n\n");
}

}  // namespace
