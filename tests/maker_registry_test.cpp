// Maker notes read through the registry with -e: each maker's format found by
// make and signature, placed at its base and byte order, its fields named in
// its groups, records of settings split into fields, values named; in both
// byte orders of the file.
#include <gtest/gtest.h>

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

TEST_P(MakerRegistry, EachMakersNoteDecodedInItsGroups)
{
    const bool intel = GetParam() == ByteOrder::Intel;
    const Bytes olympus = text_bytes(intel ? std::string("OLYMPUS\0II\3\0", 12) : std::string("OLYMPUS\0MM\3\0", 12));
    const Bytes nikon = {'N', 'i', 'k', 'o', 'n', 0, 2, 0x10, 0, 0};
    const maker_case cases[] = {
        // Canon: no header, offsets from the TIFF header; CameraSettings values from index 1.
        {{"Canon", "Canon EOS 5D"},
         {ascii(0x0006, "Canon EOS 5D"), shorts(0x0001, {8, 2, 0, 3, 0, 1}), ascii(0x0095, "EF24-105mm f/4L IS USM")},
         "Maker Note (Canon)|Canon Image Type=Canon EOS 5D\n"
         "Maker Note (Canon)|Lens Model=EF24-105mm f/4L IS USM\n"
         "Canon Camera Settings|Macro Mode=Normal\n"
         "Canon Camera Settings|Self Timer=0\n"
         "Canon Camera Settings|Quality=Fine\n"
         "Canon Camera Settings|Canon Flash Mode=Off\n"
         "Canon Camera Settings|Continuous Drive=Continuous\n"},
        // Nikon: its own TIFF header after "Nikon\0\2"; the D1X as every other model. A byte
        // the tables do not name shows in hex, as plain bytes do everywhere; the AF record is
        // big-endian in a note of either order.
        {{"NIKON CORPORATION", "NIKON D1X", nikon, MakerLayout::OwnTiffHeader},
         {ascii(0x0004, "FINE "), undefined(0x001f, {'0', '1', '0', '0', 1, 0, 2}), undefined(0x0088, {0, 0, 0, 1}),
          undefined(0x0091, {'0', '2', '0', '9', 0x55, 0xaa})},
         "Maker Note (Nikon)|Quality=FINE \n"
         "Maker Note (Nikon)|Shot Info=(enciphered, not decoded)\n"
         "Nikon VR Info|VR Info Version=0100\n"
         "Nikon VR Info|Vibration Reduction=On\n"
         "Nikon VR Info|VR Mode=02\n"
         "Nikon AF Info|AF Area Mode=Single Area\n"
         "Nikon AF Info|AF Point=Center\n"
         "Nikon AF Info|AF Points In Focus=1\n"},  // big-endian in either order
        // Fujifilm: offsets from the note, always Intel order.
        {{"FUJIFILM", "X-T3", fujifilm_header(), MakerLayout::FujiFilm},
         {shorts(0x1021, {1}), shorts(0x1401, {0x200})},
         "Maker Note (Fujifilm)|Focus Mode=Manual\n"
         "Maker Note (Fujifilm)|Film Mode=F2/Fujichrome (Velvia)\n"},
        // Olympus: offsets from the note, the byte order its header names; sub-IFDs of their own.
        {{"OLYMPUS IMAGING CORP.", "E-P3", olympus, MakerLayout::NoteRelative},
         {pointer(0x2010, Ifd{.entries = {ascii(0x0203, "OLYMPUS M.12-40mm F2.8")}}),
          pointer(0x2020, Ifd{.entries = {shorts(0x0200, {2})}})},
         "Olympus Equipment|Lens Model=OLYMPUS M.12-40mm F2.8\n"
         "Olympus Camera Settings|Exposure Mode=Program\n"},
    };
    for (const maker_case &c : cases)
        EXPECT_EQ(maker_fields(GetParam(), c.cam, c.entries), c.fields) << c.cam.model;
}

