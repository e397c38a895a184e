// With -e, every container that carries an EXIF block is read as a JPEG file
// with the same block is; without it, none is. Broken boxes and chunks end in
// a message, never in a read past what the file holds.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "fixture/container_builder.h"
#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

constexpr Container all_containers[] = {
    Container::Tiff,    Container::Png,     Container::Webp,    Container::Heif,   Container::Avif,
    Container::Cr3,     Container::Jxl,     Container::Mrw,     Container::Raf,    Container::BigTiff,
    Container::Psd,     Container::DosEps,  Container::Jp2,     Container::Jxr,    Container::PngText,
    Container::PngZtxt, Container::PngItxt, Container::JxlBrob, Container::DosEpsPhotoshop,
};

// A block larger than the 32 KiB pieces that a decoder reads and writes (its
// description is 20000 characters, 40000 as hex digits), in every container.
Tiff sample_block(ByteOrder order)
{
    const Ifd exif{.entries = {ascii(0x9003, "2023:07:09 20:36:33"), shorts(0xA402, {1})}};
    std::string description;
    while (description.size() < 20000)
        description += std::to_string(description.size()) + " ";
    return Tiff{.order = order,
                .chain = {Ifd{.entries = {ascii(0x010e, description), ascii(tag::kMake, "Maker"),
                                          ascii(tag::kModel, "Model 1"), pointer(tag::kExifIfd, exif)}}}};
}

