// The field catalogue of -l: generated from the definition tables, whose every
// group can be selected with -f from its first row to its last.
#include <gtest/gtest.h>

#include <set>
#include <span>
#include <sstream>

#include "exif/extended_field_defs.h"
#include "exif/field_defs.h"
#include "exif/maker_tables.h"
#include "frontend/field_select.h"
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

TEST(Catalogue, FirstAndLastRowOfEveryGroupAreSelectedByTheirNames)
{
    // The main table's groups are known without -e (the unknown row before them is one of its own);
    // the extended and maker-note tables' with it.
    std::vector<std::pair<std::span<const ifd_field_defn_row>, bool>> tables = {
        {std::span(ifd_field_defn, field_defn_end), false}, {extended_field_defn, true}};
    for (std::span<ifd_field_defn_row> maker : maker_tables)
        tables.emplace_back(maker, true);
    std::set<std::string> seen;
    for (const auto &[table, extended] : tables) {
        std::vector<std::string> names;
        for (size_t i = 0; i < table.size(); i++)
            if ((i == 0 || table[i - 1].ifd_type != table[i].ifd_type || i + 1 == table.size() ||
                 table[i + 1].ifd_type != table[i].ifd_type) &&
                seen.insert(table[i].nickname).second)
                names.push_back(table[i].nickname);
        for (size_t from = 0; from < names.size(); from += max_list_columns) {
            std::string list, header;
            for (size_t i = from; i < names.size() && i < from + max_list_columns; i++)
                list += (i > from ? "," : "") + names[i], header += names[i] + ",";
            std::vector<std::string> args = {"-o", "lh", "-f", list};
            if (extended)
                args.insert(args.begin(), "-e");
            const cli_result r = run_tagsift(args);
            EXPECT_EQ(r.out, header + "\n");
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(r.status, 0);
        }
    }
}

}  // namespace
