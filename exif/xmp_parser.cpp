#include "exif/xmp_parser.h"

#include <expat.h>

#include <cstdio>
#include <cstring>

#include "support/file_messages.h"
#include "support/text_copy.h"
#include "support/trace.h"

namespace {

// ---- Expat's memory: one fixed area, used from its start for each packet ----

// Enough for expat's tables and the partial token it keeps between pieces; a
// name or attribute of about this size ends the packet as out of memory.
constexpr size_t arena_size = 1u << 20;
constexpr size_t arena_align = 16;
alignas(arena_align) unsigned char arena[arena_size];
size_t arena_used;
size_t arena_last;  // offset of the most recent block's header, for freeing and growing in place

struct block_header {
    size_t size;
    size_t previous_last;  // arena_last before this block
    unsigned char padding[arena_align - 2 * sizeof(size_t)];
};
static_assert(sizeof(block_header) == arena_align);

constexpr size_t round_up(size_t n) { return (n + arena_align - 1) & ~(arena_align - 1); }

void *arena_malloc(size_t size)
{
    size_t need = sizeof(block_header) + round_up(size);
    if (size > arena_size || arena_size - arena_used < need)
        return nullptr;
    auto *header = reinterpret_cast<block_header *>(arena + arena_used);
    header->size = size;
    header->previous_last = arena_last;
    arena_last = arena_used;
    arena_used += need;
    return header + 1;
}

block_header *header_of(void *p) { return static_cast<block_header *>(p) - 1; }

bool is_last_block(void *p)
{
    return reinterpret_cast<unsigned char *>(header_of(p)) == arena + arena_last && arena_used != 0;
}

void arena_free(void *p)
{
    if (p == nullptr || !is_last_block(p))
        return;  // space inside the area comes back when the packet ends
    arena_used = arena_last;
    arena_last = header_of(p)->previous_last;
}

void *arena_realloc(void *p, size_t size)
{
    if (p == nullptr)
        return arena_malloc(size);
    block_header *header = header_of(p);
    if (is_last_block(p)) {
        size_t start = arena_last + sizeof(block_header);
        if (size <= arena_size && arena_size - start >= round_up(size)) {
            header->size = size;
            arena_used = start + round_up(size);
            return p;
        }
        return nullptr;
    }
    void *moved = arena_malloc(size);
    if (moved != nullptr)
        memcpy(moved, p, header->size < size ? header->size : size);
    return moved;
}

const XML_Memory_Handling_Suite arena_suite = {arena_malloc, arena_realloc, arena_free};

// ---- Namespaces ----

constexpr char rdf_uri[] = "http://www.w3.org/1999/02/22-rdf-syntax-ns#";
constexpr char xml_uri[] = "http://www.w3.org/XML/1998/namespace";
constexpr char meta_uri[] = "adobe:ns:meta/";

struct known_namespace {
    const char *uri;
    const char *prefix;
};

// The prefixes properties are named by, whatever prefix a packet binds to the URI.
// clang-format off
constexpr known_namespace known_namespaces[] = {
    {"http://purl.org/dc/elements/1.1/",                    "dc"},
    {"http://ns.adobe.com/xap/1.0/",                        "xmp"},
    {"http://ns.adobe.com/xap/1.0/rights/",                 "xmpRights"},
    {"http://ns.adobe.com/xap/1.0/mm/",                     "xmpMM"},
    {"http://ns.adobe.com/xap/1.0/bj/",                     "xmpBJ"},
    {"http://ns.adobe.com/xap/1.0/t/pg/",                   "xmpTPg"},
    {"http://ns.adobe.com/xap/1.0/g/img/",                  "xmpGImg"},
    {"http://ns.adobe.com/xap/1.0/g/",                      "xmpG"},
    {"http://ns.adobe.com/xap/1.0/sType/ResourceEvent#",    "stEvt"},
    {"http://ns.adobe.com/xap/1.0/sType/ResourceRef#",      "stRef"},
    {"http://ns.adobe.com/xap/1.0/sType/Dimensions#",       "stDim"},
    {"http://ns.adobe.com/xmp/note/",                       "xmpNote"},
    {"http://ns.adobe.com/photoshop/1.0/",                  "photoshop"},
    {"http://ns.adobe.com/exif/1.0/",                       "exif"},
    {"http://ns.adobe.com/exif/1.0/aux/",                   "aux"},
    {"http://cipa.jp/exif/1.0/",                            "exifEX"},
    {"http://ns.adobe.com/tiff/1.0/",                       "tiff"},
    {"http://ns.adobe.com/camera-raw-settings/1.0/",        "crs"},
    {"http://ns.adobe.com/lightroom/1.0/",                  "lr"},
    {"http://ns.adobe.com/pdf/1.3/",                        "pdf"},
    {"http://iptc.org/std/Iptc4xmpCore/1.0/xmlns/",         "Iptc4xmpCore"},
    {"http://iptc.org/std/Iptc4xmpExt/2008-02-29/",         "Iptc4xmpExt"},
    {"http://ns.useplus.org/ldf/xmp/1.0/",                  "plus"},
    {"http://ns.microsoft.com/photo/1.0/",                  "MicrosoftPhoto"},
    {"http://ns.microsoft.com/photo/1.2/",                  "MP"},
    {"http://www.digikam.org/ns/1.0/",                      "digiKam"},
    {"http://darktable.sf.net/",                            "darktable"},
    {"http://ns.google.com/photos/1.0/camera/",             "GCamera"},
    {"http://ns.google.com/photos/1.0/image/",              "GImage"},
    {"http://ns.google.com/photos/1.0/panorama/",           "GPano"},
    {"http://ns.apple.com/adjustment-settings/1.0/",        "AdjustmentSettings"},
    {rdf_uri,                                               "rdf"},
    {xml_uri,                                               "xml"},
    {meta_uri,                                              "x"},
};
// clang-format on

// Expat hands names as "URI\1local\1prefix" (parts left out where absent).
constexpr char name_separator = '\1';
constexpr XML_Char name_separator_text[] = {name_separator, '\0'};

struct xml_name {
    const char *uri;  // "" when none
    size_t uri_length;
    const char *local;
    size_t local_length;
    const char *prefix;  // as the packet wrote it, "" when none
    size_t prefix_length;
};

xml_name split_name(const char *name)
{
    const char *first = strchr(name, name_separator);
    if (first == nullptr)
        return {"", 0, name, strlen(name), "", 0};
    const char *second = strchr(first + 1, name_separator);
    size_t local_length = second != nullptr ? static_cast<size_t>(second - first - 1) : strlen(first + 1);
    const char *prefix = second != nullptr ? second + 1 : "";
    return {name, static_cast<size_t>(first - name), first + 1, local_length, prefix, strlen(prefix)};
}

bool in_namespace(const xml_name &n, const char *uri)
{
    return n.uri_length == strlen(uri) && memcmp(n.uri, uri, n.uri_length) == 0;
}

bool named(const xml_name &n, const char *uri, const char *local)
{
    return in_namespace(n, uri) && n.local_length == strlen(local) && memcmp(n.local, local, n.local_length) == 0;
}

// ---- The walk over the RDF tree ----

// What an element is to the properties: structural elements (x:xmpmeta,
// rdf:RDF, rdf:Description, the containers) add nothing to the path; a
// property adds its name; a list item or an rdf:value stands for the value
// of the property around it.
enum class role : uint8_t { structural, property, item, value };

struct frame {
    role kind;
    bool has_children;
    bool has_fields;      // its attributes gave fields of a structure
    bool is_alt;          // an rdf:Alt
    int alt_first;        // in an rdf:Alt: the store index of its first item, -1 before one
    int path_length;      // the path's length inside the element
    char lang[24];        // an item's xml:lang
};

struct parse_state {
    XML_Parser parser;
    packet_source source;
    const char *file_name;
    bool ended;        // in error or at the root's end: nothing more is parsed
    bool root_closed;  // the root element ended: what follows is padding
    size_t fed;
    int depth;
    frame frames[max_xmp_depth];
    char path[packet_name_size];
    int path_length;
    char text[packet_value_size];
    int text_length;
};

parse_state state;

void stop_packet(const char *why)
{
    if (!state.ended)
        file_warning("XMP packet ends at line %lu: %s", static_cast<unsigned long>(XML_GetCurrentLineNumber(state.parser)),
                     why);
    state.ended = true;
    XML_StopParser(state.parser, XML_FALSE);
}

// Appends "prefix:local" (after a "/" when the path is not empty), cut where the path is full.
void push_name(const xml_name &n)
{
    const char *prefix = n.prefix;
    size_t prefix_length = n.prefix_length;
    for (const known_namespace &known : known_namespaces)
        if (in_namespace(n, known.uri)) {
            prefix = known.prefix, prefix_length = strlen(known.prefix);
            break;
        }
    if (prefix_length == 0 && n.uri_length != 0)
        prefix = "ns", prefix_length = 2;
    char part[packet_name_size];
    int length = snprintf(part, sizeof part, "%s%.*s%s%.*s", state.path_length > 0 ? "/" : "",
                          static_cast<int>(prefix_length), prefix, prefix_length > 0 ? ":" : "",
                          static_cast<int>(n.local_length), n.local);
    int room = static_cast<int>(sizeof state.path) - 1 - state.path_length;
    if (length > room)
        length = room > 0 ? room : 0;
    memcpy(state.path + state.path_length, part, static_cast<size_t>(length));
    state.path_length += length;
    state.path[state.path_length] = '\0';
}

// Stores a value under the current path; returns its store index, -1 when
// the store is full. `fresh` tells whether the value began a property.
int store_value(const char *name, const char *value, int length, bool *fresh)
{
    int before = packets.count;
    packet_property *property = add_packet_value(state.source, name, value, length);
    *fresh = packets.count > before;
    return property != nullptr ? static_cast<int>(property - packets.properties) : -1;
}

// The fields an element's attributes give (properties of rdf:Description,
// fields of a structure written in short form), each under path/attribute.
bool store_attribute_fields(const XML_Char **attributes)
{
    bool any = false;
    for (int i = 0; attributes[i] != nullptr; i += 2) {
        xml_name n = split_name(attributes[i]);
        if (in_namespace(n, rdf_uri) || in_namespace(n, xml_uri) || n.uri_length == 0)
            continue;  // RDF's own attributes, xml:lang, and unqualified ones (no property)
        int kept = state.path_length;
        push_name(n);
        bool fresh = false;
        (void)store_value(state.path, attributes[i + 1], static_cast<int>(strlen(attributes[i + 1])), &fresh);
        state.path_length = kept;
        state.path[kept] = '\0';
        any = true;
    }
    return any;
}

const char *find_attribute(const XML_Char **attributes, const char *uri, const char *local)
{
    for (int i = 0; attributes[i] != nullptr; i += 2)
        if (named(split_name(attributes[i]), uri, local))
            return attributes[i + 1];
    return nullptr;
}

void on_start(void *, const XML_Char *name, const XML_Char **attributes)
{
    if (state.ended)
        return;
    if (state.depth >= max_xmp_depth) {
        stop_packet("elements nested too deep");
        return;
    }
    frame *parent = state.depth > 0 ? &state.frames[state.depth - 1] : nullptr;
    if (parent != nullptr)
        parent->has_children = true;
    frame &f = state.frames[state.depth++];
    f = {role::structural, false, false, false, -1, state.path_length, ""};
    state.text_length = 0;
    state.text[0] = '\0';

    xml_name n = split_name(name);
    if (in_namespace(n, rdf_uri)) {
        if (named(n, rdf_uri, "li")) {
            f.kind = role::item;
            if (const char *lang = find_attribute(attributes, xml_uri, "lang"))
                copy_text(f.lang, sizeof f.lang, lang);
        } else if (named(n, rdf_uri, "value")) {
            f.kind = role::value;
        } else if (named(n, rdf_uri, "Alt")) {
            f.is_alt = true;
        }
    } else if (!in_namespace(n, meta_uri) && parent != nullptr) {
        f.kind = role::property;
        push_name(n);
        f.path_length = state.path_length;
    }
    if (f.kind != role::structural || named(n, rdf_uri, "Description"))
        f.has_fields = store_attribute_fields(attributes);
    if (f.kind != role::structural)
        if (const char *resource = find_attribute(attributes, rdf_uri, "resource")) {
            copy_text(state.text, sizeof state.text, resource);
            state.text_length = static_cast<int>(strlen(state.text));
        }
}

bool only_blanks(const char *text, int length)
{
    for (int i = 0; i < length; i++)
        if (text[i] != ' ' && text[i] != '\t' && text[i] != '\n' && text[i] != '\r')
            return false;
    return true;
}

// A language alternative's items: the default under the property's own name,
// first; the others under "name[language]".
void store_item_value(frame &f, frame *container)
{
    bool in_alt = container != nullptr && container->is_alt;
    bool is_default = !in_alt || f.lang[0] == '\0' || strcmp(f.lang, "x-default") == 0;
    char name[packet_name_size];
    copy_text(name, sizeof name, state.path);
    if (!is_default) {
        append_text(name, sizeof name, "[");
        append_text(name, sizeof name, f.lang);
        append_text(name, sizeof name, "]");
    }
    bool fresh = false;
    int index = store_value(name, state.text, state.text_length, &fresh);
    if (!in_alt || index < 0 || !fresh)
        return;
    if (container->alt_first < 0)
        container->alt_first = index;
    else if (is_default && index > container->alt_first)
        move_packet_property(index, container->alt_first);
}

void on_end(void *, const XML_Char *)
{
    if (state.ended || state.depth == 0)
        return;
    frame &f = state.frames[--state.depth];
    bool leaf = f.kind != role::structural && !f.has_children &&
                !(f.has_fields && only_blanks(state.text, state.text_length));
    if (leaf) {
        if (f.kind == role::item)
            store_item_value(f, state.depth > 0 ? &state.frames[state.depth - 1] : nullptr);
        else {
            bool fresh = false;
            (void)store_value(state.path, state.text, state.text_length, &fresh);
        }
    }
    state.text_length = 0;
    state.text[0] = '\0';
    if (f.kind == role::property) {
        // Back to the path of the element around it.
        state.path_length = state.depth > 0 ? state.frames[state.depth - 1].path_length : 0;
        state.path[state.path_length] = '\0';
    }
    if (state.depth == 0) {
        // The root ended: padding and trailing bytes after it are not XML to read.
        state.root_closed = true;
        state.ended = true;
        XML_StopParser(state.parser, XML_FALSE);
    }
}

void on_text(void *, const XML_Char *text, int length)
{
    if (state.ended || state.depth == 0 || state.frames[state.depth - 1].kind == role::structural)
        return;
    int room = static_cast<int>(sizeof state.text) - 1 - state.text_length;
    int n = length < room ? length : room;
    while (n < length && n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        n--;  // whole characters only
    memcpy(state.text + state.text_length, text, static_cast<size_t>(n));
    state.text_length += n;
    state.text[state.text_length] = '\0';
}

void on_doctype(void *, const XML_Char *, const XML_Char *, const XML_Char *, int)
{
    stop_packet("a document type declaration is not read");
}

void on_entity(void *, const XML_Char *, int, const XML_Char *, int, const XML_Char *, const XML_Char *,
               const XML_Char *, const XML_Char *)
{
    stop_packet("an entity declaration is not read");
}

}  // namespace

void begin_xmp_packet(packet_source source, const char *file_name)
{
    arena_used = 0;
    arena_last = 0;
    begin_packet_block();
    state.parser = XML_ParserCreate_MM(nullptr, &arena_suite, name_separator_text);
    state.source = source;
    state.file_name = file_name;
    state.ended = state.parser == nullptr;
    state.root_closed = false;
    state.fed = 0;
    state.depth = 0;
    state.path_length = 0;
    state.path[0] = '\0';
    state.text_length = 0;
    if (state.parser == nullptr)
        return;
    XML_SetReturnNSTriplet(state.parser, 1);
    XML_SetElementHandler(state.parser, on_start, on_end);
    XML_SetCharacterDataHandler(state.parser, on_text);
    XML_SetStartDoctypeDeclHandler(state.parser, on_doctype);
    XML_SetEntityDeclHandler(state.parser, on_entity);
    XML_SetParamEntityParsing(state.parser, XML_PARAM_ENTITY_PARSING_NEVER);
}

bool feed_xmp_packet(const char *data, size_t length, bool last)
{
    if (state.ended)
        return false;
    if (length > max_xmp_packet_bytes - state.fed) {
        stop_packet("the packet is larger than 16 MiB");
        return false;
    }
    state.fed += length;
    if (XML_Parse(state.parser, data, static_cast<int>(length), last) == XML_STATUS_ERROR && !state.ended)
        stop_packet(XML_GetErrorCode(state.parser) == XML_ERROR_NO_MEMORY
                        ? "a tag larger than the parser's 1 MiB area"  // large data in attributes
                        : XML_ErrorString(XML_GetErrorCode(state.parser)));
    if (last && !state.ended && !state.root_closed)
        stop_packet("the packet ends inside its root element");
    return !state.ended;
}

void end_xmp_packet()
{
    end_packet_block();
    if (state.parser != nullptr)
        XML_ParserFree(state.parser);
    state.parser = nullptr;
    arena_used = 0;
    arena_last = 0;
}
