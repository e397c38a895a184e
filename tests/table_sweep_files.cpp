// Writes the files of the table sweep (tests/table_sweep.py): for each plan
// read from standard input, a JPEG file whose one group holds the planned
// values, placed where the reader looks for that group: IFD0, IFD1, the EXIF,
// GPS or interoperability IFD, a camera's maker note, an IFD the note opens,
// or a record of settings the note holds.
//
// Usage: table_sweep_files DIR < PLAN     writes the files into DIR
//        table_sweep_files --groups       lists the groups it can place, and whether in a record
//
// A plan is lines of words:
//   file NAME I|M GROUP             a file in Intel or Motorola order, for a group number
//   v TAG TYPE COUNT NUMBER...      a value of a TIFF type (a rational is two numbers)
//   s TAG COUNT TEXT                an ASCII value of COUNT bytes, TEXT (_ for blanks) then NULs
//   u TAG COUNT TEXT                COUNT bytes, TEXT then 1, 2, 3, ... (a version, then data)
// Each value goes at its tag: an IFD entry, or in a record at TAG units from
// its start. The tags a record cannot hold (past its largest size) are left
// out; every value placed is reported as "placed NAME TAG".
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "exif/format/ifd_formats.h"
#include "exif/ifd_types.h"
#include "exif/maker_tables.h"
#include "fixture/jpeg_builder.h"

using namespace fixture;

