// Checks the bytes the fixture builder produces, read back independently.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "fixture/jpeg_builder.h"

namespace {

using namespace fixture;

std::uint32_t rd(const Bytes& b, std::size_t at, unsigned n, bool motorola) {
  std::uint32_t v = 0;
  for (unsigned i = 0; i < n; ++i) {
    unsigned shift = motorola ? n - 1 - i : i;
    v |= std::uint32_t{b.at(at + i)} << (8 * shift);
  }
  return v;
}

std::string str(const Bytes& b, std::size_t at, std::size_t n) {
  if (at > b.size() || n > b.size() - at) return "<past the end>";
  return std::string(b.begin() + at, b.begin() + at + n);
}

// Entry `i` of the IFD at TIFF offset `ifd`: returns the file offset of
// its first byte.
std::size_t entry_at(std::size_t tiff, std::uint32_t ifd, unsigned i) {
  return tiff + ifd + 2 + 12 * i;
}

Tiff camera(ByteOrder order) {
  return Tiff{order,
              {Ifd{{ascii(tag::kMake, "SONY"), shorts(0x0112, {6}),
                    rationals(0x011A, {{72, 1}})}}}};
}

void check_camera_file(const Bytes& f, bool mm) {
  ASSERT_EQ(str(f, 0, 4), std::string("\xFF\xD8\xFF\xE1"));
  std::uint32_t app1_len = rd(f, 4, 2, true);
  EXPECT_EQ(rd(f, 4 + app1_len, 2, true), 0xFFDAu);  // SOS right after APP1
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
  std::uint32_t make = rd(f, e + 8, 4, mm);
  EXPECT_EQ(str(f, t + make, 5), std::string("SONY\0", 5));
  // Orientation: SHORT 6 left-justified in the value field.
  e = entry_at(t, 8, 1);
  EXPECT_EQ(rd(f, e + 8, 2, mm), 6u);
  EXPECT_EQ(rd(f, e + 10, 2, mm), 0u);
  // XResolution: numerator then denominator in the file's order, after a
  // pad byte that keeps it at an even offset.
  std::uint32_t res = rd(f, entry_at(t, 8, 2) + 8, 4, mm);
  EXPECT_EQ(res, make + 6);
  EXPECT_EQ(rd(f, t + res, 4, mm), 72u);
  EXPECT_EQ(rd(f, t + res + 4, 4, mm), 1u);
  EXPECT_EQ(rd(f, entry_at(t, 8, 3), 4, mm), 0u);  // end of chain
  EXPECT_EQ(str(f, f.size() - 2, 2), std::string("\xFF\xD9"));
}

TEST(FixtureBuilder, IntelLayout) { check_camera_file(exif_jpeg(camera(ByteOrder::Intel)), false); }

TEST(FixtureBuilder, MotorolaLayout) {
  check_camera_file(exif_jpeg(camera(ByteOrder::Motorola)), true);
}

TEST(FixtureBuilder, NestedPointersChainAndThumbnail) {
  const Bytes thumb = fake_jpeg(300);
  Ifd exif{{rationals(0x829A, {{1, 125}}),
            pointer(tag::kInteropIfd, Ifd{{ascii(0x0001, "R98")}}).as("interop")}};
  Tiff tiff{ByteOrder::Motorola,
            {Ifd{{ascii(tag::kModel, "E950"), pointer(tag::kExifIfd, exif),
                  pointer(tag::kGpsIfd, Ifd{{byte_values(0x0000, {2, 2, 0, 0})}})}},
             Ifd{.entries = {shorts(0x0103, {6})}, .thumbnail = thumb}}};
  Offsets where;
  Bytes f = exif_jpeg(tiff, &where);
  const std::size_t t = where.at("tiff");
  ASSERT_EQ(t, 12u);

  std::uint32_t exif_ifd = rd(f, entry_at(t, 8, 1) + 8, 4, true);
  ASSERT_EQ(rd(f, t + exif_ifd, 2, true), 2u);
  std::uint32_t exposure = rd(f, entry_at(t, exif_ifd, 0) + 8, 4, true);
  EXPECT_EQ(rd(f, t + exposure + 4, 4, true), 125u);
  std::uint32_t interop = rd(f, entry_at(t, exif_ifd, 1) + 8, 4, true);
  EXPECT_EQ(t + interop, where.at("interop"));
  EXPECT_EQ(str(f, entry_at(t, interop, 0) + 8, 4), std::string("R98\0", 4));
  std::uint32_t gps = rd(f, entry_at(t, 8, 2) + 8, 4, true);
  EXPECT_EQ(rd(f, entry_at(t, gps, 0) + 8, 4, true), 0x02020000u);

  // IFD0 -> IFD1 -> end; IFD1 ends with the thumbnail entries.
  std::uint32_t ifd1 = rd(f, entry_at(t, 8, 3), 4, true);
  ASSERT_GT(ifd1, gps);
  ASSERT_EQ(rd(f, t + ifd1, 2, true), 3u);
  EXPECT_EQ(rd(f, entry_at(t, ifd1, 1), 2, true), 0x0201u);
  EXPECT_EQ(rd(f, entry_at(t, ifd1, 2), 2, true), 0x0202u);
  std::uint32_t at = rd(f, entry_at(t, ifd1, 1) + 8, 4, true);
  std::uint32_t len = rd(f, entry_at(t, ifd1, 2) + 8, 4, true);
  ASSERT_EQ(len, thumb.size());
  EXPECT_EQ(Bytes(f.begin() + t + at, f.begin() + t + at + len), thumb);
  EXPECT_EQ(rd(f, entry_at(t, ifd1, 3), 4, true), 0u);
}

TEST(FixtureBuilder, MakerNotes) {
  // FujiFilm inside a Motorola file: Intel IFD at blob + 12, offsets from the blob.
  Ifd fuji{{shorts(0x1001, {3}), ascii(0x1000, "0100 LONG")}};
  Bytes f = build_tiff(
      Tiff{ByteOrder::Motorola, {Ifd{{maker_note(fujifilm_header(), fuji, MakerLayout::FujiFilm)}}}});
  std::uint32_t count = rd(f, entry_at(0, 8, 0) + 4, 4, true);
  std::uint32_t blob = rd(f, entry_at(0, 8, 0) + 8, 4, true);
  EXPECT_EQ(str(f, blob, 12), std::string("FUJIFILM\x0c\0\0\0", 12));
  EXPECT_EQ(rd(f, blob + 12, 2, false), 2u);
  EXPECT_EQ(rd(f, entry_at(blob, 12, 0) + 8, 2, false), 3u);
  std::uint32_t text = rd(f, entry_at(blob, 12, 1) + 8, 4, false);
  EXPECT_EQ(str(f, blob + text, 10), std::string("0100 LONG\0", 10));
  EXPECT_EQ(count, text + 10);

  // Olympus in an Intel file: IFD right after the header, offsets from the TIFF start.
  Bytes g = build_tiff(Tiff{ByteOrder::Intel,
                            {Ifd{{maker_note(olympus_header(), Ifd{{longs(0x0200, {1, 2, 3})}})}}}});
  blob = rd(g, entry_at(0, 8, 0) + 8, 4, false);
  EXPECT_EQ(str(g, blob, 8), std::string("OLYMP\0\x01\0", 8));
  std::uint32_t values = rd(g, entry_at(0, blob + 8, 0) + 8, 4, false);
  EXPECT_EQ(rd(g, values + 8, 4, false), 3u);
  EXPECT_EQ(rd(g, entry_at(0, 8, 0) + 4, 4, false), values + 12 - blob);
}

TEST(FixtureBuilder, BrokenVariants) {
  Tiff tiff{ByteOrder::Intel,
            {Ifd{.entries = {entry_raw(0xC000, 13, 0xFFFFFFFF, {1, 2, 3, 4})}, .entry_count = 9},
             Ifd{.entries = {entry_value(0x8769, kLong, 1, 10)}, .at = 0x40, .next = 0x40}},
            10,
            43,
            "MI"};
  Bytes t = build_tiff(tiff);
  EXPECT_EQ(str(t, 0, 2), "MI");
  EXPECT_EQ(rd(t, 2, 2, false), 43u);
  EXPECT_EQ(rd(t, 4, 4, false), 10u);
  EXPECT_EQ(rd(t, 10, 2, false), 9u);
  EXPECT_EQ(rd(t, entry_at(0, 10, 0) + 2, 2, false), 13u);
  EXPECT_EQ(rd(t, entry_at(0, 10, 0) + 4, 4, false), 0xFFFFFFFFu);
  EXPECT_EQ(rd(t, entry_at(0, 10, 0) + 8, 4, false), 0x04030201u);
  EXPECT_EQ(rd(t, entry_at(0, 10, 1), 4, false), 0x40u);   // IFD0 -> IFD1 at 0x40
  EXPECT_EQ(rd(t, entry_at(0, 0x40, 0) + 8, 4, false), 10u);
  EXPECT_EQ(rd(t, entry_at(0, 0x40, 1), 4, false), 0x40u);  // IFD1 -> itself

  Jpeg j;
  j.soi = {0xFF, 0xD9};
  j.before = {jfif(), Segment{0xFFE2, Bytes(10, 0), 0x1234}};
  j.exif = tiff;
  j.pad_to = 140000;
  Bytes f = build_jpeg(j);
  EXPECT_EQ(f.size(), 140000u);
  EXPECT_EQ(str(f, 0, 4), std::string("\xFF\xD9\xFF\xE0"));
  EXPECT_EQ(str(f, 6, 5), std::string("JFIF\0", 5));
  EXPECT_EQ(rd(f, 20, 4, true), 0xFFE21234u);
  EXPECT_EQ(rd(f, 34, 2, true), 0xFFE1u);
  j.truncate_at = 100;
  EXPECT_EQ(build_jpeg(j).size(), 100u);
}

}  // namespace
