#include "exif/maker_notes.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "exif/field_defs.h"
#include "exif/field_row.h"
#include "exif/file_scan.h"
#include "exif/ifd_types.h"
#include "exif/ifd_walk.h"
#include "exif/maker_tables.h"
#include "exif/plist_values.h"
#include "exif/tags.h"
#include "support/errors.h"
#include "support/run_options.h"
#include "support/trace.h"

namespace {

using enum note_base;
using enum note_order;

// The older rows first: a model they name is read as it always was. Then the
// rows found by make and signature (with -e), the longer signatures first.
// clang-format off
constexpr maker_note_format formats[] = {
    // name                     model                     e-wins make        signature               len base         order  at  ifd group                    links
    {"Olympus (C920Z)",         model_olympus,            false, nullptr,     nullptr,                0, tiff_header, file,  0,  8,  -1,                      nullptr},
    {"Nikon (E950)",            model_nikon_e950,         false, nullptr,     nullptr,                0, tiff_header, file,  0,  8,  -1,                      nullptr},
    {"Nikon (E990)",            model_nikon_e990,         false, nullptr,     nullptr,                0, tiff_header, file,  0,  0,  -1,                      nullptr},
    {"Casio (QV-2000UX)",       model_casio_qv2000ux,     false, nullptr,     nullptr,                0, tiff_header, file,  0,  0,  -1,                      nullptr},
    {"Casio (QV-8000SX)",       model_casio_qv8000sx,     false, nullptr,     nullptr,                0, tiff_header, file,  0,  0,  -1,                      nullptr},
    {"Canon (PowerShot G1)",    model_canon_g1,           false, nullptr,     nullptr,                0, tiff_header, file,  0,  0,  -1,                      nullptr},
    {"Canon (PowerShot S100)",  model_canon_s100,         false, nullptr,     nullptr,                0, tiff_header, file,  0,  0,  -1,                      nullptr},
    {"Canon (EOS D30)",         model_canon_d30,          false, nullptr,     nullptr,                0, tiff_header, file,  0,  0,  -1,                      nullptr},
    {"Olympus (C2500L)",        model_olympus_c2500l,     false, nullptr,     nullptr,                0, tiff_header, file,  0,  8,  -1,                      nullptr},
    {"FujiFilm (FinePix1400)",  model_fujifilm,           false, nullptr,     nullptr,                0, note_start,  intel, 0,  12, -1,                      nullptr},
    {"Casio (QV-3500EX)",       model_casio_qv3500ex,     false, nullptr,     nullptr,                0, tiff_header, file,  0,  0,  -1,                      nullptr},
    {"Minolta (DiMAGE 7)",      model_minolta,            false, nullptr,     nullptr,                0, tiff_header, file,  0,  0,  -1,                      nullptr},
    {"Nikon (D1X)",             model_nikon_d1x,          true,  nullptr,     nullptr,                0, tiff_header, file,  0,  0,  -1,                      nullptr},
    // Found by make and signature, with -e.
    {"Nikon (own TIFF header)", model_generic,            false, "NIKON",     "Nikon\0\2",            7, own_header,  own,   10, 10, ifd_type_mn_nikon,       &nikon_links},
    {"Nikon (Nikon\\0\\1)",     model_generic,            false, "NIKON",     "Nikon\0\1",            7, tiff_header, file,  0,  8,  ifd_type_mn_nikon,       &nikon_links},
    {"Nikon (no header)",       model_generic,            false, "NIKON",     nullptr,                0, tiff_header, file,  0,  0,  ifd_type_mn_nikon,       &nikon_links},
    {"Canon",                   model_generic,            false, "Canon",     nullptr,                0, tiff_header, trailer, 0, 0, ifd_type_mn_canon,      &canon_links},
    {"FujiFilm",                model_generic,            false, nullptr,     "FUJIFILM",             8, note_start,  intel, 0,  12, ifd_type_mn_fujifilm,    &fujifilm_links},
    {"OM System",               model_generic,            false, nullptr,     "OM SYSTEM\0\0\0",     12, note_start,  own,   12, 16, ifd_type_mn_olympus,     &olympus_links},
    {"Olympus (OLYMPUS\\0)",    model_generic,            false, nullptr,     "OLYMPUS\0",            8, note_start,  own,   8,  12, ifd_type_mn_olympus,     &olympus_links},
    {"Olympus (OLYMP\\0)",      model_generic,            false, "OLYMPUS",   "OLYMP\0",              6, tiff_header, file,  0,  8,  ifd_type_mn_olympus,     &olympus_links},
    {"Sony (SONY DSC)",         model_generic,            false, nullptr,     "SONY DSC \0\0\0",     12, tiff_header, file,  0,  12, ifd_type_mn_sony,        &sony_links},
    {"Sony (SONY CAM)",         model_generic,            false, nullptr,     "SONY CAM \0\0\0",     12, tiff_header, file,  0,  12, ifd_type_mn_sony,        &sony_links},
    {"Sony (SONY MOBILE)",      model_generic,            false, nullptr,     "SONY MOBILE\0",       12, tiff_header, file,  0,  12, ifd_type_mn_sony,        &sony_links},
    {"Sony Ericsson",           model_generic,            false, nullptr,     "SEMC MS\0",            8, before_ifd,  file,  0,  20, ifd_type_mn_sony_ericsson, &sony_links},
    {"Sony (no header)",        model_generic,            false, "SONY",      nullptr,                0, tiff_header, file,  0,  0,  ifd_type_mn_sony,        &sony_links},
    {"Panasonic",               model_generic,            false, nullptr,     "Panasonic\0\0\0",     12, tiff_header, file,  0,  12, ifd_type_mn_panasonic,   &panasonic_links},
    {"Leica (Panasonic layout)", model_generic,           false, "LEICA",     "LEICA\0\0\0",          8, tiff_header, file,  0,  8,  ifd_type_mn_panasonic,   &panasonic_links},
    {"Apple",                   model_generic,            false, nullptr,     "Apple iOS\0",         10, note_start,  own,   12, 14, ifd_type_mn_apple,       &apple_links},
    {"Pentax (PENTAX )",        model_generic,            false, nullptr,     "PENTAX \0",            8, note_start,  own,   8,  10, ifd_type_mn_pentax,      &pentax_links},
    {"Pentax (AOC\\0)",         model_generic,            false, nullptr,     "AOC\0",                4, tiff_header, by_count, 0,  6,  ifd_type_mn_pentax,      &pentax_links},
    {"Samsung (IFD)",           model_generic,            false, "SAMSUNG",   nullptr,                0, note_start,  file,  0,  0,  ifd_type_mn_samsung,     &samsung_links},
    {"Samsung (IFD)",           model_generic,            false, "samsung",   nullptr,                0, note_start,  file,  0,  0,  ifd_type_mn_samsung,     &samsung_links},
};
// clang-format on

const maker_note_format *walked_note() { return scan.walk.maker_note; }

// The note's first bytes, when the buffer holds them.
bool note_begins_with(const buf_context *value_ctx, const char *signature, uint32_t length)
{
    buf_context note = *value_ctx;
    if (set_exif_context_p_by_offset(&note, get_u_int4(&note)) != exif_ok)
        return false;
    return buf_bytes(&note, length) == length && memcmp(note.buf_p, signature, length) == 0;
}

const maker_note_format *find_by_signature(const buf_context *value_ctx, uint32_t count, const ifd_field_store *store)
{
    if (count <= 4)
        return nullptr;  // the value would be inside the entry: no note
    const char *make = find_field_value(store, any_ifd_type, tag::make);
    for (const maker_note_format &row : formats) {
        if (row.model_code != model_generic)
            continue;
        if (row.make_prefix != nullptr &&
            (make == nullptr || strncmp(make, row.make_prefix, strlen(row.make_prefix)) != 0))
            continue;
        if (row.signature != nullptr && (row.signature_len > count ||
                                         !note_begins_with(value_ctx, row.signature, row.signature_len)))
            continue;
        return &row;
    }
    return nullptr;
}

// Where the note starts in the buffer, from the base its pointer counts from.
int move_to_note(buf_context *ctx, uint32_t offset)
{
    uint64_t start = static_cast<uint64_t>(ctx->offset_base - ctx->buf_start) + offset;
    if (start >= static_cast<uint64_t>(ctx->buf_size))
        return err_end_of_buffer;
    ctx->offset_base = ctx->buf_start + start;
    return exif_ok;
}

// The byte order named by "II" or "MM" at the cursor; -1 for neither.
int order_mark(const buf_context *ctx)
{
    if (buf_bytes(ctx, 2) < 2 || ctx->buf_p[0] != ctx->buf_p[1])
        return -1;
    return ctx->buf_p[0] == 'M' ? 1 : ctx->buf_p[0] == 'I' ? 0 : -1;
}

// The order and first offset a note's trailer names (note_order::trailer).
void read_trailer(const buf_context *value_ctx, uint32_t count)
{
    buf_context note = *value_ctx;
    uint32_t offset = get_u_int4(&note);
    if (count < 8 || offset > UINT32_MAX - count || set_exif_context_p_by_offset(&note, offset + count - 8) != exif_ok ||
        buf_bytes(&note, 8) < 8)
        return;
    const unsigned char *mark = note.buf_p;
    int order = order_mark(&note);
    if (order < 0 || mark[2] != (order ? 0 : 42) || mark[3] != (order ? 42 : 0))
        return;
    note.motorola_order = order;
    skip_bytes(&note, 4);
    scan.walk.note_trailer = {true, order, static_cast<int64_t>(offset) - get_u_int4(&note)};
}

}  // namespace

