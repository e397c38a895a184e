// -t end to end: the thumbnail file holds exactly the bytes the photo carries,
// under the name built from the source's, within the run's limits.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sys/stat.h>

#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;
namespace fs = std::filesystem;

namespace {

Bytes read_bytes(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A photo whose IFD1 holds `thumbnail` with its offset and length entries.
Bytes photo_with(const Bytes &thumbnail, ByteOrder order = ByteOrder::Intel)
{
    Ifd ifd0{.entries = {ascii(tag::kMake, "NIKON"), ascii(tag::kModel, "E950")}};
    return exif_jpeg(Tiff{.order = order, .chain = {ifd0, Ifd{.thumbnail = thumbnail}}});
}

class Thumbnail : public ::testing::Test {
protected:
    temp_dir dir;
    const Bytes thumb = fake_jpeg(5000);

    void put(const std::string &name, const Bytes &bytes)
    {
        fs::create_directories(fs::path(dir.file(name)).parent_path());
        write_file(dir.file(name), bytes);
    }
    cli_result run(std::vector<std::string> args) const { return run_tagsift(args, {.cwd = dir.path()}); }
    bool exists(const std::string &name) const { return fs::exists(dir.file(name)); }
};

TEST_F(Thumbnail, CopiesExactlyTheEmbeddedBytesInBothByteOrders)
{
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        put("photo.jpg", photo_with(thumb, order));
        cli_result r = run({"-t", "photo.jpg"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "Thumbnail extracted from photo.jpg into photo-th.jpg\n");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(read_bytes(dir.file("photo-th.jpg")), thumb);
    }
}

TEST_F(Thumbnail, NameTakesTheSuffixBeforeTheExtensionOfTheLastComponent)
{
    const std::pair<std::string, std::string> names[] = {
        {"photo", "photo-th"},
        {"pics/a.jpg", "pics/a-th.jpg"},
        {"dir.d/photo", "dir.d/photo-th"},
        {"dir/.hidden", "dir/.hidden-th"},
    };
    for (const auto &[source, thumbnail] : names) {
        put(source, photo_with(thumb));
        cli_result r = run({"-t", source});
        EXPECT_EQ(r.out, "Thumbnail extracted from " + source + " into " + thumbnail + "\n");
        EXPECT_EQ(read_bytes(dir.file(thumbnail)), thumb) << source;
    }
    EXPECT_FALSE(exists("dir-th.d")) << "the extension search crossed a '/'";
}

TEST_F(Thumbnail, SecondRunOverwritesTheFirstThumbnail)
{
    put("photo.jpg", photo_with(thumb));
    put("photo-th.jpg", Bytes(20000, 'x'));  // longer than the thumbnail: must not survive past it
    EXPECT_EQ(run({"-t", "photo.jpg"}).status, 0);
    EXPECT_NE(run({"-t", "-d", "photo.jpg"}).out.find("Extracting Thumbnail (photo.jpg)\n"), std::string::npos);
    EXPECT_EQ(read_bytes(dir.file("photo-th.jpg")), thumb);
}

TEST_F(Thumbnail, DirectoryWalkWritesEachThumbnailBesideItsSource)
{
    put("pics/a.jpg", photo_with(thumb));
    put("pics/sub/b.jpg", photo_with(fake_jpeg(300), ByteOrder::Motorola));
    EXPECT_EQ(run({"-t", "-r", "pics"}).status, 0);
    EXPECT_EQ(read_bytes(dir.file("pics/a-th.jpg")), thumb);
    EXPECT_EQ(read_bytes(dir.file("pics/sub/b-th.jpg")), fake_jpeg(300));
}

TEST_F(Thumbnail, FileWithoutThumbnailIsReportedUnlessQuietAndCreatesNothing)
{
    put("pics/none.jpg", exif_jpeg(Tiff{.chain = {Ifd{.entries = {ascii(tag::kMake, "NIKON")}}}}));
    cli_result r = run({"-t", "pics/none.jpg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Warning: File pics/none.jpg does not contain a thumbnail image\n");
    EXPECT_EQ(run({"-t", "-q", "pics/none.jpg"}).err, "");
    EXPECT_FALSE(exists("pics/none-th.jpg"));
}

TEST_F(Thumbnail, MissingLengthCopiesToTheEndOfTheSource)
{
    Offsets where;
    Ifd ifd1{.entries = {offset_to(tag::kThumbnailOffset, thumb).as("thumb")}};
    Bytes photo = build_jpeg({.exif = Tiff{.chain = {Ifd{}, ifd1}}}, &where);
    put("photo.jpg", photo);
    EXPECT_EQ(run({"-t", "photo.jpg"}).status, 0);
    EXPECT_EQ(read_bytes(dir.file("photo-th.jpg")), Bytes(photo.begin() + where.at("thumb"), photo.end()));
}

TEST_F(Thumbnail, LengthPastTheEndOfTheSourceLeavesOnlyTheStartMarker)
{
    Ifd ifd1{.entries = {offset_to(tag::kThumbnailOffset, thumb), longs(tag::kThumbnailLength, {200000})}};
    put("photo.jpg", exif_jpeg(Tiff{.chain = {Ifd{}, ifd1}}));
    cli_result r = run({"-t", "photo.jpg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    // No system call failed, so the reason is the result code's text rather than a stale errno.
    EXPECT_EQ(r.err, "Error: Can't extract thumbnail from photo.jpg: End of buffer reached while processing EXIF data\n");
    EXPECT_EQ(read_bytes(dir.file("photo-th.jpg")), (Bytes{0xFF, 0xD8}));
}

TEST_F(Thumbnail, MakerNoteThumbnailTagsAreNotTheThumbnail)
{
    Ifd olympus{.entries = {longs(tag::kThumbnailOffset, {8}), longs(tag::kThumbnailLength, {16})}};
    Ifd exif{.entries = {maker_note(olympus_header(), olympus)}};
    Ifd ifd0{.entries = {ascii(tag::kMake, "OLYMPUS OPTICAL CO.,LTD"), ascii(tag::kModel, "C920Z,D450Z"),
                         pointer(tag::kExifIfd, exif)}};
    put("real.jpg", exif_jpeg(Tiff{.chain = {ifd0, Ifd{.thumbnail = thumb}}}));
    put("none.jpg", exif_jpeg(Tiff{.chain = {ifd0}}));
    cli_result r = run({"-t", "-q", "real.jpg", "none.jpg"});
    EXPECT_EQ(r.out, "Thumbnail extracted from real.jpg into real-th.jpg\n");
    EXPECT_EQ(read_bytes(dir.file("real-th.jpg")), thumb);
    EXPECT_FALSE(exists("none-th.jpg"));
}

TEST_F(Thumbnail, UncreatableThumbnailFileIsReported)
{
    if (!can_drop_privileges())
        GTEST_SKIP() << "needs to run tagsift as an unprivileged user";
    put("ro/photo.jpg", photo_with(thumb));
    chmod(dir.file("ro").c_str(), 0755);  // others may read the photo but not add a file
    cli_result r = run_tagsift({"-t", "photo.jpg"}, {.cwd = dir.file("ro"), .unprivileged = true});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Error: Can't open file photo-th.jpg: Permission denied\n"
                     "Error: Can't create thumbnail file photo-th.jpg: Permission denied\n");
}

TEST_F(Thumbnail, NameOverNinetyNineCharactersStopsTheRun)
{
    const std::string fits = std::string(92, 'a') + ".jpg";  // its thumbnail's name has 99 characters
    const std::string too_long = std::string(95, 'b') + ".jpg";
    put(fits, photo_with(thumb));
    put(too_long, photo_with(thumb));
    cli_result r = run({"-t", fits, too_long, fits});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(exists(std::string(92, 'a') + "-th.jpg"));
    EXPECT_FALSE(exists(std::string(95, 'b') + "-th.jpg"));
    const std::regex expected("Thumbnail extracted from a+\\.jpg into a+-th\\.jpg\nASSERT failed at [0-9]+ in \\w+\\.cpp\n");
    EXPECT_TRUE(std::regex_match(r.out, expected)) << r.out;
}

TEST_F(Thumbnail, FiveHundredAndFirstThumbnailEndsTheRun)
{
    std::vector<std::string> args = {"-t"};
    const Bytes photo = photo_with(fake_jpeg(64));
    for (int i = 1; i <= 501; i++) {
        args.push_back("p" + std::to_string(i) + ".jpg");
        put(args.back(), photo);
    }
    args.push_back("p1.jpg");  // never reached
    cli_result r = run(args);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Error: Max number of temp files created - exiting\n");
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 500);
    EXPECT_TRUE(r.out.ends_with("Thumbnail extracted from p500.jpg into p500-th.jpg\n"));
    EXPECT_EQ(read_bytes(dir.file("p501-th.jpg")), (Bytes{0xFF, 0xD8}));  // created before it was recorded
}

}  // namespace
