// The IFD walk seen from the command line: which IFDs are read and under which
// heading, which entries are dropped or warned about, and how the walk ends on
// broken offsets and loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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
    snprintf(text, sizeof text, "Unknown Field 0x%.4x", tag);
    return text;
}

const std::string camera = heading("Camera   ");
const std::string image = heading("Image    ");
const std::string unknown = heading("Unknown  ");

Bytes text_bytes(const std::string &s) { return Bytes(s.begin(), s.end()); }

void expect_output(const cli_result &r, const std::string &out, const std::string &err = "")
{
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(r.err, err);
}

// The listing must be the same with and without -q, and -q prints nothing on stderr.
void expect_listing_and_warnings(const one_file &file, const std::string &out, const std::string &err)
{
    expect_output(file.run(), out, err);
    expect_output(file.run({"-q"}), out);
}

TEST(IfdWalk, UnknownTagsAreListedUnderUnknownAndUnknownDataTypesSkipped)
{
    one_file file(
        Tiff{.chain = {Ifd{{entry_raw(0x010E, 0, 1, {'a', 0, 0, 0}), ascii(tag::kMake, "ACME"), shorts(0xC001, {7}),
                            entry_raw(0x0131, 13, 1, {3, 0, 0, 0}), undefined(0xC000, text_bytes("WXYZ"))}}}});
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
        type_warning +
            "'Make', expected STRING, actual UNSIGNED SHORT.\n"
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
    std::string body = unknown;
    for (unsigned tag = 0xC001; tag <= 0xC0C8; tag++)
        body += line(unknown_label(tag), std::string(1, static_cast<char>('a' + tag % 26)));
    expect_output(one_file(Tiff{.chain = {ifd0, Ifd{{ascii(tag::kMake, "ACME")}}}}).run(), listing(body));
}

TEST(IfdWalk, PointersOpenTheirIfdTypesAndASecondExifIfdIsUnknown)
{
    const std::vector<Ifd> exif_chain = {
        Ifd{{ascii(0x9290, "42"), pointer(tag::kInteropIfd, Ifd{{ascii(0x0001, "R98")}})}},
        Ifd{{shorts(0x8827, {100}), ascii(0x9290, "43")}}};
    one_file file(Tiff{
        .chain = {Ifd{{ascii(tag::kMake, "ACME"), pointer(tag::kSubIfds, Ifd{{shorts(0x0100, {640})}}),
                       pointer_chain(tag::kExifIfd, exif_chain), pointer(tag::kGpsIfd, Ifd{{ascii(0x0001, "N")}})}}}});
    expect_output(file.run(),
                  listing(camera + line("Make", "ACME") + image + line("Subsec Time", "42") + heading("InterOp  ") +
                          line("Interop. Index", "R98") + heading("GPS") + line("Latitude Reference", "N") +
                          heading("TIFF Sub-IFD") + line("Image Width", "640") + unknown + line("ISO Speed", "100") +
                          line("Subsec Time", "43")));
}

TEST(IfdWalk, PointerValueIsReadAsA32BitOffsetWhateverItsType)
{
    // An EXIF IFD written by hand in Motorola order: one entry, ISO speed 100.
    const Bytes exif = {0, 1, 0x88, 0x27, 0, 3, 0, 0, 0, 1, 0, 100, 0, 0, 0, 0, 0, 0};
    Entry pointer_entry = offset_to(tag::kExifIfd, exif).with_type(kUndefined).with_count(3);
    expect_output(one_file(Tiff{.order = ByteOrder::Motorola, .chain = {Ifd{{pointer_entry}}}}).run(),
                  listing(image + line("ISO Speed", "100")));
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
        {"Nikon D1X", ByteOrder::Motorola, "NIKON CORPORATION", "NIKON D1X",
         maker_note({}, Ifd{{ascii(0x0003, "COLOR"), shorts(0x0002, {0, 200})}}),
         heading("Maker Note (Nikon D1X)") + line("Field 0x0002", "0 200") + line("Field 0x0003", "COLOR")},
        {"Kodak DC280: the maker note is no IFD but one Image field", ByteOrder::Intel, "EASTMAN KODAK COMPANY",
         "KODAK DC280 DIGITAL ZOOM CAMERA", maker_note_blob(text_bytes("KDK INFO")), line("Maker Note", "KDK INFO")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.why);
        Ifd ifd0{{ascii(tag::kModel, c.model), pointer(tag::kExifIfd, Ifd{{c.note, shorts(0x8827, {100})}})}};
        if (!c.make.empty())
            ifd0.entries.insert(ifd0.entries.begin(), ascii(tag::kMake, c.make));
        const std::string make_line = c.make.empty() ? "" : line("Make", c.make);
        expect_output(
            one_file(Tiff{.order = c.order, .chain = {ifd0}}).run(),
            listing(camera + make_line + line("Model", c.model) + image + line("ISO Speed", "100") + c.note_listing));
    }
}

