#include "exif/ifd_types.h"

#include <cstring>

#include "exif/maker_notes.h"

// clang-format off
constexpr ifd_type_row ifd_types_table[ifd_types_table_rows] = {
    /*  0 */ {-1,    0, 0,  0},
    /*  1 */ {34665, 0, 0,  1},
    /*  2 */ {-1,    1, 0,  2},
    /*  3 */ {40965, 0, 0,  3},
    /*  4 */ {330,   0, 0,  16},
    /*  5 */ {37500, 0, 1,  4},
    /*  6 */ {37500, 0, 10, 11},
    /*  7 */ {37500, 0, 2,  5},
    /*  8 */ {37500, 0, 3,  6},
    /*  9 */ {37500, 0, 4,  7},
    /* 10 */ {37500, 0, 5,  7},
    /* 11 */ {37500, 0, 7,  8},
    /* 12 */ {37500, 0, 8,  8},
    /* 13 */ {37500, 0, 9,  8},
    /* 14 */ {37500, 0, 11, 12},
    /* 15 */ {34853, 0, 0,  13},
    /* 16 */ {37500, 0, 12, 7},
    /* 17 */ {37500, 0, 13, 14},
    /* 18 */ {37500, 0, 14, 15},
    /* 19 */ {0,     99, 0, 17},  // end
};
// clang-format on

namespace {

int32_t scan_ifd_types(int32_t parent_tag, int32_t chain_seq, uint32_t model_code)
{
    int32_t any_camera = ifd_type_unknown;
    for (const ifd_type_row &row : ifd_types_table) {
        if (row.ifd_type == ifd_type_unknown) {
            break;
        }
        if (row.parent_tag != parent_tag || row.chain_seq != chain_seq) {
            continue;
        }
        if (row.model_code == model_code) {
            return row.ifd_type;
        }
        if (row.model_code == model_generic) {
            any_camera = row.ifd_type;
        }
    }
    return any_camera;
}

// The walk asks once per entry, nearly always about the IFD it asked about last.
struct ifd_type_query {
    int32_t parent_tag;
    int32_t chain_seq;
    uint32_t model_code;
    int32_t ifd_type;
};
ifd_type_query last_query = {0, 99, 0, ifd_type_unknown};  // matches no walk

}  // namespace

int32_t get_ifd_type(int32_t parent_tag, int32_t chain_seq, uint32_t model_code)
{
    // A maker note found by the registry names the groups of its IFDs.
    if (chain_seq == 0)
        if (int32_t group = maker_note_ifd_type(parent_tag); group != ifd_type_unknown)
            return group;
    if (parent_tag != last_query.parent_tag || chain_seq != last_query.chain_seq ||
        model_code != last_query.model_code) {
        last_query = {parent_tag, chain_seq, model_code, scan_ifd_types(parent_tag, chain_seq, model_code)};
    }
    return last_query.ifd_type;
}

// clang-format off
constexpr model_row model_table[model_table_rows] = {
    {0,          0, 0,  "",         "Generic",                 "NeVer MaTcH"},
    {1,          1, 8,  "OLYMP",    "OLYMPUS OPTICAL CO.,LTD", "C920Z,D450Z"},
    {2,          1, 8,  "Nikon",    "NIKON",                   "E950"},
    {3,          1, 0,  "",         "NIKON",                   "E990"},
    {4,          1, 0,  "",         "CASIO",                   "QV-2000UX"},
    {5,          1, 0,  "",         "CASIO",                   "QV-8000SX"},
    {6,          0, 0,  "",         "EASTMAN KODAK COMPANY",   "KODAK DC280 DIGITAL ZOOM CAMERA"},
    {7,          1, 0,  "",         "Canon",                   "Canon PowerShot G1"},
    {8,          1, 0,  "",         "Canon",                   "Canon PowerShot S100"},
    {9,          1, 0,  "",         "Canon",                   "Canon EOS D30"},
    {10,         1, 8,  "OLYMP",    "OLYMPUS OPTICAL CO.,LTD", "C2500L      "},
    {11,         1, 12, "FUJIFLIM", "FUJIFILM",                "FinePix1400Zoom"},
    {12,         1, 0,  "",         "CASIO",                   "QV-3500EX"},
    {13,         1, 0,  "",         "Minolta Co., Ltd.",       "DiMAGE 7"},
    {14,         1, 0,  "",         "NIKON CORPORATION",       "NIKON D1X"},
    {0xFFFFFFFF, 0, 0,  "",         "",                        ""},
};
// clang-format on

uint32_t find_model_code(const char *make, const char *model)
{
    if (model == nullptr) {
        return model_generic;
    }
    for (const model_row &row : model_table) {
        if (row.model_code == model_table_end) {
            break;
        }
        if (make == nullptr) {
            if (std::strcmp(row.model, model) == 0) {
                return row.model_code;
            }
        } else if (std::strcmp(row.make, make) == 0 && (row.model[0] == '\0' || std::strcmp(row.model, model) == 0)) {
            return row.model_code;
        }
    }
    return model_generic;
}
