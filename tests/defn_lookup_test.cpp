// The indexed lookups of field definitions and IFD types against plain scans
// of their tables, the way the tables are meant to be read.
#include <gtest/gtest.h>

#include <set>

#include "exif/field_defs.h"
#include "exif/ifd_types.h"

namespace {

// The row of the tag within the IFD type, else the last row with the tag, else 0.
int scan_for_tag(int32_t ifd_type, uint32_t tag)
{
    int fallback = field_defn_unknown;
    for (int i = 0; ifd_field_defn[i].tag != field_defn_end_tag; i++) {
        if (ifd_field_defn[i].tag != tag)
            continue;
        if (ifd_field_defn[i].ifd_type == ifd_type)
            return i;
        fallback = i;
    }
    return fallback;
}

// A row for this very camera, else one for any camera, else Unknown.
int32_t scan_for_ifd_type(int32_t parent_tag, int32_t chain_seq, uint32_t model_code)
{
    int32_t any_camera = ifd_type_unknown;
    for (int i = 0; i < ifd_types_table_rows && ifd_types_table[i].ifd_type != ifd_type_unknown; i++) {
        const ifd_type_row &row = ifd_types_table[i];
        if (row.parent_tag != parent_tag || row.chain_seq != chain_seq)
            continue;
        if (row.model_code == model_code)
            return row.ifd_type;
        if (row.model_code == model_generic)
            any_camera = row.ifd_type;
    }
    return any_camera;
}

class DefinitionLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 0; ifd_field_defn[i].tag != field_defn_end_tag; i++)
            tags.insert(ifd_field_defn[i].tag);
        // Tags no row has, next to ones that many rows share.
        for (uint32_t tag : {0x0000u, 0x0005u, 0x0011u, 0x1234u, 0xC000u, 0xFFFEu, 0x10001u})
            tags.insert(tag);
    }
    std::set<uint32_t> tags;
};

TEST_F(DefinitionLookup, EveryTagInEveryIfdTypeFindsTheRowAScanFinds)
{
    ASSERT_GT(tags.size(), 100u);  // the table's tags, not just the extra ones
    for (int32_t ifd_type = -1; ifd_type <= ifd_type_count; ifd_type++)
        for (uint32_t tag : tags)
            EXPECT_EQ(find_field_defn_by_tag(ifd_type, tag), scan_for_tag(ifd_type, tag))
                << "IFD type " << ifd_type << ", tag 0x" << std::hex << tag;
}

TEST(IfdTypeLookup, RepeatedAndInterleavedQuestionsGetTheScansAnswer)
{
    // The walk asks about one IFD many times in a row, then about another;
    // the model code can change between two entries of IFD0.
    const int32_t parents[] = {-1, 0x8769, 0x8825, 0xA005, 0x014A, 0x927C, 0x1234};
    for (int round = 0; round < 2; round++)
        for (int32_t parent : parents)
            for (int32_t seq = 0; seq < 3; seq++)
                for (uint32_t model = 0; model <= 15; model++)
                    for (int again = 0; again < 2; again++)
                        EXPECT_EQ(get_ifd_type(parent, seq, model), scan_for_ifd_type(parent, seq, model))
                            << "parent 0x" << std::hex << parent << std::dec << ", seq " << seq << ", model " << model;
    EXPECT_EQ(get_ifd_type(0x927C, 0, model_nikon_e990), ifd_type_nikon2);
    EXPECT_EQ(get_ifd_type(0x927C, 0, model_generic), ifd_type_unknown);
    EXPECT_EQ(get_ifd_type(0x927C, 0, model_nikon_e990), ifd_type_nikon2);
}

}  // namespace
