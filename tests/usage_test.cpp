// The usage text: synopsis, option entries in order, indentation, examples.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "frontend/usage.h"

namespace {

std::string usage_text() {
    testing::internal::CaptureStdout();
    display_usage();
    fflush(stdout);
    return testing::internal::GetCapturedStdout();
}

size_t indent_of(const std::string &line) {
    return line.find_first_not_of(' ');
}

TEST(Usage, SectionsOptionsAndIndentation) {
    const std::string text = usage_text();
    ASSERT_EQ(text.rfind("\nNAME\n", 0), 0u);
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\n\n");

    std::vector<std::string> headings, synopsis, options, examples;
    std::string section;
    std::string previous;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line); previous = line) {
        SCOPED_TRACE(line);
        EXPECT_LE(line.size(), 78u);
        if (line.empty())
            continue;
        const size_t indent = indent_of(line);
        if (indent == 0) {
            section = line;
            headings.push_back(line);
        } else if (section == "NAME" || section == "SYNOPSIS") {
            EXPECT_EQ(indent, 3u);
            if (section == "SYNOPSIS")
                synopsis.push_back(line);
        } else if (section == "OPTIONS" && indent == 3) {
            EXPECT_TRUE(options.empty() || previous.empty());
            options.push_back(line);
        } else if (section == "EXAMPLES" && indent == 12) {
            EXPECT_TRUE(examples.empty() || previous.empty());
            examples.push_back(line);
        } else {
            EXPECT_EQ(indent, section == "EXAMPLES" ? 16u : 12u);
        }
    }

    EXPECT_EQ(headings, (std::vector<std::string>{
        "NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "EXAMPLES"}));
    EXPECT_EQ(synopsis, (std::vector<std::string>{
        "   tagsift [-aqsux] file...",
        "   tagsift [-aqsux] -o [l|lh|s] [-c [c|t]] [-f field-list] file...",
        "   tagsift [-h|l|t|v]"}));
    EXPECT_EQ(options, (std::vector<std::string>{
        "   -a       Show absolution directory paths. When the directory",
        "   -c [c|t] Separator character. In list mode (see -o l option)",
        "   -f [field-name,field-name,... | @file-name] ",
        "   -h       Display usage information.",
        "   -l       Display a list of valid EXIF fields that can be ",
        "   -o [l|lh|s]",
        "   -q       Quiet mode. Do not display warning messages.",
        "   -r       Include subdirectories. If any of the files specified",
        "   -t       Extract the thumbnail image from the specified file(s)",
        "   -u       Unformatted mode. tagsift will not interpret",
        "   -v       Display program version information",
        "   -x       Excel compatibility mode. When importing tagsift "}));
    EXPECT_EQ(examples, (std::vector<std::string>{
        "            tagsift image1.jpg image2.jpg",
        "            tagsift -q -r -o l .",
        "            tagsift -o l -c t ../pics /usr/users/fred image1.jpg",
        "            tagsift -o lh -f file-name,width,height .",
        "            tagsift -o l -f aperture image.jpg",
        "            tagsift -l"}));
}

}  // namespace
