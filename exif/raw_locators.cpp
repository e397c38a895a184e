#include "exif/raw_locators.h"

#include <cstring>

#include "exif/file_window.h"
#include "exif/ifd_types.h"
#include "exif/jpeg_locator.h"
#include "support/errors.h"
#include "support/trace.h"

namespace {

constexpr unsigned char mrw_signature[4] = {0, 'M', 'R', 'M'};
constexpr char raf_signature[] = "FUJIFILMCCD-RAW ";
constexpr unsigned char x3f_signature[4] = {'F', 'O', 'V', 'b'};

// Where a RAF file's header keeps the position of its JPEG preview.
constexpr uint64_t raf_jpeg_offset_at = 84;

// Sections of an X3F file's directory looked at, at most.
constexpr uint32_t max_x3f_sections = 64;
// X3F image sections: the header before the data, and the format of a JPEG preview.
constexpr uint64_t x3f_image_header_size = 28;
constexpr uint32_t x3f_format_jpeg = 18;

int locate_embedded_jpeg(buf_context *ctx, uint64_t jpeg_offset)
{
    if (jpeg_offset > static_cast<uint64_t>(INT32_MAX - input_buffer_size))
        return err_no_exif;
    trace("Embedded JPEG at offset %llu\n", static_cast<unsigned long long>(jpeg_offset));
    int rc = reopen_window_at(ctx, static_cast<int64_t>(jpeg_offset));
    if (rc != exif_ok)
        return rc;
    if (!is_jpeg(ctx->buf_start, window_valid_bytes()))
        return err_no_exif;
    return locate_jpeg_exif_at(ctx, static_cast<int64_t>(jpeg_offset));
}

}  // namespace

bool is_mrw(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 4 && memcmp(first_bytes, mrw_signature, sizeof mrw_signature) == 0;
}

int locate_mrw_exif(const file_reader &file, exif_blocks *found)
{
    // The header: its length after the first 8 bytes, then blocks of a
    // 4-byte name, a 4-byte length and the data; TTW is a TIFF block.
    unsigned char header[8];
    if (!read_at(file, 0, file.size, header, sizeof header))
        return err_no_exif;
    uint64_t limit = 8 + static_cast<uint64_t>(big_endian_32(header + 4));
    for (uint64_t at = 8; read_at(file, at, limit, header, sizeof header);) {
        uint64_t data = at + 8, end = data + big_endian_32(header + 4);
        if (end > limit)
            return err_no_exif;
        if (memcmp(header, "\0TTW", 4) == 0) {
            *found = {1, {{data, ifd_parent_main_chain, 0}}, false, tiff_magic_number, false};
            return exif_ok;
        }
        at = end;
    }
    return err_no_exif;
}

bool is_raf(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 16 && memcmp(first_bytes, raf_signature, 16) == 0;
}

int locate_raf_exif(buf_context *ctx)
{
    file_reader file = reader_of(ctx->fp);
    unsigned char jpeg_offset[4];
    if (!read_at(file, raf_jpeg_offset_at, file.size, jpeg_offset, sizeof jpeg_offset))
        return err_no_exif;
    return locate_embedded_jpeg(ctx, big_endian_32(jpeg_offset));
}

bool is_x3f(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 4 && memcmp(first_bytes, x3f_signature, sizeof x3f_signature) == 0;
}

int locate_x3f_exif(buf_context *ctx)
{
    // The file's last 4 bytes give the directory's offset: "SECd", a version,
    // the number of sections, then offset, length and type of each.
    file_reader file = reader_of(ctx->fp);
    unsigned char word[12];
    if (file.size < 4 || !read_at(file, file.size - 4, file.size, word, 4))
        return err_no_exif;
    uint64_t directory = little_endian_32(word);
    if (!read_at(file, directory, file.size, word, 12) || memcmp(word, "SECd", 4) != 0)
        return err_no_exif;
    uint32_t sections = little_endian_32(word + 8);
    for (uint32_t i = 0; i < sections && i < max_x3f_sections; i++) {
        unsigned char entry[12];
        if (!read_at(file, directory + 12 + 12 * static_cast<uint64_t>(i), file.size, entry, sizeof entry))
            return err_no_exif;
        if (memcmp(entry + 8, "IMA", 3) != 0)
            continue;
        // An image section: "SECi", version, type, format, then the image.
        uint64_t section = little_endian_32(entry);
        unsigned char image[16];
        if (read_at(file, section, file.size, image, sizeof image) && memcmp(image, "SECi", 4) == 0 &&
            little_endian_32(image + 12) == x3f_format_jpeg)
            return locate_embedded_jpeg(ctx, section + x3f_image_header_size);
    }
    return err_no_exif;
}
