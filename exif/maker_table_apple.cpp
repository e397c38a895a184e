// Apple maker notes: the tag table of the note's IFD and of what hangs from it.
// Tag numbers and names follow the public tag documentation.
#include <iterator>

#include "exif/ifd_types.h"
#include "exif/maker_tables.h"

namespace {

// The run time (0x0003) is a binary property list: the integers under these
// keys, each listed with its place here as tag.
// clang-format off
constexpr const char *run_time_keys[] = {"flags", "value", "epoch", "timescale"};
constexpr note_array arrays[] = {
    {0x0003, ifd_type_mn_apple_run_time, 1, nullptr, nullptr, 0, 0, 0, false, 0, UINT16_MAX, run_time_keys},
};
// clang-format on

// Columns as in the main table: tag, group, nickname, description, data type,
// count, opens_ifd, list_column (default), sql_quote, is_date.
// clang-format off
constinit ifd_field_defn_row rows[] = {
    // Maker Note (Apple)
    {0x0001, ifd_type_mn_apple, "apple-maker-note-version", "Maker Note Version", 18, 0, 0, -1, 1, 0},
    {0x0002, ifd_type_mn_apple, "apple-ae-matrix", "AE Matrix", 18, 0, 0, -1, 1, 0},
    {0x0003, ifd_type_mn_apple, "apple-run-time", "Run Time", 18, 0, 0, -1, 1, 0},
    {0x0004, ifd_type_mn_apple, "apple-ae-stable", "AE Stable", 18, 0, 0, -1, 1, 0},
    {0x0005, ifd_type_mn_apple, "apple-ae-target", "AE Target", 18, 0, 0, -1, 1, 0},
    {0x0006, ifd_type_mn_apple, "apple-ae-average", "AE Average", 18, 0, 0, -1, 1, 0},
    {0x0007, ifd_type_mn_apple, "apple-af-stable", "AF Stable", 18, 0, 0, -1, 1, 0},
    {0x0008, ifd_type_mn_apple, "apple-acceleration-vector", "Acceleration Vector", 18, 0, 0, -1, 1, 0},
    {0x000a, ifd_type_mn_apple, "apple-hdr-image-type", "HDR Image Type", 18, 0, 0, -1, 1, 0},
    {0x000b, ifd_type_mn_apple, "apple-burst-uuid", "Burst UUID", 18, 0, 0, -1, 1, 0},
    {0x000c, ifd_type_mn_apple, "apple-focus-distance-rang", "Focus Distance Range", 18, 0, 0, -1, 1, 0},
    {0x000f, ifd_type_mn_apple, "apple-ois-mode", "OIS Mode", 18, 0, 0, -1, 1, 0},
    {0x0011, ifd_type_mn_apple, "apple-media-group-uuid", "Media Group UUID", 18, 0, 0, -1, 1, 0},
    {0x0014, ifd_type_mn_apple, "apple-image-capture-type", "Image Capture Type", 18, 0, 0, -1, 1, 0},
    {0x0015, ifd_type_mn_apple, "apple-image-unique-id", "Image Unique ID", 18, 0, 0, -1, 1, 0},
    {0x0017, ifd_type_mn_apple, "apple-live-photo-video-in", "Live Photo Video Index", 18, 0, 0, -1, 1, 0},
    {0x0019, ifd_type_mn_apple, "apple-img-processing-flag", "Image Processing Flags", 18, 0, 0, -1, 1, 0},
    {0x001a, ifd_type_mn_apple, "apple-quality-hint", "Quality Hint", 18, 0, 0, -1, 1, 0},
    {0x001d, ifd_type_mn_apple, "apple-luminance-noise-amp", "Luminance Noise Amplitude", 18, 0, 0, -1, 1, 0},
    {0x0020, ifd_type_mn_apple, "apple-img-capture-reqest", "Image Capture Reqest ID", 18, 0, 0, -1, 1, 0},
    {0x0021, ifd_type_mn_apple, "apple-hdr-headroom", "HDR Headroom", 18, 0, 0, -1, 1, 0},
    {0x0025, ifd_type_mn_apple, "apple-scene-flags", "Scene Flags", 18, 0, 0, -1, 1, 0},
    {0x0026, ifd_type_mn_apple, "apple-signal-to-noise-rat", "Signal To Noise Ratio Typ", 18, 0, 0, -1, 1, 0},
    {0x0027, ifd_type_mn_apple, "apple-signal-to-nois-27", "Signal To Noise Ratio", 18, 0, 0, -1, 1, 0},
    {0x002f, ifd_type_mn_apple, "apple-focus-position", "Focus Position", 18, 0, 0, -1, 1, 0},
    {0x0030, ifd_type_mn_apple, "apple-hdr-gain", "HDR Gain", 18, 0, 0, -1, 1, 0},
    {0x0038, ifd_type_mn_apple, "apple-af-measured-depth", "AF Measured Depth", 18, 0, 0, -1, 1, 0},
    {0x003d, ifd_type_mn_apple, "apple-af-confidence", "AF Confidence", 18, 0, 0, -1, 1, 0},
    {0x003e, ifd_type_mn_apple, "apple-color-corr-matrix", "Color Correction Matrix", 18, 0, 0, -1, 1, 0},
    {0x003f, ifd_type_mn_apple, "apple-green-ghost-mitigat", "Green Ghost Mitigation St", 18, 0, 0, -1, 1, 0},
    {0x0040, ifd_type_mn_apple, "apple-semantic-style", "Semantic Style", 18, 0, 0, -1, 1, 0},
    {0x0041, ifd_type_mn_apple, "apple-semantic-style-rend", "Semantic Style Rendering", 18, 0, 0, -1, 1, 0},
    {0x0042, ifd_type_mn_apple, "apple-semantic-style-pres", "Semantic Style Preset", 18, 0, 0, -1, 1, 0},
    {0x0045, ifd_type_mn_apple, "apple-front-facing-camera", "Front Facing Camera", 18, 0, 0, -1, 1, 0},
    // Apple Run Time
    {0x0000, ifd_type_mn_apple_run_time, "apple-rt-run-time-flags", "Run Time Flags", 2, 0, 0, -1, 1, 0},
    {0x0001, ifd_type_mn_apple_run_time, "apple-rt-run-time-value", "Run Time Value", 2, 0, 0, -1, 1, 0},
    {0x0002, ifd_type_mn_apple_run_time, "apple-rt-run-time-epoch", "Run Time Epoch", 2, 0, 0, -1, 1, 0},
    {0x0003, ifd_type_mn_apple_run_time, "apple-rt-run-time-scale", "Run Time Scale", 2, 0, 0, -1, 1, 0},
};
// clang-format on

}  // namespace

const maker_links apple_links = {{}, arrays};
const std::span<ifd_field_defn_row> apple_rows = rows;
