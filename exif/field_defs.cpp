#include "exif/field_defs.h"

#include <cstdio>
#include <cstring>

#include "exif/ifd_types.h"
#include "support/run_options.h"
#include "support/trace.h"

const uint32_t field_lengths[19] = {1, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4, 0, 0, 8, 8, 8};

// clang-format off
const char *const data_type_names[19] = {
    "ZERO",
    "UNSIGNED BYTE",
    "STRING",
    "UNSIGNED SHORT",
    "UNSIGNED LONG",
    "UNSIGNED RATIONAL",
    "SIGNED BYTE",
    "UNDEFINED",
    "SIGNED SHORT",
    "SIGNED LONG",
    "SIGNED RATIONAL",
    "SIGNED FLOAT",
    "DOUBLE FLOAT",
    "UNSIGNED SHORT or UNSIGNED_LONG",
    "UNKNOWN",
    "UNKNOWN",
    "UNSIGNED LONG8",
    "SIGNED LONG8",
    "IFD8",
};
// clang-format on

// Columns: tag, IFD type, nickname, description, data type, count, opens_ifd,
// list_column (default), sql_quote, is_date.
//
// history (row 44) is left out of the default columns: focal-len holds column 9.
// The maker-note rows with no name of their own are described by their tag.
// The end marker belongs to no IFD type.
// clang-format off
constinit ifd_field_defn_row ifd_field_defn[field_defn_rows] = {
    /*   0 */ {0xffff, ifd_type_unknown,          "unknown",            "Unknown Field Tag",          7,  0, 0, -1, 1, 0},
    /*   1 */ {0x0001, ifd_type_interop,          "iop-index",          "Interop. Index",             2,  0, 0, -1, 1, 0},
    /*   2 */ {0x0002, ifd_type_interop,          "iop-ver",            "Interop. Version",           7,  0, 0, -1, 0, 0},
    /*   3 */ {0x1000, ifd_type_interop,          "iop-form",           "Related File Format",        2,  0, 0, -1, 0, 0},
    /*   4 */ {0x1001, ifd_type_interop,          "iop-width",          "Related Image Width",       13,  0, 0, -1, 0, 0},
    /*   5 */ {0x1002, ifd_type_interop,          "iop-length",         "Related Image Length",      13,  0, 0, -1, 0, 0},
    /*   6 */ {0x00fe, ifd_type_camera,           "image-type",         "Image Type ",                9,  1, 0, -1, 1, 0},
    /*   7 */ {0x010e, ifd_type_camera,           "description",        "Description",                2,  0, 0, -1, 1, 0},
    /*   8 */ {0x010f, ifd_type_camera,           "make",               "Make",                       2,  0, 0, -1, 1, 0},
    /*   9 */ {0x0110, ifd_type_camera,           "model",              "Model",                      2,  0, 0, -1, 1, 0},
    /*  10 */ {0x0112, ifd_type_camera,           "orient",             "Orientation (start point)",  3,  1, 0, -1, 1, 0},
    /*  11 */ {0x011a, ifd_type_camera,           "x-res",              "X Resolution",               5,  1, 0, -1, 0, 0},
    /*  12 */ {0x011b, ifd_type_camera,           "y-res",              "Y Resolution",               5,  1, 0, -1, 0, 0},
    /*  13 */ {0x0128, ifd_type_camera,           "res-unit",           "Resolution Unit",            3,  1, 0, -1, 1, 0},
    /*  14 */ {0x0131, ifd_type_camera,           "firm-ver",           "Firmware Version",           2,  0, 0, -1, 0, 0},
    /*  15 */ {0x0132, ifd_type_camera,           "date-mod",           "Date/Time Modified",         2, 20, 0, -1, 1, 1},
    /*  16 */ {0x013b, ifd_type_camera,           "artist",             "Artist",                     2,  0, 0, -1, 1, 0},
    /*  17 */ {0x013e, ifd_type_camera,           "white-point",        "White Point",                5,  2, 0, -1, 1, 0},
    /*  18 */ {0x013f, ifd_type_camera,           "prim-chrom",         "Primary Chromatic",          5,  6, 0, -1, 1, 0},
    /*  19 */ {0x014a, ifd_type_camera,           "sub-ifd",            "Sub-IFD",                    4,  1, 1, -1, 1, 0},
    /*  20 */ {0x0211, ifd_type_camera,           "ycbcr-coeff",        "YCbCr Coefficients",         5,  3, 0, -1, 1, 0},
    /*  21 */ {0x0213, ifd_type_camera,           "ycbcr-posn",         "YCbCr Positioning",          3,  1, 0, -1, 1, 0},
    /*  22 */ {0x0214, ifd_type_camera,           "ref-bw",             "Reference Black&White",      5,  6, 0, -1, 1, 0},
    /*  23 */ {0x8298, ifd_type_camera,           "copyright",          "Copyright",                  2,  0, 0, -1, 1, 0},
    /*  24 */ {0x8769, ifd_type_camera,           "exif-offset",        "EXIF IFD Offset",            4,  1, 1, -1, 0, 0},
    /*  25 */ {0x8825, ifd_type_camera,           "gps-offset",         "GPS IFD Offset",             4,  1, 1, -1, 1, 0},
    /*  26 */ {0x829a, ifd_type_image,            "exp-time",           "Exposure Time (sec)",        5,  1, 0,  0, 1, 0},
    /*  27 */ {0x829d, ifd_type_image,            "f-number",           "F-Number",                   5,  1, 0,  1, 0, 0},
    /*  28 */ {0x8822, ifd_type_image,            "exp-prog",           "Exposure Program",           3,  1, 0,  2, 1, 0},
    /*  29 */ {0x8827, ifd_type_image,            "iso-speed",          "ISO Speed",                  3,  1, 0, -1, 0, 0},
    /*  30 */ {0x9000, ifd_type_image,            "exif-ver",           "EXIF Version",               7,  4, 0, -1, 0, 0},
    /*  31 */ {0x9003, ifd_type_image,            "date-taken",         "Date/Time Taken",            2, 20, 0,  3, 1, 1},
    /*  32 */ {0x9004, ifd_type_image,            "date-digi",          "Date/Time Digitised",        2, 20, 0, -1, 1, 1},
    /*  33 */ {0x9101, ifd_type_image,            "comp-conf",          "Components Configuration",   7,  0, 0, -1, 1, 0},
    /*  34 */ {0x9102, ifd_type_image,            "ave-comp",           "Average Compression Ratio",  5,  1, 0, -1, 1, 0},
    /*  35 */ {0x9201, ifd_type_image,            "shutter",            "Shutter Speed (sec)",       10,  1, 0,  4, 1, 0},
    /*  36 */ {0x9202, ifd_type_image,            "aperture",           "Aperture",                   5,  1, 0,  5, 0, 0},
    /*  37 */ {0x9203, ifd_type_image,            "brightness",         "Brightness",                10,  1, 0, -1, 0, 0},
    /*  38 */ {0x9204, ifd_type_image,            "exp-bias",           "Exposure Bias (EV)",        10,  1, 0,  6, 0, 0},
    /*  39 */ {0x9205, ifd_type_image,            "max-aper",           "Max Aperture",               5,  1, 0, -1, 0, 0},
    /*  40 */ {0x9206, ifd_type_image,            "subj-dist",          "Subject Distance (metres)", 10,  1, 0, -1, 0, 0},
    /*  41 */ {0x9207, ifd_type_image,            "meter-mode",         "Metering Mode",              3,  1, 0,  7, 1, 0},
    /*  42 */ {0x9208, ifd_type_image,            "light-src",          "Light Source",               3,  1, 0, -1, 1, 0},
    /*  43 */ {0x9209, ifd_type_image,            "flash",              "Flash",                      3,  1, 0,  8, 1, 0},
    /*  44 */ {0x9213, ifd_type_image,            "history",            "Image History",              2,  0, 0, -1, 0, 0},
    /*  45 */ {0x920a, ifd_type_image,            "focal-len",          "Focal Length (mm)",          5,  1, 0,  9, 0, 0},
    /*  46 */ {0x927c, ifd_type_image,            "maker-note",         "Maker Note",                 7,  0, 0, -1, 1, 0},
    /*  47 */ {0x9286, ifd_type_image,            "comment",            "User Comment",               7,  0, 0, -1, 1, 0},
    /*  48 */ {0x9290, ifd_type_image,            "sub-time",           "Subsec Time",                2,  0, 0, -1, 0, 0},
    /*  49 */ {0x9291, ifd_type_image,            "sub-time-orig",      "Subsec Time Original",       2,  0, 0, -1, 0, 0},
    /*  50 */ {0x9292, ifd_type_image,            "sub-time-digi",      "Subsec Time Digitised",      2,  0, 0, -1, 0, 0},
    /*  51 */ {0xa000, ifd_type_image,            "flashpix-ver",       "FlashPix Version",           7,  4, 0, -1, 0, 0},
    /*  52 */ {0xa001, ifd_type_image,            "colour-space",       "Colour Space",               3,  1, 0, -1, 1, 0},
    /*  53 */ {0xa002, ifd_type_image,            "width",              "Image Width",               13,  1, 0, 10, 0, 0},
    /*  54 */ {0xa003, ifd_type_image,            "height",             "Image Height",              13,  1, 0, 11, 0, 0},
    /*  55 */ {0xa004, ifd_type_image,            "sound-file",         "Related Sound File",         2,  0, 0, -1, 1, 0},
    /*  56 */ {0xa005, ifd_type_image,            "inter-offset",       "EXIF Inter. Offset",         4,  1, 1, -1, 0, 0},
    /*  57 */ {0xa20c, ifd_type_image,            "sfr",                "Spatial Freq. Response",     7,  0, 0, -1, 0, 0},
    /*  58 */ {0xa20e, ifd_type_image,            "fp-x-res",           "Focal Plane X Resolution",   5,  1, 0, -1, 0, 0},
    /*  59 */ {0xa20f, ifd_type_image,            "fp-y-res",           "Focal Plane Y Resolution",   5,  1, 0, -1, 0, 0},
    /*  60 */ {0xa210, ifd_type_image,            "fp-res-unit",        "Focal Plane Res. Unit",      3,  1, 0, -1, 1, 0},
    /*  61 */ {0xa215, ifd_type_image,            "exp-index",          "Exposure Index",             5,  1, 0, -1, 0, 0},
    /*  62 */ {0xa217, ifd_type_image,            "sense-method",       "Sensing Method",             3,  1, 0, -1, 1, 0},
    /*  63 */ {0xa300, ifd_type_image,            "file-src",           "File Source",                7,  1, 0, -1, 0, 0},
    /*  64 */ {0xa301, ifd_type_image,            "scene-type",         "Scene Type",                 7,  1, 0, -1, 0, 0},
    /*  65 */ {0xa302, ifd_type_image,            "cfa-pattern",        "CFA Pattern",                7,  0, 0, -1, 0, 0},
    /*  66 */ {0x0100, ifd_type_thumbnail,        "th-width",           "Image Width",               13,  1, 0, -1, 0, 0},
    /*  67 */ {0x0101, ifd_type_thumbnail,        "th-len",             "Image Length",              13,  1, 0, -1, 0, 0},
    /*  68 */ {0x0102, ifd_type_thumbnail,        "th-bits-sam",        "Bits per Sample",            3,  3, 0, -1, 0, 0},
    /*  69 */ {0x0103, ifd_type_thumbnail,        "th-comp",            "Compression",                3,  1, 0, -1, 1, 0},
    /*  70 */ {0x0106, ifd_type_thumbnail,        "th-photo-int",       "PhotometricInterpret.",      3,  1, 0, -1, 0, 0},
    /*  71 */ {0x0111, ifd_type_thumbnail,        "th-strip-off",       "Strip Offsets",             13,  1, 0, -1, 0, 0},
    /*  72 */ {0x0115, ifd_type_thumbnail,        "th-sample-pix",      "Sample per Pixel",           3,  1, 0, -1, 0, 0},
    /*  73 */ {0x0116, ifd_type_thumbnail,        "th-row-strip",       "Rows per Strip",            13,  1, 0, -1, 0, 0},
    /*  74 */ {0x0117, ifd_type_thumbnail,        "th-strip-cnt",       "Byte Strip Count(s)",       13,  1, 0, -1, 0, 0},
    /*  75 */ {0x011a, ifd_type_thumbnail,        "th-x-res",           "X Resolution",               5,  1, 0, -1, 0, 0},
    /*  76 */ {0x011b, ifd_type_thumbnail,        "th-y-res",           "Y Resolution",               5,  1, 0, -1, 0, 0},
    /*  77 */ {0x011c, ifd_type_thumbnail,        "th-plan-conf",       "Planar Configuration",       3,  1, 0, -1, 1, 0},
    /*  78 */ {0x0128, ifd_type_thumbnail,        "th-res-unit",        "Resolution Unit",            3,  1, 0, -1, 1, 0},
    /*  79 */ {0x0201, ifd_type_thumbnail,        "th-if-offset",       "Jpeg IF Offset",             4,  1, 0, -1, 0, 0},
    /*  80 */ {0x0202, ifd_type_thumbnail,        "th-if-count",        "Jpeg IF Byte Count",         4,  1, 0, -1, 0, 0},
    /*  81 */ {0x0211, ifd_type_thumbnail,        "th-ycbcr-coeff",     "YCbCr Coefficients",         5,  3, 0, -1, 0, 0},
    /*  82 */ {0x0212, ifd_type_thumbnail,        "th-ycbcr-sub",       "YCbCr Sub-Sampling",         3,  2, 0, -1, 0, 0},
    /*  83 */ {0x0213, ifd_type_thumbnail,        "th-ycbcr-posn",      "YCbCr Positioning",          3,  1, 0, -1, 0, 0},
    /*  84 */ {0x0214, ifd_type_thumbnail,        "th-ref-bw",          "Reference Black/White",      5,  6, 0, -1, 0, 0},
    /*  85 */ {0x0000, ifd_type_gps,              "gps-ver",            "Version",                    1,  4, 0, -1, 0, 0},
    /*  86 */ {0x0001, ifd_type_gps,              "gps-lat-ref",        "Latitude Reference",         2,  2, 0, -1, 0, 0},
    /*  87 */ {0x0002, ifd_type_gps,              "gps-latitude",       "Latitude",                  10,  3, 0, -1, 0, 0},
    /*  88 */ {0x0003, ifd_type_gps,              "gps-long-ref",       "Longitude Reference",        2,  2, 0, -1, 0, 0},
    /*  89 */ {0x0004, ifd_type_gps,              "gps-longitude",      "Longitude",                 10,  3, 0, -1, 0, 0},
    /*  90 */ {0x0005, ifd_type_gps,              "gps-alt-ref",        "Altitude Reference",         2,  1, 0, -1, 0, 0},
    /*  91 */ {0x0006, ifd_type_gps,              "gps-altitude",       "Altitude",                  10,  1, 0, -1, 0, 0},
    /*  92 */ {0x0007, ifd_type_gps,              "gps-time",           "Time",                      10,  3, 0, -1, 0, 0},
    /*  93 */ {0x0008, ifd_type_gps,              "gps-satellite",      "Satellite",                  2,  0, 0, -1, 0, 0},
    /*  94 */ {0x0009, ifd_type_gps,              "gps-recv-stat",      "Receive Status",             2,  2, 0, -1, 0, 0},
    /*  95 */ {0x000a, ifd_type_gps,              "gps-mode",           "Measurement Mode",           2,  2, 0, -1, 0, 0},
    /*  96 */ {0x000b, ifd_type_gps,              "gps-precision",      "Measurement Precision",     10,  1, 0, -1, 0, 0},
    /*  97 */ {0x000c, ifd_type_gps,              "gps-speed-unit",     "Speed Unit",                 2,  2, 0, -1, 0, 0},
    /*  98 */ {0x000d, ifd_type_gps,              "gps-recv-speed",     "Receiver Speed",            10,  1, 0, -1, 0, 0},
    /*  99 */ {0x000e, ifd_type_gps,              "gps-mov-dir-ref",    "Movment Direction Ref",      2,  2, 0, -1, 0, 0},
    /* 100 */ {0x000f, ifd_type_gps,              "gps-mov-dir",        "Movement Direction",        10,  1, 0, -1, 0, 0},
    /* 101 */ {0x0010, ifd_type_gps,              "gps-img-dir-ref",    "Image Direction Ref",        2,  2, 0, -1, 0, 0},
    /* 102 */ {0x0011, ifd_type_gps,              "gps-img-dir",        "Image Direction",           10,  1, 0, -1, 0, 0},
    /* 103 */ {0x0012, ifd_type_gps,              "gps-geodetic",       "Geodetic Survey Data",       2,  0, 0, -1, 0, 0},
    /* 104 */ {0x0013, ifd_type_gps,              "gps-dest-lat-ref",   "Dest. Latitude Ref",         2,  2, 0, -1, 0, 0},
    /* 105 */ {0x0014, ifd_type_gps,              "gps-dest-lat",       "Destination Latitude",      10,  3, 0, -1, 0, 0},
    /* 106 */ {0x0015, ifd_type_gps,              "gps-dest-long-ref",  "Dest. Longitude Ref",        2,  2, 0, -1, 0, 0},
    /* 107 */ {0x0016, ifd_type_gps,              "gps-dest-long",      "Destination Longitude",     10,  3, 0, -1, 0, 0},
    /* 108 */ {0x0017, ifd_type_gps,              "gps-dest-bear-ref",  "Dest. Bearing Ref",          2,  2, 0, -1, 0, 0},
    /* 109 */ {0x0018, ifd_type_gps,              "gps-dest-bear",      "Destination Bearing",       10,  1, 0, -1, 0, 0},
    /* 110 */ {0x0019, ifd_type_gps,              "gps-dest-dist-ref",  "Dest. Distance Ref",         2,  2, 0, -1, 0, 0},
    /* 111 */ {0x001a, ifd_type_gps,              "gps-dest-dist",      "Destination Distance",      10,  1, 0, -1, 0, 0},
    /* 112 */ {0x0a05, ifd_type_gps,              "gps-a05",            "A05",                        4,  1, 0, -1, 0, 0},
    /* 113 */ {0x0001, ifd_type_casio,            "cs-rec-mode",        "Recording Mode",             3,  1, 0, -1, 0, 0},
    /* 114 */ {0x0002, ifd_type_casio,            "cs-quality",         "Quality",                    3,  1, 0, -1, 0, 0},
    /* 115 */ {0x0003, ifd_type_casio,            "cs-focus-mode",      "Focusing Mode",              3,  1, 0, -1, 0, 0},
    /* 116 */ {0x0004, ifd_type_casio,            "cs-flash-mode",      "Flash Mode",                 3,  1, 0, -1, 0, 0},
    /* 117 */ {0x0005, ifd_type_casio,            "cs-flash-int",       "Flash Intensity",            3,  1, 0, -1, 0, 0},
    /* 118 */ {0x0006, ifd_type_casio,            "cs-obj-dist",        "Object Distance",            4,  1, 0, -1, 0, 0},
    /* 119 */ {0x0007, ifd_type_casio,            "cs-white-bal",       "White Balance",              3,  1, 0, -1, 0, 0},
    /* 120 */ {0x0008, ifd_type_casio,            "cs-0008",            "Field 0x0008",               3,  1, 0, -1, 0, 0},
    /* 121 */ {0x0009, ifd_type_casio,            "cs-0009",            "Field 0x0009",               3,  1, 0, -1, 0, 0},
    /* 122 */ {0x000a, ifd_type_casio,            "cs-digi-zoom",       "Digital Zoom",               4,  1, 0, -1, 0, 0},
    /* 123 */ {0x000b, ifd_type_casio,            "cs-sharpness",       "Sharpness",                  3,  1, 0, -1, 0, 0},
    /* 124 */ {0x000c, ifd_type_casio,            "cs-contrast",        "Contrast",                   3,  1, 0, -1, 0, 0},
    /* 125 */ {0x000d, ifd_type_casio,            "cs-saturation",      "Saturation",                 3,  1, 0, -1, 0, 0},
    /* 126 */ {0x000e, ifd_type_casio,            "cs-000e",            "Field 0x000e",               3,  1, 0, -1, 0, 0},
    /* 127 */ {0x000f, ifd_type_casio,            "cs-000f",            "Field 0x000f",               3,  1, 0, -1, 0, 0},
    /* 128 */ {0x0010, ifd_type_casio,            "cs-0010",            "Field 0x0010",               3,  1, 0, -1, 0, 0},
    /* 129 */ {0x0011, ifd_type_casio,            "cs-0011",            "Field 0x0011",               4,  1, 0, -1, 0, 0},
    /* 130 */ {0x0012, ifd_type_casio,            "cs-0012",            "Field 0x0012",               3,  1, 0, -1, 0, 0},
    /* 131 */ {0x0013, ifd_type_casio,            "cs-0013",            "Field 0x0013",               3,  1, 0, -1, 0, 0},
    /* 132 */ {0x0014, ifd_type_casio,            "cs-ccd",             "CCD Sensitivity",            3,  1, 0, -1, 0, 0},
    /* 133 */ {0x0015, ifd_type_casio,            "cs-0015",            "Field 0x0015",               2,  0, 0, -1, 0, 0},
    /* 134 */ {0x0016, ifd_type_casio,            "cs-0016",            "Field 0x0016",               3,  1, 0, -1, 0, 0},
    /* 135 */ {0x0017, ifd_type_casio,            "cs-0017",            "Field 0x0017",               3,  1, 0, -1, 0, 0},
    /* 136 */ {0x0018, ifd_type_casio,            "cs-0018",            "Field 0x0018",               3,  1, 0, -1, 0, 0},
    /* 137 */ {0x0019, ifd_type_casio,            "cs-0019",            "Field 0x0019",               3,  1, 0, -1, 0, 0},
    /* 138 */ {0x001a, ifd_type_casio,            "cs-001a",            "Field 0x001a",               7,  0, 0, -1, 0, 0},
    /* 139 */ {0x0e00, ifd_type_casio,            "cs-0e00",            "Field 0x0e00",               7,  0, 0, -1, 0, 0},
    /* 140 */ {0x0002, ifd_type_nikon1,           "n1-0002",            "Field 0x0002",               2,  0, 0, -1, 0, 0},
    /* 141 */ {0x0003, ifd_type_nikon1,           "n1-quality",         "Quality",                    3,  1, 0, -1, 0, 0},
    /* 142 */ {0x0004, ifd_type_nikon1,           "n1-col-mode",        "Colour Mode",                3,  1, 0, -1, 0, 0},
    /* 143 */ {0x0005, ifd_type_nikon1,           "n1-image-adj",       "Image Adjustment",           3,  1, 0, -1, 0, 0},
    /* 144 */ {0x0006, ifd_type_nikon1,           "n1-ccd-sens",        "CCD Sensitivity",            3,  1, 0, -1, 0, 0},
    /* 145 */ {0x0007, ifd_type_nikon1,           "n1-white-bal",       "White Balance",              3,  1, 0, -1, 0, 0},
    /* 146 */ {0x0008, ifd_type_nikon1,           "n1-focus",           "Focus",                      5,  1, 0, -1, 0, 0},
    /* 147 */ {0x0009, ifd_type_nikon1,           "n1-0020",            "Field 0x0020",               2, 20, 0, -1, 0, 0},
    /* 148 */ {0x000a, ifd_type_nikon1,           "n1-digi-zoom",       "Digital Zoom",               5,  1, 0, -1, 0, 0},
    /* 149 */ {0x000b, ifd_type_nikon1,           "n1-converter",       "Lens Converter",             3,  1, 0, -1, 0, 0},
    /* 150 */ {0x0f00, ifd_type_nikon1,           "n1-0f00",            "Field 0x0f00",               4,  0, 0, -1, 0, 0},
    /* 151 */ {0x0001, ifd_type_nikon2,           "n2-version",         "Version",                    7,  4, 0, -1, 0, 0},
    /* 152 */ {0x0002, ifd_type_nikon2,           "n2-iso",             "ISO Setting",                3,  2, 0, -1, 0, 0},
    /* 153 */ {0x0003, ifd_type_nikon2,           "n2-color-mode",      "Colour Mode",                2,  0, 0, -1, 0, 0},
    /* 154 */ {0x0004, ifd_type_nikon2,           "n2-quality",         "Quality",                    2,  0, 0, -1, 0, 0},
    /* 155 */ {0x0005, ifd_type_nikon2,           "n2-white-bal",       "White Balance",              2,  0, 0, -1, 0, 0},
    /* 156 */ {0x0006, ifd_type_nikon2,           "n2-sharpen",         "Image Sharpening",           2,  0, 0, -1, 0, 0},
    /* 157 */ {0x0007, ifd_type_nikon2,           "n2-focus-mode",      "Focus Mode",                 2,  0, 0, -1, 0, 0},
    /* 158 */ {0x0008, ifd_type_nikon2,           "n2-flash-set",       "Flash Setting",              2,  0, 0, -1, 0, 0},
    /* 159 */ {0x000a, ifd_type_nikon2,           "n2-000a",            "Field 0x000a",               5,  1, 0, -1, 0, 0},
    /* 160 */ {0x000f, ifd_type_nikon2,           "n2-iso-sel",         "ISO Selection",              2,  0, 0, -1, 0, 0},
    /* 161 */ {0x0010, ifd_type_nikon2,           "n2-data-dump",       "Data Dump",                  7,  0, 0, -1, 0, 0},
    /* 162 */ {0x0080, ifd_type_nikon2,           "n2-image-adj",       "Image Adjustment",           2,  0, 0, -1, 0, 0},
    /* 163 */ {0x0082, ifd_type_nikon2,           "n2-adapter",         "Lens Adapter",               2,  0, 0, -1, 0, 0},
    /* 164 */ {0x0085, ifd_type_nikon2,           "n2-man-focus",       "Manual Focus Distance",      5,  1, 0, -1, 0, 0},
    /* 165 */ {0x0086, ifd_type_nikon2,           "n2-digi-zoom",       "Digital Zoom",               5,  1, 0, -1, 0, 0},
    /* 166 */ {0x0088, ifd_type_nikon2,           "n2-focus-posn",      "AF Focus Position",          7,  4, 0, -1, 0, 0},
    /* 167 */ {0x0200, ifd_type_olympus,          "ol-spec-mode",       "Special Mode",               4,  3, 0, -1, 0, 0},
    /* 168 */ {0x0201, ifd_type_olympus,          "ol-jpg-qual",        "JPEG Quality",               3,  1, 0, -1, 0, 0},
    /* 169 */ {0x0202, ifd_type_olympus,          "ol-macro",           "Macro",                      3,  1, 0, -1, 0, 0},
    /* 170 */ {0x0203, ifd_type_olympus,          "ol-0203",            "Field 0x0203",               3,  1, 0, -1, 0, 0},
    /* 171 */ {0x0204, ifd_type_olympus,          "ol-digi-zoom",       "Digital Zoom",               5,  1, 0, -1, 0, 0},
    /* 172 */ {0x0205, ifd_type_olympus,          "ol-0205",            "Field 0x0205",               5,  1, 0, -1, 0, 0},
    /* 173 */ {0x0206, ifd_type_olympus,          "ol-0206",            "Field 0x0206",               8,  6, 0, -1, 0, 0},
    /* 174 */ {0x0207, ifd_type_olympus,          "ol-sw-rel",          "Software Release",           2,  0, 0, -1, 0, 0},
    /* 175 */ {0x0208, ifd_type_olympus,          "ol-pic-info",        "Picture Information",        2,  0, 0, -1, 0, 0},
    /* 176 */ {0x0209, ifd_type_olympus,          "ol-camera-id",       "Camera Id",                  7,  0, 0, -1, 0, 0},
    /* 177 */ {0x0f00, ifd_type_olympus,          "ol-data-dump",       "Data Dump",                  4, 30, 0, -1, 0, 0},
    /* 178 */ {0x0200, ifd_type_olympus_c2500l,   "olc2500l-spec-mode", "Special Mode",               4,  3, 0, -1, 0, 0},
    /* 179 */ {0x0201, ifd_type_olympus_c2500l,   "olc2500l-jpg-qual",  "JPEG Quality",               3,  1, 0, -1, 0, 0},
    /* 180 */ {0x0202, ifd_type_olympus_c2500l,   "olc2500l-macro",     "Macro",                      3,  1, 0, -1, 0, 0},
    /* 181 */ {0x0203, ifd_type_olympus_c2500l,   "olc2500l-0203",      "Field 0x0203",               3,  1, 0, -1, 0, 0},
    /* 182 */ {0x0204, ifd_type_olympus_c2500l,   "olc2500l-digi-zoom", "Digital Zoom",               5,  1, 0, -1, 0, 0},
    /* 183 */ {0x0205, ifd_type_olympus_c2500l,   "olc2500l-0205",      "Field 0x0205",               5,  1, 0, -1, 0, 0},
    /* 184 */ {0x0206, ifd_type_olympus_c2500l,   "olc2500l-0206",      "Field 0x0206",               8,  6, 0, -1, 0, 0},
    /* 185 */ {0x0207, ifd_type_olympus_c2500l,   "olc2500l-sw-rel",    "Software Release",           2,  0, 0, -1, 0, 0},
    /* 186 */ {0x0208, ifd_type_olympus_c2500l,   "olc2500l-pic-info",  "Picture Information",        2,  0, 0, -1, 0, 0},
    /* 187 */ {0x0209, ifd_type_olympus_c2500l,   "olc2500l-camera-id", "Camera Id",                  7,  0, 0, -1, 0, 0},
    /* 188 */ {0x0f00, ifd_type_olympus_c2500l,   "olc2500l-data-dump", "Data Dump",                  4, 30, 0, -1, 0, 0},
    /* 189 */ {0x1000, ifd_type_olympus_c2500l,   "olc2500l-1000",      "Field 0x1000",              10,  1, 0, -1, 0, 0},
    /* 190 */ {0x1001, ifd_type_olympus_c2500l,   "olc2500l-1001",      "Field 0x1001",              10,  1, 0, -1, 0, 0},
    /* 191 */ {0x1002, ifd_type_olympus_c2500l,   "olc2500l-1002",      "Field 0x1002",              10,  1, 0, -1, 0, 0},
    /* 192 */ {0x1003, ifd_type_olympus_c2500l,   "olc2500l-1003",      "Field 0x1003",              10,  1, 0, -1, 0, 0},
    /* 193 */ {0x1004, ifd_type_olympus_c2500l,   "olc2500l-1004",      "Field 0x1004",               3,  1, 0, -1, 0, 0},
    /* 194 */ {0x1005, ifd_type_olympus_c2500l,   "olc2500l-1005",      "Field 0x1005",               3,  2, 0, -1, 0, 0},
    /* 195 */ {0x1006, ifd_type_olympus_c2500l,   "olc2500l-1006",      "Field 0x1006",              10,  1, 0, -1, 0, 0},
    /* 196 */ {0x1007, ifd_type_olympus_c2500l,   "olc2500l-1007",      "Field 0x1007",               8,  1, 0, -1, 0, 0},
    /* 197 */ {0x1008, ifd_type_olympus_c2500l,   "olc2500l-1008",      "Field 0x1008",               8,  1, 0, -1, 0, 0},
    /* 198 */ {0x1009, ifd_type_olympus_c2500l,   "olc2500l-1009",      "Field 0x1009",               3,  1, 0, -1, 0, 0},
    /* 199 */ {0x100a, ifd_type_olympus_c2500l,   "olc2500l-100a",      "Field 0x100a",               3,  1, 0, -1, 0, 0},
    /* 200 */ {0x100b, ifd_type_olympus_c2500l,   "olc2500l-100b",      "Field 0x100b",               3,  1, 0, -1, 0, 0},
    /* 201 */ {0x100c, ifd_type_olympus_c2500l,   "olc2500l-100c",      "Field 0x100c",               5,  1, 0, -1, 0, 0},
    /* 202 */ {0x100d, ifd_type_olympus_c2500l,   "olc2500l-100d",      "Field 0x100d",               3,  1, 0, -1, 0, 0},
    /* 203 */ {0x100e, ifd_type_olympus_c2500l,   "olc2500l-100e",      "Field 0x100e",               3,  1, 0, -1, 0, 0},
    /* 204 */ {0x100f, ifd_type_olympus_c2500l,   "olc2500l-100f",      "Field 0x100f",               3,  1, 0, -1, 0, 0},
    /* 205 */ {0x1010, ifd_type_olympus_c2500l,   "olc2500l-1010",      "Field 0x1010",               3,  1, 0, -1, 0, 0},
    /* 206 */ {0x1011, ifd_type_olympus_c2500l,   "olc2500l-1011",      "Field 0x1011",               3,  1, 0, -1, 0, 0},
    /* 207 */ {0x1012, ifd_type_olympus_c2500l,   "olc2500l-1012",      "Field 0x1012",               3,  1, 0, -1, 0, 0},
    /* 208 */ {0x1013, ifd_type_olympus_c2500l,   "olc2500l-1013",      "Field 0x1013",               3,  1, 0, -1, 0, 0},
    /* 209 */ {0x1014, ifd_type_olympus_c2500l,   "olc2500l-1014",      "Field 0x1014",               3,  1, 0, -1, 0, 0},
    /* 210 */ {0x1015, ifd_type_olympus_c2500l,   "olc2500l-1015",      "Field 0x1015",               3,  2, 0, -1, 0, 0},
    /* 211 */ {0x1016, ifd_type_olympus_c2500l,   "olc2500l-1016",      "Field 0x1016",               3,  1, 0, -1, 0, 0},
    /* 212 */ {0x1017, ifd_type_olympus_c2500l,   "olc2500l-1017",      "Field 0x1017",               3,  2, 0, -1, 0, 0},
    /* 213 */ {0x1018, ifd_type_olympus_c2500l,   "olc2500l-1018",      "Field 0x1018",               3,  2, 0, -1, 0, 0},
    /* 214 */ {0x1019, ifd_type_olympus_c2500l,   "olc2500l-1019",      "Field 0x1019",               3,  0, 0, -1, 0, 0},
    /* 215 */ {0x101a, ifd_type_olympus_c2500l,   "olc2500l-101a",      "Field 0x101a",               2,  0, 0, -1, 0, 0},
    /* 216 */ {0x101b, ifd_type_olympus_c2500l,   "olc2500l-101b",      "Field 0x101b",               4,  1, 0, -1, 0, 0},
    /* 217 */ {0x101c, ifd_type_olympus_c2500l,   "olc2500l-101c",      "Field 0x101c",               4,  1, 0, -1, 0, 0},
    /* 218 */ {0x101d, ifd_type_olympus_c2500l,   "olc2500l-101d",      "Field 0x101d",               4,  1, 0, -1, 0, 0},
    /* 219 */ {0x101e, ifd_type_olympus_c2500l,   "olc2500l-101e",      "Field 0x101e",               4,  1, 0, -1, 0, 0},
    /* 220 */ {0x101f, ifd_type_olympus_c2500l,   "olc2500l-101f",      "Field 0x101f",               4,  1, 0, -1, 0, 0},
    /* 221 */ {0x1020, ifd_type_olympus_c2500l,   "olc2500l-1020",      "Field 0x1020",               4,  1, 0, -1, 0, 0},
    /* 222 */ {0x1021, ifd_type_olympus_c2500l,   "olc2500l-1021",      "Field 0x1021",               4,  1, 0, -1, 0, 0},
    /* 223 */ {0x1022, ifd_type_olympus_c2500l,   "olc2500l-1022",      "Field 0x1022",               4,  1, 0, -1, 0, 0},
    /* 224 */ {0x1023, ifd_type_olympus_c2500l,   "olc2500l-1023",      "Field 0x1023",              10,  1, 0, -1, 0, 0},
    /* 225 */ {0x1024, ifd_type_olympus_c2500l,   "olc2500l-1024",      "Field 0x1024",               3,  1, 0, -1, 0, 0},
    /* 226 */ {0x1025, ifd_type_olympus_c2500l,   "olc2500l-1025",      "Field 0x1025",              10,  1, 0, -1, 0, 0},
    /* 227 */ {0x1026, ifd_type_olympus_c2500l,   "olc2500l-1026",      "Field 0x1026",               3,  1, 0, -1, 0, 0},
    /* 228 */ {0x1027, ifd_type_olympus_c2500l,   "olc2500l-1027",      "Field 0x1027",               3,  1, 0, -1, 0, 0},
    /* 229 */ {0x1028, ifd_type_olympus_c2500l,   "olc2500l-1028",      "Field 0x1028",               3,  1, 0, -1, 0, 0},
    /* 230 */ {0x0000, ifd_type_canon,            "cn-0000",            "Field 0x0000",               3,  0, 0, -1, 0, 0},
    /* 231 */ {0x0001, ifd_type_canon,            "cn-0001",            "Settings 1",                 3,  0, 0, -1, 0, 0},
    /* 232 */ {0x0002, ifd_type_canon,            "cn-0002",            "Field 0x0002",               3,  0, 0, -1, 0, 0},
    /* 233 */ {0x0003, ifd_type_canon,            "cn-0003",            "Field 0x0003",               3,  0, 0, -1, 0, 0},
    /* 234 */ {0x0004, ifd_type_canon,            "cn-0004",            "Settings 4",                 3,  0, 0, -1, 0, 0},
    /* 235 */ {0x0006, ifd_type_canon,            "cn-image-type",      "Image Type",                 2,  0, 0, -1, 0, 0},
    /* 236 */ {0x0007, ifd_type_canon,            "cn-firm-ver",        "Firmware Version",           2,  0, 0, -1, 0, 0},
    /* 237 */ {0x0008, ifd_type_canon,            "cn-image-num",       "Image Number",               4,  1, 0, -1, 0, 0},
    /* 238 */ {0x0009, ifd_type_canon,            "cn-owner",           "Owner Name",                 2,  0, 0, -1, 0, 0},
    /* 239 */ {0x000a, ifd_type_canon,            "cn-000a",            "Field 0x000a",               3,  0, 0, -1, 0, 0},
    /* 240 */ {0x000c, ifd_type_canon,            "cn-body-num",        "Camera Body Number",         4,  0, 0, -1, 0, 0},
    /* 241 */ {0x000d, ifd_type_canon,            "cn-000d",            "Field 0x000d",               3,  0, 0, -1, 0, 0},
    /* 242 */ {0x000e, ifd_type_canon,            "cn-000e",            "Field 0x000e",               4,  0, 0, -1, 0, 0},
    /* 243 */ {0x000f, ifd_type_canon,            "cn-custfunc",        "Custom Functions",           3,  0, 0, -1, 0, 0},
    /* 244 */ {0x0010, ifd_type_canon,            "cn-0010",            "Field 0x0010",               4,  0, 0, -1, 0, 0},
    /* 245 */ {0x0000, ifd_type_fujifilm,         "fu-version",         "Version",                    7,  4, 0, -1, 0, 0},
    /* 246 */ {0x1000, ifd_type_fujifilm,         "fu-quality",         "Quality",                    2,  0, 0, -1, 0, 0},
    /* 247 */ {0x1001, ifd_type_fujifilm,         "fu-sharpness",       "Sharpness",                  3,  1, 0, -1, 0, 0},
    /* 248 */ {0x1002, ifd_type_fujifilm,         "fu-white-bal",       "White Balance",              3,  1, 0, -1, 0, 0},
    /* 249 */ {0x1010, ifd_type_fujifilm,         "fu-flash-mode",      "Flash Mode",                 3,  1, 0, -1, 0, 0},
    /* 250 */ {0x1011, ifd_type_fujifilm,         "fu-flash-str",       "Flash Strength Comp",       10,  1, 0, -1, 0, 0},
    /* 251 */ {0x1020, ifd_type_fujifilm,         "fu-macro",           "Macro",                      3,  1, 0, -1, 0, 0},
    /* 252 */ {0x1021, ifd_type_fujifilm,         "fu-focus-mode",      "Focus Mode",                 3,  1, 0, -1, 0, 0},
    /* 253 */ {0x1030, ifd_type_fujifilm,         "fu-slow-sync",       "Slow Sync.",                 3,  1, 0, -1, 0, 0},
    /* 254 */ {0x1031, ifd_type_fujifilm,         "fu-picture-mode",    "Picture Mode",               3,  1, 0, -1, 0, 0},
    /* 255 */ {0x1100, ifd_type_fujifilm,         "fu-bracket",         "Contin/Bracket Mode",        3,  1, 0, -1, 0, 0},
    /* 256 */ {0x1200, ifd_type_fujifilm,         "fu-1200",            "Field 0x1200",               3,  1, 0, -1, 0, 0},
    /* 257 */ {0x1300, ifd_type_fujifilm,         "fu-blur-warn",       "Blur Warning",               3,  1, 0, -1, 0, 0},
    /* 258 */ {0x1301, ifd_type_fujifilm,         "fu-focus-warn",      "Focus Warning",              3,  1, 0, -1, 0, 0},
    /* 259 */ {0x1302, ifd_type_fujifilm,         "fu-ae-warn",         "AE Warning",                 3,  1, 0, -1, 0, 0},
    /* 260 */ {0x0000, ifd_type_minolta,          "mn-version",         "Version",                    7,  0, 0, -1, 0, 0},
    /* 261 */ {0x0001, ifd_type_minolta,          "mn-0001",            "Field 0x0001",               7,  0, 0, -1, 0, 0},
    /* 262 */ {0x0010, ifd_type_minolta,          "mn-0010",            "Field 0x0010",               7,  0, 0, -1, 0, 0},
    /* 263 */ {0x0020, ifd_type_minolta,          "mn-0020",            "Field 0x0020",               7,  0, 0, -1, 0, 0},
    /* 264 */ {0x0040, ifd_type_minolta,          "mn-0040",            "Field 0x0040",               4,  1, 0, -1, 0, 0},
    /* 265 */ {0x00e0, ifd_type_minolta,          "mn-00e0",            "Field 0x00e0",               7,  0, 0, -1, 0, 0},
    /* 266 */ {0x0001, ifd_type_nikon_d1x,        "n3-0001",            "Field 0x0001",               7,  0, 0, -1, 0, 0},
    /* 267 */ {0x0002, ifd_type_nikon_d1x,        "n3-0002",            "Field 0x0002",               3,  2, 0, -1, 0, 0},
    /* 268 */ {0x0003, ifd_type_nikon_d1x,        "n3-0003",            "Field 0x0003",               2,  0, 0, -1, 0, 0},
    /* 269 */ {0x0004, ifd_type_nikon_d1x,        "n3-0004",            "Field 0x0004",               2,  0, 0, -1, 0, 0},
    /* 270 */ {0x0005, ifd_type_nikon_d1x,        "n3-0005",            "Field 0x0005",               2,  0, 0, -1, 0, 0},
    /* 271 */ {0x0006, ifd_type_nikon_d1x,        "n3-0006",            "Field 0x0006",               2,  0, 0, -1, 0, 0},
    /* 272 */ {0x0007, ifd_type_nikon_d1x,        "n3-0007",            "Field 0x0007",               2,  0, 0, -1, 0, 0},
    /* 273 */ {0x0008, ifd_type_nikon_d1x,        "n3-0008",            "Field 0x0008",               2,  0, 0, -1, 0, 0},
    /* 274 */ {0x0009, ifd_type_nikon_d1x,        "n3-0009",            "Field 0x0009",               2,  0, 0, -1, 0, 0},
    /* 275 */ {0x000b, ifd_type_nikon_d1x,        "n3-000b",            "Field 0x000b",               8,  1, 0, -1, 0, 0},
    /* 276 */ {0x000c, ifd_type_nikon_d1x,        "n3-000c",            "Field 0x000c",               5,  4, 0, -1, 0, 0},
    /* 277 */ {0x000d, ifd_type_nikon_d1x,        "n3-000d",            "Field 0x000d",               7,  4, 0, -1, 0, 0},
    /* 278 */ {0x000e, ifd_type_nikon_d1x,        "n3-000e",            "Field 0x000e",               7,  4, 0, -1, 0, 0},
    /* 279 */ {0x0011, ifd_type_nikon_d1x,        "n3-0011",            "Field 0x0011",               4,  1, 0, -1, 0, 0},
    /* 280 */ {0x0081, ifd_type_nikon_d1x,        "n3-0081",            "Field 0x0081",               2,  0, 0, -1, 0, 0},
    /* 281 */ {0x0083, ifd_type_nikon_d1x,        "n3-0083",            "Field 0x0083",               1,  0, 0, -1, 0, 0},
    /* 282 */ {0x0084, ifd_type_nikon_d1x,        "n3-0084",            "Field 0x0084",               5,  4, 0, -1, 0, 0},
    /* 283 */ {0x0087, ifd_type_nikon_d1x,        "n3-0087",            "Field 0x0087",               1,  0, 0, -1, 0, 0},
    /* 284 */ {0x0088, ifd_type_nikon_d1x,        "n3-0088",            "Field 0x0088",               7,  0, 0, -1, 0, 0},
    /* 285 */ {0x0089, ifd_type_nikon_d1x,        "n3-0089",            "Field 0x0089",               1,  0, 0, -1, 0, 0},
    /* 286 */ {0x008a, ifd_type_nikon_d1x,        "n3-008a",            "Field 0x008a",               3,  1, 0, -1, 0, 0},
    /* 287 */ {0x008b, ifd_type_nikon_d1x,        "n3-008b",            "Field 0x008b",               7,  0, 0, -1, 0, 0},
    /* 288 */ {0x008d, ifd_type_nikon_d1x,        "n3-008d",            "Field 0x008d",               2,  0, 0, -1, 0, 0},
    /* 289 */ {0x008e, ifd_type_nikon_d1x,        "n3-008e",            "Field 0x008e",              10,  4, 0, -1, 0, 0},
    /* 290 */ {0x0090, ifd_type_nikon_d1x,        "n3-0090",            "Field 0x0090",               2,  0, 0, -1, 0, 0},
    /* 291 */ {0x0091, ifd_type_nikon_d1x,        "n3-0091",            "Field 0x0091",               7,  0, 0, -1, 0, 0},
    /* 292 */ {0x0092, ifd_type_nikon_d1x,        "n3-0092",            "Field 0x0092",               8,  1, 0, -1, 0, 0},
    /* 293 */ {0xFFFFFFFF, -1,                   "end-table",          "**** End of of Table ****",  0,  0, 0, -1, 0, 0},
};
// clang-format on

