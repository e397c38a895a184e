// The field catalogue of -l: generated from the definition table.
#include <gtest/gtest.h>

#include <sstream>

#include "harness/cli_runner.h"

namespace {

TEST(Catalogue, PseudoFieldsThenEachTypeOnceInTableOrderWithoutPointersOrTheUnknownRow)
{
    cli_result r = run_tagsift({"-l"});
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out.rfind("\n  ------- Field Name ------ -Tag- ----- Description ----------\n"
                          "\nFile\n"
                          "  file-name                  N/A  File name\n"
                          "  file-name-full             N/A  File name with path\n"
                          "  file-dir                   N/A  File directory\n"
                          "  file-size                  N/A  File size in bytes\n"
                          "\nInterOp  \n"
                          "  iop-index                 0001  Interop. Index\n",
                          0),
              0u);
    EXPECT_NE(r.out.find("\nCamera   \n  image-type                00fe  Image Type \n"), std::string::npos);
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "\n\n");
    for (const char *absent : {"8769", "8825", "a005", "014a", "unknown", "end-table", "ffff"})
        EXPECT_EQ(r.out.find(absent), std::string::npos) << absent;
    std::vector<std::string> headings;
    std::istringstream in(r.out);
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != ' ')
            headings.push_back(line);
    EXPECT_EQ(headings, (std::vector<std::string>{
                            "File", "InterOp  ", "Camera   ", "Image    ", "Thumbnail", "GPS", "Maker Note (Casio)",
                            "Maker Note (Nikon models up to E950)", "Maker Note (Nikon model E990 and above)",
                            "Maker Note (Olympus)", "Maker Note (Olympus C2500L)", "Maker Note (Canon PowerShot)",
                            "Maker Note (FujiFilm)", "Maker Note (Minolta)", "Maker Note (Nikon D1X)"}));
}

}  // namespace
