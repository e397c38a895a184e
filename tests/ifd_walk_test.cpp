// The IFD walk seen from the command line: which IFDs are read and under which
// heading, which entries are dropped or warned about, how the walk ends on
// broken offsets, loops and a full store, and the order of the records.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "exif/exif_options.h"
#include "exif/exif_reader.h"
#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

struct one_file {
    temp_dir dir;
    explicit one_file(const Bytes &bytes) { write_file(dir.file("f.jpg"), bytes); }
    explicit one_file(const Tiff &tiff) : one_file(exif_jpeg(tiff)) {}
    cli_result run(std::vector<std::string> options = {}) const
    {
        options.push_back("f.jpg");
        return run_tagsift(options, {.cwd = dir.path()});
    }
};

// One line of the listing: the label padded to 25 characters, then the value.
std::string line(std::string label, const std::string &value)
{
    label.resize(std::max<size_t>(label.size(), 25), ' ');
    return "  " + label + ": " + value + "\n";
}
std::string heading(const std::string &name) { return "\n" + name + "\n"; }
std::string listing(const std::string &body) { return "FILE: f.jpg\n" + body + "\n"; }
std::string unknown_label(unsigned tag)
{
    char text[32];
    snprintf(text, sizeof text, "Unknown Field 0x%.4x     ", tag);
    return text;
}

const std::string camera = heading("Camera   ");
const std::string image = heading("Image    ");
const std::string unknown = heading("Unknown  ");

Bytes text_bytes(const std::string &s) { return Bytes(s.begin(), s.end()); }

// The listing must be the same with and without -q, and -q must print nothing on stderr.
void expect_listing_and_warnings(const one_file &file, const std::string &out, const std::string &err)
{
    cli_result r = file.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(r.err, err);
    cli_result quiet = file.run({"-q"});
    EXPECT_EQ(quiet.status, 0);
    EXPECT_EQ(quiet.out, out);
    EXPECT_EQ(quiet.err, "") << "-q silences warnings";
}

TEST(IfdWalk, UnknownTagsAreListedUnderUnknownAndUnknownDataTypesSkipped)
{
    one_file file(Tiff{.chain = {Ifd{{entry_raw(0x010E, 0, 1, {'a', 0, 0, 0}), ascii(tag::kMake, "ACME"),
                                      shorts(0xC001, {7}), entry_raw(0x0131, 13, 1, {3, 0, 0, 0}),
                                      undefined(0xC000, text_bytes("WXYZ"))}}}});
    expect_listing_and_warnings(
        file,
        listing(camera + line("Make", "ACME") + unknown + line(unknown_label(0xC000), "WXYZ") +
                line(unknown_label(0xC001), "7")),
        "Warning: Field 0x010e has unknown field data type 0, field ignored\n"
        "Warning: file f.jpg: Unexpected data type for field 'Unknown Field Tag', expected UNDEFINED, actual "
        "UNSIGNED SHORT.\n"
        "Warning: Field 0x0131 has unknown field data type 13, field ignored\n");
}

TEST(IfdWalk, TypeAndCountMismatchesWarnAndShowThePlainValue)
{
    // Accepted without a warning: RATIONAL for SRATIONAL, LONG for SHORT-or-LONG, BYTE for ASCII.
    Ifd exif{{rationals(0x9203, {{1, 2}}), longs(0xA002, {640}), rationals(0xA003, {{480, 1}}), sshorts(0x8827, {-1})}};
    one_file file(Tiff{.chain = {Ifd{{bytes(0x010E, kByte, text_bytes("Hi")), shorts(tag::kMake, {5}),
                                      shorts(0x0112, {1, 2}), pointer(tag::kExifIfd, exif)}}}});
    const std::string type_warning = "Warning: file f.jpg: Unexpected data type for field ";
    expect_listing_and_warnings(
        file,
        listing(camera + line("Description", "Hi") + line("Make", "5") + line("Orientation (start point)", "1 2") +
                image + line("ISO Speed", "-1") + line("Brightness", "0.50") + line("Image Width", "640") +
                line("Image Height", "480.00")),
        type_warning + "'Make', expected STRING, actual UNSIGNED SHORT.\n"
        "Warning: file f.jpg - Unexpected data repeat count for field 'Orientation (start point)', expected 1, "
        "actual 2\n" +
            type_warning + "'Image Height', expected UNSIGNED SHORT or UNSIGNED_LONG, actual UNSIGNED RATIONAL.\n" +
            type_warning + "'ISO Speed', expected UNSIGNED SHORT, actual SIGNED SHORT.\n");
}

