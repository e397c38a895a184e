// The command line end to end: option errors and their precedence, usage,
// catalogue and version requests, and arguments that are not files.
#include <gtest/gtest.h>

#include "harness/cli_runner.h"

namespace {

std::string getopt_prefix() { return tagsift_binary() + ": "; }

TEST(CommandLine, NoArgumentsPrintsUsage)
{
    cli_result r = run_tagsift({});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("\nNAME\n\n   tagsift - list EXIF data from one or more JPEG files\n", 0), 0u);
    EXPECT_EQ(r.err, "");
}

TEST(CommandLine, UsageWinsOverCatalogueAndCatalogueOverVersion)
{
    cli_result usage = run_tagsift({"-h", "-l", "-v"});
    EXPECT_EQ(usage.out, run_tagsift({}).out);
    cli_result catalogue = run_tagsift({"-v", "-l"});
    EXPECT_EQ(catalogue.status, 0);
    EXPECT_EQ(catalogue.out.rfind("\n  ------- Field Name ------ -Tag- ----- Description ----------\n\nFile\n", 0), 0u);
    EXPECT_EQ(catalogue.out, run_tagsift({"-l"}).out);
}

TEST(CommandLine, VersionDisplayLayout)
{
    cli_result r = run_tagsift({"-v", "photo.jpg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "") << "files are not read with -v";
    ASSERT_EQ(r.out.rfind("\ntagsift V1.5.0 - 06-October-2001\n\n$Id: ", 0), 0u);
    // Three revision lines, an empty line, the notice and two line ends.
    size_t lines = 0;
    for (char c : r.out)
        lines += c == '\n';
    EXPECT_EQ(lines, 9u);
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "\n\n");
}

struct option_error {
    std::vector<std::string> args;
    std::string err;
};

TEST(CommandLine, OptionErrorsStopWithStatusOneBeforeAnythingElse)
{
    const std::string p = getopt_prefix();
    const option_error cases[] = {
        {{"-h", "-c", "x"}, "Error: Unknown separator character 'x' specified.\n"},
        {{"-c", "z", "-f", "width", "nofile.jpg"}, "Error: Unknown separator character 'z' specified.\n"},
        {{"-o", "l", "-o", "s", "nofile.jpg"}, "Error: Can't specify both LIST and SQL output options\n"},
        {{"-oxyz", "-l"}, "Error: Unknown output style specified 'xyz'.\n"},
        {{"-z", "nofile.jpg"}, p + "invalid option -- 'z'\n"},
        {{"nofile.jpg", "-o"}, p + "option requires an argument -- 'o'\n"},
        // One bad option fails the parse even when a good one follows.
        {{"-c", "q", "-c", "t", "-v"}, "Error: Unknown separator character 'q' specified.\n"},
    };
    for (const auto &c : cases) {
        cli_result r = run_tagsift(c.args);
        EXPECT_EQ(r.status, 1) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
}

TEST(CommandLine, OptionArgumentsAreReadByTheirFirstCharacters)
{
    const std::vector<std::string> accepted[] = {{"-oL"}, {"-olist"}, {"-o", "lx"}, {"-oSQL"},
                                                 {"-cT"}, {"-ctab"}, {"-cC", "-oLh"}};
    for (const auto &args : accepted) {
        cli_result r = run_tagsift(args);
        EXPECT_EQ(r.status, 0) << args[0];
        EXPECT_EQ(r.err, "") << args[0];
    }
}

TEST(CommandLine, OptionsWithoutFilesPrintNothing)
{
    cli_result r = run_tagsift({"-q", "-r", "-u", "-x", "-a"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "");
}

TEST(CommandLine, DebugTracesOptionsAfterTheDebugFlag)
{
    cli_result r = run_tagsift({"-q", "-dr", "--", "-notanoption"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("option d, optind=2\nGot option 'r'\nSubdirs option set\nget_file_type RcsId: $Id: ", 0),
              0u)
        << r.out;
    EXPECT_EQ(r.err, "Error: file -notanoption: can't determine file type: No such file or directory\n");
}

TEST(CommandLine, MissingFilesAreReportedAndTheRunGoesOn)
{
    temp_dir dir;
    cli_result r = run_tagsift({"missing.jpg", "-q", "gone/"}, {.cwd = dir.path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Error: file missing.jpg: can't determine file type: No such file or directory\n"
                     "Error: file gone/: can't determine file type: No such file or directory\n");
}

TEST(CommandLine, OverlongNamesAreRefusedAndTheRunGoesOn)
{
    temp_dir dir;
    std::string long_name(256, 'a');
    cli_result r = run_tagsift({long_name, "missing.jpg"}, {.cwd = dir.path()});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Error: Name longer than 255 characters, skipped: " + long_name +
                         "\nError: file missing.jpg: can't determine file type: No such file or directory\n");
}

}  // namespace
