// Text given for a field, turned into the bytes the field stores: the reverse
// of the value formatters, for the few fields a program may write.
//
// Both encoders take a row of ifd_field_defn (exif/field_defs.h) and return a
// code of support/errors.h; on failure they write nothing.
#pragma once
#include <cstddef>
#include <cstdint>

// Out areas of exif_encode_field hold at least this many bytes.
constexpr size_t encoded_field_size = 500;

// Encodes the text, date/time and user-comment fields into out (at least
// encoded_field_size bytes); *out_length gets the stored length, terminator
// included where there is one. Codes: 16 not a field it encodes, 17 user
// comment of 492 characters or more, 18 date refused by is_valid_exif_date.
// A text of more than 499 characters for a text field ends the program with status 1.
[[nodiscard]] int exif_encode_field(uint16_t row, const char *text, unsigned char *out, uint32_t *out_length);

// Encodes a field of one SHORT, LONG, SSHORT or SLONG into 2 or 4 bytes of out
// in the given byte order (1: most significant first), the order of the EXIF
// data being written; *value_count gets 1. The number is read in base 10 after
// leading blanks and one optional sign, up to the first non-digit. Codes: 16
// not a one-number field, 20 no number or out of the field's range.
[[nodiscard]] int exif_encode_num_field(uint16_t row, const char *text, unsigned char *out, uint32_t *value_count,
                                        int32_t motorola_order);
