// Containers made of length-prefixed chunks: PNG (the eXIf chunk) and WebP
// (the RIFF chunk EXIF). Either chunk may stand before or after the image data.
#pragma once
#include "exif/exif_blocks.h"
#include "exif/packet_blocks.h"

bool is_png(const unsigned char *first_bytes, int32_t valid);
[[nodiscard]] int locate_png_exif(const file_reader &file, exif_blocks *found);

bool is_webp(const unsigned char *first_bytes, int32_t valid);
[[nodiscard]] int locate_webp_exif(const file_reader &file, exif_blocks *found);

// PNG: the XMP packet of the iTXt chunk "XML:com.adobe.xmp" (uncompressed; a
// compressed one is passed over). WebP: the chunk "XMP ".
void locate_png_packets(const file_reader &file, const file_head &head, packet_blocks *found);
void locate_webp_packets(const file_reader &file, const file_head &head, packet_blocks *found);
