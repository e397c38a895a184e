// The XMP and IPTC parsers over arbitrary bytes, and the fields chosen from
// what they stored.
//
// Input layout: byte 0 chooses the parser (bit 0: XMP, else IPTC; for IPTC,
// bit 1: wrapped in Photoshop image resources) and, for XMP, where the packet
// is split in two pieces (the other bits, as a share of its length); the rest
// is the block.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "exif/iptc_parser.h"
#include "exif/packet_fields.h"
#include "exif/packet_store.h"
#include "exif/xmp_parser.h"
#include "support/run_options.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    exif_opts.quiet = 1;  // warnings are expected; they would only slow the run
    const uint8_t choice = data[0];
    const uint8_t *block = data + 1;
    const size_t length = size - 1;
    begin_packet_store();
    if (choice & 1) {
        const size_t split = length * (choice >> 1) / 128;
        begin_xmp_packet(packet_source::xmp, "in");
        if (feed_xmp_packet(reinterpret_cast<const char *>(block), split, false))
            (void)feed_xmp_packet(reinterpret_cast<const char *>(block + split), length - split, true);
        end_xmp_packet();
    } else {
        const unsigned char *iptc = block;
        size_t iptc_length = length;
        if (!(choice & 2) || find_iptc_resource(block, length, &iptc, &iptc_length)) {
            begin_packet_block();
            read_iptc_block(iptc, iptc_length);
            end_packet_block();
        }
    }
    // Every chosen field's text is read whole, as an output style would.
    volatile size_t total = 0;
    for (uint32_t field = 1; field <= 15; field++)
        if (const char *text = packet_field_value(field))
            total = total + strlen(text);
    // And every item of every list, as -o j and -o d write the keywords.
    for (int i = 0; i < packets.count; i++)
        for (int item = 0; item < packets.properties[i].item_count; item++) {
            const char *text = nullptr;
            size_t length = 0;
            if (packet_item(packets.properties[i], item, &text, &length))
                total = total + static_cast<size_t>(text[length - 1]);
        }
    return 0;
}
