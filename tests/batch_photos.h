// Photos for the batch tests. The fields used show their stored text or number
// as is, so the expected output can be read off the photo.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <tuple>

#include "fixture/jpeg_builder.h"

namespace batch {

struct photo {
    std::string description{}, make{}, firm_ver{}, artist{};  // IFD0 0x010E, 0x010F, 0x0131, 0x013B
    std::string date_taken{}, sub_time{};                     // EXIF 0x9003, 0x9290
    std::optional<std::uint16_t> width{}, height{};           // EXIF 0xA002, 0xA003
};

// Writes the photo, creating its directories; returns its size in bytes.
inline std::size_t write_photo(const std::string &path, const photo &p)
{
    using namespace fixture;
    Ifd ifd0, exif;
    const std::tuple<Ifd *, std::uint16_t, const std::string *> texts[] = {
        {&ifd0, 0x010E, &p.description}, {&ifd0, 0x010F, &p.make},       {&ifd0, 0x0131, &p.firm_ver},
        {&ifd0, 0x013B, &p.artist},      {&exif, 0x9003, &p.date_taken}, {&exif, 0x9290, &p.sub_time}};
    for (const auto &[ifd, tag, text] : texts)
        if (!text->empty())
            ifd->entries.push_back(ascii(tag, *text));
    for (auto [tag, value] : {std::pair{0xA002, p.width}, std::pair{0xA003, p.height}})
        if (value)
            exif.entries.push_back(shorts(static_cast<std::uint16_t>(tag), {*value}));
    if (!exif.entries.empty())
        ifd0.entries.push_back(pointer(tag::kExifIfd, exif));
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const Bytes bytes = exif_jpeg(Tiff{.chain = {ifd0}});
    write_file(path, bytes);
    return bytes.size();
}

}  // namespace batch
