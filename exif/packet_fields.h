// The fields users select from the XMP and IPTC properties (-f with -e):
// keywords, rating, label, title, caption, creator, rights, city, state,
// country, headline, the XMP dates and the XMP GPS position. Each is read
// from the sidecar's XMP first, then the file's own XMP, then (where IPTC has
// the field) the file's IPTC datasets. Their definition rows are the
// extended rows of ifd_type_packet (exif/extended_field_defs.cpp), tag =
// the field's number below.
#pragma once
#include <cstdint>

// The field's text for the file just read, nullptr when it has none.
// The text stays valid until the next file is read.
const char *packet_field_value(uint32_t field);
