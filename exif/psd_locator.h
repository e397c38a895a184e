// Photoshop PSD (and PSB) files: the EXIF block is image resource 0x0422 of
// the "8BIM" resource section; the XMP packet is resource 0x0424, the IPTC
// records resource 0x0404.
#pragma once
#include "exif/exif_blocks.h"
#include "exif/packet_blocks.h"

bool is_psd(const unsigned char *first_bytes, int32_t valid);
[[nodiscard]] int locate_psd_exif(const file_reader &file, exif_blocks *found);
void locate_psd_packets(const file_reader &file, const file_head &head, packet_blocks *found);

// The data of resource `id` among the image resources from `from` to
// `limit`; false when there is none or a resource on the way is broken.
[[nodiscard]] bool find_photoshop_resource(const file_reader &file, uint64_t from, uint64_t limit, uint32_t id,
                                           uint64_t *offset, uint64_t *length);
// The same among resources held in memory (an EPS file's, decoded from hex).
[[nodiscard]] bool find_photoshop_resource_in(const unsigned char *bytes, size_t size, uint32_t id,
                                              uint64_t *offset, uint64_t *length);