TEST(IfdWalk, TheFirst200FieldsAreKeptAndTheRestIgnored)
{
    // Tags in descending order: the field dropped is 0xC000, extracted last.
    Ifd ifd0;
    for (unsigned tag = 0xC0C8; tag >= 0xC000; tag--)
        ifd0.entries.push_back(undefined(static_cast<std::uint16_t>(tag), {static_cast<std::uint8_t>('a' + tag % 26)}));
    ASSERT_EQ(ifd0.entries.size(), 201u);
    one_file file(Tiff{.chain = {ifd0, Ifd{{ascii(tag::kMake, "ACME")}}}});
    std::string body = unknown;
    for (unsigned tag = 0xC001; tag <= 0xC0C8; tag++)
        body += line(unknown_label(tag), std::string(1, static_cast<char>('a' + tag % 26)));
    cli_result r = file.run();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, listing(body));
}

TEST(IfdWalk, PointersOpenTheirIfdTypesAndASecondExifIfdIsUnknown)
{
    const std::vector<Ifd> exif_chain = {Ifd{{ascii(0x9290, "42"), pointer(tag::kInteropIfd, Ifd{{ascii(0x0001, "R98")}})}},
                                         Ifd{{shorts(0x8827, {100}), ascii(0x9290, "43")}}};
    one_file file(Tiff{.chain = {Ifd{{ascii(tag::kMake, "ACME"), pointer(tag::kSubIfds, Ifd{{shorts(0x0100, {640})}}),
                                      pointer_chain(tag::kExifIfd, exif_chain),
                                      pointer(tag::kGpsIfd, Ifd{{ascii(0x0001, "N")}})}}}});
    cli_result r = file.run();
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, listing(camera + line("Make", "ACME") + image + line("Subsec Time", "42") + heading("InterOp  ") +
                             line("Interop. Index", "R98") + heading("GPS") + line("Latitude Reference", "N") +
                             heading("TIFF Sub-IFD") + line("Image Width", "640") + unknown + line("ISO Speed", "100") +
                             line("Subsec Time", "43")));
}

TEST(IfdWalk, PointerValueIsReadAsA32BitOffsetWhateverItsType)
{
    // An EXIF IFD written by hand in Motorola order: one entry, ISO speed 100.
    const Bytes exif = {0, 1, 0x88, 0x27, 0, 3, 0, 0, 0, 1, 0, 100, 0, 0, 0, 0, 0, 0};
    for (const Entry &pointer_entry : {offset_to(tag::kExifIfd, exif).with_type(kShort),
                                       offset_to(tag::kExifIfd, exif).with_type(kUndefined).with_count(3)}) {
        cli_result r = one_file(Tiff{.order = ByteOrder::Motorola, .chain = {Ifd{{pointer_entry}}}}).run();
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, listing(image + line("ISO Speed", "100")));
    }
}

// IFD0 with Make (unless empty) and Model, and an EXIF IFD holding the maker
// note and an ISO speed after it; and the listing of all but the maker note.
Tiff camera_with_maker_note(ByteOrder order, const std::string &make, const std::string &model, const Entry &note)
{
    Ifd ifd0{{ascii(tag::kModel, model), pointer(tag::kExifIfd, Ifd{{note, shorts(0x8827, {100})}})}};
    if (!make.empty())
        ifd0.entries.insert(ifd0.entries.begin(), ascii(tag::kMake, make));
    return Tiff{.order = order, .chain = {ifd0}};
}
std::string camera_listing(const std::string &make, const std::string &model)
{
    return camera + (make.empty() ? "" : line("Make", make)) + line("Model", model) + image + line("ISO Speed", "100");
}

