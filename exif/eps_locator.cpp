#include "exif/eps_locator.h"

#include <cstring>

#include "exif/block_decoder.h"
#include "exif/ifd_types.h"
#include "exif/psd_locator.h"
#include "support/errors.h"
#include "support/file_messages.h"
#include "support/trace.h"

namespace {

constexpr unsigned char dos_eps_signature[4] = {0xC5, 0xD0, 0xD3, 0xC6};
// The header: the signature, then the offset and length of the PostScript,
// of a Windows metafile and of a TIFF preview (little-endian), a checksum.
constexpr size_t dos_eps_header_size = 30;
constexpr size_t postscript_at = 4;
constexpr size_t tiff_offset_at = 20;
constexpr uint32_t resource_exif = 0x0422;

// The PostScript is searched a piece at a time, and no further than this.
constexpr char photoshop_comment[] = "%BeginPhotoshop:";
constexpr size_t search_piece_size = 0x10000;
constexpr uint64_t max_searched = 64ull << 20;
unsigned char search_piece[search_piece_size];

// The offset after the first `text` from `from` to `limit`; 0 when none.
uint64_t find_text(const file_reader &file, uint64_t from, uint64_t limit, const char *text)
{
    const size_t text_length = strlen(text);
    if (limit > from + max_searched)
        limit = from + max_searched;
    for (uint64_t at = from; at < limit;) {
        const size_t n = limit - at < search_piece_size ? static_cast<size_t>(limit - at) : search_piece_size;
        if (n < text_length || !read_at(file, at, limit, search_piece, n))
            return 0;
        for (size_t i = 0; i + text_length <= n; i++)
            if (search_piece[i] == '%' && memcmp(search_piece + i, text, text_length) == 0)
                return at + i + text_length;
        at += n - text_length + 1;  // a text across two pieces is found in the second
    }
    return 0;
}

// The TIFF preview the header names.
int locate_tiff_preview(const file_reader &file, const unsigned char *header, exif_blocks *found)
{
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

// Photoshop's resources in the PostScript: "%BeginPhotoshop: LENGTH", then
// comment lines of hex digits; resource 0x0422 of them is the EXIF block.
int locate_photoshop_section(const file_reader &file, const unsigned char *header, exif_blocks *found)
{
    const uint64_t postscript = little_endian_32(header + postscript_at);
    const uint64_t end = postscript + little_endian_32(header + postscript_at + 4);
    const uint64_t section = find_text(file, postscript, end < file.size ? end : file.size, photoshop_comment);
    unsigned char digits[24] = {};
    if (section == 0 || !read_at(file, section, end, digits, sizeof digits - 1)) {
        trace("No Photoshop section in the PostScript\n");
        return err_no_exif;
    }
    uint64_t stated = 0;
    for (const unsigned char *p = digits; *p == ' ' || (*p >= '0' && *p <= '9'); p++)
        stated = *p == ' ' || stated > max_decoded_output ? stated : stated * 10 + (*p - '0');
    // The digits of the length are hex digits too: the lines begin after the line's end.
    const void *line_end = memchr(digits, '\n', sizeof digits);
    const void *return_end = memchr(digits, '\r', sizeof digits);
    if (line_end == nullptr && return_end == nullptr)
        return err_no_exif;
    const unsigned char *first = static_cast<const unsigned char *>(line_end != nullptr ? line_end : return_end);
    const uint64_t lines = section + static_cast<uint64_t>(first - digits);
    uint64_t offset = 0, length = 0;
    if (!decode_block(file, lines, end - lines, stored_as::plain, text_form::hex_digits, "the Photoshop section",
                      stated) ||
        !find_photoshop_resource_in(decoded_data(), decoded_size(), resource_exif, &offset, &length) || length == 0)
        return err_no_exif;
    trace("EPS Photoshop EXIF resource: %llu bytes\n", static_cast<unsigned long long>(length));
    *found = {1, {{offset, ifd_parent_main_chain, 0}}, false, tiff_magic_number, true};
    return exif_ok;
}

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
    if (locate_tiff_preview(file, header, found) == exif_ok)
        return exif_ok;
    return locate_photoshop_section(file, header, found);
}
