// The global store of one file's fields, refilled for every file.
#pragma once
#include <cstdint>

#include "support/errors.h"

constexpr int max_name_len = 255;                // file and directory names
// Records per file: max_fields_per_file, or with -e (maker notes split into
// their settings) up to max_fields.
constexpr int max_fields = 1024;
static_assert(max_fields >= max_fields_per_file);
// The records one file may give in this run.
uint32_t field_capacity();
constexpr int description_size = 30;             // 29 characters and a terminator
constexpr int display_value_size = 500;          // 499 characters and a terminator
constexpr int value_head_size = 24;              // three rationals: a GPS position

struct ifd_field {
    uint16_t ifd_type;
    uint16_t seq;
    uint16_t tag;
    uint16_t data_type;
    uint32_t count;
    // The value's offset in the file, which may pass 4 GiB; packed, so that the
    // record stays as small as a 32-bit offset had it (the listings step through
    // the records, and a wider step costs them an instruction a record).
    uint64_t file_offset __attribute__((packed));
    unsigned char raw_value[4];
    // The value's first bytes as the file stores them (its byte order), zeros
    // past its end: typed outputs compute numbers from these, not from the text.
    unsigned char value_head[value_head_size];
    char description[description_size];
    char display_value[display_value_size];
    uint8_t depth;
};
static_assert(alignof(ifd_field) == alignof(uint32_t));

struct ifd_field_store {
    uint32_t count;
    uint32_t model_code;
    int32_t motorola_order;
    char file_name[max_name_len + 1];
    char dir_name[max_name_len + 1];
    char path_name[max_name_len + 1];
    uint64_t file_size;
    uint64_t thumbnail_offset;  // in the file, or in decoded_block
    uint64_t thumbnail_length;
    bool in_jpeg_file;  // the EXIF block came from a JPEG file (else another container)
    // A block decoded from the file (PNG raw profile text, JPEG XL brob): the
    // thumbnail's offset counts in these bytes, not in the file; else nullptr.
    const unsigned char *decoded_block;
    uint64_t decoded_block_size;
    ifd_field fields[max_fields];
};

extern ifd_field_store ifd_fields;

// Matches records of every IFD type in find_field_value.
constexpr int32_t any_ifd_type = -1;
// The text of the first record with the tag in the IFD type (or in any), or nullptr.
const char *find_field_value(const ifd_field_store *store, int32_t ifd_type, uint32_t tag);
