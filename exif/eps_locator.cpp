#include "exif/eps_locator.h"

#include <cstring>

#include "exif/ifd_types.h"
#include "support/errors.h"
#include "support/file_messages.h"
#include "support/trace.h"

namespace {

constexpr unsigned char dos_eps_signature[4] = {0xC5, 0xD0, 0xD3, 0xC6};
// The header: the signature, then the offset and length of the PostScript,
// of a Windows metafile and of a TIFF preview (little-endian), a checksum.
constexpr size_t dos_eps_header_size = 30;
constexpr size_t tiff_offset_at = 20;

}  // namespace

bool is_dos_eps(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 4 && memcmp(first_bytes, dos_eps_signature, sizeof dos_eps_signature) == 0;
}

int locate_dos_eps_exif(const file_reader &file, exif_blocks *found)
{
    unsigned char header[dos_eps_header_size];
    if (!read_at(file, 0, file.size, header, sizeof header))
        return err_no_exif;
    const uint64_t tiff = little_endian_32(header + tiff_offset_at);
    const uint64_t length = little_endian_32(header + tiff_offset_at + 4);
    unsigned char order[4];
    if (tiff == 0 || length < 8 || !read_at(file, tiff, tiff + length, order, sizeof order) ||
        !(memcmp(order, "II*\0", 4) == 0 || memcmp(order, "MM\0*", 4) == 0))
        return err_no_exif;
    if (length > file.size - tiff)
        file_warning("its TIFF preview runs past the end of the file; read as far as it goes");
    trace("EPS TIFF preview: %llu bytes at offset %llu\n", static_cast<unsigned long long>(length),
          static_cast<unsigned long long>(tiff));
    // The preview's values may lie anywhere in it: the file is read whole.
    *found = {1, {{tiff, ifd_parent_main_chain, 0}}, true, tiff_magic_number, false};
    return exif_ok;
}