TEST(IfdWalk, TextValuesStopAtTheEndOfTheWindow)
{
    // APP1 comes first, so the 131072-byte window starts at the file's first
    // byte; the file goes on past it with letters.
    Bytes letters(140000);
    for (size_t i = 0; i < letters.size(); i++)
        letters[i] = static_cast<std::uint8_t>('a' + i % 26);
    const std::uint32_t tiff_start = 12, window_end = 131072;
    for (std::uint32_t left : {5u, 1u}) {
        Bytes bytes =
            build_jpeg({.exif = Tiff{.chain = {Ifd{{entry_value(0x010E, kAscii, 100, window_end - left - tiff_start),
                                                    ascii(tag::kMake, "ACME")}}}},
                        .scan_data = letters});
        const std::string tail(bytes.begin() + window_end - left, bytes.begin() + window_end);
        // An offset on the window's last byte ends the walk.
        expect_output(one_file(bytes).run(),
                      listing(left == 1 ? "" : camera + line("Description", tail) + line("Make", "ACME")));
    }
}

TEST(IfdWalk, LoopsAndOffsetsPastTheBufferEndTheWalkKeepingWhatWasRead)
{
    const std::uint32_t far = 0x100000;
    const Entry make = ascii(tag::kMake, "ACME"), iso = shorts(0x8827, {100});
    // Make, then the broken entry and a field after it; IFD1 follows.
    auto broken = [&](const Entry &entry) {
        return Tiff{.chain = {Ifd{{make, entry, ascii(0x0131, "V1")}}, Ifd{{shorts(0x0100, {160})}}}};
    };
    // clang-format off
    const std::pair<Tiff, std::string> cases[] = {
        {broken(entry_value(0x010E, kAscii, 40, far)), ""},
        {broken(entry_value(tag::kExifIfd, kLong, 1, far)), ""},
        {broken(entry_value(0x0100, kLong, 0x40000001, far)), ""},  // a size that overflows 32 bits
        {Tiff{.chain = {Ifd{.entries = {make}, .next = far}}}, ""},
        {Tiff{.chain = {Ifd{.entries = {make}, .next = 8}}}, ""},
        {Tiff{.chain = {Ifd{{make}}, Ifd{.entries = {shorts(0x0100, {160})}, .next = 8}}},
         heading("Thumbnail") + line("Image Width", "160")},
        {Tiff{.chain = {Ifd{{make, pointer(tag::kExifIfd, Ifd{{iso, entry_value(tag::kExifIfd, kLong, 1, 8)}})}}}},
         image + line("ISO Speed", "100")},
        {Tiff{.chain = {Ifd{{make, pointer(tag::kExifIfd, Ifd{.entries = {iso, entry_value(tag::kInteropIfd, kLong, 1, 0x100)},
                                                                .at = 0x100})}}}},
         image + line("ISO Speed", "100")},
    };
    // clang-format on
    for (const auto &[tiff, rest] : cases)
        expect_output(one_file(tiff).run(), listing(camera + line("Make", "ACME") + rest));
}

TEST(IfdWalk, RawModeShowsEveryDataTypeUninterpretedAndWithoutWarnings)
{
    one_file file(
        Tiff{.order = ByteOrder::Motorola,
             .chain = {Ifd{{ascii(tag::kMake, "ACME"), rationals(0x011A, {{72, 1}}), byte_values(0xC001, {0x41, 0x42}),
                            ascii(0xC002, "Hi"), shorts(0xC003, {1, 2, 3}), longs(0xC004, {4294967295u}),
                            rationals(0xC005, {{70, 10}}), sbytes(0xC006, {-1, 2}),
                            undefined(0xC007, text_bytes("0210")), sshorts(0xC008, {-1}), slongs(0xC009, {-1}),
                            srationals(0xC00A, {{-1, 3}}), floats(0xC00B, {1.5f}), doubles(0xC00C, {2.5})}}}});
    expect_output(file.run({"-u"}),
                  listing(camera + line("Make", "ACME") + line("X Resolution", "72/1") + unknown +
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
        expect_output(intel, motorola.out);
        EXPECT_EQ(motorola.err, "");
        EXPECT_NE(
            motorola.out.find(line("Focus", options.empty() ? "1.50" : "3/2") + line("Field 0x0f00", "1 70000 3")),
            std::string::npos)
            << motorola.out;
    }
}

}  // namespace

namespace {

TEST(IfdWalk, EqualTypeAndTagKeepExtractionOrder)
{
    // The EXIF IFD is read first (its pointer leads IFD0), so its 20 copies of
    // an unknown tag come before IFD0's 20; tags lower than theirs follow, so
    // the sort has to move every one of them.
    std::vector<Entry> ifd0 = {}, exif = {};
    std::string expected = unknown;
    for (char group : {'b', 'a'}) {
        for (int i = 0; i < 20; i++) {
            std::string value = group + std::to_string(10 + i);
            (group == 'a' ? ifd0 : exif).push_back(undefined(0xC000, text_bytes(value)));
            expected += line(unknown_label(0xC000), value);
        }
    }
    ifd0.insert(ifd0.begin(), pointer(tag::kExifIfd, Ifd{exif}));
    ifd0.push_back(ascii(tag::kMake, "NIKON"));
    std::string out = listing(camera + line("Make", "NIKON") + expected);
    expect_output(one_file(Tiff{.chain = {Ifd{ifd0}}}).run(), out);
}

}  // namespace
