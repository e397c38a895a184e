// The readable listing: every field of a file, grouped by IFD type, long
// values folded onto continuation lines.
#include <cstdio>
#include <cstring>

#include "exif/exif_options.h"
#include "exif/ifd_types.h"
#include "frontend/listing.h"
#include "frontend/outputs.h"

namespace {
constexpr size_t fold_width = 50;
constexpr char continuation_prefix[] = "                             ";  // 29 blanks, under the value
}  // namespace

int contains_newline(const char *text) { return strchr(text, '\n') != nullptr ? 1 : 0; }

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

void print_exif_fields(const ifd_field_store *store)
{
    if (exif_opts_p->debug)
        fputs("Entering print_exif_fields", stdout);
    printf("FILE: %s\n", store->path_name);
    for (uint32_t i = 0; i < store->count; i++) {
        const ifd_field &f = store->fields[i];
        if (i == 0 || f.ifd_type != store->fields[i - 1].ifd_type)
            printf("\n%s\n", ifd_field_type_names[f.ifd_type]);
        char prefix[description_size + 8];  // room for the longest label
        snprintf(prefix, sizeof prefix, "  %-25s: ", f.description);
        const char *rest = f.display_value;
        do {
            size_t n = find_punctuation(rest, fold_width);
            int shown = static_cast<int>(n > 0 && rest[n - 1] == '\n' ? n - 1 : n);
            printf("%s%.*s\n", prefix, shown, rest);
            memcpy(prefix, continuation_prefix, sizeof continuation_prefix);
            rest += n;
        } while (strlen(rest) > fold_width || contains_newline(rest));
        if (*rest != '\0')
            printf("%s%s\n", prefix, rest);
    }
    printf("\n");
}