TEST(IfdWalk, MakerNotesAreWalkedByCamera)
{
    struct {
        const char *why;
        ByteOrder order;
        std::string make, model;
        Entry note;
        std::string note_listing;
    } cases[] = {
        {"Nikon E950: IFD after an 8-byte header", ByteOrder::Intel, "NIKON", "E950",
         maker_note(nikon_header(), Ifd{{ascii(0x0002, "FULL"), rationals(0x0008, {{3, 2}})}}),
         heading("Maker Note (Nikon models up to E950)") + line("Field 0x0002", "FULL") + line("Focus", "1.50")},
        {"Canon G1: IFD at the maker note itself", ByteOrder::Motorola, "Canon", "Canon PowerShot G1",
         maker_note({}, Ifd{{ascii(0x0006, "IMG:PowerShot G1 JPEG"), shorts(0x0000, {1, 2})}}),
         heading("Maker Note (Canon PowerShot)") + line("Field 0x0000", "1 2") +
             line("Image Type", "IMG:PowerShot G1 JPEG")},
        {"FujiFilm in a Motorola file: Intel order, offsets from the maker note", ByteOrder::Motorola, "FUJIFILM",
         "FinePix1400Zoom",
         maker_note(fujifilm_header(),
                    Ifd{{undefined(0x0000, text_bytes("0130")), ascii(0x1000, "NORMAL "), shorts(0x1200, {0x0102})}},
                    MakerLayout::FujiFilm),
         heading("Maker Note (FujiFilm)") + line("Version", "0130") + line("Quality", "NORMAL ") +
             line("Field 0x1200", "258")},
        {"Nikon E990 known by its model alone", ByteOrder::Intel, "", "E990",
         maker_note({}, Ifd{{ascii(0x0003, "COLOR")}}),
         heading("Maker Note (Nikon model E990 and above)") + line("Colour Mode", "COLOR")},
        {"Olympus C2500L, model with six trailing blanks", ByteOrder::Intel, "OLYMPUS OPTICAL CO.,LTD", "C2500L      ",
         maker_note(olympus_header(), Ifd{{ascii(0x0207, "SOFT")}}),
         heading("Maker Note (Olympus C2500L)") + line("Software Release", "SOFT")},
        {"Nikon D1X", ByteOrder::Motorola, "NIKON CORPORATION", "NIKON D1X",
         maker_note({}, Ifd{{ascii(0x0003, "COLOR"), shorts(0x0002, {0, 200})}}),
         heading("Maker Note (Nikon D1X)") + line("Field 0x0002", "0 200") + line("Field 0x0003", "COLOR")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        cli_result r = one_file(camera_with_maker_note(c.order, c.make, c.model, c.note)).run();
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, listing(camera_listing(c.make, c.model) + c.note_listing));
    }
}

TEST(IfdWalk, MakerNoteOfACameraWithoutMakerIfdIsOneImageField)
{
    const std::pair<std::string, std::string> cameras[] = {
        {"EASTMAN KODAK COMPANY", "KODAK DC280 DIGITAL ZOOM CAMERA"}, {"ACME", "E950"}, {"nikon", "E950"}};
    for (const auto &[make, model] : cameras) {
        Entry note = maker_note_blob(text_bytes("KDK INFO"));
        cli_result r = one_file(camera_with_maker_note(ByteOrder::Intel, make, model, note)).run();
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, listing(camera_listing(make, model) + line("Maker Note", "KDK INFO")));
    }
}

