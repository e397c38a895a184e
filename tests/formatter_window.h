// The text the reader makes of entries placed in a built file: in the EXIF or
// GPS IFD, or in the maker note of a known camera, in either byte order.
#pragma once
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exif/format/ifd_formats.h"
#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"
#include "support/run_options.h"

namespace readback {

using namespace fixture;

struct camera {
    std::string make, model;
    Bytes header{};  // maker-note bytes before its IFD
    MakerLayout layout = MakerLayout::TiffRelative;
};

struct where {
    const camera *cam = nullptr;      // the entries go in this camera's maker note,
    uint16_t parent = tag::kExifIfd;  // else in the IFD this IFD0 pointer opens
    exif_options opts{};              // -u and -x
    const reading_profile *profile = &classic_reading;  // extended_reading for -e
};

// The values of the entries' fields in tag order, joined by '|'.
inline std::string decode(ByteOrder order, std::vector<Entry> entries, const where &w = {})
{
    Ifd ifd{.entries = std::move(entries)};
    std::vector<Entry> ifd0;
    if (w.cam != nullptr) {
        ifd0 = {ascii(tag::kMake, w.cam->make), ascii(tag::kModel, w.cam->model)};
        ifd = Ifd{.entries = {maker_note(w.cam->header, ifd, w.cam->layout)}};
    }
    ifd0.push_back(pointer(w.parent, ifd));
    temp_dir dir;
    write_file(dir.file("f.jpg"), exif_jpeg(Tiff{.order = order, .chain = {Ifd{.entries = ifd0}}}));
    const exif_options saved = exif_opts;
    exif_opts = w.opts;
    ifd_field_store *store = nullptr;
    EXPECT_EQ(extract_exif_fields("", dir.file("f.jpg").c_str(), *w.profile, &store, 1), 0);
    exif_opts = saved;
    std::string text = "(no field)";
    for (uint32_t i = 0, n = 0; store != nullptr && i < store->count; i++)
        if (store->fields[i].depth == (w.cam != nullptr ? 2 : 1))
            text = (n++ == 0 ? "" : text + "|") + store->fields[i].display_value;
    return text;
}

struct expected {
    std::vector<Entry> entries;
    std::string text;
    where w{};
};

inline void expect_texts(ByteOrder order, const std::vector<expected> &cases)
{
    for (const expected &c : cases)
        EXPECT_EQ(decode(order, c.entries, c.w), c.text)
            << "tag 0x" << std::hex << c.entries.front().tag << (c.w.cam != nullptr ? " of " + c.w.cam->model : "");
}

inline auto both_orders() { return testing::Values(ByteOrder::Intel, ByteOrder::Motorola); }
inline std::string order_name(const testing::TestParamInfo<ByteOrder> &info)
{
    return info.param == ByteOrder::Intel ? "Intel" : "Motorola";
}

}  // namespace readback