const std::span<const maker_note_format> maker_note_formats = formats;

const maker_note_format *find_maker_note(const buf_context *value_ctx, uint32_t count, const ifd_field_store *store)
{
    const maker_note_format *found = nullptr;
    for (const maker_note_format &row : formats)
        if (row.model_code != model_generic && row.model_code == store->model_code)
            found = &row;
    // Without -e only the older models' rows apply, as they always did.
    if (profile_of(value_ctx).newer_fields && (found == nullptr || found->replaced_with_e))
        if (const maker_note_format *row = find_by_signature(value_ctx, count, store))
            found = row;
    scan.walk.maker_note = found;
    scan.walk.note_trailer = {};
    if (found != nullptr && found->order == trailer)
        read_trailer(value_ctx, count);
    if (found != nullptr && found->model_code == model_generic)
        trace("Maker note read as %s\n", found->name);
    return found;
}

const maker_note_format *find_boxed_maker_note(const buf_context *ctx, const ifd_field_store *store)
{
    scan.walk.maker_note = nullptr;
    scan.walk.note_trailer = {};
    if (!profile_of(ctx).newer_fields)
        return nullptr;
    const char *make = find_field_value(store, any_ifd_type, tag::make);
    for (const maker_note_format &row : formats)
        if (row.model_code == model_generic && row.signature == nullptr && row.base == tiff_header &&
            row.ifd_start == 0 && row.make_prefix != nullptr && make != nullptr &&
            strncmp(make, row.make_prefix, strlen(row.make_prefix)) == 0) {
            scan.walk.maker_note = &row;
            trace("Maker note block read as %s\n", row.name);
            return &row;
        }
    return nullptr;
}

