// File-level JPEG helpers: opening, creating, copying in passes, big-endian
// numbers, the APP1 search, short reads and failing writes.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"
#include "support/jpeg_file.h"

using namespace fixture;

namespace {

// Records the size of every write, to see the passes of a copy.
ssize_t record_write(void *cookie, const char *, size_t size)
{
    static_cast<std::vector<size_t> *>(cookie)->push_back(size);
    return static_cast<ssize_t>(size);
}

Bytes read_all(FILE *f)
{
    rewind(f);
    Bytes b;
    for (int c; (c = fgetc(f)) != EOF;)
        b.push_back(static_cast<uint8_t>(c));
    return b;
}

class JpegFile : public ::testing::Test {
protected:
    temp_dir dir;
    std::vector<FILE *> streams;  // closed after the test

    void TearDown() override
    {
        for (FILE *f : streams)
            fclose(f);
    }
    FILE *keep(FILE *f)
    {
        streams.push_back(f);
        return f;
    }
    std::string put(const std::string &name, const Bytes &bytes)
    {
        write_file(dir.file(name), bytes);
        return dir.file(name);
    }
    FILE *source(const Bytes &bytes) { return keep(fopen(put("in.bin", bytes).c_str(), "rb")); }
    static Bytes counting(size_t n)
    {
        Bytes b(n);
        for (size_t i = 0; i < n; i++)
            b[i] = static_cast<uint8_t>(i * 7 + i / 251);
        return b;
    }
};

TEST_F(JpegFile, OpenAcceptsOnlyTheStartOfImageMarker)
{
    FILE *f = nullptr;
    EXPECT_EQ(open_jpeg_file(put("empty.jpg", {}).c_str(), "rb", 0, &f), 8);
    testing::internal::CaptureStderr();
    EXPECT_EQ(open_jpeg_file(put("gif.jpg", bytes_of("GIF89a")).c_str(), "rb", 0, &f), 2);
    EXPECT_EQ(open_jpeg_file(dir.file("gif.jpg").c_str(), "rb", 1, &f), 2);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Error: " + dir.file("gif.jpg") + " is not a JPEG file\n");
    EXPECT_EQ(f, nullptr);
    ASSERT_EQ(open_jpeg_file(put("ok.jpg", fake_jpeg(10)).c_str(), "rb", 0, &f), 0);
    EXPECT_EQ(ftell(keep(f)), 2);
}

TEST_F(JpegFile, CreateEmptiesTheFileAndWritesTheMarker)
{
    FILE *f = nullptr;
    ASSERT_EQ(create_jpeg_file(put("new.jpg", Bytes(50, 1)).c_str(), &f), 0);
    EXPECT_EQ(read_all(keep(f)), (Bytes{0xFF, 0xD8}));
    testing::internal::CaptureStderr();
    EXPECT_EQ(create_jpeg_file(dir.file("no/such.jpg").c_str(), &f), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Error: Can't open file " + dir.file("no/such.jpg") + ": No such file or directory\n");
}

TEST_F(JpegFile, CopyMovesFullPassesThenTheRest)
{
    std::vector<size_t> writes;
    FILE *out = keep(fopencookie(&writes, "w", {nullptr, record_write, nullptr, nullptr}));
    setvbuf(out, nullptr, _IONBF, 0);
    EXPECT_EQ(file_copy(source(counting(300000)), out, 300000), 0);
    EXPECT_EQ(writes, (std::vector<size_t>{131072, 131072, 37856}));
}

TEST_F(JpegFile, CopyToTheEndFromAnOffsetAndShortOfTheLength)
{
    const Bytes bytes = counting(140000);
    FILE *whole = keep(tmpfile());
    EXPECT_EQ(file_copy(source(bytes), whole, 0), 0);
    EXPECT_EQ(read_all(whole), bytes);
    FILE *marked = keep(tmpfile());
    EXPECT_EQ(write_u_int2(marked, 0xFFD8), 0);  // overwritten by the copy
    EXPECT_EQ(file_copy_with_offset(source(bytes), 1000, marked, 0, 5), 0);
    EXPECT_EQ(read_all(marked), Bytes(bytes.begin() + 1000, bytes.begin() + 1005));
    FILE *partial = keep(tmpfile());
    EXPECT_EQ(file_copy(source(counting(3000)), partial, 5000), 8);
    EXPECT_EQ(read_all(partial), Bytes{}) << "the bytes of a short pass are not written";
    EXPECT_EQ(file_copy_with_offset(source(bytes), -1, partial, 0, 5), 10);
}

TEST_F(JpegFile, FailingWritesAreReportedWithTheirCodes)
{
    FILE *full = keep(fopen("/dev/full", "w"));
    ASSERT_NE(full, nullptr);
    setvbuf(full, nullptr, _IONBF, 0);
    testing::internal::CaptureStderr();
    EXPECT_EQ(write_u_int2(full, 1), 12);
    EXPECT_EQ(write_u_int4(full, 1), 12);
    EXPECT_EQ(file_copy(source(counting(10)), full, 10), 12);
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
    EXPECT_EQ(write_u_int4(f, 0x12345678), 0);
    EXPECT_EQ(write_u_int2(f, 0x9ABC), 0);
    EXPECT_EQ(read_all(f), (Bytes{0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC}));
    rewind(f);
    uint32_t four = 0;
    uint16_t two = 0;
    EXPECT_EQ(read_u_int4(f, &four) + read_u_int2(f, &two), 0);
    EXPECT_EQ(read_u_int2(f, &two), 8);
    EXPECT_EQ(read_u_int4(f, &four), 8);
    EXPECT_EQ(four, 0x12345678u);
    EXPECT_EQ(two, 0x9ABC);
    EXPECT_EQ(write_at_offset(f, "f", "xy", 2, 1) + write_at_offset(f, "f", "", 0, 3), 0);
    EXPECT_EQ(read_all(f), (Bytes{0x12, 'x', 'y', 0x78, 0x9A, 0xBC}));
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

TEST_F(JpegFile, ExistsUnlessTheSystemSaysNoSuchFile)
{
    EXPECT_EQ(file_exists(put("here", {}).c_str()), 1);
    EXPECT_EQ(file_exists(dir.file("absent").c_str()), 0);
    const std::string inside = dir.file("locked/x");
    mkdir(dir.file("locked").c_str(), 0);
    chmod(dir.path().c_str(), 0755);
    // Root searches any directory: ask as an unprivileged user in a child process.
    pid_t child = fork();
    if (child == 0)
        _exit(geteuid() == 0 && setresuid(65534, 65534, 65534) != 0 ? 2 : file_exists(inside.c_str()));
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 1);
}

}  // namespace
