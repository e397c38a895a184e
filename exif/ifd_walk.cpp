#include "exif/ifd_walk.h"

#include <cstdio>
#include <cstring>

#include "exif/extended_field_defs.h"
#include "exif/field_defs.h"
#include "exif/field_row.h"
#include "exif/ifd_check.h"
#include "exif/file_scan.h"
#include "exif/ifd_types.h"
#include "exif/maker_notes.h"
#include "exif/tags.h"
#include "support/errors.h"
#include "support/file_messages.h"
#include "support/run_options.h"
#include "support/text_copy.h"
#include "support/trace.h"

namespace {

// Nesting deeper than any camera writes is not followed.
constexpr int max_ifd_depth = 16;

// Entries read in one file. Entries of an unknown data type and pointers to
// IFDs already read make no record, so the 200-record limit does not bound
// them: many pointers into one long run of such entries would otherwise cost
// millions of reads (and warnings) for one file. Cameras write a few hundred;
// the bound lies above what one IFD can hold in the buffer, so that a count
// running past the buffer still ends in the read-past-end stop.
constexpr uint32_t max_entries_per_file = 16384;
static_assert(max_entries_per_file > input_buffer_size / 12);

// Notes the IFD at the cursor as walked; false when it was walked before (or,
// far into a whole file, when no more can be noted).
bool mark_walked(const buf_context *ctx)
{
    walk_state &walk = scan.walk;
    size_t position = static_cast<size_t>(ctx->buf_p - ctx->buf_start);
    if (position >= sizeof walk.walked_ifds * 8) {
        for (int i = 0; i < walk.far_walks; i++)
            if (walk.far_ifds[i] == position)
                return false;
        if (walk.far_walks == max_far_walks)
            return false;
        walk.far_ifds[walk.far_walks++] = position;
        return true;
    }
    unsigned char bit = static_cast<unsigned char>(1u << (position % 8));
    if (walk.walked_ifds[position / 8] & bit)
        return false;
    walk.walked_ifds[position / 8] |= bit;
    if (walk.walks_noted < max_noted_walks)
        walk.walked_bytes[walk.walks_noted] = static_cast<uint16_t>(position / 8);
    if (walk.walks_noted <= max_noted_walks)
        walk.walks_noted++;
    return true;
}

// The leading number of a text, as atoi reads it (sign included), without
// overflow: in 32 bits, or `wide` in 64 (a BigTIFF's offsets and lengths).
uint64_t leading_number(const char *text, bool wide)
{
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        text++;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        text++;
    uint64_t value = 0;
    if (wide) {
        for (; *text >= '0' && *text <= '9'; text++)
            value = value > (UINT64_MAX - 9) / 10 ? UINT64_MAX : value * 10 + static_cast<uint64_t>(*text - '0');
        return negative ? 0u - value : value;
    }
    for (; *text >= '0' && *text <= '9'; text++)
        value = value > 0xFFFFFFFFull ? value : value * 10 + static_cast<uint64_t>(*text - '0');
    uint32_t result = static_cast<uint32_t>(value);
    return negative ? 0u - result : result;
}

// The camera's Make text, from whichever IFD holds it, or nullptr.
const char *find_make(const ifd_field_store *store)
{
    const char *make = find_field_value(store, any_ifd_type, tag::make);
    if (make != nullptr)
        trace("Found tag %x, value %s\n", tag::make, make);
    return make;
}

// Thumbnail position and length come from the Thumbnail IFD alone: maker
// notes use the same tags for other settings. The first record of the tag
// counts; until the file has one, that is the record just added (`added`),
// found without a search through the store.
void note_thumbnail(ifd_field_store *store, const buf_context *value_ctx, int ifd_type, uint32_t tag, bool added)
{
    if (ifd_type != ifd_type_thumbnail)
        return;
    const uint8_t tag_bit = tag == tag::thumbnail_offset ? 1 : 2;
    const char *value = nullptr;
    if (scan.walk.thumbnail_tags_kept & tag_bit)
        value = find_field_value(store, ifd_type, tag);
    else if (added)
        value = store->fields[store->count - 1].display_value;
    if (added)
        scan.walk.thumbnail_tags_kept |= tag_bit;
    if (value == nullptr)
        return;
    // A checked thumbnail may lie anywhere in a file larger than 4 GiB; an
    // unchecked one keeps the 32-bit offset and length it always had.
    const bool wide = profile_of(value_ctx).checked_thumbnails;
    if (tag == tag::thumbnail_offset) {
        const uint64_t offset = static_cast<uint64_t>(calc_file_offset(value_ctx, leading_number(value, wide)));
        store->thumbnail_offset = wide ? offset : static_cast<uint32_t>(offset);
    } else {
        store->thumbnail_length = leading_number(value, wide);
    }
}

// An offset that leads past the buffer ends the walk; with bounded reads only
// the entry or the IFD it leads to is passed over, as a raw file's broken
// sub-IFD pointer should not hide the EXIF IFD after it.
int past_bad_offset(const buf_context *ctx, int rc)
{
    if (rc == err_end_of_buffer && profile_of(ctx).bounded_reads) {
        trace("Offset past the end of the buffer, entry passed over\n");
        return exif_ok;
    }
    return rc;
}

// The name of the entry that leads to an IFD, for messages.
const char *ifd_parent_name(int32_t parent_tag)
{
    static char name[24];
    if (parent_tag == ifd_parent_main_chain)
        return "IFD0's chain";
    snprintf(name, sizeof name, "field 0x%.4x", static_cast<uint32_t>(parent_tag));
    return name;
}

// With checked IFDs: true when the IFD at the cursor may be walked; else one
// warning says why it is not.
bool ifd_may_be_walked(const buf_context *ctx, uint64_t offset, int32_t parent_tag)
{
    if (!profile_of(ctx).checked_ifds)
        return true;
    const char *refusal = ifd_refusal(ctx, layout_of(ctx));
    if (refusal == nullptr)
        return true;
    file_warning("the IFD at offset %llu, reached through %s, is not read: %s", static_cast<unsigned long long>(offset),
                 ifd_parent_name(parent_tag), refusal);
    return false;
}

// An IFD's entry count, an entry's count and an offset, as wide as the layout has them.
uint64_t read_entry_count(buf_context *ctx)
{
    return layout_of(ctx).count_size == 2 ? get_u_int2(ctx) : get_u_int8(ctx);
}

uint64_t read_offset(buf_context *ctx) { return layout_of(ctx).offset_size == 4 ? get_u_int4(ctx) : get_u_int8(ctx); }

// With -e, a pointer entry with several values (the sub-IFDs of raw files)
// leads to each of the IFDs its list names, in order.
constexpr uint32_t max_listed_ifds = 16;

int extract_ifd_list(buf_context value_ctx, uint32_t tag, uint32_t data_type, uint32_t count, int depth,
                     ifd_field_store *store)
{
    const uint32_t item_size = field_lengths[data_type];
    if (static_cast<uint64_t>(item_size) * count > layout_of(&value_ctx).offset_size &&
        set_exif_context_p_by_offset(&value_ctx, read_offset(&value_ctx)) != exif_ok)
        return err_end_of_buffer;
    const uint32_t listed = count < max_listed_ifds ? count : max_listed_ifds;
    if (!require_bytes(&value_ctx, static_cast<uint64_t>(listed) * item_size)) {
        clear_overrun();
        file_warning("field 0x%.4x: its list of %u IFD offsets runs past the end of the data; passed over", tag,
                     count);
        return exif_ok;
    }
    int rc = exif_ok;
    for (uint32_t i = 0; i < listed && rc == exif_ok; i++) {
        uint64_t offset = item_size == 4 ? get_u_int4(&value_ctx) : get_u_int8(&value_ctx);
        trace("Entering IFD %u of the list of tag 0x%x, offset=%llu\n", i, tag, static_cast<unsigned long long>(offset));
        buf_context nested = value_ctx;
        rc = past_bad_offset(&nested, extract_ifd(&nested, offset, static_cast<int32_t>(tag), depth + 1, store));
    }
    return rc;
}

// Gives the record just added the first bytes of its value.
int keep_value_head(ifd_field_store *store, int rc, const unsigned char head[value_head_size])
{
    if (rc == exif_ok)
        memcpy(store->fields[store->count - 1].value_head, head, value_head_size);
    return rc;
}

// The entries of one IFD, read in the copy of the IFD's width (below).
template <bool wide>
int extract_entries(buf_context *ctx, uint64_t entries, int32_t parent_tag, int position, int depth,
                    ifd_field_store *store);

}  // namespace

