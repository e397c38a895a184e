// Everything the reader keeps about the file it is reading, in one record.
// begin_file_scan() resets it at the start of each file, so nothing of one
// file's reading can leak into the next.
#pragma once
#include <cstdint>
#include <cstdio>

#include "exif/buf_context.h"
#include "exif/entry_text.h"

struct maker_note_format;

// The byte order and the offset a maker note was written at, from its last bytes.
struct note_trailer_state {
    bool found;
    int32_t motorola_order;
    int64_t moved_by;  // bytes between where the note was written and where it is
};

// The file window: up to input_buffer_size bytes of the file, read lazily.
struct window_state {
    FILE *fp;              // the file being read, or nullptr
    unsigned char *start;  // the window's first byte
    int32_t valid;         // bytes from start read from the file
    bool at_end;           // the file has no bytes after those
    bool read_failed;      // a read of the file failed (an input/output error)
    void *mapped;          // a whole file mapped instead (TIFF files), or nullptr
    size_t mapped_size;
};

// The part of the window not read yet, read when something reads there
// (see set_window_tail); an empty range when none.
struct window_tail_state {
    uintptr_t from;
    uintptr_t limit;
    window_tail_loader load;
};

// IFDs already walked, by window position, so that a loop in the chains or
// pointers is not followed twice; and the bytes of the map this file set, so
// that the next file clears a few bytes instead of the whole map (past
// max_noted_walks IFDs it clears all). In a whole file, IFDs beyond the
// first 131072 bytes are noted in a short list; past its end no further IFD
// is walked.
constexpr int max_noted_walks = 64;
constexpr int max_far_walks = 64;
struct walk_state {
    unsigned char walked_ifds[input_buffer_size / 8];
    uint16_t walked_bytes[max_noted_walks];
    int walks_noted;
    size_t far_ifds[max_far_walks];
    int far_walks;
    uint32_t entries_walked;  // IFD entries read in this file
    uint8_t thumbnail_tags_kept;  // 1: IFD1's thumbnail offset has a record in the store; 2: its length
    const maker_note_format *maker_note;  // the maker note being walked, or nullptr
    note_trailer_state note_trailer;      // what its trailer says (note_order::trailer)
};

struct file_scan {
    const value_formatting *formatting;  // how values become text
    const reading_profile *profile;      // how the file is read
    bool overran;                        // a bounded read passed the end of its data (see buf_context.h)
    window_state window;
    window_tail_state tail;
    walk_state walk;
};

extern file_scan scan;

// Forgets the previous file (no window, no tail, no IFD walked, no entry
// read) and notes how this one is read and its values become text.
void begin_file_scan(const value_formatting &formatting, const reading_profile &profile);
// Forgets the IFDs walked: the next EXIF block of the file lies in a window of its own.
void forget_walked_ifds();
