// The reader reads the start of a file's 131072-byte window first and the rest
// only when a value lies there, moves the window to an APP1 segment that does
// not come first without copying it, and keeps the window and the map of IFDs
// read from one file to the next. None of that may show: every byte of the
// window reads as the file (or zeros past its end), whatever was read before.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

constexpr uint32_t window_size = 131072;
constexpr uint16_t tag_description = 0x010E;
constexpr uint16_t tag_artist = 0x013B;

// A photo whose Description is the ASCII value at TIFF offset `at`, wherever
// that lies, after the segments `before`; `size` bytes long (filler after the
// scan), with `text` placed at file position `text_at` when it is given.
struct far_value_photo {
    std::vector<Segment> before{};
    uint32_t tiff = 0;  // file offset of the TIFF header
    uint32_t app1 = 0;  // file offset of the APP1 marker

    explicit far_value_photo(std::vector<Segment> segments = {}) : before(std::move(segments))
    {
        Offsets where;
        build(0, 1, &where);
        tiff = where.at("tiff");
        app1 = where.at("app1");
    }

    Bytes build(uint32_t at, uint32_t count, Offsets *where = nullptr) const
    {
        Ifd ifd0{{entry_value(tag_description, kAscii, count, at), ascii(tag::kMake, "Probe")}};
        return build_jpeg(Jpeg{.exif = Tiff{.chain = {ifd0}}, .before = before}, where);
    }

    // The file with the Description's `count` bytes at file position `position`.
    Bytes pointing_at(uint32_t position, uint32_t count, size_t size) const
    {
        Bytes bytes = build(position - tiff, count);
        bytes.resize(size, '.');
        return bytes;
    }
};

void place(Bytes &bytes, size_t position, const std::string &text)
{
    ASSERT_LE(position + text.size() + 1, bytes.size());
    std::copy(text.begin(), text.end(), bytes.begin() + static_cast<std::ptrdiff_t>(position));
    bytes[position + text.size()] = 0;
}

