#include "exif/packet_fields.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "exif/packet_store.h"

namespace {

enum class field_kind : uint8_t { text, list, whole, latitude, longitude };

struct packet_field {
    uint32_t number;
    field_kind kind;  // what the typed outputs make of it
    const char *xmp[3];  // XMP property paths, the first found wins; nullptr ends the list
    const char *iptc;    // the IPTC dataset, nullptr when IPTC has none
};

// clang-format off
constexpr packet_field packet_fields[] = {
    {1,  field_kind::list,      {"dc:subject"},                          "Keywords"},
    {2,  field_kind::whole,     {"xmp:Rating"},                          nullptr},
    {3,  field_kind::text,      {"xmp:Label"},                           nullptr},
    {4,  field_kind::text,      {"dc:title"},                            "ObjectName"},
    {5,  field_kind::text,      {"dc:description"},                      "Caption-Abstract"},
    {6,  field_kind::text,      {"dc:creator"},                          "By-line"},
    {7,  field_kind::text,      {"dc:rights"},                           "CopyrightNotice"},
    {8,  field_kind::text,      {"photoshop:City", "Iptc4xmpExt:LocationCreated/Iptc4xmpExt:City"},
                                                                         "City"},
    {9,  field_kind::text,      {"photoshop:State", "Iptc4xmpExt:LocationCreated/Iptc4xmpExt:ProvinceState"},
                                                                         "Province-State"},
    {10, field_kind::text,      {"photoshop:Country", "Iptc4xmpExt:LocationCreated/Iptc4xmpExt:CountryName"},
                                                                         "Country-PrimaryLocationName"},
    {11, field_kind::text,      {"photoshop:Headline"},                  "Headline"},
    {12, field_kind::text,      {"xmp:CreateDate"},                      nullptr},
    {13, field_kind::text,      {"xmp:ModifyDate"},                      nullptr},
    {14, field_kind::latitude,  {"exif:GPSLatitude"},                    nullptr},
    {15, field_kind::longitude, {"exif:GPSLongitude"},                   nullptr},
};
// clang-format on

const packet_property *find_first(const packet_field &field)
{
    for (packet_source source : {packet_source::xmp_sidecar, packet_source::xmp})
        for (const char *name : field.xmp)
            if (name != nullptr)
                if (const packet_property *p = find_packet_property(source, name))
                    return p;
    return field.iptc != nullptr ? find_packet_property(packet_source::iptc, field.iptc) : nullptr;
}

// XMP writes a GPS coordinate as "DDD,MM,SSk" or "DDD,MM.mmk" (k: N, S, E or
// W); shown as signed decimal degrees. False when the text is neither.
bool decimal_degrees(const char *text, field_kind kind, char *out, size_t size)
{
    char *end = nullptr;
    double degrees = strtod(text, &end);
    if (end == text || *end != ',')
        return false;
    const char *at = end + 1;
    double minutes = strtod(at, &end);
    if (end == at)
        return false;
    double seconds = 0;
    if (*end == ',') {
        at = end + 1;
        seconds = strtod(at, &end);
        if (end == at)
            return false;
    }
    char hemisphere = *end;
    bool negative = kind == field_kind::latitude ? hemisphere == 'S' : hemisphere == 'W';
    bool positive = kind == field_kind::latitude ? hemisphere == 'N' : hemisphere == 'E';
    if ((!negative && !positive) || end[1] != '\0')
        return false;
    double value = degrees + minutes / 60 + seconds / 3600;
    snprintf(out, size, "%.7f", negative ? -value : value);
    return true;
}

char coordinate_text[2][32];

const packet_field *field_numbered(uint32_t number)
{
    for (const packet_field &f : packet_fields)
        if (f.number == number)
            return &f;
    return nullptr;
}

}  // namespace

const char *packet_field_value(uint32_t field)
{
    const packet_field *f = field_numbered(field);
    if (f == nullptr)
        return nullptr;
    const packet_property *p = find_first(*f);
    if (p == nullptr || (f->kind != field_kind::latitude && f->kind != field_kind::longitude))
        return p != nullptr ? p->value : nullptr;
    char *text = coordinate_text[f->kind == field_kind::latitude ? 0 : 1];
    return decimal_degrees(p->value, f->kind, text, sizeof coordinate_text[0]) ? text : nullptr;
}

packet_field_type packet_field_type_of(uint32_t field)
{
    const packet_field *f = field_numbered(field);
    switch (f != nullptr ? f->kind : field_kind::text) {
    case field_kind::list:
        return packet_field_type::list;
    case field_kind::whole:
        return packet_field_type::whole;
    case field_kind::latitude:
    case field_kind::longitude:
        return packet_field_type::real;
    default:
        return packet_field_type::text;
    }
}

const packet_property *packet_field_property(uint32_t field)
{
    const packet_field *f = field_numbered(field);
    return f != nullptr ? find_first(*f) : nullptr;
}