int place_maker_note(buf_context *ctx, uint32_t *offset, const ifd_field_store *store)
{
    const maker_note_format *note = walked_note();
    if (note == nullptr)
        return exif_ok;
    if (note->model_code != model_generic) {
        // The older rows, exactly as they were always read (and traced).
        if (note->base == note_start) {
            if (move_to_note(ctx, *offset) != exif_ok)
                return err_end_of_buffer;
            ctx->motorola_order = 0;
            *offset = 0;
        }
        *offset += note->ifd_start;
        trace("Corrected IFD offset by %d (for model code %d) to %d\n", note->ifd_start, store->model_code, *offset);
        return exif_ok;
    }
    if (note->base == before_ifd) {
        if (*offset > UINT32_MAX - note->ifd_start || move_to_note(ctx, *offset + note->ifd_start - 8) != exif_ok)
            return err_end_of_buffer;
        *offset = 8;
    } else if (note->base != tiff_header) {
        if (move_to_note(ctx, *offset) != exif_ok)
            return err_end_of_buffer;
        *offset = note->ifd_start;
    } else {
        *offset += note->ifd_start;
    }
    if (note->order == intel)
        ctx->motorola_order = 0;
    if (const note_trailer_state &trailer = scan.walk.note_trailer; trailer.found) {
        ctx->motorola_order = trailer.motorola_order;
        int64_t base = (ctx->offset_base - ctx->buf_start) + trailer.moved_by;
        if (trailer.moved_by != 0 && base >= 0 && base < ctx->buf_size) {
            ctx->offset_base = ctx->buf_start + base;
            *offset = static_cast<uint32_t>(*offset - trailer.moved_by);
            trace("Maker note moved by %lld bytes since it was written\n", static_cast<long long>(trailer.moved_by));
        }
    }
    if (note->order == own) {
        buf_context mark = *ctx;
        if (set_exif_context_p_by_offset(&mark, note->order_at) != exif_ok || order_mark(&mark) < 0)
            return err_end_of_buffer;
        ctx->motorola_order = order_mark(&mark);
    }
    if (note->order == by_count) {
        buf_context count = *ctx;
        if (set_exif_context_p_by_offset(&count, *offset) == exif_ok && buf_bytes(&count, 2) == 2)
            if (int intel = count.buf_p[0] | count.buf_p[1] << 8, motorola = count.buf_p[0] << 8 | count.buf_p[1];
                intel != motorola)
                ctx->motorola_order = motorola < intel;
    }
    if (note->base == own_header) {
        // The TIFF header at ifd_start: offsets count from it, its IFD offset follows the order mark.
        if (move_to_note(ctx, note->ifd_start) != exif_ok)
            return err_end_of_buffer;
        buf_context header = *ctx;
        if (set_exif_context_p_by_offset(&header, 4) != exif_ok || buf_bytes(&header, 4) < 4)
            return err_end_of_buffer;
        *offset = get_u_int4(&header);
    }
    trace("Maker note IFD at offset %u, %s order\n", *offset, ctx->motorola_order ? "Motorola" : "Intel");
    return exif_ok;
}

