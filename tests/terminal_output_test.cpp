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
}

}  // namespace
