// Where a container keeps its EXIF data, as its locator found it: one TIFF
// block (or, in Canon's CR3 files, one block for each IFD).
#pragma once
#include <cstdint>

#include "exif/container_reads.h"

struct exif_block {
    uint64_t tiff_offset;  // file offset of the block's TIFF header
    int32_t parent_tag;    // the IFD its first IFD stands for: ifd_parent_main_chain, or a pointer's tag
    uint64_t first_ifd;    // 0: the IFD the header names; else the one IFD of the block walked (RW2's preview)
};

constexpr int max_exif_blocks = 4;
constexpr uint32_t tiff_magic_number = 42;
constexpr uint32_t bigtiff_magic_number = 43;

struct exif_blocks {
    int count;
    exif_block blocks[max_exif_blocks];
    // TIFF and raw files: IFDs and values may lie anywhere in the file, so
    // the whole file is read as needed rather than a window after the header.
    bool ifds_anywhere;
    // The number after the byte order: 42, or a raw format's own.
    uint32_t tiff_magic;
    // The blocks lie in the decoded area (exif/block_decoder.h), their
    // offsets counted from its start, not in the file.
    bool decoded;
};

// A locator that names the blocks by their file offsets. Result codes of
// support/errors.h: 3 when the file holds no EXIF block.
using block_locator = int (*)(const file_reader &file, exif_blocks *found);
