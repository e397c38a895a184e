// The command line end to end: option errors and their precedence, usage,
// catalogue and version requests, and arguments that are not files.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness/cli_runner.h"

namespace {

TEST(CommandLine, UsageWinsOverCatalogueAndCatalogueOverVersion)
{
    cli_result usage = run_tagsift({});
    EXPECT_EQ(usage.status, 0);
    EXPECT_EQ(usage.err, "");
    EXPECT_EQ(usage.out.rfind("\nNAME\n\n   tagsift - list EXIF data from one or more JPEG files\n", 0), 0u);
    EXPECT_EQ(run_tagsift({"-h", "-l", "-v"}).out, usage.out);
    cli_result catalogue = run_tagsift({"-v", "-l"});
    EXPECT_EQ(catalogue.status, 0);
    EXPECT_EQ(catalogue.out.rfind("\n  ------- Field Name ------ -Tag- ----- Description ----------\n\nFile\n", 0), 0u);
    EXPECT_EQ(catalogue.out, run_tagsift({"-l"}).out);
    cli_result version = run_tagsift({"-v", "photo.jpg"});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.err, "") << "files are not read with -v";
    EXPECT_EQ(version.out.rfind("\ntagsift V1.5.0 - 06-October-2001\n\n$Id: ", 0), 0u);
    // Three revision lines, an empty line, the notice and two line ends.
    EXPECT_EQ(std::count(version.out.begin(), version.out.end(), '\n'), 9);
    EXPECT_EQ(version.out.substr(version.out.size() - 2), "\n\n");
}

TEST(CommandLine, OptionErrorsStopWithStatusOneBeforeAnythingElse)
{
    const std::string p = tagsift_binary() + ": ";
    // clang-format off
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"-h", "-c", "x"}, "Error: Unknown separator character 'x' specified.\n"},
        {{"-c", "z", "-f", "width", "nofile.jpg"}, "Error: Unknown separator character 'z' specified.\n"},
        {{"-o", "l", "-o", "s", "nofile.jpg"}, "Error: Can't specify both LIST and SQL output options\n"},
        {{"-o", "j", "-o", "l", "nofile.jpg"}, "Error: Can't specify more than one output style\n"},
        {{"-od", "-os"}, "Error: Can't specify more than one output style\n"},
        {{"-oxyz", "-l"}, "Error: Unknown output style specified 'xyz'.\n"},
        {{"-z", "nofile.jpg"}, p + "invalid option -- 'z'\n"},
        {{"nofile.jpg", "-o"}, p + "option requires an argument -- 'o'\n"},
        // One bad option fails the parse even when a good one follows.
        {{"-c", "q", "-c", "t", "-v"}, "Error: Unknown separator character 'q' specified.\n"},
    };
    // clang-format on
    for (const auto &[args, err] : cases) {
        cli_result r = run_tagsift(args);
        EXPECT_EQ(r.status, 1) << args[0] << " " << args[1];
        EXPECT_EQ(r.err, err);
        EXPECT_EQ(r.out, "");
    }
}

TEST(CommandLine, OptionArgumentsAreReadByTheirFirstCharacters)
{
    // Without files nothing is printed but the list header, which shows the separator.
    // clang-format off
    const std::pair<std::vector<std::string>, std::string> accepted[] = {
        {{"-oL"}, ""}, {{"-olist"}, ""}, {{"-o", "lx"}, ""}, {{"-oSQL"}, ""}, {{"-q", "-r", "-u", "-x", "-a"}, ""},
        {{"-cC", "-oLh"}, "file-name-full,exp-time,"}, {{"-ctab", "-o", "lh"}, "file-name-full\texp-time\t"},
        {{"-oJSON"}, ""}, {{"-oDB"}, "CREATE TABLE IF NOT EXISTS pictures (\n    \"file_name_full\" TEXT PRIMARY KEY,"},
    };
    // clang-format on
    for (const auto &[args, header] : accepted) {
        cli_result r = run_tagsift(args);
        EXPECT_EQ(r.status, 0) << args[0];
        EXPECT_EQ(r.err, "") << args[0];
        EXPECT_EQ(r.out.substr(0, header.empty() ? std::string::npos : header.size()), header) << args[0];
    }
}

TEST(CommandLine, MissingNamesAreReportedAndTheRunGoesOn)
{
    temp_dir dir;
    cli_result r = run_tagsift({"missing.jpg", "-q", "gone/", "--", "-notanoption"}, {.cwd = dir.path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Error: file missing.jpg: can't determine file type: No such file or directory\n"
                         "Error: file gone/: can't determine file type: No such file or directory\n"
                         "Error: file -notanoption: can't determine file type: No such file or directory\n");
}

}  // namespace
