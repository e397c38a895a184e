#include "exif/psd_locator.h"

#include <cstring>

#include "exif/ifd_types.h"
#include "support/errors.h"
#include "support/file_messages.h"
#include "support/trace.h"

namespace {

// "8BPS", version 1 (PSD) or 2 (PSB, the large document format).
constexpr size_t psd_header_size = 26;
constexpr uint32_t resource_exif = 0x0422;
constexpr uint32_t resource_xmp = 0x0424;
constexpr uint32_t resource_iptc = 0x0404;
constexpr int max_resources_walked = 4096;

// The signatures a resource may begin with: Photoshop's and those of programs that write its format.
bool is_resource_signature(const unsigned char *p)
{
    return memcmp(p, "8BIM", 4) == 0 || memcmp(p, "MeSa", 4) == 0 || memcmp(p, "PHUT", 4) == 0 ||
           memcmp(p, "AgHg", 4) == 0 || memcmp(p, "DCSR", 4) == 0;
}

// The image resource section: after the header and the colour mode data,
// each a 4-byte length before its data. One that runs past the end of the
// file is read as far as it goes (with a warning when `warn`).
bool find_resource_section(const file_reader &file, uint64_t *from, uint64_t *limit, bool warn)
{
    unsigned char length[4];
    if (!read_at(file, psd_header_size, file.size, length, sizeof length))
        return false;
    const uint64_t resources = psd_header_size + 4 + static_cast<uint64_t>(big_endian_32(length));
    if (!read_at(file, resources, file.size, length, sizeof length))
        return false;
    *from = resources + 4;
    *limit = *from + big_endian_32(length);
    if (*limit > file.size) {
        if (warn)
            file_warning("its image resources run past the end of the file; read as far as they go");
        *limit = file.size;
    }
    return true;
}

// Each resource: a signature, a 2-byte ID, a Pascal name padded to an even
// length, a 4-byte data length, the data padded to an even length. `read`
// reads n bytes at an offset that must end by the limit.
template <typename Read>
bool walk_resources(Read read, uint64_t from, uint64_t limit, uint32_t id, uint64_t *offset, uint64_t *length)
{
    uint64_t at = from;
    for (int walked = 0; walked < max_resources_walked; walked++) {
        unsigned char head[7];
        if (!read(at, head, sizeof head) || !is_resource_signature(head))
            return false;
        const uint64_t name_size = (static_cast<uint64_t>(head[6]) + 2) & ~1ull;
        unsigned char size[4];
        if (!read(at + 6 + name_size, size, sizeof size))
            return false;
        const uint64_t data = at + 6 + name_size + 4, data_length = big_endian_32(size);
        if (data_length > limit - data)
            return false;
        if (big_endian_16(head + 4) == id) {
            *offset = data;
            *length = data_length;
            return true;
        }
        at = data + data_length + (data_length & 1);
    }
    return false;
}

}  // namespace

bool find_photoshop_resource(const file_reader &file, uint64_t from, uint64_t limit, uint32_t id, uint64_t *offset,
                             uint64_t *length)
{
    const auto read = [&file, limit](uint64_t at, unsigned char *out, size_t n) {
        return read_at(file, at, limit, out, n);
    };
    return walk_resources(read, from, limit, id, offset, length);
}

bool find_photoshop_resource_in(const unsigned char *bytes, size_t size, uint32_t id, uint64_t *offset,
                                uint64_t *length)
{
    const auto read = [bytes, size](uint64_t at, unsigned char *out, size_t n) {
        if (at > size || size - at < n)
            return false;
        memcpy(out, bytes + at, n);
        return true;
    };
    return walk_resources(read, 0, size, id, offset, length);
}

bool is_psd(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 6 && memcmp(first_bytes, "8BPS", 4) == 0 && first_bytes[4] == 0 &&
           (first_bytes[5] == 1 || first_bytes[5] == 2);
}

int locate_psd_exif(const file_reader &file, exif_blocks *found)
{
    uint64_t from = 0, limit = 0, offset = 0, length = 0;
    if (!find_resource_section(file, &from, &limit, true) ||
        !find_photoshop_resource(file, from, limit, resource_exif, &offset, &length) || length == 0)
        return err_no_exif;
    unsigned char start[6];
    if (length > sizeof start && read_at(file, offset, file.size, start, sizeof start) &&
        memcmp(start, "Exif\0\0", sizeof start) == 0)
        offset += sizeof start, length -= sizeof start;  // as a JPEG segment holds it, which some writers copy
    trace("PSD EXIF resource: %llu bytes at offset %llu\n", static_cast<unsigned long long>(length),
          static_cast<unsigned long long>(offset));
    *found = {1, {{offset, ifd_parent_main_chain, 0}}, false, tiff_magic_number, false};
    return exif_ok;
}

void locate_psd_packets(const file_reader &file, const file_head &head, packet_blocks *found)
{
    (void)head;  // read again: few files of this container, and they need more than the head
    found->count = 0;
    uint64_t from = 0, limit = 0, offset = 0, length = 0;
    if (!find_resource_section(file, &from, &limit, false))
        return;
    if (find_photoshop_resource(file, from, limit, resource_xmp, &offset, &length))
        add_packet_block(found, packet_kind::xmp, offset, length);
    if (find_photoshop_resource(file, from, limit, resource_iptc, &offset, &length))
        add_packet_block(found, packet_kind::iptc, offset, length);
}
