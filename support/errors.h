// Result codes shared by the reader and the support library, and their texts.
#pragma once
#include <cstdint>

// Records one file may give; code 9 says so.
constexpr int max_fields_per_file = 200;

enum exif_error : int32_t {
    exif_ok = 0,
    err_cant_open = 1,
    err_unknown_container = 2,
    err_no_exif = 3,
    err_unknown_byte_order = 4,
    err_byte_order_unsupported = 5,
    err_no_exif_header = 6,
    err_no_tiff_tag = 7,
    err_end_of_buffer = 8,
    err_too_many_fields = 9,
    err_seek_failed = 10,
    err_read_failed = 11,
    err_write_failed = 12,
    err_dest_has_exif = 13,
    err_rename_failed = 14,
    err_not_jpeg_or_no_exif = 15,
    err_format_unsupported = 16,
    err_value_too_long = 17,
    err_bad_date = 18,
    err_no_thumbnail = 19,
    err_bad_number = 20,
    err_no_exif_in_file = 21,  // a container other than JPEG without an EXIF block
};

// The message for a code. Codes 9 and unknown codes are built in one static
// area that stays valid until the next call that builds one.
const char *exif_strerror(int32_t code);
