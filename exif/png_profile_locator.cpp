#include "exif/png_profile_locator.h"

#include <cstring>

#include "exif/block_decoder.h"
#include "exif/ifd_types.h"
#include "support/errors.h"
#include "support/trace.h"

namespace {

// clang-format off
constexpr const char *profile_keywords[] = {"Raw profile type exif", "Raw profile type APP1"};
// clang-format on

// The keyword, its NUL and what stands before the text; what is read of a chunk at once.
constexpr size_t chunk_head_size = 256;

// Where the chunk's text begins and how it is stored; false when it is not a profile.
bool find_profile_text(const file_reader &file, uint32_t type, uint64_t data, uint64_t end, uint64_t *text,
                       stored_as *storage)
{
    unsigned char head[chunk_head_size];
    const size_t n = end - data < sizeof head ? static_cast<size_t>(end - data) : sizeof head;
    if (!read_at(file, data, end, head, n))
        return false;
    size_t keyword_end = 0;
    for (const char *keyword : profile_keywords) {
        const size_t length = strlen(keyword);
        if (n > length && memcmp(head, keyword, length) == 0 && head[length] == 0)
            keyword_end = length + 1;
    }
    if (keyword_end == 0)
        return false;
    if (type == four_cc("tEXt")) {
        *storage = stored_as::plain;
        *text = data + keyword_end;
        return true;
    }
    if (type == four_cc("zTXt")) {  // a compression method byte (0: zlib), then the stream
        *storage = stored_as::zlib;
        *text = data + keyword_end + 1;
        return keyword_end < n && head[keyword_end - 1] == 0 && *text <= end;
    }
    size_t text_at = 0;
    bool compressed = false;
    if (type != four_cc("iTXt") || !find_itxt_text(head, n, &text_at, &compressed))
        return false;
    *storage = compressed ? stored_as::zlib : stored_as::plain;
    *text = data + text_at;
    return true;
}

}  // namespace

bool find_itxt_text(const unsigned char *head, size_t n, size_t *text_at, bool *compressed)
{
    const void *nul = memchr(head, 0, n);
    if (nul == nullptr)
        return false;
    size_t at = static_cast<size_t>(static_cast<const unsigned char *>(nul) - head) + 1;
    if (at + 2 > n)
        return false;
    *compressed = head[at] != 0;
    at += 2;
    for (int strings = 0; strings < 2; strings++) {  // the language tag and the translated keyword
        nul = memchr(head + at, 0, n - at);
        if (nul == nullptr)
            return false;
        at = static_cast<size_t>(static_cast<const unsigned char *>(nul) - head) + 1;
    }
    *text_at = at;
    return true;
}

bool is_png_exif_profile(const file_reader &file, uint32_t type, uint64_t data, uint64_t end)
{
    uint64_t text = 0;
    stored_as storage = stored_as::plain;
    return find_profile_text(file, type, data, end, &text, &storage);
}

int locate_png_profile_exif(const file_reader &file, uint32_t type, uint64_t data, uint64_t end, exif_blocks *found)
{
    uint64_t text = 0;
    stored_as storage = stored_as::plain;
    if (!find_profile_text(file, type, data, end, &text, &storage) ||
        !decode_block(file, text, end - text, storage, text_form::hex_profile, "the raw profile text chunk"))
        return err_no_exif;
    trace("PNG raw profile: %zu bytes decoded\n", decoded_size());
    // The profile holds what a JPEG segment holds: "Exif\0\0" before the TIFF header.
    uint64_t tiff = 0;
    if (decoded_size() >= 6 && memcmp(decoded_data(), "Exif\0\0", 6) == 0)
        tiff = 6;
    if (tiff >= decoded_size())
        return err_no_exif;
    *found = {1, {{tiff, ifd_parent_main_chain, 0}}, false, tiff_magic_number, true};
    return exif_ok;
}
