// Named tags, for code that branches on a tag. The definition table
// (field_defs.cpp) remains the catalogue of every field; maker-note tags are
// named in their formatter's file.
#pragma once
#include <cstdint>

namespace tag {

// IFD0 and IFD1.
constexpr uint32_t make = 0x010F;
constexpr uint32_t model = 0x0110;
constexpr uint32_t date_modified = 0x0132;
constexpr uint32_t sub_ifds = 0x014A;
constexpr uint32_t thumbnail_offset = 0x0201;
constexpr uint32_t thumbnail_length = 0x0202;
constexpr uint32_t exif_ifd = 0x8769;
constexpr uint32_t gps_ifd = 0x8825;

// The EXIF IFD.
constexpr uint32_t exposure_time = 0x829A;
constexpr uint32_t exif_version = 0x9000;
constexpr uint32_t date_taken = 0x9003;
constexpr uint32_t date_digitised = 0x9004;
constexpr uint32_t shutter_speed = 0x9201;
constexpr uint32_t aperture = 0x9202;
constexpr uint32_t max_aperture = 0x9205;
constexpr uint32_t maker_note = 0x927C;
constexpr uint32_t user_comment = 0x9286;
constexpr uint32_t flashpix_version = 0xA000;
constexpr uint32_t interop_ifd = 0xA005;

// The interoperability IFD.
constexpr uint32_t interop_version = 0x0002;

// The GPS IFD.
constexpr uint32_t gps_version = 0x0000;
constexpr uint32_t gps_latitude = 0x0002;
constexpr uint32_t gps_longitude = 0x0004;
constexpr uint32_t gps_time = 0x0007;
constexpr uint32_t gps_dest_latitude = 0x0014;
constexpr uint32_t gps_dest_longitude = 0x0016;

}  // namespace tag
