// The field definition table: its shape, and the lookups by tag, by nickname
// and by data type.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <type_traits>
#include <utility>

#include "exif/exif_options.h"
#include "exif/field_defs.h"
#include "exif/field_store.h"
#include "exif/ifd_types.h"

// Only the output column may change at run time.
static_assert(std::is_assignable_v<decltype((ifd_field_defn[0].list_column)), int32_t>);
static_assert(!std::is_assignable_v<decltype((ifd_field_defn[0].tag)), uint32_t>);
static_assert(!std::is_assignable_v<decltype((ifd_field_defn[0].ifd_type)), int32_t>);
static_assert(!std::is_assignable_v<decltype((ifd_field_defn[0].nickname)), const char *>);
static_assert(!std::is_assignable_v<decltype((ifd_field_defn[0].description)), const char *>);
static_assert(!std::is_assignable_v<decltype((ifd_field_defn[0].data_type)), uint32_t>);
static_assert(!std::is_assignable_v<decltype((ifd_field_defn[0].count)), uint32_t>);
static_assert(!std::is_assignable_v<decltype((ifd_field_defn[0].opens_ifd)), int32_t>);
static_assert(!std::is_assignable_v<decltype((ifd_field_defn[0].sql_quote)), int32_t>);
static_assert(!std::is_assignable_v<decltype((ifd_field_defn[0].is_date)), int32_t>);

