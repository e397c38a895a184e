// The readable listing: every field of a file, grouped by IFD type, long
// values folded onto continuation lines.
#include <cstdio>
#include <cstring>

#include "exif/format/ifd_formats.h"
#include "exif/ifd_types.h"
#include "exif/packet_store.h"
#include "frontend/listing.h"
#include "frontend/outputs.h"
#include "support/run_options.h"
#include "support/trace.h"

namespace {
constexpr size_t fold_width = 50;
constexpr char continuation_prefix[] = "                             ";  // 29 blanks, under the value
}  // namespace

size_t find_punctuation(const char *text, size_t limit)
{
    size_t len = strnlen(text, limit + 1);
    const void *newline = memchr(text, '\n', len < limit ? len : limit);
    if (newline != nullptr)
        return static_cast<size_t>(static_cast<const char *>(newline) - text) + 1;
    if (len <= limit)
        return len;
    for (size_t i = limit; i >= limit / 2 + 1; i--)
        if (text[i] == ' ' || text[i] == '.' || text[i] == ',' || text[i] == ';')
            return i + 1;
    return limit;
}

namespace {

// The listing is assembled here and written in few large pieces: a printf or
// fwrite per line cost more than everything else the listing does.
class listing_text {
public:
    void add(const char *text, size_t n)
    {
        if (n > sizeof text_ - length_)
            flush();
        if (n > sizeof text_) {
            fwrite(text, 1, n, stdout);
            return;
        }
        memcpy(text_ + length_, text, n);
        length_ += n;
    }
    void add(const char *text) { add(text, strlen(text)); }
    void flush()
    {
        fwrite(text_, 1, length_, stdout);
        length_ = 0;
    }

private:
    char text_[16384];
    size_t length_ = 0;
};

}  // namespace

namespace {

// One field: "  %-25s: " (the label left-aligned in 25 columns, longer labels
// as they are), the value folded onto continuation lines.
void add_field(listing_text &out, const char *description, size_t description_cap, const char *value,
               size_t value_cap)
{
    char prefix[packet_name_size + 8];
    size_t label = strnlen(description, description_cap);
    size_t width = label < 25 ? 25 : label;
    memset(prefix, ' ', 2 + width);
    memcpy(prefix + 2, description, label);
    memcpy(prefix + 2 + width, ": ", 2);
    size_t prefix_length = 2 + width + 2;
    const char *rest = value;
    size_t rest_length = strnlen(rest, value_cap);
    do {
        size_t n = find_punctuation(rest, fold_width);
        size_t shown = n > 0 && rest[n - 1] == '\n' ? n - 1 : n;
        out.add(prefix, prefix_length);
        out.add(rest, shown);
        out.add("\n", 1);
        prefix_length = sizeof continuation_prefix - 1;
        memcpy(prefix, continuation_prefix, prefix_length);
        rest += n;
        rest_length -= n;
    } while (rest_length > fold_width || memchr(rest, '\n', rest_length) != nullptr);
    if (rest_length != 0) {
        out.add(prefix, prefix_length);
        out.add(rest, rest_length);
        out.add("\n", 1);
    }
}

// The XMP properties and IPTC datasets (read with -e), a group per source after the EXIF groups.
void add_packet_groups(listing_text &out)
{
    constexpr const char *group_names[packet_source_count] = {"XMP", "XMP (sidecar)", "IPTC"};
    for (int source = 0; source < packet_source_count; source++) {
        bool first = true;
        for (int i = 0; i < packets.count; i++) {
            const packet_property &p = packets.properties[i];
            if (static_cast<int>(p.source) != source)
                continue;
            if (first) {
                out.add("\n", 1);
                out.add(group_names[source]);
                out.add("\n", 1);
                first = false;
            }
            add_field(out, p.name, packet_name_size - 1, p.value, packet_value_size - 1);
        }
    }
}

}  // namespace

void print_exif_fields(const ifd_field_store *store)
{
    trace("%s", "Entering print_exif_fields");
    listing_text out;
    out.add("FILE: ");
    out.add(store->path_name);
    out.add("\n", 1);
    for (uint32_t i = 0; i < store->count; i++) {
        const ifd_field &f = store->fields[i];
        if (i == 0 || f.ifd_type != store->fields[i - 1].ifd_type) {
            out.add("\n", 1);
            out.add(ifd_type_name(f.ifd_type));
            out.add("\n", 1);
        }
        add_field(out, f.description, description_size - 1, f.display_value, display_value_size - 1);
    }
    add_packet_groups(out);
    out.add("\n", 1);
    out.flush();
}
