// Writes a tree of photo-like JPEG files for the speed benchmark:
//   make_tree FOLDER COUNT [SEED]
// Files go into FOLDER/dNNN/ (500 per folder), taking turns over seven
// cameras (maker notes of the known makers, GPS, thumbnails, an APP0 segment
// before APP1 in some). Sizes spread from 30 KB to 3 MB; only the first
// 131072 bytes are written, the rest of each file is a hole (sparse), so a
// large tree costs little disk.
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "fixture/jpeg_builder.h"

using namespace fixture;

namespace {

constexpr std::size_t window = 131072;  // what tagsift reads of a file at most
constexpr int files_per_folder = 500;

// Small deterministic generator, so that two runs build the same tree.
struct rng {
    std::uint64_t state;
    std::uint32_t next()
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<std::uint32_t>(state >> 33);
    }
    std::uint32_t below(std::uint32_t n) { return next() % n; }
};

std::string date_text(rng &r)
{
    char text[20];
    snprintf(text, sizeof text, "20%02u:%02u:%02u %02u:%02u:%02u", 1 + r.below(24), 1 + r.below(12), 1 + r.below(28),
             r.below(24), r.below(60), r.below(60));
    return text;
}

std::vector<Entry> exposure_entries(rng &r)
{
    const std::string date = date_text(r);
    return {
        rationals(0x829A, {{10, 60 + r.below(2000)}}),
        rationals(0x829D, {{20 + r.below(140), 10}}),
        shorts(0x8822, {static_cast<std::uint16_t>(r.below(8))}),
        shorts(0x8827, {static_cast<std::uint16_t>(100 << r.below(4))}),
        undefined(0x9000, bytes_of("0220")),
        ascii(0x9003, date),
        ascii(0x9004, date),
        undefined(0x9101, {1, 2, 3, 0}),
        rationals(0x9102, {{2, 1}}),
        srationals(0x9201, {{static_cast<std::int32_t>(r.below(12)), 1}}),
        rationals(0x9202, {{30 + r.below(50), 10}}),
        srationals(0x9204, {{-static_cast<std::int32_t>(r.below(3)), 3}}),
        rationals(0x9205, {{26, 10}}),
        shorts(0x9207, {5}),
        shorts(0x9208, {0}),
        shorts(0x9209, {static_cast<std::uint16_t>(r.below(2) ? 0 : 1)}),
        rationals(0x920A, {{50 + r.below(500), 10}}),
        undefined(0x9286, bytes_of("ASCII\0\0\0Holiday")),
        undefined(0xA000, bytes_of("0100")),
        shorts(0xA001, {1}),
        shorts(0xA002, {2048}),
        shorts(0xA003, {1536}),
        rationals(0xA20E, {{2048000, 230}}),
        rationals(0xA20F, {{1536000, 172}}),
        shorts(0xA210, {2}),
        shorts(0xA217, {2}),
        undefined(0xA300, {3}),
    };
}

Ifd interop_ifd() { return Ifd{{ascii(0x0001, "R98"), undefined(0x0002, bytes_of("0100"))}}; }

Ifd gps_ifd(rng &r)
{
    return Ifd{{byte_values(0x0000, {2, 2, 0, 0}), ascii(0x0001, r.below(2) ? "N" : "S"),
                rationals(0x0002, {{r.below(90), 1}, {r.below(6000), 100}, {0, 1}}),
                ascii(0x0003, r.below(2) ? "E" : "W"),
                rationals(0x0004, {{r.below(180), 1}, {r.below(60), 1}, {r.below(6000), 100}}),
                byte_values(0x0005, {0}), rationals(0x0006, {{r.below(3000), 1}}),
                rationals(0x0007, {{r.below(24), 1}, {r.below(60), 1}, {r.below(60), 1}}), ascii(0x0012, "WGS-84")}};
}