TEST(IfdWalk, OffsetPastTheBufferEndsTheWalkKeepingWhatWasRead)
{
    const std::uint32_t far = 0x100000;
    // Model and Make, then the broken entry and a field after it; IFD1 follows.
    auto broken = [](const Entry &entry) {
        return Tiff{.chain = {Ifd{{ascii(tag::kModel, "X1"), ascii(tag::kMake, "ACME"), entry, ascii(0x0131, "V1")}},
                              Ifd{{shorts(0x0100, {160})}}}};
    };
    Tiff next_far{.chain = {Ifd{.entries = {ascii(tag::kModel, "X1"), ascii(tag::kMake, "ACME")}, .next = far}}};
    const std::pair<const char *, Tiff> cases[] = {
        {"value offset", broken(entry_value(0x010E, kAscii, 40, far))},
        {"nested IFD offset", broken(entry_value(tag::kExifIfd, kLong, 1, far))},
        {"value whose size overflows 32 bits", broken(entry_value(0x0100, kLong, 0x40000001, far))},
        {"next IFD offset", next_far},
    };
    for (const auto &[why, tiff] : cases) {
        SCOPED_TRACE(why);
        cli_result r = one_file(tiff).run();
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, listing(camera + line("Make", "ACME") + line("Model", "X1"))) << "sorted, nothing after the stop";
    }
}

TEST(IfdWalk, TextValuesStopAtTheEndOfTheWindow)
{
    // APP1 is the first segment, so the 131072-byte window starts at the file's
    // first byte; the file goes on past the window.
    Bytes letters(140000);
    for (size_t i = 0; i < letters.size(); i++)
        letters[i] = static_cast<std::uint8_t>('a' + i % 26);
    auto file_with_description = [&](std::uint32_t bytes_left) {
        auto jpeg = [&](std::uint32_t offset) {
            return Jpeg{.exif = Tiff{.chain = {Ifd{{entry_value(0x010E, kAscii, 100, offset),
                                                     ascii(tag::kMake, "ACME"), ascii(tag::kModel, "X1")}}}},
                        .scan_data = letters};
        };
        Offsets where;
        build_jpeg(jpeg(0), &where);
        const std::uint32_t window_end = 131072;
        Bytes bytes = build_jpeg(jpeg(window_end - bytes_left - where.at("tiff")));
        return std::pair{bytes, std::string(bytes.begin() + window_end - bytes_left, bytes.begin() + window_end)};
    };
    auto [five_left, tail] = file_with_description(5);
    ASSERT_EQ(tail.size(), 5u);
    cli_result r = one_file(five_left).run();
    EXPECT_EQ(r.out, listing(camera + line("Description", tail) + line("Make", "ACME") + line("Model", "X1")));
    cli_result last = one_file(file_with_description(1).first).run();
    EXPECT_EQ(last.status, 0);
    EXPECT_EQ(last.err, "");
    EXPECT_EQ(last.out, listing("")) << "an offset on the window's last byte ends the walk";
}

TEST(IfdWalk, IfdLoopsEndAfterOneVisit)
{
    const Entry iso = shorts(0x8827, {100});
    struct {
        const char *why;
        Tiff tiff;
        std::string body;
    } cases[] = {
        {"IFD0 is its own next IFD", Tiff{.chain = {Ifd{.entries = {ascii(tag::kMake, "ACME")}, .next = 8}}},
         camera + line("Make", "ACME")},
        {"IFD1 leads back to IFD0",
         Tiff{.chain = {Ifd{{ascii(tag::kMake, "ACME")}}, Ifd{.entries = {shorts(0x0100, {160})}, .next = 8}}},
         camera + line("Make", "ACME") + heading("Thumbnail") + line("Image Width", "160")},
        {"EXIF IFD points back to IFD0",
         Tiff{.chain = {Ifd{{ascii(tag::kMake, "ACME"),
                             pointer(tag::kExifIfd, Ifd{{iso, entry_value(tag::kExifIfd, kLong, 1, 8)}})}}}},
         camera + line("Make", "ACME") + image + line("ISO Speed", "100")},
        {"EXIF IFD points to itself",
         Tiff{.chain = {Ifd{{ascii(tag::kMake, "ACME"),
                             pointer(tag::kExifIfd,
                                     Ifd{.entries = {iso, entry_value(tag::kInteropIfd, kLong, 1, 0x100)}, .at = 0x100})}}}},
         camera + line("Make", "ACME") + image + line("ISO Speed", "100")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        cli_result r = one_file(c.tiff).run();
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, listing(c.body));
    }
}

