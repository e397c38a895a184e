// The containers whose blocks are found inside other structures (Photoshop
// resources, an EPS preview, JPEG 2000 boxes, PNG text, Brotli boxes, an RW2
// preview) and BigTIFF's 64-bit layout: broken lengths, compression bombs
// and offsets past 4 GiB end in a message, never a stop; a BigTIFF file
// larger than 4 GiB is read where its IFDs lie.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>

#include <string>
#include <vector>

#include "fixture/container_builder.h"
#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

Tiff camera_block(ByteOrder order = ByteOrder::Intel)
{
    const Ifd exif{.entries = {ascii(0x9003, "2023:07:09 20:36:33")}};
    return Tiff{.order = order, .chain = {Ifd{.entries = {ascii(tag::kMake, "Maker"), pointer(tag::kExifIfd, exif)}}}};
}

const std::string camera_listing = "\n\nCamera   \n  Make                     : Maker\n\n"
                                   "Image    \n  Date/Time Taken          : 2023:07:09 20:36:33\n\n";

void put_big_endian(Bytes &bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; i++)
        bytes.at(at + i) = static_cast<uint8_t>(value >> (24 - 8 * i));
}

void put_little_endian(Bytes &bytes, size_t at, uint64_t value, int size)
{
    for (int i = 0; i < size; i++)
        bytes.at(at + i) = static_cast<uint8_t>(value >> (8 * i));
}

// Where `text` first stands in the bytes.
size_t find(const Bytes &bytes, const std::string &text)
{
    return static_cast<size_t>(std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) - bytes.begin());
}

std::string text_of(size_t n, char c) { return std::string(n, c); }

Bytes read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// A raw profile whose text, after its heading, is `filler` repeated: it
// inflates to `size` bytes.
Bytes profile_bomb(const std::string &type, size_t size)
{
    std::string text = "\nexif\n   100\n" + text_of(size, '\n');
    Bytes data;
    const std::string keyword = "Raw profile type exif";
    data.insert(data.end(), keyword.begin(), keyword.end());
    data.push_back(0);
    if (type == "iTXt")
        data.insert(data.end(), {1, 0, 0, 0});
    else
        data.push_back(0);
    const Bytes packed = zlib_compress(Bytes(text.begin(), text.end()));
    data.insert(data.end(), packed.begin(), packed.end());
    return png_with_chunks({{type, data}});
}

// A JPEG XL file whose brob box for Exif holds this compressed stream.
Bytes jxl_with_brob(const Bytes &packed)
{
    Bytes file = build_container(Container::JxlBrob, build_tiff(camera_block()));
    const size_t brob = find(file, "brob") - 4;
    const std::string type = "Exif";
    Bytes contents(type.begin(), type.end());
    contents.insert(contents.end(), packed.begin(), packed.end());
    const Bytes box = media_box("brob", contents);
    file.erase(file.begin() + brob, file.end() - 24);  // the image box stays
    file.insert(file.begin() + brob, box.begin(), box.end());
    return file;
}

Bytes cut_in_half(Bytes bytes)
{
    bytes.resize(bytes.size() / 2);
    return bytes;
}

struct broken_file {
    const char *name;
    Bytes bytes;
    const char *warning;  // after "Warning: NAME: "; nullptr: none but the closing one
    bool listed = false;  // read as far as it goes: the block is listed after the warning
};

