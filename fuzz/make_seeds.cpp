// Writes the seed corpora of the fuzz targets into FOLDER/<target>/. The
// per-file seeds are every family of the test fixture builder (both byte
// orders, each camera's maker note, GPS, thumbnails, broken variants), each
// under a few option bytes (see per_file_fuzzer.cpp for the layout); the
// field-list seeds are a few name lists (see field_list_fuzzer.cpp).
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <sys/stat.h>

#include "fixture/container_builder.h"
#include "fixture/jpeg_builder.h"

using namespace fixture;

namespace {

struct camera {
    const char *name;
    const char *make;
    const char *model;
    Bytes header;
    MakerLayout layout;
};

std::vector<camera> cameras()
{
    return {
        {"olympus", "OLYMPUS OPTICAL CO.,LTD", "C920Z,D450Z", olympus_header(), MakerLayout::TiffRelative},
        {"olympus_c2500l", "OLYMPUS OPTICAL CO.,LTD", "C2500L      ", olympus_header(), MakerLayout::TiffRelative},
        {"nikon_e950", "NIKON", "E950", nikon_header(), MakerLayout::TiffRelative},
        {"nikon_e990", "NIKON", "E990", {}, MakerLayout::TiffRelative},
        {"nikon_d1x", "NIKON CORPORATION", "NIKON D1X", {}, MakerLayout::TiffRelative},
        {"casio_qv2000ux", "CASIO", "QV-2000UX", {}, MakerLayout::TiffRelative},
        {"casio_qv8000sx", "CASIO", "QV-8000SX", {}, MakerLayout::TiffRelative},
        {"casio_qv3500ex", "CASIO", "QV-3500EX", {}, MakerLayout::TiffRelative},
        {"kodak", "EASTMAN KODAK COMPANY", "KODAK DC280 DIGITAL ZOOM CAMERA", {}, MakerLayout::TiffRelative},
        {"canon_g1", "Canon", "Canon PowerShot G1", {}, MakerLayout::TiffRelative},
        {"canon_s100", "Canon", "Canon PowerShot S100", {}, MakerLayout::TiffRelative},
        {"canon_d30", "Canon", "Canon EOS D30", {}, MakerLayout::TiffRelative},
        {"fujifilm", "FUJIFILM", "FinePix1400Zoom", fujifilm_header(), MakerLayout::FujiFilm},
        {"minolta", "Minolta Co., Ltd.", "DiMAGE 7", {}, MakerLayout::TiffRelative},
    };
}

// Maker-note entries of every data type, small tags that the maker tables know.
// Each maker-note format that extended reading finds by make and signature;
// the header of a note that names its byte order follows the file's.
std::vector<camera> registry_cameras(ByteOrder order)
{
    auto bytes = [](const char *text, size_t n) { return Bytes(text, text + n); };
    const bool intel = order == ByteOrder::Intel;
    return {
        {"canon_any", "Canon", "Canon EOS R5", {}, MakerLayout::TiffRelative},
        {"nikon_own_tiff", "NIKON CORPORATION", "NIKON Z 9", bytes("Nikon\0\2\x10\0\0", 10), MakerLayout::OwnTiffHeader},
        {"nikon_d1x_own_tiff", "NIKON CORPORATION", "NIKON D1X", bytes("Nikon\0\2\0\0\0", 10), MakerLayout::OwnTiffHeader},
        {"nikon_type2", "NIKON", "E5700", nikon_header(), MakerLayout::TiffRelative},
        {"fujifilm_any", "FUJIFILM", "X-T4", fujifilm_header(), MakerLayout::FujiFilm},
        {"olympus_ii", "OLYMPUS IMAGING CORP.", "E-P3",
         bytes(intel ? "OLYMPUS\0II\3\0" : "OLYMPUS\0MM\3\0", 12), MakerLayout::NoteRelative},
        {"om_system", "OM Digital Solutions", "OM-1",
         bytes(intel ? "OM SYSTEM\0\0\0II\4\0" : "OM SYSTEM\0\0\0MM\4\0", 16), MakerLayout::NoteRelative},
        {"olympus_old", "OLYMPUS CORPORATION", "E-1", olympus_header(), MakerLayout::TiffRelative},
        {"sony_dsc", "SONY", "ILCE-7M3", bytes("SONY DSC \0\0\0", 12), MakerLayout::TiffRelative},
        {"sony_plain", "SONY", "ILCE-1", {}, MakerLayout::TiffRelative},
        {"sony_ericsson", "Sony Ericsson", "K800i", bytes("SEMC MS\0\0\0\0\0\0\0\0\0\0\0\0\0", 20),
         MakerLayout::NoteRelative},
        {"panasonic", "Panasonic", "DC-G9", bytes("Panasonic\0\0\0", 12), MakerLayout::TiffRelative},
        {"leica", "LEICA", "D-LUX 7", bytes("LEICA\0\0\0", 8), MakerLayout::TiffRelative},
        {"apple", "Apple", "iPhone 14", bytes(intel ? "Apple iOS\0\0\1II" : "Apple iOS\0\0\1MM", 14),
         MakerLayout::NoteRelative},
        {"samsung", "samsung", "SM-G991B", {}, MakerLayout::NoteRelative},
        {"pentax_aoc", "PENTAX Corporation", "PENTAX K10D", bytes("AOC\0MM", 6), MakerLayout::TiffRelative},
        {"pentax_header", "RICOH IMAGING COMPANY, LTD.", "PENTAX K-1",
         bytes(intel ? "PENTAX \0II" : "PENTAX \0MM", 10), MakerLayout::NoteRelative},
    };
}

// Records and sub-IFDs that the registry's makers split or open.
std::vector<Entry> registry_entries()
{
    return {
        undefined(0x001f, {'0', '1', '0', '0', 1, 0, 2, 0}),
        undefined(0x0098, {'0', '1', '0', '1', 0x4c, 0x60, 0, 0, 0x70, 0x80, 0x3c, 0x90, 0x24, 0x4c, 0x8e, 0x18, 0x34,
                           0x8e, 0x30}),
        undefined(0x00a8, {'0', '1', '0', '0', 1, 0, 3, 0, 0x12, 0x01, 0x80, 50, 0, 0, 0, 0, 0, 0, 0}),
        shorts(0x00e0, {34, 5632, 3750, 140, 50, 5615, 3725}),
        shorts(0x0012, {3, 3, 6000, 4000, 6000, 4000, 90, 80, 0xfed4, 0, 300, 0, 0, 0, 2, 1}),
        shorts(0x0026, {40, 0, 2, 2, 6000, 4000, 6000, 4000, 90, 90, 80, 80, 0xfed4, 300, 0, 0, 2, 1, 7}),
        shorts(0x00a9, {0, 2000, 1024, 1024, 1500, 2100, 1024, 1024, 1400}),
        longs(0x009a, {0, 6000, 4000, 0, 0}),
        pointer(0x2010, Ifd{{undefined(0x0000, bytes_of("0100")), ascii(0x0203, "OLYMPUS M.12-40mm F2.8")}}),
        pointer(0x2020, Ifd{{shorts(0x0200, {2}), shorts(0x0201, {0})}}),
        // Sony's shot information, Panasonic's time, Apple's run time (a binary
        // property list), Samsung's picture wizard, Pentax's settings and lens data.
        undefined(0x3000, Bytes{'I', 'I', 0, 0, 0, 0, '2', '0', '2', '1', ':', '0', '7', ':', '2', '4', ' ', '1', '4',
                                ':', '2', '3', ':', '0', '6', 0, 0, 0x10, 0, 0x18}),
        undefined(0x2003, Bytes{0x20, 0x21, 7, 24, 20, 23, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 0, 0, 0}),
        undefined(0x0003, Bytes{'b',  'p', 'l', 'i', 's', 't', '0', '0', 0xd1, 1, 2, 0x55, 'f', 'l', 'a', 'g', 's',
                                0x10, 1, 8, 11, 17, 0, 0, 0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 3,
                                0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 19}),
        shorts(0x0021, {1, 0, 2, 3, 4}),
        byte_values(0x003f, {3, 44}),
        undefined(0x0205, {2, 0, 0, 0, 0, 32, 0, 1}),
        undefined(0x0207, Bytes(36, 0x33)),
    };
}

std::vector<Entry> maker_entries()
{
    return {
        shorts(0x0001,
               {0,  2,  1,  3,  0,  1,  2,  0,  1,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 17,
                18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41}),
        shorts(0x0002, {0, 100}),
        ascii(0x0003, "COLOR"),
        shorts(0x0004, {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15,
                        16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}),
        ascii(0x0005, "AUTO  "),
        ascii(0x0006, "IMG:PowerShot G1 JPEG"),
        ascii(0x0007, "AF-S  "),
        longs(0x0008, {1000123}),
        undefined(0x0088, {0, 1, 0, 0}),
        rationals(0x000A, {{3, 1}}),
        longs(0x0200, {0, 1, 2}),
        undefined(0x0000, bytes_of("0130")),
        ascii(0x1000, "NORMAL "),
        shorts(0x1001, {3}),
        shorts(0x1010, {1}),
        srationals(0x1011, {{-1, 3}}),
        shorts(0x0014, {2}),
        shorts(0x0019, {1}),
    };
}

std::vector<Entry> exposure_entries()
{
    return {
        rationals(0x829A, {{10, 1250}}),
        srationals(0x9201, {{7, 1}}),
        rationals(0x829D, {{56, 10}}),
        shorts(0x8822, {2}),
        shorts(0x8827, {100}),
        undefined(0x9000, bytes_of("0210")),
        ascii(0x9003, "2001:10:06 14:31:07"),
        ascii(0x9004, "2001:10:06 14:31:07"),
        undefined(0x9101, {1, 2, 3, 0}),
        rationals(0x9102, {{2, 1}}),
        rationals(0x9202, {{50, 10}}),
        srationals(0x9204, {{-1, 3}}),
        rationals(0x9205, {{26, 10}}),
        rationals(0x9206, {{0xFFFFFFFF, 1}}),
        shorts(0x9207, {5}),
        shorts(0x9208, {0}),
        shorts(0x9209, {0}),
        rationals(0x920A, {{128, 10}}),
        undefined(0x9286, bytes_of("ASCII\0\0\0A comment")),
        ascii(0x9290, "123"),
        undefined(0xA000, bytes_of("0100")),
        shorts(0xA001, {1}),
        longs(0xA002, {1600}),
        shorts(0xA003, {1200}),
        rationals(0xA20E, {{1600, 1}}),
        shorts(0xA210, {2}),
        shorts(0xA217, {2}),
        undefined(0xA300, {3}),
        undefined(0xA301, {1}),
        floats(0x9999, {1.5f}),
        doubles(0x999A, {2.25}),
        sbytes(0x999B, {-1, 2}),
        sshorts(0x999C, {-3}),
        slongs(0x999D, {-4}),
    };
}

Ifd gps_ifd()
{
    return Ifd{{byte_values(0x0000, {2, 2, 0, 0}), ascii(0x0001, "N"),
                rationals(0x0002, {{51, 1}, {3045, 100}, {0, 1}}), ascii(0x0003, "W"),
                rationals(0x0004, {{0, 1}, {7, 1}, {3, 1}}), byte_values(0x0005, {1}), rationals(0x0006, {{35, 1}}),
                rationals(0x0007, {{14, 1}, {31, 1}, {7, 1}}), ascii(0x0008, "5"), ascii(0x0009, "A"),
                ascii(0x000A, "3"), rationals(0x000B, {{5, 2}}), ascii(0x000C, "K"), rationals(0x000D, {{0, 0}}),
                ascii(0x000E, "T"), rationals(0x000F, {{12345, 100}}), ascii(0x0012, "WGS-84"),
                ascii(0x001D, "2001:10:06"), shorts(0x001E, {1})}};
}

Ifd interop_ifd() { return Ifd{{ascii(0x0001, "R98"), undefined(0x0002, bytes_of("0100"))}}; }

Tiff camera_tiff(const camera &cam, ByteOrder order, bool thumbnail, const std::vector<Entry> &more_in_note = {})
{
    std::vector<Entry> exif = exposure_entries();
    std::vector<Entry> note = maker_entries();
    note.insert(note.end(), more_in_note.begin(), more_in_note.end());
    exif.push_back(maker_note(cam.header, Ifd{note}, cam.layout));
    exif.push_back(pointer(tag::kInteropIfd, interop_ifd()));
    Ifd ifd0{{ascii(0x010E, "Harbour, at \"dusk\""), ascii(tag::kMake, cam.make), ascii(tag::kModel, cam.model),
              shorts(0x0112, {1}), rationals(0x011A, {{300, 1}}), rationals(0x011B, {{300, 1}}), shorts(0x0128, {2}),
              ascii(0x0131, "v1.1"), ascii(0x0132, "2001:10:06 14:31:07"), shorts(0x0213, {2}),
              pointer(tag::kExifIfd, Ifd{exif}), pointer(tag::kGpsIfd, gps_ifd())}};
    Tiff tiff{.order = order, .chain = {ifd0}};
    if (thumbnail)
        tiff.chain.push_back(
            Ifd{.entries = {shorts(0x0103, {6}), rationals(0x011A, {{72, 1}})}, .thumbnail = fake_jpeg(300)});
    return tiff;
}

// Broken variants of one well-formed file.
std::vector<std::pair<std::string, Bytes>> broken_files()
{
    std::vector<std::pair<std::string, Bytes>> out;
    const camera cam = cameras()[9];
    Tiff good = camera_tiff(cam, ByteOrder::Motorola, true);
    Bytes whole = exif_jpeg(good);
    for (size_t cut : {size_t{3}, size_t{12}, size_t{30}, whole.size() / 2, whole.size() - 20})
        out.push_back({"truncated_" + std::to_string(cut), Bytes(whole.begin(), whole.begin() + cut)});
    out.push_back({"app1_length_short", build_jpeg({.exif = good, .app1_length = 40})});
    out.push_back({"app1_length_long", build_jpeg({.exif = good, .app1_length = 0xFFFF})});
    out.push_back({"no_soi", build_jpeg({.exif = good, .soi = {0xFF, 0xD9}})});
    out.push_back({"segments_before", build_jpeg({.exif = good,
                                                  .before = {jfif(), Segment{0xFFE2, Bytes(200, 7)},
                                                             Segment{0xFFFE, bytes_of("comment")}}})});
    out.push_back({"lying_segment", build_jpeg({.exif = good, .before = {Segment{0xFFE0, Bytes(10, 0), 0xFFF0}}})});
    out.push_back({"no_exif", build_jpeg({.before = {jfif()}})});
    out.push_back({"bad_header", build_jpeg({.exif = good, .exif_header = bytes_of("Exig\0\0")})});
    Tiff bad_magic = good;
    bad_magic.magic = 43;
    out.push_back({"bad_magic", exif_jpeg(bad_magic)});
    Tiff bad_order = good;
    bad_order.order_mark = "IM";
    out.push_back({"bad_order", exif_jpeg(bad_order)});
    Tiff far_ifd = good;
    far_ifd.first_ifd = 0xFFFFFFF0;
    far_ifd.chain[0].at = 8;  // the IFD stays where it was: only the offset lies
    out.push_back({"first_ifd_far", exif_jpeg(far_ifd)});
    Tiff loop = good;
    loop.chain[0].next = 8;
    out.push_back({"ifd_loop", exif_jpeg(loop)});
    Tiff many = good;
    many.chain[0].entry_count = 0xFFFF;
    out.push_back({"entry_count_huge", exif_jpeg(many)});
    Tiff past = good;
    past.chain[0].entries.push_back(entry_value(0x010E, kAscii, 0x7FFFFFFF, 0x10000));
    past.chain[0].entries.push_back(entry_value(tag::kExifIfd, kLong, 1, 0xFFFFFF00));
    past.chain[0].entries.push_back(entry_value(0x011A, kRational, 0x20000000, 8));
    past.chain[0].entries.push_back(entry_value(0x0201, kLong, 1, 0xFFFFFFF0));
    past.chain[0].entries.push_back(entry_value(0x0202, kLong, 1, 0x7FFFFFFF));
    past.chain[0].entries.push_back(entry_raw(0x9999, 0, 3, {1, 2, 3, 4}));
    past.chain[0].entries.push_back(entry_raw(0x999A, 99, 3, {1, 2, 3, 4}));
    out.push_back({"values_past_end", exif_jpeg(past)});
    Tiff self = good;
    self.chain[0].entries.push_back(entry_value(tag::kGpsIfd, kLong, 1, 8));
    out.push_back({"pointer_to_self", exif_jpeg(self)});
    Tiff deep{.order = ByteOrder::Intel};
    Ifd inner{{ascii(tag::kMake, "deep")}};
    for (int i = 0; i < 30; i++)
        inner = Ifd{{pointer(i % 2 ? tag::kExifIfd : tag::kInteropIfd, inner)}};
    deep.chain = {inner};
    out.push_back({"deep_nesting", exif_jpeg(deep)});
    Tiff chain{.order = ByteOrder::Motorola};
    for (int i = 0; i < 40; i++)
        chain.chain.push_back(Ifd{{shorts(0x0112, {static_cast<uint16_t>(i)})}});
    out.push_back({"long_chain", exif_jpeg(chain)});
    // Many pointers into one long run of entries of an unknown data type.
    Ifd target;
    for (int i = 0; i < 2000; i++)
        target.entries.push_back(entry_raw(1000, 0, 0, {0, 0, 0, 0}));
    Ifd fan{{ascii(tag::kMake, "Canon"), pointer(tag::kExifIfd, target).as("target")}};
    for (uint32_t k = 1; k < 1000; k++)
        fan.entries.push_back(entry_value(tag::kExifIfd, kLong, 1, 0));
    Offsets where;
    build_tiff(Tiff{.chain = {fan}}, &where);
    for (uint32_t k = 1; k < 1000; k++)
        fan.entries[k + 1] = entry_value(tag::kExifIfd, kLong, 1, where["target"] + 2 + 12 * k);
    out.push_back({"unknown_type_fan", exif_jpeg(Tiff{.chain = {fan}})});
    return out;
}

// A file of the fields that extended reading (-e) adds: TIFF, DNG and XP
// fields in IFD0, newer EXIF fields, a Unicode comment, UTF-8 text, floats,
// GPS texts with a character-code prefix; some stored with other data types.
Bytes newer_fields_file(ByteOrder order)
{
    const Bytes unicode = order == ByteOrder::Intel ? bytes_of("UNICODE\0G\0r\0\xFC\0\0\xD8x\0")
                                                    : bytes_of("UNICODE\0\0G\0r\0\xFC\xD8\0\0x");
    Ifd gps{{byte_values(0x0000, {2, 3, 0, 0}), undefined(0x001B, unicode), ascii(0x001D, "2024:02:29"),
             shorts(0x001E, {1}), rationals(0x001F, {{5, 2}})}};
    Ifd exif{{shorts(0x8830, {2}), longs(0x8832, {400}), ascii(0x9010, "+02:00"), undefined(0x9286, unicode),
              shorts(0x9209, {0x59}), undefined(0xA301, {1}), shorts(0xA403, {1}), longs(0xA402, {7}),
              rationals(0xA432, {{24, 1}, {70, 1}, {28, 10}, {4, 1}}),
              bytes(0xA434, 129, bytes_of("Objektiv \xC3\xBC")), shorts(0xA460, {9})}};
    Ifd ifd0{{longs(0x0100, {4000}), shorts(0x0106, {32803}), bytes(0x9C9B, kByte, bytes_of("T\0\xA9\x03\0\0")),
              shorts(0x9C9C, {0x41, 0x42}), byte_values(0xC612, {1, 6, 0, 0}),
              srationals(0xC621, {{10, 9}, {-5, 9}, {0, 1}}), shorts(0xC65A, {21}), floats(0xC6FA, {1.5f, -2.0f}),
              doubles(0xC761, {1e-5, 0.25}), shorts(0xA406, {3}), pointer(tag::kExifIfd, exif),
              pointer(tag::kGpsIfd, gps)}};
    return exif_jpeg(Tiff{.order = order, .chain = {ifd0}});
}

void write_seed(const std::string &dir, const std::string &name, uint8_t choice, const Bytes &file,
                bool extended = false)
{
    // The selection byte is the name's length; its top bit asks for -e.
    Bytes seed{choice, static_cast<uint8_t>(name.size() | (extended ? 0x80 : 0))};
    seed.insert(seed.end(), file.begin(), file.end());
    char suffix[8];
    snprintf(suffix, sizeof suffix, "_%02x", choice);
    write_file(dir + "/" + name + suffix, seed);
}

struct field_list_seed {
    uint8_t choice;  // the option byte
    const char *text;
};

// clang-format off
constexpr field_list_seed field_lists[] = {
    {0x00, "make,model,file-name"},
    {0x01, "make model\n\"date-time\" exposure-time"},
    {0x00, "file-size name=\"quoted, value\" x='a b', file-dir"},
    {0x20, "file-name-full,make,make,nope,,,   ,iso-speed-ratings"},
    {0x40, "a='it''s' b=\"say \"\"hi\"\"\" c=\"two\nlines\""},
    {0x02, "\"unterminated"},
    {0x80, "lens-model,white-bal,make,th-make,xp-title"},
};
// clang-format on

void write_field_lists(const std::string &dir)
{
    int n = 0;
    for (const field_list_seed &seed : field_lists) {
        Bytes bytes{seed.choice};
        bytes.insert(bytes.end(), seed.text, seed.text + strlen(seed.text));
        write_file(dir + "/list_" + std::to_string(n++), bytes);
    }
}

}  // namespace