// The listing of each file, by name, from a run over several files.
std::string section(const std::string &out, const std::string &name)
{
    size_t start = out.find("FILE: " + name + "\n");
    if (start == std::string::npos)
        return "";
    size_t end = out.find("FILE: ", start + 1);
    return out.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

Segment filler_segment(size_t n) { return Segment{.marker = 0xFFE2, .data = Bytes(n, 0x33)}; }

class WindowRead : public ::testing::Test {
protected:
    temp_dir dir;
    void write(const std::string &name, const Bytes &bytes) { write_file(dir.file(name), bytes); }
    cli_result run(std::vector<std::string> args) { return run_tagsift(args, {.cwd = dir.path()}); }
};

TEST_F(WindowRead, ValuesFarIntoTheWindowReadTheFilesBytes)
{
    struct layout {
        const char *name;
        std::vector<Segment> before;
        uint32_t from_app1;  // where the text lies, from the APP1 marker
    };
    // clang-format off
    const layout layouts[] = {
        {"first.jpg", {}, 100000},                                              // APP1 first
        {"straddles-first-read.jpg", {}, 4090},                                 // across the first read's end
        {"straddles-a-step.jpg", {}, 16380},                                    // across a later read's end
        {"after-app0.jpg", {jfif(), filler_segment(5000)}, 131000},              // past the file's first 131072 bytes
        {"far-app1.jpg", {filler_segment(40000), filler_segment(40000)}, 120000},  // APP1 beyond 64 KiB
    };
    // clang-format on
    std::vector<std::string> names;
    for (const layout &l : layouts) {
        far_value_photo photo(l.before);
        uint32_t position = photo.app1 + l.from_app1;
        Bytes bytes = photo.pointing_at(position, 10, photo.app1 + window_size + 5000);
        place(bytes, position, std::string("AT ") + std::to_string(l.from_app1).substr(0, 6));
        write(l.name, bytes);
        names.push_back(l.name);
    }
    // Two values read in turn, the second in the window's last step, from a file far longer than
    // the window: each read stops at the window's end, whatever was read before.
    far_value_photo photo;
    const uint32_t first = photo.app1 + 100000, second = photo.app1 + 131000;
    Ifd ifd0{{entry_value(tag_description, kAscii, 10, first - photo.tiff),
              entry_value(tag_artist, kAscii, 10, second - photo.tiff)}};
    Bytes two = build_jpeg(Jpeg{.exif = Tiff{.chain = {ifd0}}});
    two.resize(4 * window_size, '.');
    place(two, first, "FIRST");
    place(two, second, "SECOND");
    write("two-far-values.jpg", two);
    names.push_back("two-far-values.jpg");

    cli_result r = run(names);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(section(r.out, "two-far-values.jpg").find(": FIRST\n  Artist"), std::string::npos) << r.out;
    EXPECT_NE(section(r.out, "two-far-values.jpg").find(": SECOND\n"), std::string::npos) << r.out;
    EXPECT_NE(section(r.out, "first.jpg").find(": AT 100000\n"), std::string::npos) << r.out;
    EXPECT_NE(section(r.out, "after-app0.jpg").find(": AT 131000\n"), std::string::npos) << r.out;
    EXPECT_NE(section(r.out, "far-app1.jpg").find(": AT 120000\n"), std::string::npos) << r.out;
    EXPECT_NE(section(r.out, "straddles-first-read.jpg").find(": AT 4090\n"), std::string::npos) << r.out;
    EXPECT_NE(section(r.out, "straddles-a-step.jpg").find(": AT 16380\n"), std::string::npos) << r.out;
    // With debug traces the whole window is read at once, and moved to the APP1 marker.
    cli_result traced = run({"-d", "far-app1.jpg", "after-app0.jpg"});
    EXPECT_EQ(traced.status, 0);
    EXPECT_NE(traced.out.find(": AT 120000\n"), std::string::npos);
    EXPECT_NE(traced.out.find(": AT 131000\n"), std::string::npos);
}

TEST_F(WindowRead, PastTheEndOfAFileTheWindowReadsZerosWhateverTheFileBeforeLeft)
{
    // The long file leaves text where the short files' values point, past their ends.
    far_value_photo plain;
    const uint32_t position = 100000;
    Bytes long_file = plain.pointing_at(position, 8, 150000);
    place(long_file, position, "STALE");
    write("long.jpg", long_file);
    write("short.jpg", plain.pointing_at(position, 8, 3000));
    far_value_photo moved({jfif()});
    write("short-app0.jpg", moved.build(position - moved.tiff, 8));  // same place in memory, no filler

    cli_result r = run({"long.jpg", "short.jpg", "short-app0.jpg", "long.jpg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(section(r.out, "long.jpg").find(": STALE\n"), std::string::npos) << r.out;
    for (const char *name : {"short.jpg", "short-app0.jpg"}) {
        const std::string listing = section(r.out, name);
        EXPECT_EQ(listing.find("STALE"), std::string::npos) << listing;
        EXPECT_NE(listing.find(": \n  Make"), std::string::npos) << listing;  // empty Description
    }
}

TEST_F(WindowRead, IfdsAtTheSamePlacesAreReadAgainInTheNextFile)
{
    // 70 IFDs in one chain (more than the reader notes one by one), and a short chain.
    std::vector<Ifd> long_chain;
    for (uint16_t i = 0; i < 70; i++)
        long_chain.push_back(Ifd{{shorts(0x0112, {static_cast<uint16_t>(i % 8 + 1)})}});
    write("long-chain.jpg", exif_jpeg(Tiff{.chain = long_chain}));
    write("short-chain.jpg", exif_jpeg(Tiff{.chain = {Ifd{{ascii(tag::kMake, "Probe"), shorts(0x0112, {1})}},
                                                      Ifd{{shorts(0x0103, {6})}}}}));

    cli_result r = run({"long-chain.jpg", "short-chain.jpg", "short-chain.jpg", "long-chain.jpg"});
    EXPECT_EQ(r.status, 0);
    const std::string long_listing = section(r.out, "long-chain.jpg");
    const std::string short_listing = section(r.out, "short-chain.jpg");
    ASSERT_FALSE(long_listing.empty());
    ASSERT_FALSE(short_listing.empty());
    // Each listing appears twice, whole: "FILE:" plus one line per field of the 70 IFDs.
    EXPECT_GE(std::count(long_listing.begin(), long_listing.end(), '\n'), 70);
    EXPECT_EQ(r.out, long_listing + short_listing + short_listing + long_listing);
}

}  // namespace
