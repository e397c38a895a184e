// How a file is read: the reading of 2001 (JPEG files, the fields and value
// names of their time, a read past the window stops the run), or extended
// reading (-e). The front end chooses one for the run and hands it to the
// reader, which hands it on with every value's context; nothing below the
// front end asks the command line.
#pragma once

struct reading_profile {
    bool newer_fields;       // extended definition rows and value names; UTF-8 text; FLOAT and DOUBLE values
    bool other_containers;   // TIFF, raw, HEIF, PNG, WebP ... besides JPEG; APP1 segments without EXIF passed over
    bool bounded_reads;      // a read past the data ends the entry or IFD it is in, never the run
    bool checked_ifds;       // an IFD is checked whole before it is walked; IFD-typed pointers read as LONG
    bool whole_value_cuts;   // a value cut at the text limit ends at a whole value and says so
    bool named_messages;     // every message names the file; ten warnings a file at most (support/file_messages.h)
    bool checked_thumbnails; // a thumbnail is written only when it lies in the file and starts a JPEG image
    bool packets;            // XMP packets and IPTC records, and XMP sidecars
};

// clang-format off
constexpr reading_profile classic_reading{false, false, false, false, false, false, false, false};
constexpr reading_profile extended_reading{true, true, true, true, true, true, true, true};
// clang-format on