// An XMP packet with a list, a language alternative, a structure and GPS.
const std::string sample_xmp =
    "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
    "<rdf:Description xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\""
    " xmlns:exif=\"http://ns.adobe.com/exif/1.0/\" xmp:Rating=\"3\" exif:GPSLatitude=\"54,19.5N\">"
    "<dc:subject><rdf:Bag><rdf:li>a</rdf:li><rdf:li>b</rdf:li></rdf:Bag></dc:subject>"
    "<dc:title><rdf:Alt><rdf:li xml:lang=\"de\">T</rdf:li><rdf:li xml:lang=\"x-default\">t</rdf:li></rdf:Alt>"
    "</dc:title><exif:Flash rdf:parseType=\"Resource\"><exif:Fired>False</exif:Fired></exif:Flash>"
    "</rdf:Description></rdf:RDF></x:xmpmeta>";

// Seeds of the packet parsers: the XMP packet split at two places, IPTC
// datasets bare and inside Photoshop image resources (packet_fuzzer.cpp).
void write_packets(const std::string &dir)
{
    const Bytes iptc = {0x1C, 1, 90, 0, 3, 0x1B, '%', 'G', 0x1C, 2, 25, 0, 2, 'k', '1',
                        0x1C, 2, 5,  0, 1, 'T', 0x1C, 2, 101, 0x80, 2, 0, 1, 'C'};
    Bytes resources = {'8', 'B', 'I', 'M', 0x04, 0x04, 0, 0, 0, 0, 0, static_cast<uint8_t>(iptc.size())};
    resources.insert(resources.end(), iptc.begin(), iptc.end());
    const std::pair<std::string, std::pair<uint8_t, Bytes>> seeds[] = {
        {"xmp_whole", {0xFF, Bytes(sample_xmp.begin(), sample_xmp.end())}},
        {"xmp_split", {0x41, Bytes(sample_xmp.begin(), sample_xmp.end())}},
        {"iptc", {0x00, iptc}},
        {"iptc_resources", {0x02, resources}},
    };
    for (const auto &[name, seed] : seeds) {
        Bytes input{seed.first};
        input.insert(input.end(), seed.second.begin(), seed.second.end());
        write_file(dir + "/" + name, input);
    }
}

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_seeds FOLDER\n");
        return 2;
    }
    const std::string top = argv[1];
    const std::string dir = top + "/per_file_fuzzer";
    const std::string lists = top + "/field_list_fuzzer";
    const std::string packets = top + "/packet_fuzzer";
    if (mkdir(top.c_str(), 0755) != 0 || mkdir(dir.c_str(), 0755) != 0 || mkdir(lists.c_str(), 0755) != 0 ||
        mkdir(packets.c_str(), 0755) != 0) {
        perror(argv[1]);
        return 1;
    }
    write_field_lists(lists);
    write_packets(packets);
    // Readable listing, -u, -x, list with header, SQL, thumbnail, -f styles.
    const uint8_t choices[] = {0x00, 0x08, 0x10, 0x02, 0x13, 0x04, 0x06, 0x1F};
    for (const camera &cam : cameras()) {
        for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
            const bool intel = order == ByteOrder::Intel;
            Bytes file = exif_jpeg(camera_tiff(cam, order, intel));
            for (uint8_t choice : choices)
                write_seed(dir, std::string(cam.name) + (intel ? "_ii" : "_mm"), choice, file);
        }
    }
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola})
        for (uint8_t choice : choices)
            write_seed(dir, order == ByteOrder::Intel ? "newer_ii" : "newer_mm", choice, newer_fields_file(order),
                       true);
    // The maker-note formats of extended reading; -e is asked for.
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola})
        for (const camera &cam : registry_cameras(order)) {
            Tiff tiff = camera_tiff(cam, order, false, registry_entries());
            for (uint8_t choice : {uint8_t{0x00}, uint8_t{0x08}, uint8_t{0x06}})
                write_seed(dir, std::string(cam.name) + (order == ByteOrder::Intel ? "_ii" : "_mm"), choice,
                           exif_jpeg(tiff), true);
        }
    // Every container of extended reading around a camera's block; -e is asked for.
    for (Container container :
         {Container::Tiff, Container::Png, Container::Webp, Container::Heif, Container::Avif, Container::Cr3,
          Container::Jxl, Container::Mrw, Container::Raf, Container::BigTiff, Container::Psd, Container::DosEps,
          Container::Jp2, Container::Jxr, Container::PngText, Container::PngZtxt, Container::PngItxt,
          Container::JxlBrob, Container::DosEpsPhotoshop})
        for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
            const bool intel = order == ByteOrder::Intel;
            const Bytes file =
                build_container(container, build_tiff(camera_tiff(cameras().front(), order, intel)), sample_xmp);
            for (uint8_t choice : {uint8_t{0x00}, uint8_t{0x08}, uint8_t{0x04}})
                write_seed(dir, "container_" + container_name(container) + (intel ? "_ii" : "_mm"), choice, file, true);
        }
    // A CR3's Canon note, a TIFF block of its own in the CMT3 box; -e is asked for.
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        const uint8_t canon_uuid[16] = {0x85, 0xc0, 0xb6, 0x87, 0x82, 0x0f, 0x11, 0xe0,
                                        0x81, 0x11, 0xf4, 0xce, 0x46, 0x2b, 0x6a, 0x48};
        Bytes uuid(canon_uuid, canon_uuid + 16);
        const Bytes ifd0 = build_tiff(Tiff{.order = order, .chain = {Ifd{{ascii(0x010f, "Canon")}}}});
        const Bytes note = build_tiff(Tiff{.order = order, .chain = {Ifd{registry_entries()}}});
        for (const Bytes &box : {media_box("CMT1", ifd0), media_box("CMT3", note)})
            uuid.insert(uuid.end(), box.begin(), box.end());
        Bytes file = media_box("ftyp", {'c', 'r', 'x', ' ', 0, 0, 0, 1});
        const Bytes moov = media_box("moov", media_box("uuid", uuid));
        file.insert(file.end(), moov.begin(), moov.end());
        for (uint8_t choice : {uint8_t{0x00}, uint8_t{0x08}})
            write_seed(dir, order == ByteOrder::Intel ? "cr3_note_ii" : "cr3_note_mm", choice, file, true);
    }
    // The broken files without -e, where a read past the window stops the run, and with it,
    // where it must not.
    for (const auto &[name, file] : broken_files()) {
        for (uint8_t choice : {uint8_t{0x00}, uint8_t{0x0B}, uint8_t{0x14}})
            write_seed(dir, name, choice, file);
        write_seed(dir, name + "_e", 0x00, file, true);
    }
    return 0;
}
