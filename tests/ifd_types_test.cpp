// IFD types from how the walk reached an IFD, and camera models from the Make
// and Model texts.
#include <gtest/gtest.h>

#include "exif/ifd_types.h"
#include "exif/tags.h"

namespace {

TEST(IfdTypeLookup, ParentTagPositionAndCamera)
{
    const struct {
        int32_t parent, seq;
        uint32_t model;
        int32_t type;
    } cases[] = {
        {ifd_parent_main_chain, 0, model_nikon_e950, ifd_type_camera},
        {ifd_parent_main_chain, 1, 99, ifd_type_thumbnail},
        {ifd_parent_main_chain, 2, model_generic, ifd_type_unknown},
        {static_cast<int32_t>(tag::exif_ifd), 0, model_casio_qv8000sx, ifd_type_image},
        {static_cast<int32_t>(tag::exif_ifd), 1, model_generic, ifd_type_unknown},
        {static_cast<int32_t>(tag::sub_ifds), 0, model_generic, ifd_type_tiff_sub_ifd},
        {0x1234, 0, model_generic, ifd_type_unknown},
        {static_cast<int32_t>(tag::maker_note), 0, model_canon_d30, ifd_type_canon},
        {static_cast<int32_t>(tag::maker_note), 0, model_generic, ifd_type_unknown},
        {static_cast<int32_t>(tag::maker_note), 1, model_nikon_e950, ifd_type_unknown},
        {0, 99, model_generic, ifd_type_unknown},  // the end row never matches
    };
    for (const auto &c : cases) {
        EXPECT_EQ(get_ifd_type(c.parent, c.seq, c.model), c.type) << c.parent << " " << c.seq << " " << c.model;
    }
}

// Each camera is found by its Make and Model and by its Model alone, and
// gets a maker-note type exactly when its maker note is an IFD.
TEST(ModelLookup, EveryCameraOfTheTable)
{
    for (uint32_t code = 1; code < model_table_rows - 1; ++code) {
        const model_row &row = model_table[code];
        EXPECT_EQ(row.model_code, code);
        EXPECT_EQ(find_model_code(row.make, row.model), code) << row.model;
        EXPECT_EQ(find_model_code(nullptr, row.model), code) << row.model;
        EXPECT_EQ(get_ifd_type(static_cast<int32_t>(tag::maker_note), 0, code) != ifd_type_unknown,
                  row.has_maker_ifd == 1)
            << row.model;
    }
    EXPECT_EQ(model_table[model_table_rows - 1].model_code, model_table_end);
}

TEST(ModelLookup, ExactCaseSensitiveUntrimmedMatch)
{
    const struct {
        const char *make, *model;
    } misses[] = {
        {"NIKON", "E9"},
        {"NIKON", "E950 "},
        {"nikon", "E950"},
        {"NIKON ", "E950"},
        {"CASIO", "E950"},
        {"NIKON", "NIKON D1X"},
        {"OLYMPUS OPTICAL CO.,LTD", "C2500L"},
        {"", ""},
        {nullptr, "e990"},
        {nullptr, "E990 "},
        {nullptr, ""},
        {nullptr, nullptr},
        {"NIKON", nullptr},
    };
    for (const auto &m : misses) {
        EXPECT_EQ(find_model_code(m.make, m.model), model_generic)
            << (m.make ? m.make : "(no make)") << "/" << (m.model ? m.model : "(no model)");
    }
    EXPECT_EQ(find_model_code("OLYMPUS OPTICAL CO.,LTD", "C2500L      "), model_olympus_c2500l);
}

}  // namespace
