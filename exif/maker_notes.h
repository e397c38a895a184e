// The maker-note registry: one row per maker-note format says how the walk
// finds and reads a camera's maker note (tag 0x927C of the EXIF IFD).
//
// A row tells the format by the camera (an exact model of the older tables,
// read the same way with or without -e) or, with -e, by the Make prefix and
// the note's first bytes; where its IFD starts; from where its offsets count;
// in which byte order it is written; and the group (IFD type) its fields are
// listed under. The group names the tag table (exif/maker_tables.h) and the
// formatter (exif/format/ifd_formats.cpp). The walk asks the registry at the
// maker note and never names a maker itself.
#pragma once
#include <cstdint>
#include <span>

#include "exif/buf_context.h"
#include "exif/field_store.h"

// From where the note's offsets count.
enum class note_base : uint8_t {
    tiff_header,  // the file's TIFF header, as every other IFD's
    note_start,   // the note's first byte
    own_header,   // a TIFF header of the note's own, at ifd_start
    before_ifd,   // 8 bytes before the IFD, as if a TIFF header stood there (Sony Ericsson)
};

// The byte order the note is written in.
enum class note_order : uint8_t {
    file,   // the file's
    intel,  // always least significant byte first
    own,    // "II" or "MM" at order_at
    // The note ends with "II*\0" or "MM\0*" and the offset it was written at
    // (Canon): its order, and where editing software has moved the note
    // without mending its offsets, a base moved as far. Else the file's.
    trailer,
    // The order in which the IFD's entry count is the smaller: the "II" or "MM"
    // some notes carry (Pentax's "AOC\0") does not always tell the truth.
    by_count,
};

// An entry of a note's IFD that opens an IFD of another group.
struct note_sub_ifd {
    uint16_t tag;
    int32_t ifd_type;
};

// An entry of a note's IFD whose values are a record of settings: each value
// the group has a row for becomes a field, with its index as tag. The index
// counts units of unit_size bytes; the row says how the value is read.
//
// Where a group's rows run on past a fixed part whose length varies (Canon's
// AF records), the rows from tag points_from on follow one another, each as
// long as its count says: a number, or one of the counts below, taken from
// the value at index points_at.
struct note_array {
    uint16_t tag;
    int32_t ifd_type;
    uint16_t unit_size;
    const char *version;         // the record's first bytes, for layouts that vary; nullptr: any
    const char *model = nullptr;  // the Model text, for a record laid out per model; nullptr: any
    uint16_t from = 0;           // where the group's record starts inside the value, in bytes
    uint16_t points_at = 0;      // with points_from: the index of the value that counts the points
    uint16_t points_from = 0;    // the first row laid out after the rows before it; 0: none
    bool big_endian = false;     // written most significant byte first whatever the note's order
    // The sizes of record in bytes a layout is chosen for, for layouts told apart by size.
    uint16_t min_size = 0;
    uint16_t max_size = UINT16_MAX;
    // For a record that is a binary property list: the keys of its dictionary
    // whose integers become fields, each with its place in this list as tag.
    std::span<const char *const> plist_keys = {};
};

// A row's count in a group of points: one value per point, or one bit per point in 16-bit words.
constexpr uint32_t count_per_point = 0x10000;
constexpr uint32_t count_per_16_points = 0x10001;

// The groups of one maker: what hangs from its notes' IFDs.
struct maker_links {
    std::span<const note_sub_ifd> sub_ifds;
    std::span<const note_array> arrays;
};

struct maker_note_format {
    const char *name;           // for the trace
    uint32_t model_code;        // a model of the older tables; 0: found by make and signature, with -e
    bool replaced_with_e;       // the model's older reading is wrong: with -e a row found by signature wins
    const char *make_prefix;    // the Make text begins with it; nullptr: any make
    const char *signature;      // the note begins with these bytes; nullptr: no signature
    uint8_t signature_len;
    note_base base;
    note_order order;
    uint16_t order_at;          // note_order::own: where "II" or "MM" stands
    uint16_t ifd_start;         // the IFD (own_header: the TIFF header) from the note's start
    int32_t ifd_type;           // group of the note's IFD; -1: the older IFD type table decides
    const maker_links *links;   // nullptr: nothing hangs from the IFD
};

extern const std::span<const maker_note_format> maker_note_formats;

// The format of the maker note whose value entry is at value_ctx (the cursor
// on the entry's offset), or nullptr when the walk reads it as one field.
// Remembers it as the note being walked.
const maker_note_format *find_maker_note(const buf_context *value_ctx, uint32_t count, const ifd_field_store *store);

// The format of a maker note stored as a TIFF block of its own (a CR3's
// CMT3 box), with -e: the row of the file's make that reads the note at the
// block's TIFF header, or nullptr. Remembers it as the note being walked.
const maker_note_format *find_boxed_maker_note(const buf_context *ctx, const ifd_field_store *store);

// Moves the context to the note's base and byte order and the offset to its
// IFD, for the note found last. Not exif_ok when the IFD lies past the buffer.
[[nodiscard]] int place_maker_note(buf_context *ctx, uint32_t *offset, const ifd_field_store *store);

// The group of an IFD reached through parent_tag inside the note being
// walked; ifd_type_unknown when the note's row does not say (older notes).
int32_t maker_note_ifd_type(int32_t parent_tag);

// After the note's walk, whose result is rc: splits the records of settings
// entries made since record `first` into a field per value, and forgets the
// note. ctx is the note's context (its byte order). Returns rc, or the error
// of a store that filled up.
[[nodiscard]] int finish_maker_note(const buf_context *ctx, uint32_t first, int depth, ifd_field_store *store, int rc);

// Inside a note found by the registry, an entry of type IFD (13) is read as a
// LONG offset, as the IFDs it opens are; other types stay as they are.
uint32_t note_entry_type(uint32_t data_type);
