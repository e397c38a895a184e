// Field selection: how a -f list becomes table columns and pseudo-field flags,
// the 20-column limit, and the bounds of the list text.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "exif/exif_options.h"
#include "exif/field_defs.h"
#include "fixture/jpeg_builder.h"
#include "frontend/field_select.h"
#include "frontend/options.h"
#include "harness/cli_runner.h"

namespace {

int column_of(const char *nickname) { return ifd_field_defn[find_field_defn_by_nickname(nickname)].list_column; }

// Saves and restores the table's columns and the options that selection rewrites.
class FieldSelect : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; i < field_defn_rows; i++)
            saved_[i] = ifd_field_defn[i].list_column;
        saved_opts_ = opts;
        opts.include_file_name_full = 1;
        exif_opts = {};
    }
    void TearDown() override
    {
        for (int i = 0; i < field_defn_rows; i++)
            ifd_field_defn[i].list_column = saved_[i];
        opts = saved_opts_;
        exif_opts = {};
    }
    static std::string select(const std::string &list, int expected_rc = 0)
    {
        testing::internal::CaptureStderr();
        EXPECT_EQ(set_list_fields(list.c_str()), expected_rc) << list;
        return testing::internal::GetCapturedStderr();
    }

private:
    std::array<int32_t, field_defn_rows> saved_{};
    command_options saved_opts_{};
};

TEST_F(FieldSelect, ListOrderAndPseudoFields)
{
    EXPECT_EQ(select("file-size,height,width,file-name,unknown"), "");
    EXPECT_EQ(column_of("height"), 0);
    EXPECT_EQ(column_of("width"), 1);
    EXPECT_EQ(ifd_field_defn[field_defn_unknown].list_column, 2) << "the row of unknown tags can be chosen";
    EXPECT_EQ(column_of("exp-time"), -1) << "the default columns are cleared";
    EXPECT_EQ(opts.include_file_size + opts.include_file_name, 2);
    EXPECT_EQ(opts.include_file_name_full + opts.include_file_dir, 0);

    EXPECT_EQ(select("file-dir"), "") << "a pseudo-field alone is a valid selection";
    EXPECT_EQ(column_of("height"), -1);
    EXPECT_EQ(opts.include_file_size, 0) << "each list replaces the one before";
    EXPECT_EQ(opts.include_file_dir, 1);
}

TEST_F(FieldSelect, NoValidNameIsAnErrorEvenWhenQuiet)
{
    EXPECT_EQ(select("Width", 1), "Warning: Unknown field name 'Width' ignored.\nError: No valid fields names specified.\n");
    exif_opts.quiet = 1;
    EXPECT_EQ(select(" , ", 1), "Error: No valid fields names specified.\n");
}

TEST_F(FieldSelect, TwentyColumnsAtMost)
{
    std::string list;  // the nicknames of rows 1 to 21, then a pseudo-field
    for (int row = 1; row <= 21; row++)
        list += std::string(ifd_field_defn[row].nickname) + ",";
    EXPECT_EQ(select(list + "file-size"), "Warning: More than 20 fields specified, remainder ignored\n");
    for (int row = 1; row <= 21; row++)
        EXPECT_EQ(ifd_field_defn[row].list_column, row <= 20 ? row - 1 : -1) << ifd_field_defn[row].nickname;
    EXPECT_EQ(opts.include_file_size, 0) << "nothing after the twentieth field is looked at";
}

TEST_F(FieldSelect, ListTextIsBounded)
{
    const std::string not_valid = "Error: No valid fields names specified.\n";
    // The command-line list is cut after 2048 characters, a list file after 2047.
    EXPECT_EQ(select(std::string(2044, ' ') + "width", 1), "Warning: Unknown field name 'widt' ignored.\n" + not_valid);
    temp_dir dir;
    auto from_file = [&dir](const char *name) { return std::string("@").append(dir.file(name)); };
    std::string text = std::string(2044, ' ') + "width";
    fixture::write_file(dir.file("names.txt"), fixture::Bytes(text.begin(), text.end()));
    EXPECT_EQ(select(from_file("names.txt"), 1), "Warning: Unknown field name 'wid' ignored.\n" + not_valid);
    EXPECT_EQ(select(std::string(60, 'x') + ",width"), "Warning: Unknown field name '" + std::string(50, 'x') +
                                                           "' ignored.\n");
    EXPECT_EQ(select(from_file("none.txt"), 1),
              "Error: Can't open file list file " + dir.file("none.txt") + ": No such file or directory\n" + not_valid);
}

}  // namespace
