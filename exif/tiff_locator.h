// TIFF files and the raw formats built on TIFF (DNG, NEF, CR2, ARW, PEF, SRW,
// NRW, IIQ; ORF with numbers of its own; BigTIFF): the file is the TIFF block.
#pragma once
#include "exif/exif_blocks.h"
#include "exif/packet_blocks.h"

bool is_tiff(const unsigned char *first_bytes, int32_t valid);
[[nodiscard]] int locate_tiff_exif(const file_reader &file, exif_blocks *found);

// The XMP packet (tag 700) and IPTC datasets (tag 33723) of IFD0.
void locate_tiff_packets(const file_reader &file, const file_head &head, packet_blocks *found);
