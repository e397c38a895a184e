// IFD types from how the walk reached an IFD, and camera models from the Make
// and Model texts.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <tuple>

#include "exif/field_defs.h"
#include "exif/ifd_types.h"

namespace {

bool is_maker_note_type(int32_t type) {
    return std::string(ifd_field_type_names[type]).rfind("Maker Note (", 0) == 0;
}

bool type_has_rows(int32_t type) {
    for (int i = 0; i < field_defn_end; ++i) {
        if (ifd_field_defn[i].ifd_type == type) {
            return true;
        }
    }
    return false;
}

TEST(IfdTypeNames, PaddingAndGroups) {
    ASSERT_EQ(std::size(ifd_field_type_names), static_cast<size_t>(ifd_type_count));
    std::set<std::string> names;
    for (int32_t type = 0; type < ifd_type_count; ++type) {
        ASSERT_NE(ifd_field_type_names[type], nullptr);
        EXPECT_TRUE(names.insert(ifd_field_type_names[type]).second) << type;
        const size_t len = std::strlen(ifd_field_type_names[type]);
        EXPECT_GE(len, 3u) << type;
        // Only the padded short names end in blanks.
        EXPECT_NE(ifd_field_type_names[type][0], ' ') << type;
        if (ifd_field_type_names[type][len - 1] == ' ') {
            EXPECT_EQ(len, 9u) << type;
        }
    }
    for (int32_t type : {ifd_type_camera, ifd_type_image, ifd_type_thumbnail, ifd_type_interop,
                         ifd_type_unknown}) {
        EXPECT_EQ(std::strlen(ifd_field_type_names[type]), 9u) << type;
    }
    for (int32_t type = ifd_type_olympus; type <= ifd_type_nikon_d1x; ++type) {
        EXPECT_EQ(is_maker_note_type(type), type != ifd_type_gps) << type;
    }
    EXPECT_FALSE(is_maker_note_type(ifd_type_tiff_sub_ifd));
}

TEST(IfdTypeTable, ShapeAndEndRow) {
    ASSERT_EQ(std::size(ifd_types_table), 20u);
    const std::set<int32_t> parents = {ifd_parent_main_chain, ifd_parent_sub_ifd, ifd_parent_exif,
                                       ifd_parent_gps, ifd_parent_maker_note, ifd_parent_interop};
    std::set<std::tuple<int32_t, int32_t, uint32_t>> keys;
    for (int i = 0; i < ifd_types_table_rows; ++i) {
        const ifd_type_row &row = ifd_types_table[i];
        EXPECT_EQ(row.ifd_type == ifd_type_unknown, i == ifd_types_table_rows - 1) << "row " << i;
        if (row.ifd_type == ifd_type_unknown) {
            continue;
        }
        EXPECT_EQ(parents.count(row.parent_tag), 1u) << "row " << i;
        EXPECT_TRUE(keys.insert({row.parent_tag, row.chain_seq, row.model_code}).second)
            << "row " << i;
        // Model rows are maker notes, and maker notes are model rows.
        EXPECT_EQ(row.model_code != model_generic, row.parent_tag == ifd_parent_maker_note)
            << "row " << i;
        EXPECT_EQ(is_maker_note_type(row.ifd_type), row.parent_tag == ifd_parent_maker_note)
            << "row " << i;
    }
    // The end row is never taken for a match.
    const ifd_type_row &end = ifd_types_table[ifd_types_table_rows - 1];
    EXPECT_EQ(get_ifd_type(end.parent_tag, end.chain_seq, end.model_code), ifd_type_unknown);
}

TEST(IfdTypeLookup, MainChainByPosition) {
    for (uint32_t model : {model_generic, model_nikon_e950, model_canon_d30, model_nikon_d1x,
                           uint32_t{99}}) {
        EXPECT_EQ(get_ifd_type(ifd_parent_main_chain, 0, model), ifd_type_camera) << model;
        EXPECT_EQ(get_ifd_type(ifd_parent_main_chain, 1, model), ifd_type_thumbnail) << model;
        EXPECT_EQ(get_ifd_type(ifd_parent_main_chain, 2, model), ifd_type_unknown) << model;
        EXPECT_EQ(get_ifd_type(ifd_parent_main_chain, -1, model), ifd_type_unknown) << model;
    }
}

TEST(IfdTypeLookup, PointedIfdsAnyCameraFirstInChainOnly) {
    EXPECT_EQ(get_ifd_type(ifd_parent_exif, 0, model_casio_qv8000sx), ifd_type_image);
    EXPECT_EQ(get_ifd_type(ifd_parent_exif, 1, model_generic), ifd_type_unknown);
    EXPECT_EQ(get_ifd_type(ifd_parent_gps, 0, model_generic), ifd_type_gps);
    EXPECT_EQ(get_ifd_type(ifd_parent_interop, 0, model_nikon_e990), ifd_type_interop);
    EXPECT_EQ(get_ifd_type(ifd_parent_sub_ifd, 0, model_generic), ifd_type_tiff_sub_ifd);
    EXPECT_EQ(get_ifd_type(ifd_parent_sub_ifd, 1, model_generic), ifd_type_unknown);
    EXPECT_EQ(get_ifd_type(0x1234, 0, model_generic), ifd_type_unknown);
}

TEST(IfdTypeLookup, MakerNoteByModel) {
    EXPECT_EQ(get_ifd_type(ifd_parent_maker_note, 0, model_canon_d30), ifd_type_canon);
    EXPECT_EQ(get_ifd_type(ifd_parent_maker_note, 0, model_kodak_dc280), ifd_type_unknown);
    EXPECT_EQ(get_ifd_type(ifd_parent_maker_note, 0, model_generic), ifd_type_unknown);
    EXPECT_EQ(get_ifd_type(ifd_parent_maker_note, 0, 99), ifd_type_unknown);
    EXPECT_EQ(get_ifd_type(ifd_parent_maker_note, 1, model_nikon_e950), ifd_type_unknown);
    EXPECT_EQ(get_ifd_type(ifd_parent_maker_note, 0, model_nikon_e950), ifd_type_nikon1);
    EXPECT_EQ(get_ifd_type(ifd_parent_maker_note, 0, model_casio_qv3500ex), ifd_type_casio);

    // A camera whose maker note the walk reads gets a maker-note type that
    // has definition rows; the others get none. The two Canon types beside
    // PowerShot never come out.
    for (int code = 0; code < model_table_rows - 1; ++code) {
        const uint32_t model = model_table[code].model_code;
        const int32_t type = get_ifd_type(ifd_parent_maker_note, 0, model);
        EXPECT_NE(type, ifd_type_canon_s100) << model;
        EXPECT_NE(type, ifd_type_canon_d30) << model;
        if (model_table[code].has_maker_ifd) {
            EXPECT_TRUE(is_maker_note_type(type)) << model;
            EXPECT_TRUE(type_has_rows(type)) << model;
        } else {
            EXPECT_EQ(type, ifd_type_unknown) << model;
        }
    }
}

TEST(ModelTable, CodesAndHeaders) {
    ASSERT_EQ(std::size(model_table), 16u);
    std::set<std::string> models;
    for (int i = 0; i < model_table_rows - 1; ++i) {
        const model_row &row = model_table[i];
        EXPECT_EQ(row.model_code, static_cast<uint32_t>(i));
        ASSERT_NE(row.make, nullptr);
        ASSERT_NE(row.model, nullptr);
        ASSERT_NE(row.maker_header, nullptr);
        EXPECT_NE(row.make[0], '\0') << i;
        EXPECT_NE(row.model[0], '\0') << i;
        EXPECT_TRUE(models.insert(row.model).second) << i;
        // A maker header is skipped to reach the IFD; without one there is
        // nothing to skip.
        EXPECT_EQ(row.maker_header[0] != '\0', row.ifd_offset_fix != 0) << i;
        EXPECT_GE(row.ifd_offset_fix, std::strlen(row.maker_header)) << i;
    }
    const model_row &end = model_table[model_table_rows - 1];
    EXPECT_EQ(end.model_code, model_table_end);
    EXPECT_STREQ(end.make, "");
    EXPECT_STREQ(end.model, "");
    EXPECT_EQ(model_table[model_generic].has_maker_ifd, 0);
    EXPECT_EQ(model_table[model_kodak_dc280].has_maker_ifd, 0);
    EXPECT_EQ(model_table[model_fujifilm].ifd_offset_fix, 12);
}

TEST(ModelLookup, WithMakeBothMustMatchExactly) {
    EXPECT_EQ(find_model_code("NIKON", "E950"), model_nikon_e950);
    EXPECT_EQ(find_model_code("NIKON", "E9"), model_generic);
    EXPECT_EQ(find_model_code("NIKON", "E9500"), model_generic);
    EXPECT_EQ(find_model_code("NIKON", "E950 "), model_generic);
    EXPECT_EQ(find_model_code("NIKON", "D70"), model_generic);
    EXPECT_EQ(find_model_code("nikon", "E950"), model_generic);
    EXPECT_EQ(find_model_code("NIKON ", "E950"), model_generic);
    EXPECT_EQ(find_model_code("NIK", "E950"), model_generic);
    // The model of another make does not count.
    EXPECT_EQ(find_model_code("CASIO", "E950"), model_generic);
    EXPECT_EQ(find_model_code("NIKON", "NIKON D1X"), model_generic);
    EXPECT_EQ(find_model_code("NIKON CORPORATION", "NIKON D1X"), model_nikon_d1x);
    // Trailing blanks are part of the model text.
    EXPECT_EQ(find_model_code("OLYMPUS OPTICAL CO.,LTD", "C2500L"), model_generic);
    EXPECT_EQ(find_model_code("OLYMPUS OPTICAL CO.,LTD", "C2500L      "), model_olympus_c2500l);
    // Neither the generic row nor the end row is a camera.
    EXPECT_EQ(find_model_code("Generic", "NeVer MaTcH"), model_generic);
    EXPECT_EQ(find_model_code("", ""), model_generic);
    EXPECT_EQ(find_model_code("", "E950"), model_generic);

    EXPECT_EQ(find_model_code("Canon", "Canon PowerShot G1"), model_canon_g1);
    EXPECT_EQ(get_ifd_type(ifd_parent_maker_note, 0, model_canon_g1), ifd_type_canon);
    EXPECT_EQ(model_table[model_canon_g1].ifd_offset_fix, 0);

    for (int i = 1; i < model_table_rows - 1; ++i) {
        EXPECT_EQ(find_model_code(model_table[i].make, model_table[i].model), model_table[i].model_code);
    }
}

TEST(ModelLookup, WithoutMakeModelAlone) {
    EXPECT_EQ(find_model_code(nullptr, "E990"), model_nikon_e990);
    EXPECT_EQ(find_model_code(nullptr, "E950"), model_nikon_e950);
    EXPECT_EQ(find_model_code(nullptr, "e990"), model_generic);
    EXPECT_EQ(find_model_code(nullptr, "E99"), model_generic);
    EXPECT_EQ(find_model_code(nullptr, "E9900"), model_generic);
    EXPECT_EQ(find_model_code(nullptr, "E990 "), model_generic);
    EXPECT_EQ(find_model_code(nullptr, "C2500L"), model_generic);
    EXPECT_EQ(find_model_code(nullptr, ""), model_generic);
    EXPECT_EQ(find_model_code(nullptr, nullptr), model_generic);
    EXPECT_EQ(find_model_code("NIKON", nullptr), model_generic);
    for (int i = 1; i < model_table_rows - 1; ++i) {
        EXPECT_EQ(find_model_code(nullptr, model_table[i].model), model_table[i].model_code);
    }
}

}  // namespace
