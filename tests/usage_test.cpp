// The usage text: its sections, synopsis and option entries in order.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "frontend/usage.h"
#include "harness/cli_runner.h"

namespace {

TEST(Usage, SectionsSynopsisAndOptionEntriesInOrder)
{
    testing::internal::CaptureStdout();
    display_usage();
    fflush(stdout);
    const std::string text = testing::internal::GetCapturedStdout();
    ASSERT_EQ(text.rfind("\nNAME\n", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 2), "\n\n");
    std::string headings, options;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line[0] != ' ')
            headings += line + " ";
        else if (line.rfind("   -", 0) == 0)
            options += line[4];
    }
    EXPECT_EQ(headings, "NAME SYNOPSIS DESCRIPTION OPTIONS EXAMPLES ");
    EXPECT_EQ(options, "acefhloqrtuvx");
    EXPECT_NE(text.find("\nSYNOPSIS\n\n"
                        "   tagsift [-aqsux] file...\n"
                        "   tagsift [-aqsux] -o [l|lh|s] [-c [c|t]] [-f field-list] file...\n"
                        "   tagsift [-h|l|t|v]\n\n"),
              std::string::npos);
}

TEST(Usage, NamesEveryOutputStyleThatOptionOTakes)
{
    testing::internal::CaptureStdout();
    display_usage();
    fflush(stdout);
    const std::string text = testing::internal::GetCapturedStdout();
    for (const std::string style : {"l", "lh", "s", "j", "d"}) {
        EXPECT_NE(text.find("\n            " + style + " = "), std::string::npos) << style;
        EXPECT_EQ(run_tagsift({"-o", style}).status, 0) << style;
    }
}

}  // namespace
