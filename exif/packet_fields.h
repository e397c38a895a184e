// The fields users select from the XMP and IPTC properties (-f with -e):
// keywords, rating, label, title, caption, creator, rights, city, state,
// country, headline, the XMP dates and the XMP GPS position. Each is read
// from the sidecar's XMP first, then the file's own XMP, then (where IPTC has
// the field) the file's IPTC datasets. Their definition rows are the
// extended rows of ifd_type_packet (exif/extended_field_defs.cpp), tag =
// the field's number below.
#pragma once
#include <cstdint>

#include "exif/packet_store.h"

// The field's text for the file just read, nullptr when it has none.
// The text stays valid until the next file is read.
const char *packet_field_value(uint32_t field);

// What the typed outputs (-o j, -o d) make of a field: a text, a list of
// texts (the keywords), a whole number (the rating) or a real number (the
// decimal degrees of the GPS position).
enum class packet_field_type { text, list, whole, real };
packet_field_type packet_field_type_of(uint32_t field);
// The property a field's text comes from, for the items of a list; nullptr when none.
const packet_property *packet_field_property(uint32_t field);