namespace {

// Row ranges of each IFD type that has rows, in table order.
struct type_range {
    int32_t ifd_type;
    int first;
    int last;
};
constexpr type_range type_ranges[] = {
    {ifd_type_unknown, 0, 0},
    {ifd_type_interop, 1, 5},
    {ifd_type_camera, 6, 25},
    {ifd_type_image, 26, 65},
    {ifd_type_thumbnail, 66, 84},
    {ifd_type_gps, 85, 112},
    {ifd_type_casio, 113, 139},
    {ifd_type_nikon1, 140, 150},
    {ifd_type_nikon2, 151, 166},
    {ifd_type_olympus, 167, 177},
    {ifd_type_olympus_c2500l, 178, 229},
    {ifd_type_canon, 230, 244},
    {ifd_type_fujifilm, 245, 259},
    {ifd_type_minolta, 260, 265},
    {ifd_type_nikon_d1x, 266, 292},
};
constexpr int first_maker_note_row = 113;

int row_of(const char *nickname) {
    const int row = find_field_defn_by_nickname(nickname);
    EXPECT_GE(row, 0) << nickname;
    return row;
}

// The first field row that expects the given data type, or -1.
int first_row_expecting(uint32_t data_type) {
    for (int i = 1; i < field_defn_end; ++i) {
        if (ifd_field_defn[i].data_type == data_type) {
            return i;
        }
    }
    return -1;
}

// What the tag lookup should give, computed the slow way: the row of the tag
// in the type, else the last row of the tag, else the unknown row.
int expected_row_for(int32_t ifd_type, uint32_t tag) {
    for (int i = 0; i < field_defn_end; ++i) {
        if (ifd_field_defn[i].tag == tag && ifd_field_defn[i].ifd_type == ifd_type) {
            return i;
        }
    }
    for (int i = field_defn_end - 1; i >= 0; --i) {
        if (ifd_field_defn[i].tag == tag) {
            return i;
        }
    }
    return field_defn_unknown;
}

class DebugOn {
public:
    DebugOn() : saved_(exif_opts_p->debug) { exif_opts_p->debug = 1; }
    ~DebugOn() { exif_opts_p->debug = saved_; }

private:
    int32_t saved_;
};

TEST(FieldDefTable, RowCountAndMarkers) {
    EXPECT_EQ(std::size(ifd_field_defn), 294u);
    EXPECT_EQ(ifd_field_defn[field_defn_end].tag, field_defn_end_tag);
    EXPECT_STREQ(ifd_field_defn[field_defn_end].nickname, "end-table");
    for (int i = 0; i < field_defn_end; ++i) {
        EXPECT_LE(ifd_field_defn[i].tag, 0xFFFFu) << "row " << i;
    }
    // Row 0 stands for any tag: it takes any count of UNDEFINED values and
    // belongs to the Unknown type.
    EXPECT_EQ(find_field_defn_by_nickname("unknown"), field_defn_unknown);
    EXPECT_EQ(ifd_field_defn[field_defn_unknown].ifd_type, ifd_type_unknown);
    EXPECT_EQ(ifd_field_defn[field_defn_unknown].data_type, data_type_undefined);
    EXPECT_EQ(ifd_field_defn[field_defn_unknown].count, 0u);
}

TEST(FieldDefTable, NicknamesAndDescriptions) {
    std::set<std::string> seen;
    for (int i = 0; i < field_defn_rows; ++i) {
        const ifd_field_defn_row &row = ifd_field_defn[i];
        ASSERT_NE(row.nickname, nullptr) << "row " << i;
        ASSERT_NE(row.description, nullptr) << "row " << i;
        const size_t nick_len = std::strlen(row.nickname);
        const size_t desc_len = std::strlen(row.description);
        EXPECT_GT(nick_len, 0u) << "row " << i;
        EXPECT_LE(nick_len, 18u) << "row " << i << " " << row.nickname;
        EXPECT_GT(desc_len, 0u) << "row " << i;
        EXPECT_LE(desc_len, 25u) << "row " << i << " " << row.description;
        static_assert(description_size - 1 >= 25, "descriptions must fit a record");
        for (const char *p = row.nickname; *p != '\0'; ++p) {
            const unsigned char c = static_cast<unsigned char>(*p);
            EXPECT_TRUE(std::islower(c) || std::isdigit(c) || c == '-')
                << "row " << i << " " << row.nickname;
        }
        EXPECT_TRUE(seen.insert(row.nickname).second) << "duplicate " << row.nickname;
    }
    // Only one description ends in a blank, that of image-type.
    for (int i = 0; i < field_defn_rows; ++i) {
        const char *desc = ifd_field_defn[i].description;
        const bool trailing_blank = desc[std::strlen(desc) - 1] == ' ';
        EXPECT_EQ(trailing_blank, i == row_of("image-type")) << "row " << i;
    }
}

TEST(FieldDefTable, IfdTypeRowsContiguousInTheirRanges) {
    int next = 0;
    for (const type_range &range : type_ranges) {
        EXPECT_EQ(range.first, next) << "type " << range.ifd_type;
        for (int i = range.first; i <= range.last; ++i) {
            EXPECT_EQ(ifd_field_defn[i].ifd_type, range.ifd_type) << "row " << i;
        }
        next = range.last + 1;
    }
    EXPECT_EQ(next, field_defn_end);

    // Whatever the ranges say, a type never comes back after another one.
    std::set<int32_t> finished;
    for (int i = 1; i < field_defn_end; ++i) {
        const int32_t prev = ifd_field_defn[i - 1].ifd_type;
        const int32_t type = ifd_field_defn[i].ifd_type;
        if (type != prev) {
            finished.insert(prev);
            EXPECT_EQ(finished.count(type), 0u) << "type " << type << " again at row " << i;
        }
        EXPECT_GE(type, 0) << "row " << i;
        EXPECT_LT(type, ifd_type_count) << "row " << i;
    }
    // The types the walk never gives a row of their own have none.
    for (int i = 0; i < field_defn_rows; ++i) {
        EXPECT_NE(ifd_field_defn[i].ifd_type, ifd_type_canon_s100);
        EXPECT_NE(ifd_field_defn[i].ifd_type, ifd_type_canon_d30);
        EXPECT_NE(ifd_field_defn[i].ifd_type, ifd_type_tiff_sub_ifd);
    }
}

TEST(FieldDefTable, FlagsAndExpectedTypes) {
    const std::set<int> date_rows = {15, 31, 32};
    const std::set<uint32_t> pointer_tags = {0x014A, 0x8769, 0x8825, 0xA005};
    for (int i = 0; i < field_defn_end; ++i) {
        const ifd_field_defn_row &row = ifd_field_defn[i];
        EXPECT_GE(row.data_type, data_type_byte) << "row " << i;
        EXPECT_LE(row.data_type, data_type_short_or_long) << "row " << i;
        EXPECT_EQ(row.is_date, date_rows.count(i) ? 1 : 0) << "row " << i;
        EXPECT_EQ(row.opens_ifd, pointer_tags.count(row.tag) ? 1 : 0) << "row " << i;
        EXPECT_TRUE(row.sql_quote == 0 || row.sql_quote == 1) << "row " << i;
        if (row.is_date) {
            // "YYYY:MM:DD HH:MM:SS" and its terminator.
            EXPECT_EQ(row.data_type, data_type_ascii) << "row " << i;
            EXPECT_EQ(row.count, 20u) << "row " << i;
        }
        if (row.opens_ifd) {
            EXPECT_EQ(row.data_type, data_type_long) << "row " << i;
            EXPECT_EQ(row.count, 1u) << "row " << i;
        }
        if (i >= first_maker_note_row) {
            EXPECT_EQ(row.opens_ifd, 0) << "row " << i;
            EXPECT_EQ(row.list_column, -1) << "row " << i;
            EXPECT_EQ(row.sql_quote, 0) << "row " << i;
        }
    }
    // Each pointer tag stands once, and the walk gives its IFD a type.
    for (uint32_t tag : pointer_tags) {
        const int row = find_field_defn_by_tag(ifd_type_unknown, tag);
        EXPECT_EQ(ifd_field_defn[row].tag, tag);
        EXPECT_NE(get_ifd_type(static_cast<int32_t>(tag), 0, model_generic), ifd_type_unknown);
    }
}

// Assumes no earlier test in this process changed the selection.
TEST(FieldDefTable, DefaultListColumns) {
    std::set<int32_t> columns;
    int selected = 0;
    for (int i = 0; i < field_defn_rows; ++i) {
        const int32_t column = ifd_field_defn[i].list_column;
        EXPECT_GE(column, -1) << "row " << i;
        if (column >= 0) {
            ++selected;
            EXPECT_TRUE(columns.insert(column).second) << "column " << column << " twice";
        }
    }
    EXPECT_EQ(selected, 12);
    ASSERT_FALSE(columns.empty());
    EXPECT_EQ(*columns.begin(), 0);
    EXPECT_EQ(*columns.rbegin(), 11);
    // history is not a default column, so focal-len owns column 9 alone.
    EXPECT_EQ(ifd_field_defn[row_of("history")].list_column, -1);
    EXPECT_EQ(ifd_field_defn[row_of("focal-len")].list_column, 9);
}

TEST(FieldDefTable, ListColumnWritable) {
    ifd_field_defn_row &row = ifd_field_defn[row_of("make")];
    const int32_t saved = row.list_column;
    row.list_column = 19;
    EXPECT_EQ(ifd_field_defn[row_of("make")].list_column, 19);
    row.list_column = saved;
}

TEST(FieldDefTable, NikonD1xRowsNamedByTag) {
    int rows = 0;
    for (int i = 0; i < field_defn_end; ++i) {
        const ifd_field_defn_row &row = ifd_field_defn[i];
        if (row.ifd_type != ifd_type_nikon_d1x) {
            continue;
        }
        ++rows;
        char nickname[16];
        char description[16];
        std::snprintf(nickname, sizeof nickname, "n3-%04x", static_cast<unsigned>(row.tag));
        std::snprintf(description, sizeof description, "Field 0x%04x", static_cast<unsigned>(row.tag));
        EXPECT_STREQ(row.nickname, nickname) << "row " << i;
        EXPECT_STREQ(row.description, description) << "row " << i;
    }
    EXPECT_EQ(rows, 27);
}

TEST(FieldDefTable, DataTypeSizesAndNames) {
    EXPECT_EQ(std::size(field_lengths), 13u);
    EXPECT_EQ(std::size(data_type_names), 14u);
    // Signed and unsigned forms have the same size; a rational is two longs.
    const std::pair<uint32_t, uint32_t> same_size[] = {
        {data_type_byte, data_type_sbyte},       {data_type_byte, data_type_ascii},
        {data_type_byte, data_type_undefined},   {data_type_short, data_type_sshort},
        {data_type_long, data_type_slong},       {data_type_rational, data_type_srational},
        {data_type_long, data_type_float},       {data_type_rational, data_type_double},
    };
    for (const auto &[a, b] : same_size) {
        EXPECT_EQ(field_lengths[a], field_lengths[b]) << a << " vs " << b;
    }
    EXPECT_EQ(field_lengths[data_type_byte], 1u);
    EXPECT_EQ(field_lengths[data_type_short], 2 * field_lengths[data_type_byte]);
    EXPECT_EQ(field_lengths[data_type_long], 2 * field_lengths[data_type_short]);
    EXPECT_EQ(field_lengths[data_type_rational], 2 * field_lengths[data_type_long]);

    std::set<std::string> names;
    for (const char *name : data_type_names) {
        ASSERT_NE(name, nullptr);
        EXPECT_TRUE(names.insert(name).second) << name;
    }
    for (uint32_t t : {data_type_byte, data_type_short, data_type_long, data_type_rational}) {
        EXPECT_EQ(std::string(data_type_names[t]).rfind("UNSIGNED ", 0), 0u) << t;
    }
    for (uint32_t t : {data_type_sbyte, data_type_sshort, data_type_slong, data_type_srational}) {
        EXPECT_EQ(std::string(data_type_names[t]).rfind("SIGNED ", 0), 0u) << t;
    }
}

TEST(FieldDefByTag, OwnTypeThenLastRowThenUnknown) {
    // The row of the type itself wins, wherever it stands.
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_thumbnail, 0x0128), 78);
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_camera, 0x0128), 13);
    // Elsewhere the last row of the tag, not the first.
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_tiff_sub_ifd, 0x0128), 78);
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_tiff_sub_ifd, 0x0001), row_of("n3-0001"));
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_canon_s100, 0x0001), row_of("n3-0001"));
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_canon, 0x0001), row_of("cn-0001"));
    // A pointer of the Camera type acts in other types too.
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_image, 0x8769), 24);
    EXPECT_EQ(ifd_field_defn[24].opens_ifd, 1);
    // Unknown tags, and the end marker's tag, give the unknown row.
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_camera, 0x1234), field_defn_unknown);
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_unknown, field_defn_end_tag), field_defn_unknown);
    EXPECT_EQ(find_field_defn_by_tag(-1, field_defn_end_tag), field_defn_unknown);
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_camera, 0xFFFF), field_defn_unknown);
    EXPECT_EQ(find_field_defn_by_tag(ifd_type_camera, 0x10000 + 0x0128), field_defn_unknown);
}

