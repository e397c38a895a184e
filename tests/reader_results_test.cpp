// Every way a file named on the command line can fail to yield EXIF data,
// with the message the user sees, and the deliberate stop at the window's end.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <thread>
#include <fcntl.h>
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

// Writes the file into a fresh directory and runs tagsift on it there.
struct one_file {
    temp_dir dir;
    explicit one_file(const Bytes &bytes) { write_file(dir.file("f.jpg"), bytes); }
    cli_result run(std::vector<std::string> options = {}) const
    {
        options.push_back("f.jpg");
        return run_tagsift(options, {.cwd = dir.path()});
    }
};

void expect_failure(const Bytes &bytes, const std::string &message, const std::string &why)
{
    cli_result r = one_file(bytes).run();
    EXPECT_EQ(r.status, 0) << why;
    EXPECT_EQ(r.out, "") << why;
    EXPECT_EQ(r.err, extract_error + message + "\n") << why;
}

TEST(ReaderResults, FilesThatAreNotJpeg)
{
    const std::string not_jpeg = "File is not a JPEG file";
    expect_failure({}, not_jpeg, "empty file");
    expect_failure({0xFF, 0xD8, 0xFF, 0xE1, 0x00}, not_jpeg, "five bytes");
    expect_failure(build_jpeg({.exif = camera_tiff(), .soi = {0xFF, 0xD9}}), not_jpeg, "starts with EOI");
    expect_failure(bytes_of("GIF89a, not a photo"), not_jpeg, "other format");
}

TEST(ReaderResults, JpegFilesWithoutExif)
{
    const std::string no_exif = "JPEG file does not contain EXIF data";
    expect_failure(build_jpeg({.before = {jfif()}}), no_exif, "segments lead to the scan");
    expect_failure(build_jpeg({.before = {Segment{.marker = 0xFFE0, .data = {1, 2}, .length = 0x7000}}, .scan = false}),
                   no_exif, "segment length past the end of the file");
    // Six bytes: the search reads the zeros past the end, then runs off the file.
    expect_failure({0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x10}, no_exif, "six-byte file");
}

TEST(ReaderResults, BrokenExifHeaders)
{
    Jpeg capitals{.exif = camera_tiff(), .exif_header = bytes_of("EXIF\0\0")};
    expect_failure(build_jpeg(capitals), "EXIF header string missing", "EXIF in capitals");
    Tiff mixed = camera_tiff();
    mixed.order_mark = "MI";
    expect_failure(exif_jpeg(mixed), "EXIF data uses unknown byte ordering", "byte-order mark MI");
}

TEST(ReaderResults, WrongTiffNumberIsReportedEvenWhenQuiet)
{
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        Tiff tiff = camera_tiff(order);
        tiff.magic = 43;
        cli_result r = one_file(exif_jpeg(tiff)).run({"-q"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, "Error: file f.jpg -TIFF tag value 2b incorrect (expected 2a)\n" + extract_error +
                             "TIFF tag missing\n");
    }
}

TEST(ReaderResults, AcceptsAnySixthHeaderByteAndExifAfterJfif)
{
    Jpeg jpeg{.exif = camera_tiff(ByteOrder::Motorola), .before = {jfif()}, .exif_header = bytes_of("Exif\0\x7f")};
    cli_result r = one_file(build_jpeg(jpeg)).run();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.out, "FILE: f.jpg\n\nCamera   \n"
                     "  Make                     : NIKON\n"
                     "  Model                    : E950\n\n");
}

TEST(ReaderResults, FirstIfdAwayFromOffsetEightIsNotedOnlyInDebugMode)
{
    Tiff tiff = camera_tiff();
    tiff.first_ifd = 10;
    one_file file(exif_jpeg(tiff));
    cli_result plain = file.run();
    EXPECT_EQ(plain.err, "");
    EXPECT_EQ(plain.out.find("WARNING"), std::string::npos);
    cli_result debug = file.run({"-d"});
    EXPECT_NE(debug.out.find("WARNING: file f.jpg - TIFF header offset to first IFD (0xa) is not 8 (it usually is)\n"),
              std::string::npos);
    EXPECT_NE(debug.out.find("  Model                    : E950\n"), std::string::npos);
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
    std::thread writer([&] {
        int fd = open(fifo.c_str(), O_WRONLY);
        if (fd >= 0) {
            ssize_t ignored = write(fd, bytes.data(), bytes.size());
            (void)ignored;
            close(fd);
        }
    });
    cli_result r = run_tagsift({"f.jpg"}, {.cwd = dir.path()});
    writer.join();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, extract_error + "Seek failed while searching for EXIF Marker\n");
}

TEST(ReaderResults, MultiByteValuePastTheWindowStopsTheRun)
{
    // 70000 SHORT values from offset 8: 140000 bytes, past the 131072-byte window.
    Tiff tiff{.chain = {Ifd{.entries = {entry_value(0x0100, kShort, 70000, 8)}}}};
    temp_dir dir;
    write_file(dir.file("a.jpg"), exif_jpeg(tiff));
    write_file(dir.file("b.jpg"), exif_jpeg(camera_tiff()));
    cli_result r = run_tagsift({"a.jpg", "b.jpg"}, {.cwd = dir.path()});
    EXPECT_EQ(r.status, 8);
    EXPECT_EQ(r.out, "") << "the run ends before the next file";
    EXPECT_EQ(r.err, "Warning: file a.jpg - Unexpected data repeat count for field 'Image Width', expected 1, "
                     "actual 70000\nError: Attempt to read past end of buffer, exiting\n");
}

TEST(ReaderResults, ExifAfterALargeSegmentIsFoundAndReadFromItsOwnWindow)
{
    // A 60000-byte APP2 before APP1 and padding past 131072 bytes: the window
    // starts at the APP1 marker.
    Jpeg jpeg{.exif = camera_tiff(ByteOrder::Motorola),
              .before = {jfif(), Segment{.marker = 0xFFE2, .data = Bytes(60000, 0x55)}},
              .pad_to = 300000};
    cli_result r = one_file(build_jpeg(jpeg)).run();
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("  Make                     : NIKON\n"), std::string::npos) << r.out;
}

}  // namespace