namespace {

// Every entry of every file looks its definition up (list and SQL output once
// more per record), and a scan of the whole table cost more than the rest of
// the walk. Two small open-addressing tables, built once from the table (whose
// tags and IFD types never change), answer instead: the first row of an IFD
// type and tag, and the last row of a tag in any IFD type.
constexpr uint32_t lookup_slots = 1024;
static_assert(lookup_slots >= 2 * field_defn_rows, "the tables stay at most half full");

struct lookup_slot {
    uint64_t key;
    int32_t row;  // -1: empty
};

struct defn_lookup {
    lookup_slot by_type_and_tag[lookup_slots];
    lookup_slot by_tag[lookup_slots];
};

uint64_t type_and_tag(int32_t ifd_type, uint32_t tag)
{
    return static_cast<uint64_t>(static_cast<uint32_t>(ifd_type)) << 32 | tag;
}

// The slot holding the key, or the empty slot where it belongs.
uint32_t slot_for(const lookup_slot *table, uint64_t key)
{
    uint32_t i = static_cast<uint32_t>((key * 0x9E3779B97F4A7C15ull) >> 54);  // top 10 bits
    while (table[i].row >= 0 && table[i].key != key) {
        i = (i + 1) % lookup_slots;
    }
    return i;
}

// Built on the first lookup (a plain flag: the program has one thread).
defn_lookup lookup;
bool lookup_built = false;

void build_defn_lookup()
{
    for (lookup_slot &slot : lookup.by_type_and_tag) {
        slot = {0, -1};
    }
    for (lookup_slot &slot : lookup.by_tag) {
        slot = {0, -1};
    }
    for (int i = 0; ifd_field_defn[i].tag != field_defn_end_tag; ++i) {
        const uint64_t key = type_and_tag(ifd_field_defn[i].ifd_type, ifd_field_defn[i].tag);
        lookup_slot &first = lookup.by_type_and_tag[slot_for(lookup.by_type_and_tag, key)];
        if (first.row < 0) {
            first = {key, i};
        }
        lookup.by_tag[slot_for(lookup.by_tag, ifd_field_defn[i].tag)] = {ifd_field_defn[i].tag, i};
    }
    lookup_built = true;
}

}  // namespace