TEST(IfdWalk, RawModeShowsEveryDataTypeUninterpretedAndWithoutWarnings)
{
    one_file file(Tiff{.order = ByteOrder::Motorola,
                       .chain = {Ifd{{ascii(tag::kMake, "ACME"), rationals(0x011A, {{72, 1}}),
                                      byte_values(0xC001, {0x41, 0x42}), ascii(0xC002, "Hi"), shorts(0xC003, {1, 2, 3}),
                                      longs(0xC004, {4294967295u}), rationals(0xC005, {{70, 10}}),
                                      sbytes(0xC006, {-1, 2}), undefined(0xC007, text_bytes("0210")),
                                      sshorts(0xC008, {-1}), slongs(0xC009, {-1}), srationals(0xC00A, {{-1, 3}}),
                                      floats(0xC00B, {1.5f}), doubles(0xC00C, {2.5})}}}});
    cli_result r = file.run({"-u"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, listing(camera + line("Make", "ACME") + line("X Resolution", "72/1") + unknown +
                             line(unknown_label(0xC001), "4142") + line(unknown_label(0xC002), "Hi") +
                             line(unknown_label(0xC003), "1 2 3") + line(unknown_label(0xC004), "4294967295") +
                             line(unknown_label(0xC005), "70/10") + line(unknown_label(0xC006), "ff02") +
                             line(unknown_label(0xC007), "30323130") + line(unknown_label(0xC008), "-1") +
                             line(unknown_label(0xC009), "-1") + line(unknown_label(0xC00A), "-1/3") +
                             line(unknown_label(0xC00B), "<not yet implemented>") +
                             line(unknown_label(0xC00C), "<not yet implemented>")));
}

TEST(IfdWalk, ByteOrderDoesNotChangeTheListing)
{
    auto tiff = [](ByteOrder order) {
        Ifd exif{{shorts(0x8827, {100}), srationals(0x9203, {{-1, 3}}), longs(0xA002, {640}),
                  maker_note(nikon_header(),
                             Ifd{{ascii(0x0002, "FULL"), rationals(0x0008, {{3, 2}}), longs(0x0F00, {1, 70000, 3})}}),
                  pointer(tag::kInteropIfd, Ifd{{ascii(0x0001, "R98")}})}};
        return Tiff{.order = order,
                    .chain = {Ifd{{ascii(tag::kMake, "NIKON"), ascii(tag::kModel, "E950"), pointer(tag::kExifIfd, exif),
                                   pointer(tag::kGpsIfd, Ifd{{byte_values(0x0000, {2, 2, 0, 0})}})}},
                              Ifd{.entries = {shorts(0x0100, {160})}, .thumbnail = fake_jpeg(100)}}};
    };
    for (const std::vector<std::string> &options : {std::vector<std::string>{}, std::vector<std::string>{"-u"}}) {
        cli_result intel = one_file(tiff(ByteOrder::Intel)).run(options);
        cli_result motorola = one_file(tiff(ByteOrder::Motorola)).run(options);
        EXPECT_EQ(intel.err, "");
        EXPECT_EQ(motorola.err, "");
        EXPECT_EQ(intel.out, motorola.out);
        for (const std::string &expected : {line("ISO Speed", "100"), line("Image Width", "640"),
                                            line("Field 0x0f00", "1 70000 3"), line("Interop. Index", "R98"),
                                            line("Image Width", "160")})
            EXPECT_NE(motorola.out.find(expected), std::string::npos) << expected << motorola.out;
    }
}

TEST(IfdWalk, SortingKeepsExtractionOrderForEqualTypeAndTag)
{
    // IFD0 alternates two unknown tags; the EXIF IFD, read after them, adds more of the lower one.
    auto value = [](char prefix, int i) { return std::string{prefix, char('0' + i / 10), char('0' + i % 10)}; };
    Ifd ifd0{{ascii(tag::kModel, "X1")}}, exif;
    std::string low, high;
    for (int i = 0; i < 40; i++) {
        (i < 30 ? ifd0 : exif).entries.push_back(undefined(0xC000, text_bytes(value('a', i))));
        low += line(unknown_label(0xC000), value('a', i));
        if (i < 30) {
            ifd0.entries.insert(ifd0.entries.end() - 1, undefined(0xC001, text_bytes(value('b', i))));
            high += line(unknown_label(0xC001), value('b', i));
        }
    }
    ifd0.entries.push_back(pointer(tag::kExifIfd, exif));
    cli_result r = one_file(Tiff{.chain = {ifd0}}).run();
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, listing(camera + line("Model", "X1") + unknown + low + high));
}

