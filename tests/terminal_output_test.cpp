// Texts from photos and file names on a terminal: control characters shown as
// '?'; to a pipe every byte as it is.
#include <gtest/gtest.h>

#include "batch_photos.h"
#include "harness/cli_runner.h"

namespace {

TEST(TerminalOutput, ControlCharactersAreShownAsQuestionMarksOnATerminalOnly)
{
    temp_dir dir;
    const std::string name = "a\x1b]0;title\x07.jpg";
    batch::write_photo(dir.file(name), {.make = "Can\x1b[2Jon \x9b"
                                                "1m caf\xc3\xa9"});
    const std::vector<std::string> args = {"-o", "l", "-f", "file-name,make", name, "no\x7f.jpg"};
    const std::string error = ": can't determine file type: No such file or directory\n";

    cli_result piped = run_tagsift(args, {.cwd = dir.path()});
    EXPECT_EQ(piped.out, name + ",Can\x1b[2Jon \x9b"
                                "1m caf\xc3\xa9\n");
    EXPECT_EQ(piped.err, "Error: file no\x7f.jpg" + error);
    cli_result shown = run_tagsift(args, {.cwd = dir.path(), .terminal = true});
    EXPECT_EQ(shown.out, "a?]0;title?.jpg,Can?[2Jon ?1m caf\xc3\xa9\nError: file no?.jpg" + error);
    EXPECT_EQ(shown.status, 0);

    // A line longer than the filter's pieces of 4096 bytes reaches the terminal whole and alone.
    const std::uint16_t tags[] = {0x010E, 0x010F, 0x0110, 0x0131, 0x013B, 0x8298, 0x010D, 0x011D, 0x013C, 0x0151};
    fixture::Ifd ifd0;
    std::string line;
    for (char c = 'a'; c < 'a' + 10; c++) {
        ifd0.entries.push_back(fixture::ascii(tags[c - 'a'], std::string(499, c)));
        line += std::string(499, c) + (c < 'a' + 9 ? "," : "\n");
    }
    fixture::write_file(dir.file("long.jpg"), fixture::exif_jpeg(fixture::Tiff{.chain = {ifd0}}));
    const std::string fields =
        "description,make,model,firm-ver,artist,copyright,doc-name,page-name,host,target-printer";
    EXPECT_EQ(run_tagsift({"-e", "-o", "l", "-f", fields, "long.jpg"}, {.cwd = dir.path(), .terminal = true}).out,
              line);
}

}  // namespace
