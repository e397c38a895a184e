// Writes the example photos of `make demo` into the folder named on the
// command line: small files shaped like real camera output.
#include <cstdio>
#include <string>

#include "fixture/jpeg_builder.h"

using namespace fixture;

namespace {

Ifd interop_ifd() { return Ifd{{ascii(0x0001, "R98"), undefined(0x0002, bytes_of("0100"))}}; }

// The EXIF IFD of an ordinary exposure.
std::vector<Entry> exposure_entries()
{
    return {
        rationals(0x829A, {{10, 1250}}),  // exposure time 1/125
        rationals(0x829D, {{56, 10}}),    // f/5.6
        shorts(0x8822, {2}),              // program AE
        shorts(0x8827, {100}),
        undefined(0x9000, bytes_of("0210")),
        ascii(0x9003, "2001:10:06 14:31:07"),
        ascii(0x9004, "2001:10:06 14:31:07"),
        undefined(0x9101, {1, 2, 3, 0}),
        srationals(0x9201, {{7, 1}}),   // shutter speed value
        rationals(0x9202, {{50, 10}}),  // aperture value
        srationals(0x9204, {{0, 1}}),
        rationals(0x9205, {{26, 10}}),
        shorts(0x9207, {5}),  // pattern metering
        shorts(0x9209, {0}),
        rationals(0x920A, {{128, 10}}),  // 12.8 mm
        undefined(0xA000, bytes_of("0100")),
        shorts(0xA001, {1}),
        shorts(0xA002, {1600}),
        shorts(0xA003, {1200}),
    };
}

Bytes camera_photo()
{
    std::vector<Entry> exif = exposure_entries();
    exif.push_back(maker_note({}, Ifd{{undefined(0x0001, {0, 1, 0, 0}), shorts(0x0002, {0, 100}),
                                       ascii(0x0003, "COLOR"), ascii(0x0004, "FINE "), ascii(0x0005, "AUTO  "),
                                       ascii(0x0007, "AF-S  "), undefined(0x0088, {0, 1, 0, 0})}}));
    exif.push_back(pointer(tag::kInteropIfd, interop_ifd()));
    Ifd ifd0{{ascii(0x010E, "Harbour at dusk"), ascii(tag::kMake, "NIKON"), ascii(tag::kModel, "E990"),
              shorts(0x0112, {1}), rationals(0x011A, {{300, 1}}), rationals(0x011B, {{300, 1}}), shorts(0x0128, {2}),
              ascii(0x0131, "E990v1.1"), ascii(0x0132, "2001:10:06 14:31:07"), shorts(0x0213, {2}),
              pointer(tag::kExifIfd, Ifd{exif})}};
    Ifd ifd1{.entries = {shorts(0x0103, {6}), rationals(0x011A, {{300, 1}}), rationals(0x011B, {{300, 1}}),
                         shorts(0x0128, {2})},
             .thumbnail = fake_jpeg(1024)};
    return build_jpeg({.exif = Tiff{.order = ByteOrder::Intel, .chain = {ifd0, ifd1}}, .before = {jfif()}});
}

Bytes gps_photo()
{
    Ifd gps{{byte_values(0x0000, {2, 2, 0, 0}), ascii(0x0001, "N"), rationals(0x0002, {{51, 1}, {3045, 100}, {0, 1}}),
             ascii(0x0003, "W"), rationals(0x0004, {{0, 1}, {7, 1}, {3, 1}}), byte_values(0x0005, {0}),
             rationals(0x0006, {{35, 1}}), rationals(0x0007, {{14, 1}, {31, 1}, {7, 1}}), ascii(0x0012, "WGS-84")}};
    Ifd ifd0{{ascii(tag::kMake, "Canon"), ascii(tag::kModel, "Canon PowerShot G1"), shorts(0x0112, {1}),
              rationals(0x011A, {{180, 1}}), rationals(0x011B, {{180, 1}}), shorts(0x0128, {2}),
              ascii(0x0132, "2001:10:06 14:35:51"), pointer(tag::kExifIfd, Ifd{exposure_entries()}),
              pointer(tag::kGpsIfd, gps)}};
    return exif_jpeg(Tiff{.order = ByteOrder::Intel, .chain = {ifd0}});
}

Bytes motorola_photo()
{
    std::vector<Entry> exif = exposure_entries();
    exif.push_back(maker_note(fujifilm_header(),
                              Ifd{{undefined(0x0000, bytes_of("0130")), ascii(0x1000, "NORMAL "), shorts(0x1001, {3}),
                                   shorts(0x1002, {0}), shorts(0x1010, {1})}},
                              MakerLayout::FujiFilm));
    Ifd ifd0{{ascii(tag::kMake, "FUJIFILM"), ascii(tag::kModel, "FinePix1400Zoom"), shorts(0x0112, {1}),
              rationals(0x011A, {{72, 1}}), rationals(0x011B, {{72, 1}}), shorts(0x0128, {2}),
              ascii(0x0131, "Digital Camera FinePix1400Zoom Ver1.00"), ascii(0x0132, "2001:10:06 15:02:11"),
              pointer(tag::kExifIfd, Ifd{exif})}};
    Ifd ifd1{.entries = {shorts(0x0103, {6})}, .thumbnail = fake_jpeg(512)};
    return exif_jpeg(Tiff{.order = ByteOrder::Motorola, .chain = {ifd0, ifd1}});
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        fprintf(stderr, "usage: make_examples folder\n");
        return 1;
    }
    std::string folder = argv[1];
    write_file(folder + "/camera-with-thumbnail.jpg", camera_photo());
    write_file(folder + "/gps-photo.jpg", gps_photo());
    write_file(folder + "/motorola-order.jpg", motorola_photo());
    return 0;
}