TEST(ContainerBounds, BrokenLengthsBombsAndFarOffsetsEndInAMessage)
{
    const Bytes tiff = build_tiff(camera_block());
    auto changed = [](Bytes bytes, auto change) {
        change(bytes);
        return bytes;
    };
    const Bytes psd = build_container(Container::Psd, tiff);
    const Bytes big = build_container(Container::BigTiff, tiff);
    const broken_file files[] = {
        {"resources-past-end.psd", changed(psd, [](Bytes &b) { put_big_endian(b, 30, 0x7FFFFFF0); }),
         "its image resources run past the end of the file; read as far as they go", true},
        {"exif-past-end.psd", changed(psd, [&](Bytes &b) { put_big_endian(b, find(b, "8BIM\x04\x22") + 8, 0xFFFFFF00); }),
         nullptr},
        {"preview-past-end.eps",
         changed(build_container(Container::DosEps, tiff), [](Bytes &b) { put_little_endian(b, 24, 0xFFFFFF00, 4); }),
         "its TIFF preview runs past the end of the file; read as far as it goes", true},
        {"uuid-64-bit-size.jp2",
         changed(build_container(Container::Jp2, tiff),
                 [&](Bytes &b) { put_big_endian(b, find(b, "uuidJpg") - 4, 1); }),
         nullptr},
        {"chunk-past-end.zTXt.png",
         changed(build_container(Container::PngZtxt, tiff),
                 [&](Bytes &b) { put_big_endian(b, find(b, "zTXt") - 4, 0xFFFFFFF0); }),
         nullptr},
        {"corrupt.zTXt.png",
         changed(build_container(Container::PngZtxt, tiff),
                 [&](Bytes &b) { b[find(b, "zTXt") + 4 + 23 + 10] ^= 0xFF; }),
         "the raw profile text chunk: its compressed data is corrupt or cut short; not read"},
        {"bomb.iTXt.png", profile_bomb("iTXt", 40u << 20),
         "the raw profile text chunk expands past 16777216 bytes; not read"},
        {"bomb.brob.jxl", jxl_with_brob(brotli_compress(Bytes(24u << 20, 0))),
         "the compressed Exif box expands past 16777216 bytes; not read"},
        {"corrupt.brob.jxl", jxl_with_brob(cut_in_half(brotli_compress(Bytes(4 + tiff.size(), 0)))),
         "the compressed Exif box: its compressed data is corrupt or cut short; not read"},
        {"ifd-past-4-gib.btf", changed(big, [](Bytes &b) { put_little_endian(b, 8, 0x100000010ull, 8); }),
         "the block's first IFD, at offset 4294967312, lies past the end of the data; not read"},
        {"offset-size-4.btf", changed(big, [](Bytes &b) { b[4] = 4; }),
         "the BigTIFF header gives offsets of 4 bytes, not 8; not read"},
    };
    temp_dir dir;
    std::string listed;
    for (const broken_file &f : files) {
        write_file(dir.file(f.name), f.bytes);
        const std::string warning = f.warning != nullptr ? std::string("Warning: ") + f.name + ": " + f.warning + "\n" : "";
        const cli_result r = run_tagsift({"-e", f.name}, {.cwd = dir.path(), .timeout_seconds = 20});
        EXPECT_EQ(r.status, 0) << f.name;
        EXPECT_EQ(r.out, f.listed ? "FILE: " + std::string(f.name) + camera_listing : "") << f.name;
        EXPECT_EQ(r.err, f.listed ? warning : warning + "Warning: " + f.name + ": File does not contain EXIF data\n")
            << f.name;
        listed += f.listed ? "Maker\n" : "";
    }
    // In a walk the run goes on to the good file among them.
    write_file(dir.file("good.psd"), psd);
    const cli_result walk =
        run_tagsift({"-e", "-r", "-o", "l", "-f", "make", "."}, {.cwd = dir.path(), .timeout_seconds = 60});
    EXPECT_EQ(walk.status, 0);
    EXPECT_EQ(walk.out, listed + "Maker\n");
}

// Writes the header at offset 0 and the body at `body_at`, leaving a hole
// between; false (and no file) where the file system makes no holes or no
// file that large. A 1 MiB hole is tried first, so that a file system without
// holes never fills gigabytes.
bool write_sparse(const std::string &path, const BigTiffParts &parts, uint64_t body_at)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    struct stat st {};
    bool written = ftruncate(fd, 1 << 20) == 0 && fstat(fd, &st) == 0 && st.st_blocks * 512 < (1 << 20) &&
                   pwrite(fd, parts.header.data(), parts.header.size(), 0) == static_cast<ssize_t>(parts.header.size()) &&
                   pwrite(fd, parts.body.data(), parts.body.size(), static_cast<off_t>(body_at)) ==
                       static_cast<ssize_t>(parts.body.size());
    close(fd);
    if (!written)
        unlink(path.c_str());
    return written;
}

