#include "exif/jxr_locator.h"

#include <cstring>

#include "exif/ifd_types.h"
#include "support/errors.h"

namespace {

// Always Intel order; the number is 0x01BC, its high byte the format's version.
constexpr unsigned char jxr_signature[4] = {'I', 'I', 0xBC, 0x01};
constexpr uint32_t jxr_magic_number = 0x01BC;

}  // namespace

bool is_jxr(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 4 && memcmp(first_bytes, jxr_signature, sizeof jxr_signature) == 0;
}

int locate_jxr_exif(const file_reader &file, exif_blocks *found)
{
    if (file.size < 8)
        return err_no_exif;
    // The image data lies among the IFD's values: the file is read whole.
    *found = {1, {{0, ifd_parent_main_chain, 0}}, true, jxr_magic_number, false};
    return exif_ok;
}
