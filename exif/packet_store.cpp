#include "exif/packet_store.h"

#include <cstring>

#include "support/text_copy.h"

packet_store packets;

namespace {

int block_start;  // index of the current block's first property

packet_property *find_from(int from, packet_source source, const char *name)
{
    for (int i = from; i < packets.count; i++)
        if (packets.properties[i].source == source && strcmp(packets.properties[i].name, name) == 0)
            return &packets.properties[i];
    return nullptr;
}

}  // namespace

void begin_packet_store() { packets.count = 0, block_start = 0; }

void begin_packet_block() { block_start = packets.count; }

void end_packet_block()
{
    int kept = 0;
    for (int i = 0; i < packets.count; i++) {
        const packet_property &p = packets.properties[i];
        if (i < block_start && find_from(block_start, p.source, p.name) != nullptr)
            continue;  // given again by the block
        if (kept != i)
            packets.properties[kept] = p;
        kept++;
    }
    packets.count = kept;
    block_start = kept;
}

packet_property *find_packet_property(packet_source source, const char *name)
{
    for (int i = 0; i < packets.count; i++)
        if (packets.properties[i].source == source && strcmp(packets.properties[i].name, name) == 0)
            return &packets.properties[i];
    return nullptr;
}

namespace {

// Appends bytes to a value, cut at the last whole UTF-8 character that fits.
void append_text(char *value, const char *text, size_t length)
{
    size_t used = strlen(value);
    size_t room = static_cast<size_t>(packet_value_size) - 1 - used;
    if (length > room) {
        length = room;
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
            length--;  // text[length] continues a character: cut before it
    }
    memcpy(value + used, text, length);
    value[used + length] = '\0';
}

}  // namespace

packet_property *add_packet_value(packet_source source, const char *name, const char *value, int value_length)
{
    packet_property *property = find_from(block_start, source, name);
    if (property != nullptr) {
        append_text(property->value, ", ", 2);
        if (property->item_count < max_packet_items)
            property->item_start[property->item_count++] = static_cast<uint16_t>(strlen(property->value));
    } else {
        if (packets.count >= max_packet_properties)
            return nullptr;
        property = &packets.properties[packets.count++];
        property->source = source;
        copy_text(property->name, sizeof property->name, name);
        property->value[0] = '\0';
        property->item_count = 1;
        property->item_start[0] = 0;
    }
    append_text(property->value, value, static_cast<size_t>(value_length));
    return property;
}

bool packet_item(const packet_property &property, int i, const char **text, size_t *length)
{
    const size_t used = strlen(property.value);
    const size_t start = property.item_start[i];
    // An item ends before the ", " that joins the next one, or at the end.
    size_t end = i + 1 < property.item_count ? static_cast<size_t>(property.item_start[i + 1]) - 2 : used;
    if (end > used)
        end = used;
    if (start >= end)
        return false;
    *text = property.value + start;
    *length = end - start;
    return true;
}

void move_packet_property(int from, int to)
{
    packet_property held = packets.properties[from];
    memmove(&packets.properties[to + 1], &packets.properties[to],
            static_cast<size_t>(from - to) * sizeof(packet_property));
    packets.properties[to] = held;
}