// A sparse file of 5 GiB: BigTIFF's header names IFD0 past 4 GiB, and the IFDs, values and IFD1's thumbnail
// lie there.
TEST(ContainerBounds, BigTiffLargerThan4GibReadWhereItsIfdsLie)
{
    constexpr uint64_t body_at = 5ull << 30;
    const Bytes thumbnail{0xFF, 0xD8, 0xFF, 0xDB, 1, 2, 3, 4, 5, 0xFF, 0xD9};
    temp_dir dir;
    const std::string path = dir.file("huge.btf");
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        Tiff block = camera_block(order);
        block.chain.push_back(Ifd{.entries = {shorts(0x0103, {6})}, .thumbnail = thumbnail});
        const BigTiffParts parts = bigtiff_parts(build_tiff(block), body_at);
        if (!write_sparse(path, parts, body_at))
            GTEST_SKIP() << "the file system here makes no sparse file of 5 GiB";
        const size_t thumbnail_at =
            std::search(parts.body.begin(), parts.body.end(), thumbnail.begin(), thumbnail.end()) - parts.body.begin();
        const cli_result r = run_tagsift({"-e", "huge.btf"}, {.cwd = dir.path(), .timeout_seconds = 20});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "FILE: huge.btf" + camera_listing +
                             "Thumbnail\n  Compression              : JPEG Compression\n  Jpeg IF Offset           : " +
                             std::to_string(body_at + thumbnail_at) + "\n  Jpeg IF Byte Count       : 11\n\n");
        const cli_result t = run_tagsift({"-e", "-t", "huge.btf"}, {.cwd = dir.path(), .timeout_seconds = 20});
        EXPECT_EQ(t.status, 0);
        EXPECT_EQ(t.err, "");
        EXPECT_EQ(t.out, "Thumbnail extracted from huge.btf into huge-th.btf.jpg\n");
        EXPECT_EQ(read_file(dir.file("huge-th.btf.jpg")), thumbnail);
        unlink(path.c_str());
    }
}

// RW2: IFD0 names the JPEG preview (entry 0x002E, after the file's own EXIF IFD pointer), whose
// EXIF IFD is listed with the file's own IFDs; a tag the file's own EXIF IFD has is not repeated.
TEST(ContainerBounds, Rw2PreviewExifIfdListedWithTheFilesIfds)
{
    temp_dir dir;
    for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
        Tiff preview_block = camera_block(order);
        preview_block.chain[0].entries[1] =
            pointer(tag::kExifIfd, Ifd{.entries = {ascii(0x9003, "2023:07:09 20:36:33"), shorts(0xA402, {1})}});
        const Bytes preview = exif_jpeg(preview_block);
        const Ifd own_exif{.entries = {ascii(0x9003, "2001:01:01 00:00:00")}};
        Bytes rw2 = build_tiff(Tiff{.chain = {Ifd{.entries = {ascii(tag::kMake, "Maker"), pointer(tag::kExifIfd, own_exif),
                                                              offset_to(0x002E, preview)},
                                                  .at = 24}},
                                    .first_ifd = 24,
                                    .magic = 0x55});
        const size_t entry = 24 + 2 + 2 * 12;  // the preview's entry: UNDEFINED bytes
        put_little_endian(rw2, entry + 2, 7, 2);
        put_little_endian(rw2, entry + 4, preview.size(), 4);
        write_file(dir.file("P1.RW2"), rw2);
        const cli_result r =
            run_tagsift({"-e", "-f", "make,date-taken,exp-mode", "-o", "l", "P1.RW2"}, {.cwd = dir.path()});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        EXPECT_EQ(r.out, "Maker,2001:01:01 00:00:00,Manual exposure\n");
    }
}

}  // namespace
