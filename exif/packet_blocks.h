// Where a container keeps its XMP packets and IPTC records, as its locator
// found them (read with -e only): byte ranges of the file, in file order.
#pragma once
#include <cstddef>
#include <cstdint>

#include "exif/container_reads.h"

enum class packet_kind : uint8_t {
    xmp,           // an XMP packet, whole
    xmp_extended,  // a part of a JPEG file's extended XMP packet, at part_offset in it
    iptc,          // IPTC-IIM datasets
    photoshop,     // Photoshop image resources, whose resource 0x0404 holds IPTC datasets
    xmp_zlib,      // an XMP packet compressed with zlib (PNG's compressed iTXt)
    xmp_brotli,    // an XMP packet compressed with Brotli (JPEG XL's brob box)
};

struct packet_block {
    packet_kind kind;
    uint64_t offset;
    uint64_t length;
    uint32_t part_offset;  // xmp_extended only
};

constexpr int max_packet_blocks = 64;

struct packet_blocks {
    int count;
    packet_block blocks[max_packet_blocks];
};

// Notes a block; empty blocks are passed over, and a file with more than
// max_packet_blocks keeps the first ones.
inline void add_packet_block(packet_blocks *found, packet_kind kind, uint64_t offset, uint64_t length,
                             uint32_t part_offset = 0)
{
    if (length > 0 && found->count < max_packet_blocks)
        found->blocks[found->count++] = {kind, offset, length, part_offset};
}

// The file's first bytes as the EXIF reading left them in memory (none: a
// null start), so that a locator need not read them again.
struct file_head {
    const unsigned char *start;
    size_t valid;
};

// A container's locator of packets; finds nothing where the file has none.
using packet_locator = void (*)(const file_reader &file, const file_head &head, packet_blocks *found);