// A CR3 keeps the Canon note as a TIFF block of its own (CMT3) beside IFD0's
// (CMT1); an AF record's arrays are as long as the points it counts.
TEST_P(MakerRegistry, CanonNoteOfCr3AndItsAfPoints)
{
    const Bytes ifd0 = build_tiff(Tiff{.order = GetParam(), .chain = {Ifd{.entries = {ascii(tag::kMake, "Canon")}}}});
    const Bytes note = build_tiff(Tiff{
        .order = GetParam(),
        .chain = {Ifd{.entries = {sshorts(0x0026, {40, 0, 2, 2, 6000, 4000, 6000, 4000, 90, 90, 80, 80, -300, 300,
                                                  0, 0, 2, 1, 7})}}}});
    const std::uint8_t canon_uuid[16] = {0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0,
                                         0x81, 0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48};
    Bytes uuid(canon_uuid, canon_uuid + 16);
    for (const Bytes &box : {fixture::media_box("CMT1", ifd0), fixture::media_box("CMT3", note)})
        uuid.insert(uuid.end(), box.begin(), box.end());
    Bytes file = fixture::media_box("ftyp", {'c', 'r', 'x', ' ', 0, 0, 0, 1});
    const Bytes moov = fixture::media_box("moov", fixture::media_box("uuid", uuid));
    file.insert(file.end(), moov.begin(), moov.end());
    EXPECT_EQ(maker_fields(file, "f.cr3"),
              "Canon AF Info 2|AF Info Size=40\nCanon AF Info 2|AF Area Mode=0\n"
              "Canon AF Info 2|Num AF Points=2\nCanon AF Info 2|Valid AF Points=2\n"
              "Canon AF Info 2|Canon Image Width=6000\nCanon AF Info 2|Canon Image Height=4000\n"
              "Canon AF Info 2|AF Image Width=6000\nCanon AF Info 2|AF Image Height=4000\n"
              "Canon AF Info 2|AF Area Widths=90 90\nCanon AF Info 2|AF Area Heights=80 80\n"
              "Canon AF Info 2|AF Area X Positions=-300 300\nCanon AF Info 2|AF Area Y Positions=0 0\n"
              "Canon AF Info 2|AF Points In Focus=2\nCanon AF Info 2|AF Points Selected=1\n"
              "Canon AF Info 2|Primary AF Point=7\n");
}

// A binary property list of {flags: 1, timescale: 1000000000}: header, the
// dictionary and its four objects, the offset table and the 32-byte trailer.
const Bytes run_time = {'b', 'p', 'l', 'i', 's', 't', '0', '0', 0xd2, 1, 2, 3, 4, 0x55, 'f', 'l', 'a', 'g', 's',
                        0x59, 't', 'i', 'm', 'e', 's', 'c', 'a', 'l', 'e', 0x10, 1, 0x12, 0x3b, 0x9a, 0xca, 0,
                        8, 13, 19, 29, 31, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 5,
                        0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 36};