int extract_ifd(buf_context *ctx, uint64_t offset, int32_t parent_tag, int depth, ifd_field_store *store)
{
    trace("extract_ifd()\n");
    if (depth > max_ifd_depth) {
        trace("IFD nesting deeper than %d, not followed\n", max_ifd_depth);
        return exif_ok;
    }
    if (parent_tag == static_cast<int32_t>(tag::maker_note)) {
        ctx->layout = nullptr;  // a maker note's IFDs are classic ones, whatever the file's layout
        if (offset > UINT32_MAX)
            return err_end_of_buffer;
        uint32_t note_offset = static_cast<uint32_t>(offset);
        if (int rc = place_maker_note(ctx, &note_offset, store); rc != exif_ok)
            return rc;
        offset = note_offset;
    }
    const tiff_layout &layout = layout_of(ctx);
    int rc = exif_ok;
    int position = 0;
    do {
        rc = set_exif_context_p_by_offset(ctx, offset);
        if (rc != exif_ok)
            break;
        if (!ifd_may_be_walked(ctx, offset, parent_tag))
            break;
        if (!mark_walked(ctx)) {
            trace("IFD at offset %u already read, not read again\n", static_cast<uint32_t>(offset));
            break;
        }
        const uint64_t entries = read_entry_count(ctx);
        trace("IFD contains %d entries, parent=%x, seq=%d\n", static_cast<int>(entries), parent_tag, position);
        rc = layout.offset_size == 8 ? extract_entries<true>(ctx, entries, parent_tag, position, depth, store)
                                     : extract_entries<false>(ctx, entries, parent_tag, position, depth, store);
        if (rc != exif_ok)
            break;
        const uint64_t ifd_offset = offset;
        offset = read_offset(ctx);
        trace("Offset to next IFD = %d\n", static_cast<int>(offset));
        if (profile_of(ctx).checked_ifds && next_ifd_points_back(offset, ifd_offset, entries, layout)) {
            trace("Next IFD offset leads back into the header or this IFD, chain ends\n");
            offset = 0;
        }
        position++;
    } while (offset != 0);
    return rc;
}