TEST(FieldDefByTag, EveryRowFoundInItsOwnType) {
    for (int i = 1; i < field_defn_end; ++i) {
        EXPECT_EQ(find_field_defn_by_tag(ifd_field_defn[i].ifd_type, ifd_field_defn[i].tag), i)
            << "row " << i << " " << ifd_field_defn[i].nickname;
    }
    for (int32_t type = 0; type < ifd_type_count; ++type) {
        for (uint32_t tag : {0x0000u, 0x0001u, 0x0002u, 0x0201u, 0x0202u, 0x0f00u, 0x1000u,
                             0x1001u, 0x927cu, 0xa005u, 0x0a05u, 0x0092u, 0xfffeu}) {
            EXPECT_EQ(find_field_defn_by_tag(type, tag), expected_row_for(type, tag))
                << "type " << type << " tag " << tag;
        }
    }
}

TEST(FieldDefByNickname, ExactMatchOnly) {
    EXPECT_EQ(find_field_defn_by_nickname("exp-time"), 26);
    EXPECT_EQ(find_field_defn_by_nickname("EXP-TIME"), -1);
    EXPECT_EQ(find_field_defn_by_nickname("Exp-time"), -1);
    EXPECT_EQ(find_field_defn_by_nickname("exp-tim"), -1);
    EXPECT_EQ(find_field_defn_by_nickname("exp-time "), -1);
    EXPECT_EQ(find_field_defn_by_nickname(""), -1);
    EXPECT_EQ(find_field_defn_by_nickname(nullptr), -1);
    EXPECT_EQ(find_field_defn_by_nickname("end-table"), -1);
    EXPECT_EQ(find_field_defn_by_nickname("n3-0092"), field_defn_end - 1);
    for (int i = 0; i < field_defn_end; ++i) {
        EXPECT_EQ(find_field_defn_by_nickname(ifd_field_defn[i].nickname), i);
    }
}

