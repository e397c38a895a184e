// XMP packets (RDF/XML) read through expat into the packet store: namespaces
// by URI, properties written as attributes and as elements, lists joined with
// ", " (a language alternative's default first, the others named with their
// language), nested structures flattened to a path of names.
//
// The packet is fed in pieces as it is read from the file. Expat allocates
// from a fixed area of this module, emptied for every packet, so a packet
// costs no heap; a document type declaration (and with it every entity) is
// refused, and a packet ends with a warning past max_xmp_packet_bytes, past
// max_xmp_depth nested elements, or when expat's area is used up.
#pragma once
#include <cstddef>

#include "exif/packet_store.h"

constexpr size_t max_xmp_packet_bytes = 16u << 20;
constexpr int max_xmp_depth = 64;

// Starts a packet whose properties go to the store under `source`;
// `file_name` names the file in warnings.
void begin_xmp_packet(packet_source source, const char *file_name);
// Parses the next piece of the packet (`last`: no more follow). False once
// the packet has ended, in error (with a warning) or at its root element's
// end; the caller stops feeding then.
bool feed_xmp_packet(const char *data, size_t length, bool last);
// Ends the packet (also one that was not fed to its end) and frees expat's area.
void end_xmp_packet();
