#include "support/run_options.h"

exif_options exif_opts = {0, 0, 0, 0};
exif_options *exif_opts_p = &exif_opts;