std::vector<Entry> ifd0_entries(rng &r, const char *make, const char *model)
{
    return {ascii(0x010E, "                               "),
            ascii(tag::kMake, make),
            ascii(tag::kModel, model),
            shorts(0x0112, {static_cast<std::uint16_t>(1 + r.below(2) * 5)}),
            rationals(0x011A, {{72, 1}}),
            rationals(0x011B, {{72, 1}}),
            shorts(0x0128, {2}),
            ascii(0x0131, "Ver1.01"),
            ascii(0x0132, date_text(r)),
            shorts(0x0213, {2})};
}

Ifd thumbnail_ifd(rng &r)
{
    return Ifd{.entries = {shorts(0x0103, {6}), rationals(0x011A, {{72, 1}}), rationals(0x011B, {{72, 1}}),
                           shorts(0x0128, {2})},
               .thumbnail = fake_jpeg(3000 + r.below(6000))};
}

std::vector<std::uint16_t> numbers(rng &r, std::size_t n, std::uint32_t below)
{
    std::vector<std::uint16_t> values(n);
    for (auto &v : values)
        v = static_cast<std::uint16_t>(r.below(below));
    return values;
}

Entry maker_note_of(int camera, rng &r)
{
    switch (camera) {
    case 0:  // Nikon E990 and later
        return maker_note(
            {}, Ifd{{undefined(0x0001, {0, 1, 0, 0}), shorts(0x0002, {0, 100}), ascii(0x0003, "COLOR"),
                     ascii(0x0004, "FINE "), ascii(0x0005, "AUTO  "), ascii(0x0006, "AUTO  "), ascii(0x0007, "AF-S  "),
                     ascii(0x0008, "NORMAL"), rationals(0x000a, {{1, 1}}), ascii(0x0080, "AUTO  "),
                     rationals(0x0085, {{0, 1}}), rationals(0x0086, {{100, 100}}), undefined(0x0088, {0, 1, 0, 0})}});
    case 1:  // Canon PowerShot G1
        return maker_note({}, Ifd{{shorts(0x0001, numbers(r, 40, 8)), shorts(0x0004, numbers(r, 20, 8)),
                                   ascii(0x0006, "IMG:PowerShot G1 JPEG"), ascii(0x0007, "Firmware Version 1.01"),
                                   longs(0x0008, {1000000 + r.below(900000)}), ascii(0x0009, "Photographer"),
                                   longs(0x000c, {r.below(99999999)})}});
    case 2:  // FujiFilm, Intel order inside a Motorola file
        return maker_note(
            fujifilm_header(),
            Ifd{{undefined(0x0000, bytes_of("0130")), ascii(0x1000, "NORMAL "), shorts(0x1001, {3}),
                 shorts(0x1002, {0}), shorts(0x1010, {1}), srationals(0x1011, {{0, 100}}), shorts(0x1020, {0}),
                 shorts(0x1021, {0}), shorts(0x1030, {0}), shorts(0x1031, {0}), shorts(0x1100, {0})}},
            MakerLayout::FujiFilm);
    case 3:  // Olympus C920Z
        return maker_note(olympus_header(),
                          Ifd{{longs(0x0200, {0, 0, 0}), shorts(0x0201, {2}), shorts(0x0202, {0}), shorts(0x0203, {0}),
                               rationals(0x0204, {{100, 100}}), ascii(0x0207, "SX753"),
                               ascii(0x0208, "[pictureInfo] Resolution=1 [Camera Info] Type=SX753"),
                               undefined(0x0209, bytes_of("OLYMPUS DIGITAL CAMERA         "))}});
    case 4:  // Casio QV-3500EX
        return maker_note({}, Ifd{{shorts(0x0001, {1}), shorts(0x0002, {2}), shorts(0x0003, {3}), shorts(0x0004, {1}),
                                   shorts(0x0005, {11}), longs(0x0006, {r.below(10000)}), shorts(0x0007, {1}),
                                   longs(0x000a, {0x10000}), shorts(0x000b, {0}), shorts(0x000c, {0}),
                                   shorts(0x000d, {0}), shorts(0x0014, {64})}});
    default:  // a maker note the reader keeps as one value
        Bytes blob(120 + r.below(200));
        for (auto &b : blob)
            b = static_cast<std::uint8_t>(r.below(256));
        return maker_note_blob(blob);
    }
}