namespace {

// One entry, its values and offsets `wide` (8 bytes, BigTIFF) or not: the
// width is a constant of each copy, as the classic walk was before BigTIFF.
template <bool wide>
int extract_entry(buf_context *ctx, int32_t parent_tag, int position, int depth, ifd_field_store *store)
{
    const reading_profile &profile = profile_of(ctx);
    constexpr uint32_t value_field_size = wide ? 8 : 4;
    uint32_t tag = get_u_int2(ctx);
    uint32_t data_type = get_u_int2(ctx);
    // A BigTIFF count beyond 32 bits is kept at the largest: such a value runs past any data.
    const uint64_t wide_count = wide ? get_u_int8(ctx) : get_u_int4(ctx);
    uint32_t count = wide_count < UINT32_MAX ? static_cast<uint32_t>(wide_count) : UINT32_MAX;
    if (profile.newer_fields && data_type == data_type_utf8)
        data_type = data_type_ascii;  // UTF-8 text is read as ASCII text is
    data_type = note_entry_type(data_type);
    buf_context value_ctx;
    clone_buf_context(ctx, &value_ctx);
    skip_bytes(ctx, value_field_size);
    unsigned char raw_value[4];
    memcpy(raw_value, value_ctx.buf_p, sizeof raw_value);

    if (profile.checked_ifds && data_type == stored_type_ifd &&
        find_field_row(get_ifd_type(parent_tag, position, store->model_code), tag, profile.newer_fields).opens_ifd)
        data_type = data_type_long;  // a pointer stored as an IFD offset (DJI, Parrot)
    // BigTIFF's 64-bit integers (LONG8, SLONG8, IFD8) are read with -e; TIFF's
    // own types (1 to 12) pass with one comparison.
    bool wide_integer = false;
    if (data_type - 1 >= data_type_double) {
        wide_integer = profile.newer_fields && is_wide_integer_type(data_type);
        if (!wide_integer) {
            if (profile.named_messages)
                file_warning("field 0x%.4x has data type %u, which does not exist; passed over", tag, data_type);
            else
                warn("Warning: Field 0x%.4x has unknown field data type %d, field ignored\n", tag, data_type);
            return exif_ok;
        }
    }
    int ifd_type = get_ifd_type(parent_tag, position, store->model_code);
    const ifd_field_defn_row &row = find_field_row(ifd_type, tag, profile.newer_fields);

    if (row.opens_ifd && profile.newer_fields && count > 1 &&
        (field_lengths[data_type] == 4 || (wide_integer && field_lengths[data_type] == 8)))
        return extract_ifd_list(value_ctx, tag, data_type, count, depth, store);
    bool maker_note = !row.opens_ifd && row.tag == tag::maker_note && find_maker_note(&value_ctx, count, store);
    if (row.opens_ifd || maker_note) {
        uint64_t offset = row.opens_ifd && wide_integer ? get_u_int8(&value_ctx) : wide ? get_u_int8(&value_ctx) : get_u_int4(&value_ctx);
        trace("IFD Entry: tag=0x%x, data_type=%d, count=%d, val_offset=%d\n", tag, data_type, count,
              static_cast<int>(offset));
        trace("Entering nested IFD, offset=%d\n", static_cast<int>(offset));
        buf_context nested;
        clone_buf_context(&value_ctx, &nested);
        uint32_t first = store->count;
        int rc = past_bad_offset(&nested, extract_ifd(&nested, offset, static_cast<int32_t>(tag), depth + 1, store));
        return maker_note ? finish_maker_note(&nested, first, depth + 1, store, rc) : rc;
    }

    uint64_t size = static_cast<uint64_t>(field_lengths[data_type]) * count;
    if (size > value_field_size) {
        const uint64_t offset = wide ? get_u_int8(&value_ctx) : get_u_int4(&value_ctx);
        if (set_exif_context_p_by_offset(&value_ctx, offset) != exif_ok)
            return past_bad_offset(&value_ctx, err_end_of_buffer);
    }
    if (profile.bounded_reads && size > buf_remaining(&value_ctx)) {
        file_warning("field 0x%.4x: its value of %llu bytes runs past the end of the data; passed over", tag,
                     static_cast<unsigned long long>(size));
        return exif_ok;
    }
    const uint64_t file_offset = static_cast<uint64_t>(get_file_offset(&value_ctx));
    trace("IFD Entry: tag=0x%x, data_type=%d, count=%d, file_offset=%d\n", tag, data_type, count,
          static_cast<int>(file_offset));

    unsigned char head[value_head_size] = {};
    memcpy(head, value_ctx.buf_p,
           buf_bytes(&value_ctx, static_cast<uint32_t>(size < value_head_size ? size : value_head_size)));

    char text[512];  // formatters append to the empty text; no need to clear it all
    text[0] = '\0';
    clear_overrun();
    scan.formatting->format_entry({&value_ctx, store, ifd_type, &row, tag, data_type, count}, text);
    if (read_overran()) {
        // A formatter read past the data (a maker note's fixed layout in a short value).
        clear_overrun();
        file_warning("field 0x%.4x: reading its value passed the end of the data; passed over", tag);
        return exif_ok;
    }

    if (is_unknown_field_row(row)) {
        char description[description_size];
        snprintf(description, sizeof description, "Unknown Field 0x%.4x     ", tag);
        const int rc = add_field_entry(store, ifd_type_unknown, depth, tag, description, text, file_offset, data_type,
                                       count, raw_value);
        return keep_value_head(store, rc, head);
    }
    int rc =
        add_field_entry(store, ifd_type, depth, tag, row.description, text, file_offset, data_type, count, raw_value);
    keep_value_head(store, rc, head);
    if (tag == tag::thumbnail_offset || tag == tag::thumbnail_length)
        note_thumbnail(store, &value_ctx, ifd_type, tag, rc == exif_ok);
    else if (tag == tag::model)
        store->model_code = find_model_code(find_make(store), text);
    return rc;
}

// The entries of one IFD, in the copy of its width: the layout is asked once an IFD, not once an entry.
template <bool wide>
int extract_entries(buf_context *ctx, uint64_t entries, int32_t parent_tag, int position, int depth,
                    ifd_field_store *store)
{
    int rc = exif_ok;
    for (uint64_t i = 0; i < entries && rc == exif_ok; i++) {
        if (++scan.walk.entries_walked > max_entries_per_file) {
            trace("More than %u IFD entries in the file, the rest not read\n", max_entries_per_file);
            return err_too_many_fields;  // ends the walk as a full store does
        }
        rc = extract_entry<wide>(ctx, parent_tag, position, depth, store);
    }
    return rc;
}

}  // namespace