int32_t maker_note_ifd_type(int32_t parent_tag)
{
    const maker_note_format *note = walked_note();
    if (note == nullptr || note->ifd_type < 0)
        return ifd_type_unknown;
    if (parent_tag == static_cast<int32_t>(tag::maker_note))
        return note->ifd_type;
    if (note->links != nullptr)
        for (const note_sub_ifd &sub : note->links->sub_ifds)
            if (sub.tag == parent_tag)
                return sub.ifd_type;
    return ifd_type_unknown;
}

uint32_t note_entry_type(uint32_t data_type)
{
    constexpr uint32_t data_type_ifd = 13;
    const maker_note_format *note = walked_note();
    return data_type == data_type_ifd && note != nullptr && note->ifd_type >= 0 ? data_type_long : data_type;
}

namespace {

bool model_is(const ifd_field_store *store, const char *model)
{
    const char *text = find_field_value(store, any_ifd_type, tag::model);
    return text != nullptr && strcmp(text, model) == 0;
}

const note_array *find_array(const maker_note_format &note, const buf_context *values, const ifd_field &record,
                             const ifd_field_store *store)
{
    if (note.links == nullptr || record.ifd_type != static_cast<uint32_t>(note.ifd_type))
        return nullptr;
    uint64_t size = static_cast<uint64_t>(field_lengths[record.data_type]) * record.count;
    for (const note_array &array : note.links->arrays) {
        if (array.tag != record.tag || (array.model != nullptr && !model_is(store, array.model)) ||
            size < array.min_size || size > array.max_size)
            continue;
        if (array.version == nullptr)
            return &array;
        uint32_t length = static_cast<uint32_t>(strlen(array.version));
        if (buf_bytes(values, length) == length && memcmp(values->buf_p, array.version, length) == 0)
            return &array;
    }
    return nullptr;
}

// The context of a record's value: its bytes are where its file offset says.
bool value_context(const buf_context *ctx, const ifd_field &record, buf_context *values)
{
    *values = *ctx;
    int64_t position = static_cast<int64_t>(record.file_offset) - ctx->file_offset;
    if (position < 0 || position >= ctx->buf_size)
        return false;
    values->buf_p = ctx->buf_start + position;
    return true;
}

// The count of values of a row, the points of its record counted where it says so.
uint32_t row_count(const ifd_field_defn_row &row, const buf_context *values, uint32_t held, const note_array &array)
{
    if (row.count != count_per_point && row.count != count_per_16_points)
        return row.count == 0 ? 1 : row.count;
    uint32_t at = array.points_at * array.unit_size;
    if (held < at + 2)
        return 0;
    buf_context number = *values;
    number.buf_p += at;
    uint32_t points = get_u_int2(&number);
    return row.count == count_per_point ? points : (points + 15) / 16;
}

// A field of the record's value at byte `at`, read as the row says.
int add_array_field(const buf_context *values, uint32_t held, const ifd_field &record, const note_array &array,
                    const ifd_field_defn_row &row, uint32_t at, uint32_t count, int depth, ifd_field_store *store)
{
    buf_context value = *values;
    value.buf_p += at;
    unsigned char raw_value[4] = {};
    memcpy(raw_value, value.buf_p, std::min<uint32_t>(4, held - at));
    // The row as read: a count that varies is the one found.
    const ifd_field_defn_row read = {row.tag,       row.ifd_type,  row.nickname,  row.description, row.data_type,
                                     count,         row.opens_ifd, row.list_column, row.sql_quote, row.is_date};
    char text[512];
    text[0] = '\0';
    scan.formatting->format_entry({&value, store, array.ifd_type, &read, row.tag, row.data_type, count}, text);
    return add_field_entry(store, array.ifd_type, depth, row.tag, row.description, text,
                           record.file_offset + array.from + at, row.data_type, count, raw_value);
}

// A field for each value of the record that the array's group has a row for.
int split_array(const buf_context *record_values, const ifd_field &record, const note_array &array, int depth,
                ifd_field_store *store)
{
    uint64_t bytes = static_cast<uint64_t>(field_lengths[record.data_type]) * record.count;
    uint32_t stored = buf_bytes(record_values, bytes > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(bytes));
    if (stored <= array.from)
        return exif_ok;
    buf_context values = *record_values;
    values.buf_p += array.from;
    if (array.big_endian)
        values.motorola_order = 1;
    uint32_t held = stored - array.from;
    uint32_t fixed_end = array.points_from != 0 ? array.points_from : UINT32_MAX;
    for (uint32_t index = 0; index < fixed_end && static_cast<uint64_t>(index) * array.unit_size < held; index++) {
        const ifd_field_defn_row *row = find_maker_defn(array.ifd_type, index);
        if (row == nullptr || row->data_type > data_type_double)
            continue;
        uint32_t at = index * array.unit_size;
        uint32_t count = row_count(*row, &values, held, array);
        if (count == 0 || static_cast<uint64_t>(field_lengths[row->data_type]) * count > held - at)
            continue;  // the record is shorter than this camera's layout
        if (int rc = add_array_field(&values, held, record, array, *row, at, count, depth, store); rc != exif_ok)
            return rc;
    }
    // The rows after a part whose length varies, one after the other.
    uint64_t at = static_cast<uint64_t>(array.points_from) * array.unit_size;
    for (uint32_t index = array.points_from; array.points_from != 0; index++) {
        const ifd_field_defn_row *row = find_maker_defn(array.ifd_type, index);
        if (row == nullptr || row->data_type > data_type_double)
            break;
        uint32_t count = row_count(*row, &values, held, array);
        uint64_t length = static_cast<uint64_t>(field_lengths[row->data_type]) * count;
        if (count == 0 || at + length > held)
            break;
        int rc = add_array_field(&values, held, record, array, *row, static_cast<uint32_t>(at), count, depth, store);
        if (rc != exif_ok)
            return rc;
        at += length;
    }
    return exif_ok;
}

// A field for each key of the array's property list that the list holds as an integer.
int split_plist(const buf_context *values, const ifd_field &record, const note_array &array, int depth,
                ifd_field_store *store)
{
    uint64_t bytes = static_cast<uint64_t>(field_lengths[record.data_type]) * record.count;
    uint32_t held = buf_bytes(values, bytes > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(bytes));
    for (uint32_t index = 0; index < array.plist_keys.size(); index++) {
        const ifd_field_defn_row *row = find_maker_defn(array.ifd_type, index);
        int64_t number = 0;
        if (row == nullptr || !plist_integer(values->buf_p, held, array.plist_keys[index], &number))
            continue;
        char text[24];
        snprintf(text, sizeof text, "%lld", static_cast<long long>(number));
        const unsigned char raw_value[4] = {};
        int rc = add_field_entry(store, array.ifd_type, depth, index, row->description, text, record.file_offset,
                                 data_type_ascii, static_cast<uint32_t>(strlen(text) + 1), raw_value);
        if (rc != exif_ok)
            return rc;
    }
    return exif_ok;
}

}  // namespace