TEST_P(MakerRegistry, NotesOfThisCenturyDecodedInTheirGroups)
{
    const bool intel = GetParam() == ByteOrder::Intel;
    const std::string order = intel ? "II" : "MM";
    // A 32-bit number as the camera writes it in a record of bytes, in the file's order.
    const auto long_bytes = [intel](uint8_t n) { return intel ? Bytes{n, 0, 0, 0} : Bytes{0, 0, 0, n}; };
    Bytes shot_info = text_bytes(std::string("II\0\0\0\0", 6) + "2021:07:24 14:23:06" + std::string(1, '\0'));
    Bytes time_info = {0x20, 0x21, 0x07, 0x24, 0x14, 0x23, 0x06, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (uint8_t b : long_bytes(5))
        time_info.push_back(b);
    // Pentax: settings records are written most significant byte first in every file.
    const std::vector<Entry> pentax = {shorts(0x0008, {2}), byte_values(0x003f, {3, 44}),
                                       undefined(0x0205, {2, 0, 0, 0, 0, 32, 0, 1})};
    const std::string pentax_fields = "Maker Note (Pentax)|Quality=Best\n"
                                      "Pentax Lens Rec|Lens Type=Sigma or Tamron Lens (3 44)\n"
                                      "Pentax Camera Settings|Picture Mode 2=Program AE\n"
                                      "Pentax Camera Settings|Flash Options=0\n"
                                      "Pentax Camera Settings|AF Point Mode=0\n"
                                      "Pentax Camera Settings|AF Point Selected 2=Center\n"
                                      "Pentax Camera Settings|ISO Floor=0\n"
                                      "Pentax Camera Settings|Drive Mode 2=Continuous\n";
    const maker_case cases[] = {
        // Sony: "SONY DSC " and the IFD, offsets from the TIFF header; enciphered records named.
        {{"SONY", "ILCE-7M3", text_bytes(std::string("SONY DSC \0\0\0", 12))},
         {longs(0xb025, {3}), undefined(0x2010, {1, 2, 3, 4, 5}), undefined(0x3000, shot_info)},
         "Maker Note (Sony)|Tag 2010=(enciphered, not decoded)\n"
         "Maker Note (Sony)|Dynamic Range Optimizer=Auto\n"
         "Sony Shot Info|Face Info Offset=0\n"
         "Sony Shot Info|Sony Date Time=2021:07:24 14:23:06\n"},
        // Sony Ericsson: the IFD 20 bytes in, offsets from 8 bytes before it (values inline here).
        {{"Sony Ericsson", "K800i", text_bytes(std::string("SEMC MS\0", 8) + std::string(12, '\0')),
          MakerLayout::NoteRelative},
         {longs(0x0201, {1234})},
         "Maker Note (Sony Ericsson)|Preview Image Start=1234\n"},
        // Panasonic: a serial number kept as bytes after NULs, a time record.
        {{"Panasonic", "DC-G9", text_bytes(std::string("Panasonic\0\0\0", 12))},
         {shorts(0x0003, {1}), undefined(0x0025, text_bytes(std::string("\0\0S0123456789\0", 14))),
          undefined(0x2003, time_info)},
         "Maker Note (Panasonic)|White Balance=Auto\n"
         "Maker Note (Panasonic)|Internal Serial Number=S0123456789\n"
         "Panasonic Time Info|Panasonic Date Time=2021072414230600\n"
         "Panasonic Time Info|Time Lapse Shot Number=5\n"},
        // Apple: offsets from the note, the order its header names; the run time a property list.
        {{"Apple", "iPhone 14", text_bytes(std::string("Apple iOS\0\0\1", 12) + order), MakerLayout::NoteRelative},
         {slongs(0x000a, {3}), undefined(0x0003, run_time)},
         "Maker Note (Apple)|HDR Image Type=HDR Image\n"
         "Apple Run Time|Run Time Flags=1\n"
         "Apple Run Time|Run Time Scale=1000000000\n"},
        // Samsung: an IFD with no header, offsets from the note.
        {{"SAMSUNG", "SM-G991B", {}, MakerLayout::NoteRelative},
         {shorts(0x0021, {1, 0, 2, 3, 4})},
         "Samsung Picture Wizard|Picture Wizard Mode=Vivid\n"
         "Samsung Picture Wizard|Picture Wizard Color=0\n"
         "Samsung Picture Wizard|Picture Wizard Saturation=2\n"
         "Samsung Picture Wizard|Picture Wizard Sharpness=3\n"
         "Samsung Picture Wizard|Picture Wizard Contrast=4\n"},
        // Pentax "AOC\0": its "MM" need not be the IFD's order, offsets from the TIFF header.
        {{"PENTAX Corporation", "PENTAX K10D", text_bytes(std::string("AOC\0MM", 6))}, pentax, pentax_fields},
        // Pentax "PENTAX ": offsets from the note, the order its header names.
        {{"RICOH IMAGING COMPANY, LTD.", "PENTAX K-1", text_bytes(std::string("PENTAX \0", 8) + order),
          MakerLayout::NoteRelative},
         pentax,
         pentax_fields},
    };
    for (const maker_case &c : cases)
        EXPECT_EQ(maker_fields(GetParam(), c.cam, c.entries), c.fields) << c.cam.model;
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, MakerRegistry, both_orders(), order_name);

}  // namespace