int extract_ifd_entry(buf_context *ctx, int32_t parent_tag, int position, int depth, ifd_field_store *store)
{
    return layout_of(ctx).offset_size == 8 ? extract_entry<true>(ctx, parent_tag, position, depth, store)
                                           : extract_entry<false>(ctx, parent_tag, position, depth, store);
}

int add_field_entry(ifd_field_store *store, int ifd_type, int depth, uint32_t tag, const char *description,
                    const char *display_value, uint64_t file_offset, uint32_t data_type, uint32_t count,
                    const unsigned char raw_value[4])
{
    if (store->count >= field_capacity())
        return err_too_many_fields;
    ifd_field &f = store->fields[store->count];
    f.ifd_type = static_cast<uint16_t>(ifd_type);
    f.depth = static_cast<uint8_t>(depth);
    f.seq = static_cast<uint16_t>(store->count);
    f.tag = static_cast<uint16_t>(tag);
    f.file_offset = file_offset;
    f.data_type = static_cast<uint16_t>(data_type);
    f.count = count;
    memcpy(f.raw_value, raw_value, sizeof f.raw_value);
    copy_text(f.description, sizeof f.description, description);
    copy_text(f.display_value, sizeof f.display_value, display_value);
    store->count++;
    trace("%s - %s: %s\n", scan.formatting->ifd_type_name(ifd_type), f.description, f.display_value);
    return exif_ok;
}
