// The XMP properties and IPTC datasets of one file, refilled for every file
// read with -e. Kept apart from the EXIF records: their names are paths
// longer than an EXIF label, and a file without packets costs one reset.
#pragma once
#include <cstddef>
#include <cstdint>

// Where a property came from; the listing heads a group per source.
enum class packet_source : uint8_t { xmp, xmp_sidecar, iptc };
constexpr int packet_source_count = 3;

constexpr int max_packet_properties = 400;
constexpr int packet_name_size = 128;   // prefix:name/prefix:name..., 127 characters and a terminator
constexpr int packet_value_size = 1024; // a list's items joined with ", ", cut at 1023 bytes
constexpr int max_packet_items = 64;    // items told apart in a list; the last holds any further ones

struct packet_property {
    packet_source source;
    uint8_t item_count;                   // the items of a list, 1 for a single value
    uint16_t item_start[max_packet_items]; // where each item begins in value
    char name[packet_name_size];
    char value[packet_value_size];
};

struct packet_store {
    int count;
    packet_property properties[max_packet_properties];
};

extern packet_store packets;

// Forgets the previous file's properties.
void begin_packet_store();
// The property of that name and source, or nullptr.
packet_property *find_packet_property(packet_source source, const char *name);
// Adds a value under the name; a second value for the same name of the same
// source joins the first after ", " (the items of a list, repeated datasets).
// Returns the property, nullptr when the store is full.
packet_property *add_packet_value(packet_source source, const char *name, const char *value, int value_length);
// Where the properties of a block begin: add_packet_value joins a value only to a
// property of the block, and end_packet_block drops an earlier block's
// properties that the block gave again (a later packet replaces an earlier one).
void begin_packet_block();
void end_packet_block();
// Item i (< item_count) of a property's list, as it was given; false when
// the cut at packet_value_size left none of it.
bool packet_item(const packet_property &property, int i, const char **text, size_t *length);
// Moves the property at index `from` to index `to` (< from), shifting those between.
void move_packet_property(int from, int to);
