// -t end to end: the thumbnail file holds exactly the bytes the photo carries,
// under the name built from the source's.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

// A photo whose IFD1 holds `thumbnail` with its offset and length entries.
Bytes photo_with(const Bytes &thumbnail, ByteOrder order = ByteOrder::Intel)
{
    Ifd ifd0{.entries = {ascii(tag::kMake, "NIKON")}};
    return exif_jpeg(Tiff{.order = order, .chain = {ifd0, Ifd{.thumbnail = thumbnail}}});
}

class Thumbnail : public ::testing::Test {
protected:
    temp_dir dir;
    const Bytes thumb = fake_jpeg(5000);

    void put(const std::string &name, const Bytes &bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(dir.file(name)).parent_path());
        write_file(dir.file(name), bytes);
    }
    Bytes got(const std::string &name) const
    {
        std::ifstream in(dir.file(name), std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    cli_result run(const std::vector<std::string> &args) const { return run_tagsift(args, {.cwd = dir.path()}); }
    // The folder's entries: a new file that did not take the thumbnail's name must be gone.
    std::set<std::string> entries() const
    {
        std::set<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(dir.path()))
            names.insert(entry.path().filename().string());
        return names;
    }
};

TEST_F(Thumbnail, CopiesExactlyTheEmbeddedBytesOverAnyOldFileOrToTheEndWithoutALength)
{
    put("photo-th.jpg", Bytes(20000, 'x'));  // longer than the thumbnails: must not survive past them
    for (auto [order, bytes] : {std::pair{ByteOrder::Intel, thumb}, std::pair{ByteOrder::Motorola, fake_jpeg(3000)}}) {
        put("photo.jpg", photo_with(bytes, order));
        cli_result r = run({"-t", "photo.jpg"});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "Thumbnail extracted from photo.jpg into photo-th.jpg\n");
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(got("photo-th.jpg"), bytes);
    }
    Offsets where;  // without a length field the copy runs to the end of the source
    Ifd ifd1{.entries = {offset_to(tag::kThumbnailOffset, thumb).as("thumb")}};
    const Bytes photo = build_jpeg({.exif = Tiff{.chain = {Ifd{}, ifd1}}}, &where);
    put("photo.jpg", photo);
    EXPECT_EQ(run({"-t", "photo.jpg"}).status, 0);
    EXPECT_EQ(got("photo-th.jpg"), Bytes(photo.begin() + where.at("thumb"), photo.end()));
}