TEST(FieldDefByNickname, DebugTraceOnHitOnly) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(find_field_defn_by_nickname("exp-time"), 26);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");

    DebugOn debug;
    testing::internal::CaptureStdout();
    EXPECT_EQ(find_field_defn_by_nickname("exp-time"), 26);
    EXPECT_EQ(find_field_defn_by_nickname("no-such-field"), -1);
    EXPECT_EQ(find_field_defn_by_nickname("end-table"), -1);
    std::fflush(stdout);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Found nickname exp-time, index=26\n");
}

TEST(FieldDefDataType, ShortOrLong) {
    const int width = row_of("width");
    ASSERT_EQ(ifd_field_defn[width].data_type, data_type_short_or_long);
    EXPECT_EQ(field_data_type_matches(data_type_short, width), 1);
    EXPECT_EQ(field_data_type_matches(data_type_long, width), 1);
    EXPECT_EQ(field_data_type_matches(data_type_rational, width), 0);
    EXPECT_EQ(field_data_type_matches(data_type_sshort, width), 0);
    EXPECT_EQ(field_data_type_matches(data_type_slong, width), 0);
    EXPECT_EQ(field_data_type_matches(data_type_byte, width), 0);
    // A SHORT or LONG row does not take the other one.
    const int short_row = first_row_expecting(data_type_short);
    const int long_row = first_row_expecting(data_type_long);
    ASSERT_GT(short_row, 0);
    ASSERT_GT(long_row, 0);
    EXPECT_EQ(field_data_type_matches(data_type_long, short_row), 0);
    EXPECT_EQ(field_data_type_matches(data_type_short, long_row), 0);
}

