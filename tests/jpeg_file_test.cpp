// File-level JPEG helpers: copying in passes, big-endian numbers, the APP1
// search, short reads and failing writes.
#include <gtest/gtest.h>

#include "fixture/jpeg_builder.h"
#include "support/jpeg_file.h"

using namespace fixture;

namespace {

// Records the size of every write, to see the passes of a copy.
ssize_t record_write(void *cookie, const char *, size_t size)
{
    static_cast<std::vector<size_t> *>(cookie)->push_back(size);
    return static_cast<ssize_t>(size);
}

class JpegFile : public ::testing::Test {
protected:
    std::vector<FILE *> streams;  // closed after the test

    void TearDown() override
    {
        for (FILE *f : streams)
            fclose(f);
    }
    FILE *keep(FILE *f) { return streams.emplace_back(f); }
    FILE *source(const Bytes &bytes)
    {
        FILE *f = keep(tmpfile());
        fwrite(bytes.data(), 1, bytes.size(), f);
        rewind(f);
        return f;
    }
};

TEST_F(JpegFile, CopyMovesFullPassesAndNothingOfAShortOne)
{
    std::vector<size_t> writes;
    FILE *out = keep(fopencookie(&writes, "w", {nullptr, record_write, nullptr, nullptr}));
    setvbuf(out, nullptr, _IONBF, 0);
    EXPECT_EQ(file_copy(source(Bytes(300000, 7)), out, 300000), 0);
    EXPECT_EQ(writes, (std::vector<size_t>{131072, 131072, 37856}));
    EXPECT_EQ(file_copy(source(Bytes(140000, 7)), out, 150000), 8);
    EXPECT_EQ(writes.size(), 4u) << "only the full pass is written";
}

TEST_F(JpegFile, FailingWritesAreReportedWithTheirCodes)
{
    FILE *full = keep(fopen("/dev/full", "w"));
    ASSERT_NE(full, nullptr);
    setvbuf(full, nullptr, _IONBF, 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(write_u_int2(full, 1), 12);
    EXPECT_EQ(write_u_int4(full, 1), 12);
    EXPECT_EQ(file_copy(source(Bytes(10, 7)), full, 10), 12);
    EXPECT_EQ(write_at_offset(full, "full", "ab", 2, 4), 12);
    EXPECT_EQ(write_at_offset(keep(tmpfile()), "tmp", "ab", 2, -4), 10);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error: Data truncated in file write\n"
              "Error: Data truncated if file write\n"
              "Error: Data truncated if file write\n"
              "Error: Write failed for full at offset 4: No space left on device\n"
              "Error: Seek failed for file write tmp: Invalid argument\n");
}

TEST_F(JpegFile, NumbersAreBigEndianAndShortReadsKeepTheValue)
{
    FILE *f = keep(tmpfile());
    EXPECT_EQ(write_u_int4(f, 0x12345678) + write_u_int2(f, 0x9ABC) + write_at_offset(f, "f", "xy", 2, 1), 0);
    uint32_t four = 0;
    uint16_t two = 0xEEEE;
    EXPECT_EQ(seek_to_offset(f, 2) + read_u_int4(f, &four), 0);
    EXPECT_EQ(four, 0x79789ABCu) << "'y', then the first number's last byte and the second number";
    EXPECT_EQ(seek_to_offset(f, 3) + read_u_int4(f, &four), 8) << "three bytes left";
    EXPECT_EQ(seek_to_offset(f, 5) + read_u_int2(f, &two), 8) << "one byte left";
    EXPECT_EQ(four, 0x79789ABCu);
    EXPECT_EQ(two, 0xEEEE);
}

TEST_F(JpegFile, ExifSearchWalksSegmentsUpToApp1OrTheScan)
{
    Offsets where;
    const Bytes jpeg = build_jpeg({.exif = Tiff{.chain = {Ifd{}}}, .before = {jfif()}}, &where);
    const size_t app1 = where.at("app1");
    uint16_t length = 0;
    FILE *f = source(jpeg);
    ASSERT_EQ(seek_to_exif_data(f, &length), 0);
    EXPECT_EQ(length, jpeg[app1 + 2] << 8 | jpeg[app1 + 3]);
    EXPECT_EQ(ftell(f), static_cast<long>(app1 + 4));
    EXPECT_EQ(seek_to_exif_data(source(build_jpeg({.before = {jfif()}})), &length), 3);
    EXPECT_EQ(seek_to_exif_data(source(build_jpeg({.before = {jfif()}, .scan = false})), &length), 8);
    EXPECT_EQ(seek_to_exif_data(source({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x00}), &length), 8)
        << "a zero length must still move the walk forward";
}

}  // namespace