Bytes read_file(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The listing of a file, without its FILE: line.
std::string listing_body(const cli_result &r) { return r.out.substr(r.out.find('\n')); }

class Containers : public testing::TestWithParam<ByteOrder> {};

TEST_P(Containers, ListedWithExtendedReadingAsTheSameBlockInAJpegFile)
{
    temp_dir dir;
    const Tiff block = sample_block(GetParam());
    write_file(dir.file("photo.jpg"), exif_jpeg(block));
    const cli_result jpeg = run_tagsift({"-e", "photo.jpg"}, {.cwd = dir.path()});
    ASSERT_EQ(jpeg.status, 0);
    for (Container container : all_containers) {
        const std::string name = "photo." + container_name(container);
        // CR3 keeps IFD0 alone in its CMT1 box; the EXIF IFD would be CMT2.
        // JPEG XR files are in Intel order only.
        const Tiff stored =
            container == Container::Cr3
                ? Tiff{.order = block.order,
                       .chain = {Ifd{.entries = {block.chain[0].entries[1], block.chain[0].entries[2]}}}}
            : container == Container::Jxr ? sample_block(ByteOrder::Intel)
                                          : block;
        write_file(dir.file(name), build_container(container, build_tiff(stored)));
        const cli_result extended = run_tagsift({"-e", name}, {.cwd = dir.path()});
        EXPECT_EQ(extended.status, 0) << name;
        EXPECT_EQ(extended.err, "") << name;
        if (container == Container::Cr3)
            EXPECT_EQ(listing_body(extended), "\n\nCamera   \n  Make                     : Maker\n"
                                              "  Model                    : Model 1\n\n");
        else
            EXPECT_EQ(listing_body(extended), listing_body(jpeg)) << name;
        const cli_result plain = run_tagsift({name}, {.cwd = dir.path()});
        EXPECT_EQ(plain.out, "") << name;
        EXPECT_EQ(plain.err, "Error: Error while extracting EXIF fields: File is not a JPEG file\n") << name;
    }
    // A walk passes over them without -e and lists them all with it.
    EXPECT_EQ(run_tagsift({"-r", "-o", "l", "-f", "make", "."}, {.cwd = dir.path()}).out, "Maker\n");
    std::string every_file;
    for (size_t i = 0; i <= std::size(all_containers); i++)
        every_file += "Maker\n";
    EXPECT_EQ(run_tagsift({"-e", "-r", "-o", "l", "-f", "make", "."}, {.cwd = dir.path()}).out, every_file);
}

TEST_P(Containers, ThumbnailNamedAfterTheContainerBesideAJpegFilesThumbnail)
{
    temp_dir dir;
    const Bytes thumbnail{0xFF, 0xD8, 0xFF, 0xDB, 1, 2, 3, 4, 5, 0xFF, 0xD9};
    Tiff block = sample_block(GetParam());
    block.chain.push_back(Ifd{.entries = {shorts(0x0103, {6})}, .thumbnail = thumbnail});
    write_file(dir.file("IMG_1.JPG"), exif_jpeg(block));
    for (Container container : {Container::Tiff, Container::Heif, Container::Png, Container::Raf, Container::BigTiff,
                                Container::Psd, Container::DosEps, Container::Jp2, Container::Jxr, Container::PngZtxt,
                                Container::JxlBrob, Container::DosEpsPhotoshop}) {
        if (container == Container::Jxr && GetParam() == ByteOrder::Motorola)
            continue;  // JPEG XR files are in Intel order only
        // The file's extension alone (the PNG text variants are all .png files; each is written in turn).
        const std::string extension = container_name(container).substr(container_name(container).rfind('.') + 1);
        const std::string name = "IMG_1." + extension;
        write_file(dir.file(name), build_container(container, build_tiff(block)));
        const cli_result r = run_tagsift({"-e", "-t", "IMG_1.JPG", name}, {.cwd = dir.path()});
        EXPECT_EQ(r.out, "Thumbnail extracted from IMG_1.JPG into IMG_1-th.JPG\nThumbnail extracted from " + name +
                             " into IMG_1-th." + extension + ".jpg\n");
        EXPECT_EQ(read_file(dir.file("IMG_1-th." + extension + ".jpg")), thumbnail) << container_name(container);
        EXPECT_EQ(read_file(dir.file("IMG_1-th.JPG")), thumbnail);
    }
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, Containers, testing::Values(ByteOrder::Intel, ByteOrder::Motorola));

void put_big_endian(Bytes &bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; i++)
        bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

TEST(Containers, LengthsThatLeadPastTheFileEndInAMessage)
{
    temp_dir dir;
    const Bytes tiff = build_tiff(sample_block(ByteOrder::Intel));
    const Bytes heif = build_container(Container::Heif, tiff);
    const Bytes png = build_container(Container::Png, tiff);
    const size_t meta = 24,
                 iloc_extent = heif.size() - tiff.size() - 8 - 10 - 8;  // where the Exif extent's offset lies
    struct broken {
        const char *name;
        Bytes bytes;
    };
    std::vector<broken> files;
    auto variant = [&](const char *name, Bytes bytes, auto change) {
        change(bytes);
        files.push_back({name, bytes});
    };
    variant("meta-too-long.heic", heif, [&](Bytes &b) { put_big_endian(b, meta, 0x7FFFFFF0); });
    variant("meta-64-bit-size.heic", heif, [&](Bytes &b) { put_big_endian(b, meta, 1); });
    variant("extent-past-end.heic", heif, [&](Bytes &b) { put_big_endian(b, iloc_extent, 0xFFFFFF00); });
    variant("cut.heic", heif, [&](Bytes &b) { b.resize(b.size() - tiff.size() / 2); });
    variant("chunk-too-long.png", png, [&](Bytes &b) { put_big_endian(b, 8 + 25 + 52, 0xFFFFFFF0); });
    variant("riff-short.webp", build_container(Container::Webp, tiff),
            [&](Bytes &b) { b[4] = 20, b[5] = b[6] = b[7] = 0; });
    variant("jpeg-past-end.raf", build_container(Container::Raf, tiff),
            [&](Bytes &b) { put_big_endian(b, 84, 0x100000); });
    variant("ttw-past-end.mrw", build_container(Container::Mrw, tiff),
            [&](Bytes &b) { put_big_endian(b, 8 + 32 + 4, 0xFFFF0000); });
    variant("no-exif.jxl", build_container(Container::Jxl, tiff), [&](Bytes &b) { b[12 + 24 + 4] = 'X'; });
    for (const broken &f : files) {
        write_file(dir.file(f.name), f.bytes);
        const cli_result r = run_tagsift({"-e", f.name}, {.cwd = dir.path(), .timeout_seconds = 10});
        EXPECT_EQ(r.status, 0) << f.name;
        EXPECT_EQ(r.err, std::string("Warning: ") + f.name + ": File does not contain EXIF data\n") << f.name;
    }
    // The same in a walk: a warning each, and the run goes on to the file whose
    // meta box, of size 0, runs to the end of the file, as it may.
    Bytes to_the_end = heif;
    put_big_endian(to_the_end, meta, 0);
    write_file(dir.file("meta-to-the-end.heic"), to_the_end);
    const cli_result walk =
        run_tagsift({"-e", "-r", "-o", "l", "-f", "make", "."}, {.cwd = dir.path(), .timeout_seconds = 10});
    EXPECT_EQ(walk.status, 0);
    EXPECT_EQ(walk.out, "Maker\n");
    size_t warnings = 0;
    for (size_t at = walk.err.find("does not contain EXIF"); at != std::string::npos;
         at = walk.err.find("does not contain EXIF", at + 1))
        warnings++;
    EXPECT_EQ(warnings, files.size()) << walk.err;
}

}  // namespace