TEST_F(Thumbnail, NothingButARegularFileWithOneLinkIsReplaced)
{
    namespace fs = std::filesystem;
    put("photo.jpg", photo_with(thumb));
    put("next.jpg", photo_with(thumb));
    put("target", bytes_of("planted for root"));
    const std::string at = dir.file("photo-th.jpg");
    // clang-format off
    const std::pair<std::string, std::function<void()>> planted[] = {
        {"a symbolic link", [&] { fs::create_symlink("target", at); }},
        {"a file with other hard links", [&] { fs::create_hard_link(dir.file("target"), at); }},
        {"a FIFO", [&] { mkfifo(at.c_str(), 0666); }},
        {"a directory", [&] { fs::create_directory(at); }},
    };
    // clang-format on
    for (const auto &[what, plant] : planted) {
        plant();
        cli_result r = run_tagsift({"-t", "photo.jpg", "next.jpg"}, {.cwd = dir.path(), .timeout_seconds = 20});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "Thumbnail extracted from next.jpg into next-th.jpg\n");
        EXPECT_EQ(r.err, "Error: Thumbnail file photo-th.jpg not written: the name is taken by " + what + "\n");
        EXPECT_EQ(got("target"), bytes_of("planted for root"));
        EXPECT_EQ(entries(), (std::set<std::string>{"next-th.jpg", "next.jpg", "photo-th.jpg", "photo.jpg", "target"}));
        fs::remove(at);
    }
    // A source that ends before its thumbnail does leaves what was copied, the start marker.
    Bytes cut = photo_with(thumb);
    cut.resize(cut.size() - 100);
    put("photo.jpg", cut);
    cli_result r = run({"-t", "photo.jpg"});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err,
              "Error: Can't extract thumbnail from photo.jpg: End of buffer reached while processing EXIF data\n");
    EXPECT_EQ(got("photo-th.jpg"), (Bytes{0xFF, 0xD8}));
    // So does one that can't be read again for the copy: a FIFO that the reading emptied. Its bytes
    // wait in it for the run, held by a reader of the test's own after their writer has gone.
    const std::string fifo = dir.file("fifo.jpg");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int keeper = open(fifo.c_str(), O_RDONLY | O_NONBLOCK), writer = open(fifo.c_str(), O_WRONLY);
    const Bytes bytes = photo_with(fake_jpeg(64));  // read whole at once
    ASSERT_EQ(write(writer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    close(writer);
    r = run_tagsift({"-t", "fifo.jpg"}, {.cwd = dir.path(), .timeout_seconds = 20});
    close(keeper);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Error: Can't open JPEG file fifo.jpg: End of buffer reached while processing EXIF data\n");
    EXPECT_EQ(got("fifo-th.jpg"), (Bytes{0xFF, 0xD8}));
}

TEST_F(Thumbnail, AFolderThatTakesNoNewFileKeepsItsThumbnail)
{
    if (!can_drop_privileges())
        GTEST_SKIP() << "needs root and setpriv to run as an unprivileged user";
    put("photo.jpg", photo_with(thumb));
    put("photo-th.jpg", bytes_of("old"));
    std::filesystem::permissions(dir.file("photo-th.jpg"), std::filesystem::perms::all);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::owner_all | std::filesystem::perms::others_read |
                                                 std::filesystem::perms::others_exec);
    cli_result r = run_tagsift({"-t", "photo.jpg"}, {.cwd = dir.path(), .unprivileged = true});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "Error: Can't open file photo-th.jpg: Permission denied\n"
                     "Error: Can't create thumbnail file photo-th.jpg: Permission denied\n");
    EXPECT_EQ(got("photo-th.jpg"), bytes_of("old"));
}

TEST_F(Thumbnail, WrittenBesideTheSourceWithTheSuffixBeforeItsExtension)
{
    for (std::string source : {"photo", "pics/a.jpg"}) {
        const std::string thumbnail = source == "photo" ? "photo-th" : "pics/a-th.jpg";
        put(source, photo_with(thumb));
        EXPECT_EQ(run({"-t", source}).out, "Thumbnail extracted from " + source + " into " + thumbnail + "\n");
        EXPECT_EQ(got(thumbnail), thumb) << source;
    }
    put("walk/sub/b.jpg", photo_with(thumb));
    EXPECT_EQ(run({"-t", "-r", "walk"}).status, 0);
    EXPECT_EQ(got("walk/sub/b-th.jpg"), thumb) << "the walk writes beside the source too";
}

TEST_F(Thumbnail, MakerNoteThumbnailTagsAreNoThumbnail)
{
    Ifd olympus{.entries = {shorts(tag::kThumbnailOffset, {8}), shorts(tag::kThumbnailLength, {16})}};
    Ifd exif{.entries = {maker_note(olympus_header(), olympus)}};
    put("pics/none.jpg",
        exif_jpeg(Tiff{.chain = {Ifd{.entries = {ascii(tag::kMake, "OLYMPUS OPTICAL CO.,LTD"),
                                                 ascii(tag::kModel, "C920Z,D450Z"), pointer(tag::kExifIfd, exif)}}}}));
    cli_result r = run({"-t", "pics/none.jpg"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "Warning: File pics/none.jpg does not contain a thumbnail image\n");
    EXPECT_EQ(run({"-t", "-q", "pics/none.jpg"}).err, "");
    EXPECT_FALSE(std::filesystem::exists(dir.file("pics/none-th.jpg")));
}

}  // namespace
