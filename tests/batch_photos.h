// Photos and photo trees for the batch tests. The fields used show their stored
// text or number as is, so the expected output can be read off the photo.
#pragma once

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "fixture/jpeg_builder.h"

namespace batch {

struct photo {
    std::string description{}, make{}, model{}, firm_ver{}, artist{};  // IFD0 0x010E, 0x010F, 0x0110, 0x0131, 0x013B
    std::string date_taken{}, sub_time{};                              // EXIF 0x9003, 0x9290
    std::optional<std::uint16_t> width{}, height{};                    // EXIF 0xA002, 0xA003
};

// Writes the photo, creating its directories; returns its size in bytes.
inline std::size_t write_photo(const std::string &path, const photo &p)
{
    using namespace fixture;
    Ifd ifd0, exif;
    auto text = [](Ifd &ifd, std::uint16_t tag, const std::string &value) {
        if (!value.empty())
            ifd.entries.push_back(ascii(tag, value));
    };
    text(ifd0, 0x010E, p.description);
    text(ifd0, 0x010F, p.make);
    text(ifd0, 0x0110, p.model);
    text(ifd0, 0x0131, p.firm_ver);
    text(ifd0, 0x013B, p.artist);
    text(exif, 0x9003, p.date_taken);
    text(exif, 0x9290, p.sub_time);
    for (auto [tag, value] : {std::pair{0xA002, p.width}, std::pair{0xA003, p.height}})
        if (value)
            exif.entries.push_back(shorts(static_cast<std::uint16_t>(tag), {*value}));
    if (!exif.entries.empty())
        ifd0.entries.push_back(pointer(tag::kExifIfd, exif));
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    Bytes bytes = exif_jpeg(Tiff{.chain = {ifd0}});
    write_file(path, bytes);
    return bytes.size();
}

// The lines in sorted order: the walk takes entries in the order the file
// system gives them, which differs between file systems.
inline std::vector<std::string> sorted_lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

}  // namespace batch