int find_field_defn_by_tag(int32_t ifd_type, uint32_t tag)
{
    if (!lookup_built) {
        build_defn_lookup();
    }
    const lookup_slot &first = lookup.by_type_and_tag[slot_for(lookup.by_type_and_tag, type_and_tag(ifd_type, tag))];
    if (first.row >= 0) {
        return first.row;
    }
    const lookup_slot &last = lookup.by_tag[slot_for(lookup.by_tag, tag)];
    return last.row >= 0 ? last.row : field_defn_unknown;
}

int find_field_defn_by_nickname(const char *nickname)
{
    if (nickname == nullptr) {
        return -1;
    }
    for (int i = 0; ifd_field_defn[i].tag != field_defn_end_tag; ++i) {
        if (std::strcmp(ifd_field_defn[i].nickname, nickname) == 0) {
            trace("Found nickname %s, index=%d\n", nickname, i);
            return i;
        }
    }
    return -1;
}

int field_data_type_matches(uint32_t data_type, int row)
{
    if (row < 0 || row >= field_defn_rows) {
        return 0;
    }
    return data_type_matches(data_type, ifd_field_defn[row].data_type);
}

int data_type_matches(uint32_t data_type, uint32_t expected)
{
    data_type = narrowed_type(data_type);
    if (expected == data_type_short_or_long && (data_type == data_type_short || data_type == data_type_long)) {
        return 1;
    }
    if (data_type == expected) {
        return 1;
    }
    // Text stored as bytes and bytes stored as text are both read; a signed
    // definition accepts its unsigned type, not the reverse.
    if ((expected == data_type_byte && data_type == data_type_ascii) ||
        (expected == data_type_ascii && data_type == data_type_byte) ||
        (expected == data_type_sshort && data_type == data_type_short) ||
        (expected == data_type_slong && data_type == data_type_long) ||
        (expected == data_type_srational && data_type == data_type_rational)) {
        return 1;
    }
    return 0;
}