int finish_maker_note(const buf_context *ctx, uint32_t first, int depth, ifd_field_store *store, int rc)
{
    const maker_note_format *note = walked_note();
    scan.walk.maker_note = nullptr;
    if (note == nullptr || note->links == nullptr || note->links->arrays.empty())
        return rc;
    // Records of settings give way to a field per value, after the note's other fields.
    uint32_t end = store->count;
    uint32_t kept = first;
    for (uint32_t i = first; i < end; i++) {
        buf_context values;
        const note_array *array = nullptr;
        if (value_context(ctx, store->fields[i], &values))
            array = find_array(*note, &values, store->fields[i], store);
        if (array == nullptr) {
            if (kept != i)
                store->fields[kept] = store->fields[i];
            store->fields[kept].seq = static_cast<uint16_t>(kept);
            kept++;
            continue;
        }
        if (rc == exif_ok)
            rc = array->plist_keys.empty() ? split_array(&values, store->fields[i], *array, depth, store)
                                           : split_plist(&values, store->fields[i], *array, depth, store);
    }
    // The split fields follow the records kept.
    uint32_t added = store->count - end;
    for (uint32_t i = 0; i < added; i++) {
        store->fields[kept + i] = store->fields[end + i];
        store->fields[kept + i].seq = static_cast<uint16_t>(kept + i);
    }
    store->count = kept + added;
    return rc;
}
