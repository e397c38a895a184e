// The field definition table and its lookups by tag, by nickname and by data type.
#include <gtest/gtest.h>

#include <set>

#include "exif/field_defs.h"
#include "exif/ifd_types.h"

namespace {

// Every row is the one its nickname and its (type, tag) pair find, and the
// rows of one IFD type stand together.
TEST(FieldDefTable, RowsAreUniqueAndGroupedByType)
{
    ASSERT_EQ(std::size(ifd_field_defn), 294u);
    EXPECT_EQ(ifd_field_defn[field_defn_end].tag, field_defn_end_tag);
    std::set<int32_t> finished;
    for (int i = 1; i < field_defn_end; ++i) {
        const ifd_field_defn_row &row = ifd_field_defn[i];
        EXPECT_EQ(find_field_defn_by_nickname(row.nickname), i) << row.nickname;
        EXPECT_EQ(find_field_defn_by_tag(row.ifd_type, row.tag), i) << row.nickname;
        if (row.ifd_type != ifd_field_defn[i - 1].ifd_type) {
            finished.insert(ifd_field_defn[i - 1].ifd_type);
            EXPECT_EQ(finished.count(row.ifd_type), 0u) << "type " << row.ifd_type << " again at row " << i;
        }
    }
}

TEST(FieldDefByTag, OwnTypeThenLastRowOfTheTagThenUnknown)
{
    // 0x0128 stands in Camera (row 13) and, last, in Thumbnail (row 78).
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_thumbnail, 0x0128), 78);
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_camera, 0x0128), 13);
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_tiff_sub_ifd, 0x0128), 78);
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_canon_s100, 0x0001), find_field_defn_by_nickname("n3-0001"));
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_canon, 0x0001), find_field_defn_by_nickname("cn-0001"));
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_camera, 0x1234), field_defn_unknown);
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_unknown, field_defn_end_tag), field_defn_unknown);
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_camera, 0x10128), field_defn_unknown);
}

TEST(FieldDefByNickname, ExactCaseSensitiveMatch)
{
    for (const char *miss : {"EXP-TIME", "Exp-time", "exp-tim", "exp-time ", "", "end-table"}) {
        EXPECT_EQ(find_field_defn_by_nickname(miss), -1) << miss;
    }
    EXPECT_EQ(find_field_defn_by_nickname(nullptr), -1);
    EXPECT_EQ(find_field_defn_by_nickname("n3-0092"), field_defn_end - 1);

    EXPECT_EQ(find_field_defn_by_nickname("exp-time"), 26);
}

// The first field row that expects the given data type.
int first_row_expecting(uint32_t data_type)
{
    for (int i = 1; i < field_defn_end; ++i) {
        if (ifd_field_defn[i].data_type == data_type) {
            return i;
        }
    }
    return -1;
}

TEST(FieldDefDataType, ShortOrLongAndTheOneWayPairs)
{
    const struct {
        uint32_t row_type, entry_type;
        int matches;
    } cases[] = {
        {data_type_short_or_long, data_type_short, 1},  {data_type_short_or_long, data_type_long, 1},
        {data_type_short_or_long, data_type_sshort, 0}, {data_type_short, data_type_long, 0},
        {data_type_ascii, data_type_byte, 1},           {data_type_byte, data_type_ascii, 1},
        {data_type_sshort, data_type_short, 1},         {data_type_short, data_type_sshort, 0},
        {data_type_slong, data_type_long, 1},           {data_type_long, data_type_slong, 0},
        {data_type_srational, data_type_rational, 1},   {data_type_rational, data_type_srational, 0},
        {data_type_byte, data_type_sbyte, 0},           {data_type_undefined, data_type_ascii, 0},
    };
    for (const auto &c : cases) {
        const int row = first_row_expecting(c.row_type);
        ASSERT_GT(row, 0) << c.row_type;
        EXPECT_EQ(field_data_type_matches(c.entry_type, row), c.matches) << c.row_type << " " << c.entry_type;
    }
    for (uint32_t t = 1; t <= data_type_double; ++t) {
        EXPECT_EQ(field_data_type_matches(t, field_defn_unknown), t == data_type_undefined ? 1 : 0) << t;
    }
    EXPECT_EQ(field_data_type_matches(data_type_undefined, -1), 0);
    EXPECT_EQ(field_data_type_matches(data_type_undefined, field_defn_rows), 0);
}

}  // namespace
