// Samsung maker notes: the tag table of the note's IFD and of what hangs from it.
// Tag numbers and names follow the public tag documentation.
#include <iterator>

#include "exif/ifd_types.h"
#include "exif/maker_tables.h"

namespace {

// Entries of the note's IFD that hold records of settings, and the size of
// the unit their values' places count in.
// clang-format off
constexpr note_array arrays[] = {
    {0x0021, ifd_type_mn_samsung_picture_wizard, 2, nullptr},
};
// clang-format on

// Columns as in the main table: tag, group, nickname, description, data type,
// count, opens_ifd, list_column (default), sql_quote, is_date.
// clang-format off
constinit ifd_field_defn_row rows[] = {
    // Maker Note (Samsung)
    {0x0001, ifd_type_mn_samsung, "samsung-maker-note-ver", "Maker Note Version", 18, 0, 0, -1, 1, 0},
    {0x0002, ifd_type_mn_samsung, "samsung-device-type", "Device Type", 18, 0, 0, -1, 1, 0},
    {0x0003, ifd_type_mn_samsung, "samsung-model-id", "Samsung Model ID", 18, 0, 0, -1, 1, 0},
    {0x0021, ifd_type_mn_samsung, "samsung-picture-wizard", "Picture Wizard", 18, 0, 0, -1, 1, 0},
    {0x0030, ifd_type_mn_samsung, "samsung-local-loc-name", "Local Location Name", 18, 0, 0, -1, 1, 0},
    {0x0031, ifd_type_mn_samsung, "samsung-location-name", "Location Name", 18, 0, 0, -1, 1, 0},
    {0x0040, ifd_type_mn_samsung, "samsung-raw-data-byte-ord", "Raw Data Byte Order", 18, 0, 0, -1, 1, 0},
    {0x0041, ifd_type_mn_samsung, "samsung-wb-setup", "White Balance Setup", 18, 0, 0, -1, 1, 0},
    {0x0043, ifd_type_mn_samsung, "samsung-camera-temp", "Camera Temperature", 18, 0, 0, -1, 1, 0},
    {0x0050, ifd_type_mn_samsung, "samsung-raw-data-cfa-patt", "Raw Data CFA Pattern", 18, 0, 0, -1, 1, 0},
    {0x0100, ifd_type_mn_samsung, "samsung-face-detect", "Face Detect", 18, 0, 0, -1, 1, 0},
    {0x0120, ifd_type_mn_samsung, "samsung-face-recognition", "Face Recognition", 18, 0, 0, -1, 1, 0},
    {0x0123, ifd_type_mn_samsung, "samsung-face-name", "Face Name", 18, 0, 0, -1, 1, 0},
    {0xa001, ifd_type_mn_samsung, "samsung-firmware-name", "Firmware Name", 18, 0, 0, -1, 1, 0},
    {0xa002, ifd_type_mn_samsung, "samsung-serial-number", "Serial Number", 18, 0, 0, -1, 1, 0},
    {0xa003, ifd_type_mn_samsung, "samsung-lens-type", "Lens Type", 18, 0, 0, -1, 1, 0},
    {0xa004, ifd_type_mn_samsung, "samsung-lens-firmware", "Lens Firmware", 18, 0, 0, -1, 1, 0},
    {0xa005, ifd_type_mn_samsung, "samsung-int-lens-ser-num", "Internal Lens Serial Numb", 18, 0, 0, -1, 1, 0},
    {0xa010, ifd_type_mn_samsung, "samsung-sensor-areas", "Sensor Areas", 18, 0, 0, -1, 1, 0},
    {0xa011, ifd_type_mn_samsung, "samsung-color-space", "Color Space", 18, 0, 0, -1, 1, 0},
    {0xa012, ifd_type_mn_samsung, "samsung-smart-range", "Smart Range", 18, 0, 0, -1, 1, 0},
    {0xa013, ifd_type_mn_samsung, "samsung-exp-compensation", "Exposure Compensation", 18, 0, 0, -1, 1, 0},
    {0xa014, ifd_type_mn_samsung, "samsung-iso", "ISO", 18, 0, 0, -1, 1, 0},
    {0xa018, ifd_type_mn_samsung, "samsung-exposure-time", "Exposure Time", 18, 0, 0, -1, 1, 0},
    {0xa019, ifd_type_mn_samsung, "samsung-f-number", "F Number", 18, 0, 0, -1, 1, 0},
    {0xa01a, ifd_type_mn_samsung, "samsung-foc-len-in35mm-fo", "Focal Length In 35mm Form", 18, 0, 0, -1, 1, 0},
    {0xa020, ifd_type_mn_samsung, "samsung-encryption-key", "Encryption Key", 18, 0, 0, -1, 1, 0},
    {0xa021, ifd_type_mn_samsung, "samsung-wb-rggb-lev-uncor", "WB RGGB Levels Uncorrecte", 18, 0, 0, -1, 1, 0},
    {0xa022, ifd_type_mn_samsung, "samsung-wb-rggb-lev-auto", "WB RGGB Levels Auto", 18, 0, 0, -1, 1, 0},
    {0xa023, ifd_type_mn_samsung, "samsung-wb-rggb-lev-ill-1", "WB RGGB Levels Illumina 1", 18, 0, 0, -1, 1, 0},
    {0xa024, ifd_type_mn_samsung, "samsung-wb-rggb-lev-ill-2", "WB RGGB Levels Illumina 2", 18, 0, 0, -1, 1, 0},
    {0xa025, ifd_type_mn_samsung, "samsung-hl-linearity-limi", "Highlight Linearity Limit", 18, 0, 0, -1, 1, 0},
    {0xa028, ifd_type_mn_samsung, "samsung-wb-rggb-lev-black", "WB RGGB Levels Black", 18, 0, 0, -1, 1, 0},
    {0xa030, ifd_type_mn_samsung, "samsung-color-matrix", "Color Matrix", 18, 0, 0, -1, 1, 0},
    {0xa031, ifd_type_mn_samsung, "samsung-color-matrix-srgb", "Color Matrix SRGB", 18, 0, 0, -1, 1, 0},
    {0xa032, ifd_type_mn_samsung, "samsung-color-matrix-adob", "Color Matrix Adobe RGB", 18, 0, 0, -1, 1, 0},
    {0xa033, ifd_type_mn_samsung, "samsung-cb-cr-matrix-defa", "Cb Cr Matrix Default", 18, 0, 0, -1, 1, 0},
    {0xa034, ifd_type_mn_samsung, "samsung-cb-cr-matrix", "Cb Cr Matrix", 18, 0, 0, -1, 1, 0},
    {0xa035, ifd_type_mn_samsung, "samsung-cb-cr-gain-defaul", "Cb Cr Gain Default", 18, 0, 0, -1, 1, 0},
    {0xa036, ifd_type_mn_samsung, "samsung-cb-cr-gain", "Cb Cr Gain", 18, 0, 0, -1, 1, 0},
    {0xa040, ifd_type_mn_samsung, "samsung-tone-curve-srgb-d", "Tone Curve SRGB Default", 18, 0, 0, -1, 1, 0},
    {0xa041, ifd_type_mn_samsung, "samsung-tone-curve-adobe", "Tone Curve Adobe RGB Defa", 18, 0, 0, -1, 1, 0},
    {0xa042, ifd_type_mn_samsung, "samsung-tone-curve-srgb", "Tone Curve SRGB", 18, 0, 0, -1, 1, 0},
    {0xa043, ifd_type_mn_samsung, "samsung-tone-curve-a-a043", "Tone Curve Adobe RGB", 18, 0, 0, -1, 1, 0},
    {0xa048, ifd_type_mn_samsung, "samsung-raw-data", "Raw Data", 18, 0, 0, -1, 1, 0},
    {0xa050, ifd_type_mn_samsung, "samsung-distortion", "Distortion", 18, 0, 0, -1, 1, 0},
    {0xa051, ifd_type_mn_samsung, "samsung-chrom-aberration", "Chromatic Aberration", 18, 0, 0, -1, 1, 0},
    {0xa052, ifd_type_mn_samsung, "samsung-vignetting", "Vignetting", 18, 0, 0, -1, 1, 0},
    {0xa053, ifd_type_mn_samsung, "samsung-vignetting-corr", "Vignetting Correction", 18, 0, 0, -1, 1, 0},
    {0xa054, ifd_type_mn_samsung, "samsung-vignetting-set", "Vignetting Setting", 18, 0, 0, -1, 1, 0},
    {0xa055, ifd_type_mn_samsung, "samsung-type2-0xa055", "Samsung Type 2 0xa055", 18, 0, 0, -1, 1, 0},
    {0xa056, ifd_type_mn_samsung, "samsung-type2-0xa056", "Samsung Type 2 0xa056", 18, 0, 0, -1, 1, 0},
    {0xa057, ifd_type_mn_samsung, "samsung-type2-0xa057", "Samsung Type 2 0xa057", 18, 0, 0, -1, 1, 0},
    // Samsung Picture Wizard
    {0x0000, ifd_type_mn_samsung_picture_wizard, "samsung-pw-mode", "Picture Wizard Mode", 3, 1, 0, -1, 1, 0},
    {0x0001, ifd_type_mn_samsung_picture_wizard, "samsung-pw-color", "Picture Wizard Color", 3, 1, 0, -1, 1, 0},
    {0x0002, ifd_type_mn_samsung_picture_wizard, "samsung-pw-saturation", "Picture Wizard Saturation", 3, 1, 0, -1, 1, 0},
    {0x0003, ifd_type_mn_samsung_picture_wizard, "samsung-pw-sharpness", "Picture Wizard Sharpness", 3, 1, 0, -1, 1, 0},
    {0x0004, ifd_type_mn_samsung_picture_wizard, "samsung-pw-contrast", "Picture Wizard Contrast", 3, 1, 0, -1, 1, 0},
};
// clang-format on

}  // namespace

const maker_links samsung_links = {{}, arrays};
const std::span<ifd_field_defn_row> samsung_rows = rows;
