#include "exif/iptc_parser.h"

#include <cstdio>
#include <cstring>

#include "exif/packet_store.h"
#include "support/file_messages.h"
#include "support/text_copy.h"
#include "support/trace.h"
#include "support/utf8_text.h"

namespace {

enum class iptc_value : unsigned char { text, number, binary };

struct iptc_dataset {
    unsigned char record;
    unsigned char number;
    iptc_value kind;
    const char *name;
};

// The datasets of the envelope (1) and application (2) records.
// clang-format off
constexpr iptc_dataset iptc_datasets[] = {
    {1, 0,   iptc_value::number, "EnvelopeRecordVersion"},
    {1, 5,   iptc_value::text,   "Destination"},
    {1, 20,  iptc_value::number, "FileFormat"},
    {1, 22,  iptc_value::number, "FileVersion"},
    {1, 30,  iptc_value::text,   "ServiceIdentifier"},
    {1, 40,  iptc_value::text,   "EnvelopeNumber"},
    {1, 50,  iptc_value::text,   "ProductID"},
    {1, 60,  iptc_value::text,   "EnvelopePriority"},
    {1, 70,  iptc_value::text,   "DateSent"},
    {1, 80,  iptc_value::text,   "TimeSent"},
    {1, 90,  iptc_value::binary, "CodedCharacterSet"},
    {1, 100, iptc_value::text,   "UniqueObjectName"},
    {1, 120, iptc_value::number, "ARMIdentifier"},
    {1, 122, iptc_value::number, "ARMVersion"},
    {2, 0,   iptc_value::number, "ApplicationRecordVersion"},
    {2, 3,   iptc_value::text,   "ObjectTypeReference"},
    {2, 4,   iptc_value::text,   "ObjectAttributeReference"},
    {2, 5,   iptc_value::text,   "ObjectName"},
    {2, 7,   iptc_value::text,   "EditStatus"},
    {2, 8,   iptc_value::text,   "EditorialUpdate"},
    {2, 10,  iptc_value::text,   "Urgency"},
    {2, 12,  iptc_value::text,   "SubjectReference"},
    {2, 15,  iptc_value::text,   "Category"},
    {2, 20,  iptc_value::text,   "SupplementalCategories"},
    {2, 22,  iptc_value::text,   "FixtureIdentifier"},
    {2, 25,  iptc_value::text,   "Keywords"},
    {2, 26,  iptc_value::text,   "ContentLocationCode"},
    {2, 27,  iptc_value::text,   "ContentLocationName"},
    {2, 30,  iptc_value::text,   "ReleaseDate"},
    {2, 35,  iptc_value::text,   "ReleaseTime"},
    {2, 37,  iptc_value::text,   "ExpirationDate"},
    {2, 38,  iptc_value::text,   "ExpirationTime"},
    {2, 40,  iptc_value::text,   "SpecialInstructions"},
    {2, 42,  iptc_value::text,   "ActionAdvised"},
    {2, 45,  iptc_value::text,   "ReferenceService"},
    {2, 47,  iptc_value::text,   "ReferenceDate"},
    {2, 50,  iptc_value::text,   "ReferenceNumber"},
    {2, 55,  iptc_value::text,   "DateCreated"},
    {2, 60,  iptc_value::text,   "TimeCreated"},
    {2, 62,  iptc_value::text,   "DigitalCreationDate"},
    {2, 63,  iptc_value::text,   "DigitalCreationTime"},
    {2, 65,  iptc_value::text,   "OriginatingProgram"},
    {2, 70,  iptc_value::text,   "ProgramVersion"},
    {2, 75,  iptc_value::text,   "ObjectCycle"},
    {2, 80,  iptc_value::text,   "By-line"},
    {2, 85,  iptc_value::text,   "By-lineTitle"},
    {2, 90,  iptc_value::text,   "City"},
    {2, 92,  iptc_value::text,   "Sub-location"},
    {2, 95,  iptc_value::text,   "Province-State"},
    {2, 100, iptc_value::text,   "Country-PrimaryLocationCode"},
    {2, 101, iptc_value::text,   "Country-PrimaryLocationName"},
    {2, 103, iptc_value::text,   "OriginalTransmissionReference"},
    {2, 105, iptc_value::text,   "Headline"},
    {2, 110, iptc_value::text,   "Credit"},
    {2, 115, iptc_value::text,   "Source"},
    {2, 116, iptc_value::text,   "CopyrightNotice"},
    {2, 118, iptc_value::text,   "Contact"},
    {2, 120, iptc_value::text,   "Caption-Abstract"},
    {2, 121, iptc_value::text,   "LocalCaption"},
    {2, 122, iptc_value::text,   "Writer-Editor"},
    {2, 125, iptc_value::binary, "RasterizedCaption"},
    {2, 130, iptc_value::text,   "ImageType"},
    {2, 131, iptc_value::text,   "ImageOrientation"},
    {2, 135, iptc_value::text,   "LanguageIdentifier"},
    {2, 150, iptc_value::text,   "AudioType"},
    {2, 151, iptc_value::text,   "AudioSamplingRate"},
    {2, 152, iptc_value::text,   "AudioSamplingResolution"},
    {2, 153, iptc_value::text,   "AudioDuration"},
    {2, 154, iptc_value::text,   "AudioOutcue"},
    {2, 184, iptc_value::text,   "JobID"},
    {2, 185, iptc_value::text,   "MasterDocumentID"},
    {2, 186, iptc_value::text,   "ShortDocumentID"},
    {2, 187, iptc_value::text,   "UniqueDocumentID"},
    {2, 188, iptc_value::text,   "OwnerID"},
    {2, 200, iptc_value::number, "ObjectPreviewFileFormat"},
    {2, 201, iptc_value::number, "ObjectPreviewFileVersion"},
    {2, 202, iptc_value::binary, "ObjectPreviewData"},
    {2, 221, iptc_value::text,   "Prefs"},
    {2, 225, iptc_value::text,   "ClassifyState"},
    {2, 228, iptc_value::text,   "SimilarityIndex"},
    {2, 230, iptc_value::text,   "DocumentNotes"},
    {2, 231, iptc_value::text,   "DocumentHistory"},
    {2, 232, iptc_value::text,   "ExifCameraInfo"},
    {2, 255, iptc_value::text,   "CatalogSets"},
};
// clang-format on

const iptc_dataset *find_dataset(unsigned record, unsigned number)
{
    for (const iptc_dataset &d : iptc_datasets)
        if (d.record == record && d.number == number)
            return &d;
    return nullptr;
}

constexpr unsigned char tag_marker = 0x1C;
constexpr unsigned char utf8_designation[3] = {0x1B, 0x25, 0x47};  // ESC % G

// One dataset: where its data lies in the block.
struct dataset_at {
    unsigned record, number;
    size_t data, length;
};

// Reads the dataset header at `at`; false at the block's end or at bytes
// that begin no dataset (padding). `overrun` is set when the stated length
// runs past the block.
bool next_dataset(const unsigned char *block, size_t length, size_t at, dataset_at *d, bool *overrun)
{
    *overrun = false;
    if (length - at < 5 || block[at] != tag_marker)
        return false;
    d->record = block[at + 1];
    d->number = block[at + 2];
    size_t size = static_cast<size_t>(block[at + 3]) << 8 | block[at + 4];
    d->data = at + 5;
    if (size & 0x8000) {
        // An extended dataset: the low bits give how many bytes hold its length.
        size_t count = size & 0x7FFF;
        if (count > 4 || length - d->data < count) {
            *overrun = true;
            return false;
        }
        size = 0;
        for (size_t i = 0; i < count; i++)
            size = size << 8 | block[d->data + i];
        d->data += count;
    }
    if (length - d->data < size) {
        *overrun = true;
        return false;
    }
    d->length = size;
    return true;
}

// Latin-1 bytes as UTF-8, cut where the output is full.
size_t latin1_to_utf8(const unsigned char *in, size_t length, char *out, size_t size)
{
    size_t n = 0;
    for (size_t i = 0; i < length; i++) {
        unsigned char c = in[i];
        if (c < 0x80) {
            if (size - n < 2)
                break;
            out[n++] = static_cast<char>(c);
        } else {
            if (size - n < 3)
                break;
            out[n++] = static_cast<char>(0xC0 | c >> 6);
            out[n++] = static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    out[n] = '\0';
    return n;
}

// UTF-8 text as it is when well formed, else read as Latin-1.
size_t utf8_text(const unsigned char *in, size_t length, char *out, size_t size)
{
    size_t n = length < size - 1 ? length : size - 1;
    memcpy(out, in, n);
    out[n] = '\0';
    for (size_t i = 0; i < n;) {
        size_t step = utf8_sequence_length(out + i);
        if (step == 0)
            return latin1_to_utf8(in, length, out, size);
        i += step;
    }
    return n;
}

void store_dataset(const unsigned char *block, const dataset_at &d, bool utf8)
{
    const iptc_dataset *known = find_dataset(d.record, d.number);
    char name[40];
    if (known != nullptr)
        copy_text(name, sizeof name, known->name);
    else
        snprintf(name, sizeof name, "%u:%u", d.record, d.number);
    char value[packet_value_size];
    size_t n = 0;
    const unsigned char *data = block + d.data;
    iptc_value kind = known != nullptr ? known->kind : iptc_value::text;
    if (kind == iptc_value::number && d.length <= 4) {
        unsigned long number = 0;
        for (size_t i = 0; i < d.length; i++)
            number = number << 8 | data[i];
        n = static_cast<size_t>(snprintf(value, sizeof value, "%lu", number));
    } else if (kind == iptc_value::binary || kind == iptc_value::number) {
        n = static_cast<size_t>(snprintf(value, sizeof value, "(%zu bytes)", d.length));
    } else {
        n = utf8 ? utf8_text(data, d.length, value, sizeof value) : latin1_to_utf8(data, d.length, value, sizeof value);
        while (n > 0 && value[n - 1] == '\0')
            n--;
    }
    (void)add_packet_value(packet_source::iptc, name, value, static_cast<int>(strnlen(value, n)));
}

}  // namespace

const char *iptc_dataset_name(unsigned record, unsigned number)
{
    const iptc_dataset *d = find_dataset(record, number);
    return d != nullptr ? d->name : nullptr;
}

void read_iptc_block(const unsigned char *block, size_t length)
{
    // The character set first: dataset 1:90 may stand anywhere before the text it governs.
    bool utf8 = false, overrun = false;
    dataset_at d{};
    for (size_t at = 0; next_dataset(block, length, at, &d, &overrun); at = d.data + d.length)
        if (d.record == 1 && d.number == 90)
            utf8 = d.length >= 3 && memcmp(block + d.data, utf8_designation, 3) == 0;
    size_t at = 0;
    for (; next_dataset(block, length, at, &d, &overrun); at = d.data + d.length)
        store_dataset(block, d, utf8);
    if (overrun)
        file_warning("IPTC dataset at byte %zu runs past its block (%zu bytes); the rest is not read", at, length);
}

bool find_iptc_resource(const unsigned char *resources, size_t length, const unsigned char **iptc, size_t *iptc_length)
{
    // Each resource: "8BIM", its id (2 bytes), a Pascal name padded to an even
    // length, its data's size (4 bytes) and the data, padded to an even length.
    size_t at = 0;
    while (length - at >= 12 && memcmp(resources + at, "8BIM", 4) == 0) {
        unsigned id = static_cast<unsigned>(resources[at + 4]) << 8 | resources[at + 5];
        size_t name = resources[at + 6];
        size_t name_size = (name + 2) & ~static_cast<size_t>(1);  // the length byte too, padded
        size_t size_at = at + 6 + name_size;
        if (length - at < 6 + name_size || length - size_at < 4)
            return false;
        const unsigned char *s = resources + size_at;
        size_t size = static_cast<size_t>(s[0]) << 24 | static_cast<size_t>(s[1]) << 16 |
                      static_cast<size_t>(s[2]) << 8 | s[3];
        size_t data = size_at + 4;
        if (size > length - data)
            return false;
        if (id == 0x0404) {
            *iptc = resources + data;
            *iptc_length = size;
            return true;
        }
        at = data + size + (size & 1);
        if (at > length)
            return false;
    }
    return false;
}
