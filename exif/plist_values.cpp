#include "exif/plist_values.h"

#include <cstring>

namespace {

// The list's trailer (its last 32 bytes) and bounds-checked reads of it.
struct plist {
    const unsigned char *data;
    uint32_t size;
    uint8_t offset_size;  // bytes of each entry of the offset table
    uint8_t ref_size;     // bytes of each object reference
    uint64_t objects;
    uint64_t table_at;

    // size bytes at pos, most significant first; false past the end.
    bool number(uint64_t pos, uint32_t bytes, uint64_t *out) const
    {
        if (bytes == 0 || bytes > 8 || pos > size || bytes > size - pos)
            return false;
        *out = 0;
        for (uint32_t i = 0; i < bytes; i++)
            *out = *out << 8 | data[pos + i];
        return true;
    }

    // Where object ref starts.
    bool object(uint64_t ref, uint64_t *pos) const
    {
        return ref < objects && number(table_at + ref * offset_size, offset_size, pos) && *pos < size;
    }

    // The object's marker and its count (the low nibble, or the integer after it when that is 15).
    bool marker(uint64_t pos, uint8_t *type, uint64_t *count, uint64_t *body) const
    {
        *type = data[pos] >> 4;
        *count = data[pos] & 0x0F;
        *body = pos + 1;
        if (*count != 0x0F || *type == 0x1)
            return true;
        uint64_t length_bytes = 0;
        if (*body >= size || (data[*body] >> 4) != 0x1)
            return false;
        length_bytes = 1u << (data[*body] & 0x03);
        if (!number(*body + 1, static_cast<uint32_t>(length_bytes), count))
            return false;
        *body += 1 + length_bytes;
        return true;
    }
};

constexpr unsigned char magic[] = {'b', 'p', 'l', 'i', 's', 't', '0', '0'};
constexpr uint32_t trailer_size = 32;
constexpr uint8_t type_integer = 0x1, type_ascii = 0x5, type_dictionary = 0xD;

bool open_plist(const unsigned char *data, uint32_t size, plist *list, uint64_t *top)
{
    if (size < sizeof magic + trailer_size || memcmp(data, magic, sizeof magic) != 0)
        return false;
    const uint64_t t = size - trailer_size;
    *list = {data, size, data[t + 6], data[t + 7], 0, 0};
    return list->number(t + 8, 8, &list->objects) && list->number(t + 16, 8, top) &&
           list->number(t + 24, 8, &list->table_at) && list->offset_size >= 1 && list->offset_size <= 8 &&
           list->ref_size >= 1 && list->ref_size <= 8 && list->objects < size;
}

}  // namespace

bool plist_integer(const unsigned char *data, uint32_t size, const char *key, int64_t *value)
{
    plist list;
    uint64_t top = 0, pos = 0, count = 0, body = 0;
    uint8_t type = 0;
    if (!open_plist(data, size, &list, &top) || !list.object(top, &pos) || !list.marker(pos, &type, &count, &body) ||
        type != type_dictionary || count > size)
        return false;
    const size_t key_length = strlen(key);
    for (uint64_t i = 0; i < count; i++) {
        uint64_t key_ref = 0, value_ref = 0, at = 0, length = 0, text = 0;
        if (!list.number(body + i * list.ref_size, list.ref_size, &key_ref) ||
            !list.number(body + (count + i) * list.ref_size, list.ref_size, &value_ref) || !list.object(key_ref, &at) ||
            !list.marker(at, &type, &length, &text) || type != type_ascii || length != key_length ||
            text > size || length > size - text || memcmp(data + text, key, key_length) != 0)
            continue;
        uint64_t number = 0;
        if (!list.object(value_ref, &at) || !list.marker(at, &type, &length, &text) || type != type_integer ||
            length > 3 || !list.number(text, 1u << (length & 0x03), &number))
            return false;
        *value = static_cast<int64_t>(number);
        return true;
    }
    return false;
}
