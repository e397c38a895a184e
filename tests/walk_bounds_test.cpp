// The IFD walk's bound on work per file: entries that make no record (unknown
// data types, pointers) are not limited by the 200-record store, so the walk
// stops after 16384 entries in all; one IFD whose count runs past the buffer
// still ends in the read-past-end stop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

constexpr size_t entry_bound = 16384;
constexpr size_t window = 131072;
constexpr uint32_t fan_pointers = 1000;

class WalkBounds : public testing::Test {
protected:
    cli_result run_on(const Bytes &bytes, std::vector<std::string> options = {})
    {
        write_file(dir_.file("f.jpg"), bytes);
        options.push_back("f.jpg");
        return run_tagsift(options, {.cwd = dir_.path()});
    }

    // IFD0: Make, then 1000 EXIF pointers into one IFD of 2000 entries of data
    // type 0 whose tags read as an entry count of 1000 from each pointer: a
    // million skipped entries without the bound.
    static Bytes unknown_type_fan()
    {
        Ifd target;
        for (int i = 0; i < 2000; i++)
            target.entries.push_back(entry_raw(1000, 0, 0, {0, 0, 0, 0}));
        Ifd ifd0{{ascii(tag::kMake, "Canon"), pointer(tag::kExifIfd, target).as("target")}};
        for (uint32_t k = 1; k < fan_pointers; k++)
            ifd0.entries.push_back(entry_value(tag::kExifIfd, kLong, 1, 0));
        Offsets where;
        build_tiff(Tiff{.chain = {ifd0}}, &where);
        for (uint32_t k = 1; k < fan_pointers; k++)
            ifd0.entries[k + 1] = entry_value(tag::kExifIfd, kLong, 1, where["target"] + 2 + 12 * k);
        return exif_jpeg(Tiff{.chain = {ifd0}});
    }

    static size_t count_of(const std::string &text, const std::string &piece)
    {
        size_t n = 0;
        for (size_t at = text.find(piece); at != std::string::npos; at = text.find(piece, at + piece.size()))
            n++;
        return n;
    }

private:
    temp_dir dir_;
};

TEST_F(WalkBounds, SkippedEntriesStopAtTheBoundAndRecordsAreKept)
{
    cli_result r = run_on(unknown_type_fan());
    EXPECT_EQ(r.status, 0) << r.err.substr(0, 400);
    EXPECT_NE(r.out.find("Canon"), std::string::npos) << r.out;
    // Every entry walked is a warning here except the Make entry and the pointers.
    const size_t warnings = count_of(r.err, "has unknown field data type 0, field ignored");
    EXPECT_LE(warnings, entry_bound);
    EXPECT_GE(warnings, entry_bound - 1 - fan_pointers);
}

TEST_F(WalkBounds, QuietRunOfTheFanEndsNormally)
{
    cli_result r = run_on(unknown_type_fan(), {"-q", "-os", "-f", "make"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("'Canon'"), std::string::npos) << r.out;
}

TEST_F(WalkBounds, OneIfdCountingPastTheBufferStillStops)
{
    Tiff tiff{.order = ByteOrder::Motorola, .chain = {Ifd{.entry_count = 0xFFFF}}};
    cli_result r = run_on(build_jpeg({.exif = tiff, .scan = false, .pad_to = window}), {"-q"});
    EXPECT_EQ(r.status, 8);
    // The entry that reaches the end stops in its read or in the skip of its value field.
    EXPECT_TRUE(r.err == "Error: Attempt to read past end of buffer, exiting\n" ||
                r.err == "Error: Attempt to skip past end of buffer, exiting\n")
        << r.err;
}

}  // namespace