TEST(IfdWalk, RecordsKeepDepthOrderStoredBytesAndTheThumbnailOfIfd1)
{
    // The Olympus maker note, read before IFD1, has tags 0x0201 and 0x0202 of its own.
    const Bytes thumb = fake_jpeg(64);
    Ifd olympus{{shorts(0x0201, {2}), shorts(0x0202, {1})}};
    Tiff tiff{.order = ByteOrder::Motorola,
              .chain = {Ifd{{ascii(tag::kMake, "OLYMPUS OPTICAL CO.,LTD").as("make"), ascii(tag::kModel, "C920Z,D450Z"),
                             shorts(0x0112, {6}).as("orient"),
                             pointer(tag::kExifIfd, Ifd{{maker_note(olympus_header(), olympus)}})}},
                        Ifd{.entries = {shorts(0x0100, {160})}, .thumbnail = thumb}}};
    Offsets where;
    const Bytes bytes = exif_jpeg(tiff, &where);
    temp_dir dir;
    write_file(dir.file("f.jpg"), bytes);
    exif_opts = {};
    ifd_field_store *store = nullptr;
    ASSERT_EQ(extract_exif_fields("", dir.file("f.jpg").c_str(), &store, 1), 0);
    ASSERT_EQ(store, &ifd_fields);
    EXPECT_EQ(store->model_code, 1u);
    EXPECT_EQ(store->thumbnail_offset, std::search(bytes.begin(), bytes.end(), thumb.begin(), thumb.end()) - bytes.begin());
    EXPECT_EQ(store->thumbnail_length, 64u);

    struct {
        unsigned type, tag, depth, seq;
    } expected[] = {{0, 0x010F, 0, 0}, {0, 0x0110, 0, 1}, {0, 0x0112, 0, 2}, {2, 0x0100, 0, 5},
                    {2, 0x0201, 0, 6}, {2, 0x0202, 0, 7}, {4, 0x0201, 2, 3},  {4, 0x0202, 2, 4}};
    ASSERT_EQ(store->count, std::size(expected));
    for (size_t i = 0; i < std::size(expected); i++) {
        const ifd_field &f = store->fields[i];
        EXPECT_EQ(f.ifd_type, expected[i].type) << i;
        EXPECT_EQ(f.tag, expected[i].tag) << i;
        EXPECT_EQ(f.depth, expected[i].depth) << i;
        EXPECT_EQ(f.seq, expected[i].seq) << i;
    }
    const ifd_field &make = store->fields[0];
    const std::uint32_t make_at = where.at("make") - where.at("tiff");
    const unsigned char make_raw[4] = {static_cast<unsigned char>(make_at >> 24), static_cast<unsigned char>(make_at >> 16),
                                       static_cast<unsigned char>(make_at >> 8), static_cast<unsigned char>(make_at)};
    EXPECT_EQ(make.data_type, 2);
    EXPECT_EQ(make.count, 24u);
    EXPECT_EQ(make.file_offset, where.at("make")) << "out of line: the data's position";
    EXPECT_EQ(memcmp(make.raw_value, make_raw, 4), 0);
    const ifd_field &orient = store->fields[2];
    const unsigned char orient_raw[4] = {0, 6, 0, 0};
    EXPECT_EQ(orient.file_offset, where.at("orient")) << "inline: the value field's position";
    EXPECT_EQ(memcmp(orient.raw_value, orient_raw, 4), 0);
}

}  // namespace
