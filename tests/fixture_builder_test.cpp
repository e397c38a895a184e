// Checks the bytes the fixture builder produces, read back independently.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fixture/jpeg_builder.h"

namespace {

using namespace fixture;

std::uint32_t rd(const Bytes &b, std::size_t at, unsigned n, bool motorola)
{
    std::uint32_t v = 0;
    for (unsigned i = 0; i < n; ++i) {
        v |= std::uint32_t{b.at(at + i)} << (8 * (motorola ? n - 1 - i : i));
    }
    return v;
}

std::string str(const Bytes &b, std::size_t at, std::size_t n)
{
    if (at > b.size() || n > b.size() - at)
        return "<past the end>";
    return std::string(b.begin() + at, b.begin() + at + n);
}

// File offset of entry `i` of the IFD at `ifd`, counted from `base`.
std::size_t entry_at(std::size_t base, std::uint32_t ifd, unsigned i) { return base + ifd + 2 + 12 * i; }

TEST(FixtureBuilder, FileLayoutInBothByteOrders)
{
    for (bool mm : {false, true}) {
        SCOPED_TRACE(mm ? "Motorola" : "Intel");
        const Bytes f =
            exif_jpeg(Tiff{mm ? ByteOrder::Motorola : ByteOrder::Intel,
                           {Ifd{{ascii(tag::kMake, "SONY"), shorts(0x0112, {6}), rationals(0x011A, {{72, 1}})}}}});
        ASSERT_EQ(str(f, 0, 4), std::string("\xFF\xD8\xFF\xE1"));
        EXPECT_EQ(rd(f, 4 + rd(f, 4, 2, true), 2, true), 0xFFDAu);  // SOS right after APP1
        EXPECT_EQ(str(f, 6, 6), std::string("Exif\0\0", 6));
        const std::size_t t = 12;
        EXPECT_EQ(str(f, t, 4), mm ? std::string("MM\0*", 4) : std::string("II*\0", 4));
        ASSERT_EQ(rd(f, t + 4, 4, mm), 8u);
        EXPECT_EQ(rd(f, t + 8, 2, mm), 3u);
        // Make: ASCII, 5 bytes with the NUL, out of line.
        std::size_t e = entry_at(t, 8, 0);
        EXPECT_EQ(rd(f, e, 2, mm), 0x010Fu);
        EXPECT_EQ(rd(f, e + 2, 2, mm), 2u);
        EXPECT_EQ(rd(f, e + 4, 4, mm), 5u);
        const std::uint32_t make = rd(f, e + 8, 4, mm);
        EXPECT_EQ(str(f, t + make, 5), std::string("SONY\0", 5));
        // Orientation: SHORT 6 left-justified in the value field.
        e = entry_at(t, 8, 1);
        EXPECT_EQ(rd(f, e + 8, 2, mm), 6u);
        EXPECT_EQ(rd(f, e + 10, 2, mm), 0u);
        // XResolution: numerator then denominator, after a pad byte that keeps it at an even offset.
        const std::uint32_t res = rd(f, entry_at(t, 8, 2) + 8, 4, mm);
        EXPECT_EQ(res, make + 6);
        EXPECT_EQ(rd(f, t + res, 4, mm), 72u);
        EXPECT_EQ(rd(f, t + res + 4, 4, mm), 1u);
        EXPECT_EQ(rd(f, entry_at(t, 8, 3), 4, mm), 0u);  // end of chain
        EXPECT_EQ(str(f, f.size() - 2, 2), std::string("\xFF\xD9"));
    }
}

TEST(FixtureBuilder, FujiFilmMakerNoteInAMotorolaFile)
{
    // An Intel IFD at blob + 12, with offsets counted from the blob.
    Ifd fuji{{shorts(0x1001, {3}), ascii(0x1000, "0100 LONG")}};
    Bytes f =
        build_tiff(Tiff{ByteOrder::Motorola, {Ifd{{maker_note(fujifilm_header(), fuji, MakerLayout::FujiFilm)}}}});
    std::uint32_t count = rd(f, entry_at(0, 8, 0) + 4, 4, true);
    std::uint32_t blob = rd(f, entry_at(0, 8, 0) + 8, 4, true);
    EXPECT_EQ(str(f, blob, 12), std::string("FUJIFILM\x0c\0\0\0", 12));
    EXPECT_EQ(rd(f, blob + 12, 2, false), 2u);
    EXPECT_EQ(rd(f, entry_at(blob, 12, 0) + 8, 2, false), 3u);
    std::uint32_t text = rd(f, entry_at(blob, 12, 1) + 8, 4, false);
    EXPECT_EQ(str(f, blob + text, 10), std::string("0100 LONG\0", 10));
    EXPECT_EQ(count, text + 10);
}

}  // namespace
