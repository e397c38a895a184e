// Maker notes read through the registry with -e where the table sweep
// (table_sweep.py) does not reach: a CR3's note, a base 8 bytes before the
// IFD, a record that is a property list, and a header's byte order that is not
// the IFD's; in both byte orders of the file.
#include <gtest/gtest.h>

#include <regex>

#include "exif/ifd_types.h"
#include "fixture/container_builder.h"
#include "formatter_window.h"

using namespace readback;

namespace {

Bytes text_bytes(const std::string &text) { return Bytes(text.begin(), text.end()); }

// "group|label=value" of every field of the maker-note groups of the file, in the sorted listing's order.
std::string maker_fields(const Bytes &file, const std::string &name)
{
    temp_dir dir;
    write_file(dir.file(name), file);
    const exif_options saved = exif_opts;

    ifd_field_store *store = nullptr;
    EXPECT_EQ(extract_exif_fields("", dir.file(name).c_str(), extended_reading, &store, 1), 0);
    exif_opts = saved;
    std::string text;
    for (uint32_t i = 0; store != nullptr && i < store->count; i++) {
        const ifd_field &f = store->fields[i];
        if (f.ifd_type >= ifd_type_mn_canon && f.ifd_type != ifd_type_packet)
            text += std::string(ifd_type_name(f.ifd_type)) + "|" + f.description + "=" + f.display_value + "\n";
    }
    return text;
}

// The same, of a JPEG file whose EXIF IFD holds the note.
std::string maker_fields(ByteOrder order, const camera &cam, const std::vector<Entry> &entries)
{
    Ifd note{.entries = entries};
    Ifd ifd0{.entries = {ascii(tag::kMake, cam.make), ascii(tag::kModel, cam.model),
                         pointer(tag::kExifIfd, Ifd{.entries = {maker_note(cam.header, note, cam.layout)}})}};
    return maker_fields(exif_jpeg(Tiff{.order = order, .chain = {ifd0}}), "f.jpg");
}

struct maker_case {
    camera cam;
    std::vector<Entry> entries;
    std::string fields;
};

class MakerRegistry : public testing::TestWithParam<ByteOrder> {};

// A CR3 keeps the Canon note as a TIFF block of its own (CMT3) beside IFD0's
// (CMT1); an AF record's arrays are as long as the points it counts.
TEST_P(MakerRegistry, CanonNoteOfCr3AndItsAfPoints)
{
    // 16 points: four arrays of 16 numbers, then one 16-bit word of flags each for the points in
    // focus and those selected.
    std::vector<std::int16_t> record = {80, 0, 16, 16, 6000, 4000, 6000, 4000};
    std::string arrays;
    const struct {
        std::int16_t value;
        const char *label;
    } array_rows[] = {{90, "Widths"}, {80, "Heights"}, {-300, "X Positions"}, {20, "Y Positions"}};
    for (const auto &a : array_rows) {
        arrays += std::string("Canon AF Info 2|AF Area ") + a.label + "=";
        for (int i = 0; i < 16; i++) {
            record.push_back(a.value);
            arrays += std::to_string(a.value) + (i < 15 ? " " : "\n");
        }
    }
    record.insert(record.end(), {-32767, 1, 7});
    const Bytes ifd0 = build_tiff(Tiff{.order = GetParam(), .chain = {Ifd{.entries = {ascii(tag::kMake, "Canon")}}}});
    const Bytes note = build_tiff(Tiff{.order = GetParam(), .chain = {Ifd{.entries = {sshorts(0x0026, record)}}}});
    const std::uint8_t canon_uuid[16] = {0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0,
                                         0x81, 0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48};
    Bytes uuid(canon_uuid, canon_uuid + 16);
    for (const Bytes &box : {fixture::media_box("CMT1", ifd0), fixture::media_box("CMT3", note)})
        uuid.insert(uuid.end(), box.begin(), box.end());
    Bytes file = fixture::media_box("ftyp", {'c', 'r', 'x', ' ', 0, 0, 0, 1});
    const Bytes moov = fixture::media_box("moov", fixture::media_box("uuid", uuid));
    file.insert(file.end(), moov.begin(), moov.end());
    EXPECT_EQ(maker_fields(file, "f.cr3"),
              "Canon AF Info 2|AF Info Size=80\nCanon AF Info 2|AF Area Mode=0\n"
              "Canon AF Info 2|Num AF Points=16\nCanon AF Info 2|Valid AF Points=16\n"
              "Canon AF Info 2|Canon Image Width=6000\nCanon AF Info 2|Canon Image Height=4000\n"
              "Canon AF Info 2|AF Image Width=6000\nCanon AF Info 2|AF Image Height=4000\n" +
                  arrays +
                  "Canon AF Info 2|AF Points In Focus=-32767\nCanon AF Info 2|AF Points Selected=1\n"
                  "Canon AF Info 2|Primary AF Point=7\n");
    // JSON keeps every value of the record as its text: none of them null.
    temp_dir dir;
    write_file(dir.file("f.cr3"), file);
    const cli_result json = run_tagsift({"-e", "-o", "j", "-f", "all", "f.cr3"}, {.cwd = dir.path()});
    EXPECT_NE(json.out.find("\"canon_af2_area_widths\":\"90 90 "), std::string::npos) << json.out;
    EXPECT_FALSE(std::regex_search(json.out, std::regex("\"canon_af2_[a-z0-9_]*\":null"))) << json.out;
}

// A binary property list of {flags: 1, timescale: 1000000000}: header, the
// dictionary and its four objects, the offset table and the 32-byte trailer.
const Bytes run_time = {'b', 'p', 'l', 'i', 's', 't', '0', '0', 0xd2, 1, 2, 3, 4, 0x55, 'f', 'l', 'a', 'g', 's',
                        0x59, 't', 'i', 'm', 'e', 's', 'c', 'a', 'l', 'e', 0x10, 1, 0x12, 0x3b, 0x9a, 0xca, 0,
                        8, 13, 19, 29, 31, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 5,
                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 36};

TEST_P(MakerRegistry, BasesOrdersAndRecordsTheSweepDoesNotPlace)
{
    const bool intel = GetParam() == ByteOrder::Intel;
    const std::string order = intel ? "II" : "MM";
    const maker_case cases[] = {
        // Sony Ericsson: the IFD 20 bytes in, offsets from 8 bytes before it (values inline here).
        {{"Sony Ericsson", "K800i", text_bytes(std::string("SEMC MS\0", 8) + std::string(12, '\0')),
          MakerLayout::NoteRelative},
         {longs(0x0201, {1234})},
         "Maker Note (Sony Ericsson)|Preview Image Start=1234\n"},
        // Apple: offsets from the note, the order its header names; the run time a property list.
        {{"Apple", "iPhone 14", text_bytes(std::string("Apple iOS\0\0\1", 12) + order), MakerLayout::NoteRelative},
         {slongs(0x000a, {3}), undefined(0x0003, run_time)},
         "Maker Note (Apple)|HDR Image Type=HDR Image\n"
         "Apple Run Time|Run Time Flags=1\n"
         "Apple Run Time|Run Time Scale=1000000000\n"},
        // Pentax "AOC\0": its "MM" need not be the IFD's order, offsets from the TIFF header.
        {{"PENTAX Corporation", "PENTAX K10D", text_bytes(std::string("AOC\0MM", 6))},
         {shorts(0x0008, {2})},
         "Maker Note (Pentax)|Quality=Best\n"},
    };
    for (const maker_case &c : cases)
        EXPECT_EQ(maker_fields(GetParam(), c.cam, c.entries), c.fields) << c.cam.model;
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, MakerRegistry, both_orders(), order_name);

}  // namespace
