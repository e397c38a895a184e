// Reads a file's XMP packets and IPTC records into the packet store (with -e):
// the blocks its container's locator finds, then a sidecar NAME.xmp beside
// it, whose properties are kept as a source of their own (they win over the
// embedded ones where a field is chosen, exif/packet_fields.h).
#pragma once
#include "exif/packet_blocks.h"

// `file` is the open file and `head` its first bytes in memory; file_name its
// name as opened (relative to the current directory), which also finds the
// sidecar and names the file in warnings; dir_name the directory it was named
// in, by which the directories without any sidecar are noted.
void read_packets(const file_reader &file, const file_head &head, packet_locator locate, const char *dir_name,
                  const char *file_name);
