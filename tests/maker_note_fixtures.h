// Maker-note fixtures: a JPEG file of a known camera whose EXIF IFD holds one
// maker note, read back through the reader, in either byte order.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include <unistd.h>

#include "exif/exif_options.h"
#include "exif/exif_reader.h"
#include "exif/ifd_types.h"
#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

namespace maker_fixture {

using fixture::ByteOrder;
using fixture::Bytes;
using fixture::Entry;
using fixture::MakerLayout;

// What a file must say for the reader to walk its maker note, and the IFD type
// the maker note's fields get.
struct camera {
    std::string make;
    std::string model;
    Bytes header;  // maker-note bytes before its IFD
    MakerLayout layout;
    int ifd_type;
};

inline camera nikon_e950() { return {"NIKON", "E950", fixture::nikon_header(), MakerLayout::TiffRelative, 5}; }
inline camera nikon_e990() { return {"NIKON", "E990", {}, MakerLayout::TiffRelative, 6}; }
inline camera nikon_d1x() { return {"NIKON CORPORATION", "NIKON D1X", {}, MakerLayout::TiffRelative, 15}; }
inline camera canon_g1() { return {"Canon", "Canon PowerShot G1", {}, MakerLayout::TiffRelative, 8}; }
inline camera casio(const std::string &model) { return {"CASIO", model, {}, MakerLayout::TiffRelative, 7}; }
inline camera olympus() { return {"OLYMPUS OPTICAL CO.,LTD", "C920Z,D450Z", fixture::olympus_header(), MakerLayout::TiffRelative, 4}; }
inline camera olympus_c2500l() { return {"OLYMPUS OPTICAL CO.,LTD", "C2500L      ", fixture::olympus_header(), MakerLayout::TiffRelative, 11}; }
inline camera fujifilm() { return {"FUJIFILM", "FinePix1400Zoom", fixture::fujifilm_header(), MakerLayout::FujiFilm, 12}; }

struct field {
    int ifd_type;
    uint16_t tag;
    std::string value;
};

// The records the reader makes of the maker note's entries (IFD0 is depth 0,
// the EXIF IFD depth 1, the maker note depth 2).
inline std::vector<field> read_maker_note(const camera &cam, ByteOrder order, std::vector<Entry> entries)
{
    using namespace fixture;
    Ifd maker_ifd{.entries = std::move(entries)};
    Ifd exif_ifd{.entries = {maker_note(cam.header, maker_ifd, cam.layout)}};
    Tiff tiff{.order = order,
              .chain = {Ifd{.entries = {ascii(tag::kMake, cam.make), ascii(tag::kModel, cam.model),
                                        pointer(tag::kExifIfd, exif_ifd)}}}};
    temp_dir dir;
    std::string path = dir.file("maker.jpg");
    write_file(path, exif_jpeg(tiff));
    ifd_field_store *store = nullptr;
    EXPECT_EQ(extract_exif_fields("", path.c_str(), &store, 1), 0);
    std::vector<field> fields;
    for (uint32_t i = 0; store != nullptr && i < store->count; i++)
        if (store->fields[i].depth == 2)
            fields.push_back({store->fields[i].ifd_type, store->fields[i].tag, store->fields[i].display_value});
    return fields;
}

// The text of one entry, alone in a maker note of this camera.
inline std::string decode(const camera &cam, ByteOrder order, const Entry &entry)
{
    std::vector<field> fields = read_maker_note(cam, order, {entry});
    if (fields.size() != 1) {
        ADD_FAILURE() << "expected one maker-note field, got " << fields.size();
        return "";
    }
    EXPECT_EQ(fields[0].ifd_type, cam.ifd_type);
    EXPECT_EQ(fields[0].tag, entry.tag);
    return fields[0].value;
}

// The same entry read with -u: the uninterpreted rendering.
inline std::string decode_raw(const camera &cam, ByteOrder order, const Entry &entry)
{
    int32_t saved = exif_opts.raw;
    exif_opts.raw = 1;
    std::string text = decode(cam, order, entry);
    exif_opts.raw = saved;
    return text;
}

inline std::string order_name(const testing::TestParamInfo<ByteOrder> &info)
{
    return info.param == ByteOrder::Intel ? "Intel" : "Motorola";
}

inline auto both_orders() { return testing::Values(ByteOrder::Intel, ByteOrder::Motorola); }

// A short value entry: the reader requires the count the definition names.
inline Entry u16(uint16_t tag, uint16_t v) { return fixture::shorts(tag, {v}); }
inline Entry u32(uint16_t tag, uint32_t v) { return fixture::longs(tag, {v}); }

// The folder of real camera files beside the project; empty when it is absent.
inline std::string samples_folder()
{
    std::string folder = std::string(TAGSIFT_SOURCE_DIR) + "/../shared/samples";
    return access(folder.c_str(), R_OK) == 0 ? folder : std::string();
}

// One line of the readable listing: the label padded to 25 characters.
inline std::string listing_line(std::string label, const std::string &value)
{
    label.resize(std::max<size_t>(label.size(), 25), ' ');
    return "  " + label + ": " + value + "\n";
}

}  // namespace maker_fixture
