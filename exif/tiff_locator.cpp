#include "exif/tiff_locator.h"

#include <cstring>

#include "exif/ifd_types.h"
#include "support/errors.h"

namespace {

struct tiff_signature {
    unsigned char bytes[4];
    uint32_t magic;  // the number as the byte order reads it
};

// clang-format off
constexpr tiff_signature tiff_signatures[] = {
    {{'I', 'I', 0x2A, 0x00}, tiff_magic_number},
    {{'M', 'M', 0x00, 0x2A}, tiff_magic_number},
    {{'I', 'I', 'R', 'O'}, 0x4F52},  // Olympus ORF
    {{'I', 'I', 'R', 'S'}, 0x5352},  // Olympus ORF of some models
    {{'M', 'M', 'O', 'R'}, 0x4F52},  // Olympus ORF, Motorola order
    {{'I', 'I', 'U', 0x00}, 0x0055}, // Panasonic RW2
};
// clang-format on

const tiff_signature *find_signature(const unsigned char *first_bytes, int32_t valid)
{
    if (valid < 4)
        return nullptr;
    for (const tiff_signature &signature : tiff_signatures)
        if (memcmp(first_bytes, signature.bytes, 4) == 0)
            return &signature;
    return nullptr;
}

}  // namespace

bool is_tiff(const unsigned char *first_bytes, int32_t valid) { return find_signature(first_bytes, valid) != nullptr; }

int locate_tiff_exif(const file_reader &file, exif_blocks *found)
{
    unsigned char first_bytes[4];
    if (!read_at(file, 0, file.size, first_bytes, sizeof first_bytes))
        return err_no_exif;
    const tiff_signature *signature = find_signature(first_bytes, sizeof first_bytes);
    if (signature == nullptr)
        return err_no_exif;
    *found = {1, {{0, ifd_parent_main_chain}}, true, signature->magic};
    return exif_ok;
}