// One photo of the given camera (0..6), with a short scan.
Bytes photo(int camera, rng &r)
{
    // clang-format off
    static const char *const makes[][2] = {
        {"NIKON", "E990"},
        {"Canon", "Canon PowerShot G1"},
        {"FUJIFILM", "FinePix1400Zoom"},
        {"OLYMPUS OPTICAL CO.,LTD", "C920Z,D450Z"},
        {"CASIO", "QV-3500EX"},
        {"EASTMAN KODAK COMPANY", "KODAK DC280 DIGITAL ZOOM CAMERA"},
        {"SONY", "DSC-F505V"},
    };
    // clang-format on
    std::vector<Entry> exif = exposure_entries(r);
    exif.push_back(maker_note_of(camera, r));
    if (camera % 2 == 0)
        exif.push_back(pointer(tag::kInteropIfd, interop_ifd()));
    std::vector<Entry> ifd0 = ifd0_entries(r, makes[camera][0], makes[camera][1]);
    ifd0.push_back(pointer(tag::kExifIfd, Ifd{exif}));
    if (camera == 1 || camera == 6 || r.below(4) == 0)
        ifd0.push_back(pointer(tag::kGpsIfd, gps_ifd(r)));
    Tiff tiff{.order = camera == 2 ? ByteOrder::Motorola : ByteOrder::Intel, .chain = {Ifd{ifd0}}};
    if (camera != 5)
        tiff.chain.push_back(thumbnail_ifd(r));
    Jpeg jpeg{.exif = tiff};
    if (camera == 0 || camera == 3 || r.below(5) == 0)
        jpeg.before.push_back(jfif());
    return build_jpeg(jpeg);
}

// Sizes from 30 KB to 3 MB, evenly spread on a log scale (most photos are large).
std::size_t file_size(rng &r)
{
    const double low = 30e3, high = 3e6;
    return static_cast<std::size_t>(low * std::pow(high / low, r.below(1000000) / 1e6));
}

void write_photo(const std::string &path, Bytes bytes, std::size_t size, rng &r)
{
    // Scan data up to the window or the file's end, then a hole to the full size.
    std::size_t written = size < window ? size : window;
    if (bytes.size() < written) {
        bytes.pop_back();  // EOI goes to the end of the written part
        bytes.pop_back();
        while (bytes.size() + 2 < written) {
            std::uint8_t b = static_cast<std::uint8_t>(r.next());
            bytes.push_back(b == 0xFF ? 0x00 : b);
        }
        bytes.push_back(0xFF);
        bytes.push_back(0xD9);
    }
    write_file(path, bytes);
    if (truncate(path.c_str(), static_cast<off_t>(size > bytes.size() ? size : bytes.size())) != 0) {
        perror(path.c_str());
        exit(1);
    }
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 3 || argc > 4) {
        fprintf(stderr, "usage: make_tree FOLDER COUNT [SEED]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const long count = strtol(argv[2], nullptr, 10);
    rng r{argc == 4 ? strtoull(argv[3], nullptr, 10) : 20011006u};
    if (count <= 0) {
        fprintf(stderr, "make_tree: COUNT must be a positive number\n");
        return 2;
    }
    for (long i = 0; i < count; i++) {
        char sub[32], name[32];
        snprintf(sub, sizeof sub, "/d%03ld", i / files_per_folder);
        snprintf(name, sizeof name, "/img_%06ld.jpg", i);
        if (i % files_per_folder == 0 && mkdir((folder + sub).c_str(), 0755) != 0) {
            perror((folder + sub).c_str());
            return 1;
        }
        int camera = static_cast<int>(i % 7);
        Bytes bytes = photo(camera, r);
        write_photo(folder + sub + name, std::move(bytes), file_size(r), r);
    }
    return 0;
}
