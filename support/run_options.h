// Run-wide options: set once from the command line, read by every layer.
#pragma once
#include <cstdint>

struct exif_options {
    int32_t debug;        // -d: traces on standard output
    int32_t quiet;        // -q: no warnings
    int32_t raw;          // -u: values not interpreted
    int32_t excel_tweak;  // -x: Excel-compatible dates and times
};

extern exif_options exif_opts;
extern exif_options *exif_opts_p;
