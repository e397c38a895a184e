#include "support/errors.h"

#include <cstdio>

namespace {

// Indexed by code; code 9 is built at run time.
// clang-format off
constexpr const char *error_messages[] = {
    "No error",
    "Can't open file",
    "File is not a JPEG file",
    "JPEG file does not contain EXIF data",
    "EXIF data uses unknown byte ordering",
    "EXIF byte ordering not supported",
    "EXIF header string missing",
    "TIFF tag missing",
    "End of buffer reached while processing EXIF data",
    nullptr,
    "Seek failed while searching for EXIF Marker",
    "Error while reading JPEG file",
    "Error while writing JPEG file",
    "Destination file already contains EXIF data",
    "File rename failed",
    "File is not a JPEG file or does not contain EXIF data",
    "Formatting of this field not yet supported",
    "Field value too long",
    "Date format invalid",
    "JPEG file does not contain a thumbnail image",
    "Invalid number specified",
    "File does not contain EXIF data",
};
// clang-format on
constexpr int error_count = sizeof error_messages / sizeof error_messages[0];

char exif_error_str[50];

}  // namespace

const char *exif_strerror(int32_t code)
{
    if (code == err_too_many_fields) {
        snprintf(exif_error_str, sizeof exif_error_str, "Too many EXIF fields (>%d)", max_fields_per_file);
        return exif_error_str;
    }
    if (code >= 0 && code < error_count)
        return error_messages[code];
    snprintf(exif_error_str, sizeof exif_error_str, "Unknown EXIF error code %d", code);
    return exif_error_str;
}
