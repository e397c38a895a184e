// The shape of a TIFF block's IFDs: how wide an IFD's entry count, each entry
// and the offsets are. The walk and the IFD check read IFDs in these terms.
#pragma once
#include <cstdint>

struct tiff_layout {
    uint32_t count_size;   // bytes of the entry count that begins an IFD
    uint32_t entry_size;   // bytes of one entry: tag, data type, count, value or offset
    uint32_t offset_size;  // bytes of an offset, of the next-IFD offset among them
    uint32_t header_size;  // bytes of the TIFF header before the first IFD may begin
};

// Classic TIFF: a 2-byte count, 12-byte entries, 4-byte offsets, an 8-byte header.
constexpr tiff_layout classic_tiff{2, 12, 4, 8};
// BigTIFF: an 8-byte count, 20-byte entries, 8-byte offsets, a 16-byte header.
constexpr tiff_layout big_tiff{8, 20, 8, 16};

// TIFF data type 13: an IFD offset, stored where a pointer to an IFD stands;
// read as a LONG there.
constexpr uint32_t stored_type_ifd = 13;
// EXIF 3.0's UTF-8 text.
constexpr uint32_t stored_type_utf8 = 129;
// The data types a file may store: TIFF's 1 to 13 (the last, IFD), BigTIFF's
// 16 to 18 (LONG8, SLONG8, IFD8) and EXIF 3.0's UTF-8.
constexpr bool stored_type_exists(uint32_t data_type)
{
    return (data_type >= 1 && data_type <= stored_type_ifd) || (data_type >= 16 && data_type <= 18) ||
           data_type == stored_type_utf8;
}
