// The manual page doc/tagsift.1: it documents every option of the usage text, names the
// version the program reports and renders without groff warnings.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

#include "harness/cli_runner.h"

namespace {

const std::string source_dir = TAGSIFT_SOURCE_DIR;

std::vector<std::string> lines_of(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

class ManPage : public testing::Test {
protected:
    void SetUp() override
    {
        std::ifstream in(source_dir + "/doc/tagsift.1");
        ASSERT_TRUE(in) << "cannot read doc/tagsift.1";
        std::stringstream text;
        text << in.rdbuf();
        page_ = lines_of(text.str());
    }

    // The option letters that the page documents: ".TP" followed by a line that starts with
    // the option in bold.
    std::set<char> documented_options() const
    {
        std::set<char> letters;
        for (size_t i = 0; i + 1 < page_.size(); ++i) {
            const std::string &next = page_[i + 1];
            for (const char *start : {".B \\-", ".BI \\-", ".BR \\-"}) {
                const std::string prefix = start;
                if (page_[i] == ".TP" && next.rfind(prefix, 0) == 0 && next.size() > prefix.size())
                    letters.insert(next[prefix.size()]);
            }
        }
        return letters;
    }

    std::vector<std::string> section_headings() const
    {
        std::vector<std::string> headings;
        for (const std::string &line : page_) {
            if (line.rfind(".SH ", 0) == 0) {
                std::string name = line.substr(4);
                if (name.size() > 1 && name.front() == '"' && name.back() == '"')
                    name = name.substr(1, name.size() - 2);
                headings.push_back(name);
            }
        }
        return headings;
    }

    std::vector<std::string> page_;
};

// The option letters of the usage text's OPTIONS section ("   -a       Show ...").
std::set<char> usage_options()
{
    const cli_result usage = run_tagsift({"-h"});
    EXPECT_EQ(usage.status, 0);
    std::set<char> letters;
    bool in_options = false;
    for (const std::string &line : lines_of(usage.out)) {
        if (!line.empty() && line[0] != ' ')
            in_options = line == "OPTIONS";
        else if (in_options && line.size() > 4 && line.rfind("   -", 0) == 0 && line[5] == ' ')
            letters.insert(line[4]);
    }
    return letters;
}

TEST_F(ManPage, DocumentsEveryOptionOfTheUsageText)
{
    const std::set<char> usage = usage_options();
    ASSERT_EQ(usage.size(), 13u) << "the usage text's option entries were not found";
    const std::set<char> documented = documented_options();
    for (char letter : usage)
        EXPECT_TRUE(documented.count(letter)) << "-" << letter << " is missing from doc/tagsift.1";
    // -d is a real option that the usage text leaves out; the page documents it as well.
    EXPECT_TRUE(documented.count('d'));
    EXPECT_EQ(documented.size(), usage.size() + 1) << "the page documents an option the program does not have";
}

TEST_F(ManPage, HasTheUsualSectionsInOrder)
{
    EXPECT_EQ(section_headings(),
              (std::vector<std::string>{"NAME", "SYNOPSIS", "DESCRIPTION", "OPTIONS", "OUTPUT FORMATS", "FILES",
                                        "SAFETY", "EXIT STATUS", "EXAMPLES", "SEE ALSO"}));
}

TEST_F(ManPage, TitleNamesTheVersionTheProgramReports)
{
    const cli_result version = run_tagsift({"-v"});
    ASSERT_EQ(version.status, 0);
    const size_t at = version.out.find("tagsift V");
    ASSERT_NE(at, std::string::npos) << version.out;
    const std::string number = version.out.substr(at + 9, version.out.find(' ', at + 9) - (at + 9));

    std::string title;
    for (const std::string &line : page_) {
        if (line.rfind(".TH ", 0) == 0) {
            title = line;
            break;
        }
    }
    EXPECT_EQ(title.rfind(".TH TAGSIFT 1 ", 0), 0u) << title;
    EXPECT_NE(title.find("\"tagsift " + number + "\""), std::string::npos) << title << " / version " << number;
}

// groff is part of man-db's toolchain; without it there is nothing to render with.
TEST_F(ManPage, RendersWithoutGroffWarnings)
{
    if (std::system("command -v groff >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "groff is not installed";
    const std::string command = "groff -man -ww -z '" + source_dir + "/doc/tagsift.1' 2>&1";
    FILE *pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string warnings;
    char chunk[4096];
    for (size_t n; (n = fread(chunk, 1, sizeof chunk, pipe)) > 0;)
        warnings.append(chunk, n);
    const int status = pclose(pipe);
    EXPECT_EQ(warnings, "");
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "groff status " << status;
}

}  // namespace