namespace {

struct camera {
    int32_t group;  // the group of the note's own IFD
    const char *make, *model;
    std::string header;  // "@" stands for the file's order mark
    MakerLayout layout;
    const maker_links *links;
};

const camera cameras[] = {
    {ifd_type_olympus, "OLYMPUS OPTICAL CO.,LTD", "C920Z", std::string("OLYMP\0\1\0", 8), MakerLayout::TiffRelative, nullptr},
    {ifd_type_nikon1, "NIKON", "E950", std::string("Nikon\0\1\0", 8), MakerLayout::TiffRelative, nullptr},
    {ifd_type_nikon2, "NIKON", "E990", "", MakerLayout::TiffRelative, nullptr},
    {ifd_type_casio, "CASIO", "QV-2000UX", "", MakerLayout::TiffRelative, nullptr},
    {ifd_type_canon, "Canon", "Canon PowerShot G1", "", MakerLayout::TiffRelative, nullptr},
    {ifd_type_olympus_c2500l, "OLYMPUS OPTICAL CO.,LTD", "C2500L      ", std::string("OLYMP\0\1\0", 8),
     MakerLayout::TiffRelative, nullptr},
    {ifd_type_fujifilm, "FUJIFILM", "FinePix1400Zoom", std::string("FUJIFILM\x0c\0\0\0", 12), MakerLayout::FujiFilm,
     nullptr},
    {ifd_type_minolta, "Minolta Co., Ltd.", "DiMAGE 7", "", MakerLayout::TiffRelative, nullptr},
    {ifd_type_nikon_d1x, "NIKON CORPORATION", "NIKON D1X", std::string("Nikon\0\2\x10\0\0", 10),
     MakerLayout::OwnTiffHeader, nullptr},
    {ifd_type_mn_canon, "Canon", "Canon EOS 5D", "", MakerLayout::TiffRelative, &canon_links},
    {ifd_type_mn_nikon, "NIKON CORPORATION", "NIKON D850", std::string("Nikon\0\2\x10\0\0", 10),
     MakerLayout::OwnTiffHeader, &nikon_links},
    {ifd_type_mn_fujifilm, "FUJIFILM", "X-T3", std::string("FUJIFILM\x0c\0\0\0", 12), MakerLayout::FujiFilm,
     &fujifilm_links},
    {ifd_type_mn_olympus, "OLYMPUS IMAGING CORP.", "E-P3", std::string("OLYMPUS\0@\3\0", 11),
     MakerLayout::NoteRelative, &olympus_links},
    {ifd_type_mn_sony, "SONY", "ILCE-7M3", std::string("SONY DSC \0\0\0", 12), MakerLayout::TiffRelative,
     &sony_links},
    {ifd_type_mn_panasonic, "Panasonic", "DC-G9", std::string("Panasonic\0\0\0", 12), MakerLayout::TiffRelative,
     &panasonic_links},
    {ifd_type_mn_apple, "Apple", "iPhone 14", std::string("Apple iOS\0\0\1@", 13), MakerLayout::NoteRelative,
     &apple_links},
    {ifd_type_mn_samsung, "SAMSUNG", "SM-G991B", "", MakerLayout::NoteRelative, &samsung_links},
    {ifd_type_mn_pentax, "RICOH IMAGING COMPANY, LTD.", "PENTAX K-1", std::string("PENTAX \0@", 9),
     MakerLayout::NoteRelative, &pentax_links},
};

// Where a group's values go.
struct place {
    const camera *cam = nullptr;        // in this camera's note; nullptr: a standard IFD
    const note_sub_ifd *sub = nullptr;  // in the IFD this entry of the note opens
    const note_array *array = nullptr;  // in the record this entry of the note holds
};

bool find_place(int32_t group, place *out)
{
    for (int32_t standard : {ifd_type_camera, ifd_type_image, ifd_type_thumbnail, ifd_type_interop, ifd_type_gps})
        if (group == standard)
            return true;
    for (const camera &cam : cameras) {
        out->cam = &cam;
        if (cam.group == group)
            return true;
        if (cam.links == nullptr)
            continue;
        for (const note_sub_ifd &sub : cam.links->sub_ifds)
            if (sub.ifd_type == group) {
                out->sub = &sub;
                return true;
            }
        // A record of fixed layout, read whatever its size, else the first.
        for (const note_array &array : cam.links->arrays)
            if (array.ifd_type == group && array.points_from == 0 && array.plist_keys.empty() &&
                (out->array == nullptr || (array.min_size == 0 && array.max_size == UINT16_MAX)))
                out->array = &array;
        if (out->array != nullptr)
            return true;
    }
    return false;
}

bool big_endian_of(int32_t group, ByteOrder order);

// A number of a TIFF type in the given order.
void put_number(Bytes &out, uint16_t type, const std::string &word, bool big)
{
    const uint32_t size = type == kRational || type == kSRational ? 4 : type_size(type);
    uint64_t bits = 0;
    if (type == kFloat) {
        const float f = std::stof(word);
        uint32_t b;
        memcpy(&b, &f, 4);
        bits = b;
    } else if (type == kDouble) {
        const double d = std::stod(word);
        memcpy(&bits, &d, 8);
    } else {
        bits = static_cast<uint64_t>(std::stoll(word));
    }
    for (uint32_t i = 0; i < size; i++)
        out.push_back(static_cast<uint8_t>(bits >> (8 * (big ? size - 1 - i : i))));
}

struct planned {
    uint16_t tag, type;
    uint32_t count;
    Bytes bytes;  // in the order of where it goes
};

Bytes order_mark(ByteOrder order) { return order == ByteOrder::Intel ? Bytes{'I', 'I'} : Bytes{'M', 'M'}; }

Bytes header_of(const camera &cam, ByteOrder order)
{
    Bytes out;
    for (char c : cam.header)
        if (c == '@') {
            const Bytes mark = order_mark(order);
            out.insert(out.end(), mark.begin(), mark.end());
        } else {
            out.push_back(static_cast<uint8_t>(c));
        }
    return out;
}

// The record of settings holding the values, and what it left out.
Entry record_of(const note_array &array, const std::vector<planned> &values, const std::string &name, bool sized,
                bool big)
{
    size_t size = array.min_size;
    for (const planned &v : values)
        size = std::max(size, array.from + size_t{v.tag} * array.unit_size + v.bytes.size());
    size = std::min<size_t>(size, array.max_size);
    size += size % array.unit_size == 0 ? 0 : array.unit_size - size % array.unit_size;
    Bytes record(size, 0);
    if (array.version != nullptr)
        memcpy(record.data(), array.version, strlen(array.version));
    // Canon's records start with their length in bytes, which readers check.
    for (uint32_t i = 0; sized && i < array.unit_size; i++)
        record[i] = static_cast<uint8_t>(size >> (8 * (big ? array.unit_size - 1 - i : i)));
    for (const planned &v : values) {
        const size_t at = array.from + size_t{v.tag} * array.unit_size;
        if (at + v.bytes.size() > record.size() || (array.version != nullptr && at < strlen(array.version)))
            continue;
        std::copy(v.bytes.begin(), v.bytes.end(), record.begin() + static_cast<long>(at));
        std::printf("placed %s %u\n", name.c_str(), v.tag);
    }
    const uint16_t type = array.unit_size == 2 ? kShort : array.unit_size == 4 ? kLong : kUndefined;
    return bytes(array.tag, type, record, static_cast<uint32_t>(size / array.unit_size));
}

void write_plan(const std::string &dir, const std::string &name, ByteOrder order, int32_t group,
                const std::vector<planned> &values)
{
    place where;
    if (!find_place(group, &where))
        throw std::runtime_error("no place for group " + std::to_string(group));
    std::vector<Entry> entries;
    if (where.array != nullptr) {
        entries.push_back(record_of(*where.array, values, name, where.cam->group == ifd_type_mn_canon,
                                           big_endian_of(group, order)));
    } else {
        for (const planned &v : values) {
            entries.push_back(bytes(v.tag, v.type, v.bytes, v.count));
            std::printf("placed %s %u\n", name.c_str(), v.tag);
        }
    }
    Ifd group_ifd{.entries = entries};
    std::vector<Ifd> chain(1);
    std::vector<Entry> &ifd0 = chain[0].entries;
    if (where.cam != nullptr) {
        ifd0 = {ascii(tag::kMake, where.cam->make), ascii(tag::kModel, where.array != nullptr && where.array->model
                                                                       ? where.array->model
                                                                       : where.cam->model)};
        Ifd note = where.sub != nullptr ? Ifd{.entries = {pointer(where.sub->tag, group_ifd)}} : group_ifd;
        ifd0.push_back(pointer(tag::kExifIfd, Ifd{.entries = {maker_note(header_of(*where.cam, order), note,
                                                                         where.cam->layout)}}));
    } else if (group == ifd_type_camera) {
        ifd0 = entries;
    } else if (group == ifd_type_thumbnail) {
        ifd0 = {ascii(tag::kMake, "Sweep")};
        chain.push_back(group_ifd);
    } else if (group == ifd_type_gps) {
        ifd0 = {pointer(tag::kGpsIfd, group_ifd)};
    } else if (group == ifd_type_interop) {
        ifd0 = {pointer(tag::kExifIfd, Ifd{.entries = {pointer(tag::kInteropIfd, group_ifd)}})};
    } else {
        ifd0 = {pointer(tag::kExifIfd, group_ifd)};
    }
    write_file(dir + "/" + name, exif_jpeg(Tiff{.order = order, .chain = chain}));
}

// The value's bytes: in a record they follow the record's order, which for
// some makers is most significant byte first whatever the file's.
bool big_endian_of(int32_t group, ByteOrder order)
{
    place where;
    if (find_place(group, &where) && where.array != nullptr && where.array->big_endian)
        return true;
    if (where.cam != nullptr && where.cam->layout == MakerLayout::FujiFilm)
        return false;
    return order == ByteOrder::Motorola;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc == 2 && std::strcmp(argv[1], "--groups") == 0) {
        for (int32_t group = 0; group < ifd_type_count; group++) {
            place where;
            if (find_place(group, &where))
                std::printf("%d\t%s\t%s\n", group, ifd_type_name(group), where.array != nullptr ? "record" : "ifd");
        }
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: table_sweep_files DIR < PLAN | --groups\n");
        return 2;
    }
    std::string line, name;
    ByteOrder order = ByteOrder::Intel;
    int32_t group = -1;
    bool big = false;
    std::vector<planned> values;
    const auto flush = [&] {
        if (!name.empty())
            write_plan(argv[1], name, order, group, values);
        values.clear();
    };
    while (std::getline(std::cin, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "file") {
            flush();
            std::string mark;
            words >> name >> mark >> group;
            order = mark == "M" ? ByteOrder::Motorola : ByteOrder::Intel;
            big = big_endian_of(group, order);
            continue;
        }
        planned v{};
        words >> v.tag;
        if (kind == "v") {
            words >> v.type >> v.count;
            for (std::string word; words >> word;)
                put_number(v.bytes, v.type, word, big);
        } else if (kind == "s" || kind == "u") {
            std::string text;
            words >> v.count >> text;
            v.type = kind == "s" ? kAscii : kUndefined;
            for (uint32_t i = 0; i < v.count; i++)
                v.bytes.push_back(static_cast<uint8_t>(i >= text.size() ? (kind == "u" ? i + 1 : 0)
                                                       : text[i] == '_' ? ' ' : text[i]));
        } else {
            continue;
        }
        values.push_back(std::move(v));
    }
    flush();
    return 0;
}
