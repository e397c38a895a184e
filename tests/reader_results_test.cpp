// Every way a file named on the command line can fail to yield EXIF data,
// with the message the user sees.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

const std::string extract_error = "Error: Error while extracting EXIF fields: ";

Tiff camera_tiff(ByteOrder order = ByteOrder::Intel)
{
    return Tiff{.order = order, .chain = {Ifd{.entries = {ascii(tag::kMake, "NIKON"), ascii(tag::kModel, "E950")}}}};
}

// Runs tagsift on the bytes, written as f.jpg in a fresh directory.
cli_result run_on(const Bytes &bytes, std::vector<std::string> options = {})
{
    temp_dir dir;
    write_file(dir.file("f.jpg"), bytes);
    options.push_back("f.jpg");
    return run_tagsift(options, {.cwd = dir.path()});
}

TEST(ReaderResults, FilesWithoutUsableExifAreReportedAndTheRunGoesOn)
{
    Tiff mixed = camera_tiff();
    mixed.order_mark = "MI";
    // clang-format off
    const std::pair<Bytes, std::string> cases[] = {
        {{}, "File is not a JPEG file"},
        {build_jpeg({.exif = camera_tiff(), .soi = {0xFF, 0xD9}}), "File is not a JPEG file"},
        {build_jpeg({.before = {Segment{.marker = 0xFFE0, .data = {1, 2}, .length = 0x7000}}, .scan = false}),
         "JPEG file does not contain EXIF data"},
        {build_jpeg({.exif = camera_tiff(), .exif_header = bytes_of("EXIF\0\0")}), "EXIF header string missing"},
        {exif_jpeg(mixed), "EXIF data uses unknown byte ordering"},
    };
    // clang-format on
    for (const auto &[bytes, message] : cases) {
        cli_result r = run_on(bytes);
        EXPECT_EQ(r.status, 0) << message;
        EXPECT_EQ(r.out, "") << message;
        EXPECT_EQ(r.err, extract_error + message + "\n");
    }
}

TEST(ReaderResults, WrongTiffNumberIsReportedEvenWhenQuiet)
{
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        Tiff tiff = camera_tiff(order);
        tiff.magic = 43;
        cli_result r = run_on(exif_jpeg(tiff), {"-q"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "Error: file f.jpg -TIFF tag value 2b incorrect (expected 2a)\n" + extract_error +
                             "TIFF tag missing\n");
    }
}

TEST(ReaderResults, ExifAfterALargeSegmentWithAnyHeaderEndAndFirstIfdAnywhere)
{
    // The window starts again at the APP1 marker, past the 131072 bytes first read.
    Tiff tiff = camera_tiff(ByteOrder::Motorola);
    tiff.first_ifd = 10;
    const Segment large{.marker = 0xFFE2, .data = Bytes(65000, 0x55)};
    Jpeg jpeg{.exif = tiff, .before = {jfif(), large, large, large}, .exif_header = bytes_of("Exif\0\x7f")};
    cli_result r = run_on(build_jpeg(jpeg));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "FILE: f.jpg\n\nCamera   \n"
                     "  Make                     : NIKON\n"
                     "  Model                    : E950\n\n");
}

TEST(ReaderResults, UnreadableFileCannotBeOpened)
{
    if (!can_drop_privileges())
        GTEST_SKIP() << "needs root and setpriv to run as an unprivileged user";
    temp_dir dir;
    write_file(dir.file("f.jpg"), exif_jpeg(camera_tiff()));
    chmod(dir.file("f.jpg").c_str(), 0);
    cli_result r = run_tagsift({"f.jpg"}, {.cwd = dir.path(), .unprivileged = true});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Error: Can't open file f.jpg: Permission denied\n" + extract_error + "Can't open file\n");
}

TEST(ReaderResults, SeekFailureOnAStream)
{
    // A pipe cannot seek: a segment that leads past what was read needs a seek.
    temp_dir dir;
    std::string fifo = dir.file("f.jpg");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    Bytes bytes = build_jpeg({.exif = camera_tiff(), .before = {Segment{.marker = 0xFFE0, .length = 0x8000}}});
    // The bytes wait in the FIFO, which a reader of the test's own keeps, for a run that opens
    // it when its writer has gone: reads take what is there, then meet the end.
    const int keeper = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    const int writer = open(fifo.c_str(), O_WRONLY);
    ASSERT_EQ(write(writer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(writer);
    cli_result r = run_tagsift({"f.jpg"}, {.cwd = dir.path(), .timeout_seconds = 20});
    close(keeper);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, extract_error + "Seek failed while searching for EXIF Marker\n");
}

}  // namespace