TEST(FieldDefDataType, AcceptedPairsAreOneWay) {
    struct expectation {
        uint32_t row_type;
        uint32_t entry_type;
        int matches;
    };
    const expectation cases[] = {
        {data_type_ascii, data_type_byte, 1},
        {data_type_byte, data_type_ascii, 1},
        {data_type_sshort, data_type_short, 1},
        {data_type_short, data_type_sshort, 0},
        {data_type_slong, data_type_long, 1},
        {data_type_long, data_type_slong, 0},
        {data_type_srational, data_type_rational, 1},
        {data_type_rational, data_type_srational, 0},
        {data_type_byte, data_type_sbyte, 0},
        {data_type_ascii, data_type_undefined, 0},
        {data_type_undefined, data_type_ascii, 0},
        {data_type_undefined, data_type_byte, 0},
    };
    for (const expectation &c : cases) {
        const int row = first_row_expecting(c.row_type);
        ASSERT_GT(row, 0) << "no row expects type " << c.row_type;
        EXPECT_EQ(field_data_type_matches(c.entry_type, row), c.matches)
            << "row type " << c.row_type << ", entry type " << c.entry_type;
    }
    // Every row takes its own type, and nothing outside 1..12 except that.
    for (int i = 1; i < field_defn_end; ++i) {
        EXPECT_EQ(field_data_type_matches(ifd_field_defn[i].data_type, i), 1) << "row " << i;
        EXPECT_EQ(field_data_type_matches(0, i), 0) << "row " << i;
        EXPECT_EQ(field_data_type_matches(14, i), 0) << "row " << i;
    }
    EXPECT_EQ(find_field_defn_by_nickname("gps-ver"), 85);
    EXPECT_EQ(field_data_type_matches(data_type_ascii, 85), 1);
}

TEST(FieldDefDataType, UnknownRowTakesUndefinedOnly) {
    for (uint32_t t = 1; t <= data_type_double; ++t) {
        EXPECT_EQ(field_data_type_matches(t, field_defn_unknown), t == data_type_undefined ? 1 : 0)
            << "type " << t;
    }
    EXPECT_EQ(field_data_type_matches(data_type_undefined, -1), 0);
    EXPECT_EQ(field_data_type_matches(data_type_undefined, field_defn_rows), 0);
}

}  // namespace
