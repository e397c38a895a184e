#include "exif/packet_reader.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/syscall.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "exif/block_decoder.h"
#include "exif/iptc_parser.h"
#include "exif/packet_store.h"
#include "exif/xmp_parser.h"
#include "support/file_messages.h"
#include "support/trace.h"

namespace {

// Packets are read and parsed a piece at a time: no packet is held whole.
constexpr size_t piece_size = 0x10000;
char piece[piece_size];

// IPTC records and Photoshop resources are read whole; larger ones are cut here.
constexpr size_t max_iptc_bytes = 0x40000;
unsigned char iptc_area[max_iptc_bytes];

packet_blocks found;

// Feeds `length` bytes from `offset` to the XMP parser, the last of the
// packet when `last`; false once the parser has ended.
bool feed_range(const file_reader &file, uint64_t offset, uint64_t length, bool last)
{
    do {
        size_t n = length < piece_size ? static_cast<size_t>(length) : piece_size;
        if (n > 0 && !read_at(file, offset, file.size, piece, n))
            return feed_xmp_packet(piece, 0, true);  // the file ended early: the parser says how
        offset += n;
        length -= n;
        if (!feed_xmp_packet(piece, n, last && length == 0))
            return false;
    } while (length > 0);
    return true;
}

void read_xmp(const file_reader &file, const packet_block &block, packet_source source, const char *file_name)
{
    begin_xmp_packet(source, file_name);
    (void)feed_range(file, block.offset, block.length, true);
    end_xmp_packet();
}

bool feed_decoded(const unsigned char *piece, size_t n, void *state)
{
    bool &parser_ended = *static_cast<bool *>(state);
    parser_ended = !feed_xmp_packet(reinterpret_cast<const char *>(piece), n, false);
    return !parser_ended;
}

// A compressed packet, decoded a piece at a time into the parser.
void read_compressed_xmp(const file_reader &file, const packet_block &block, const char *file_name)
{
    begin_xmp_packet(packet_source::xmp, file_name);
    const stored_as storage = block.kind == packet_kind::xmp_zlib ? stored_as::zlib : stored_as::brotli;
    bool parser_ended = false;
    if (decode_stream(file, block.offset, block.length, storage, feed_decoded, &parser_ended,
                      "the compressed XMP packet") &&
        !parser_ended)
        (void)feed_xmp_packet(piece, 0, true);
    end_xmp_packet();
}

// The parts of a JPEG file's extended packet, in the order of their offsets
// in it; a gap or an overlap between them ends the packet.
void read_extended_xmp(const file_reader &file, const char *file_name)
{
    bool used[max_packet_blocks] = {};
    uint32_t expected = 0;
    begin_xmp_packet(packet_source::xmp, file_name);
    for (;;) {
        int next = -1;
        for (int i = 0; i < found.count; i++)
            if (!used[i] && found.blocks[i].kind == packet_kind::xmp_extended &&
                (next < 0 || found.blocks[i].part_offset < found.blocks[next].part_offset))
                next = i;
        if (next < 0) {
            (void)feed_xmp_packet(piece, 0, true);
            break;
        }
        used[next] = true;
        const packet_block &part = found.blocks[next];
        if (part.part_offset != expected) {
            file_warning("extended XMP part at offset %u, expected %u; the rest is not read", part.part_offset, expected);
            break;
        }
        expected += static_cast<uint32_t>(part.length);
        if (!feed_range(file, part.offset, part.length, false))
            break;
    }
    end_xmp_packet();
}

void read_iptc(const file_reader &file, const packet_block &block)
{
    size_t n = block.length < max_iptc_bytes ? static_cast<size_t>(block.length) : max_iptc_bytes;
    if (n < block.length)
        file_warning("IPTC block of %llu bytes, only the first %zu are read", static_cast<unsigned long long>(block.length),
                     n);
    if (!read_at(file, block.offset, file.size, iptc_area, n))
        return;
    const unsigned char *iptc = iptc_area;
    size_t iptc_length = n;
    if (block.kind == packet_kind::photoshop && !find_iptc_resource(iptc_area, n, &iptc, &iptc_length))
        return;
    begin_packet_block();
    read_iptc_block(iptc, iptc_length);
    end_packet_block();
}

// The sidecar of the file named so: NAME.EXT.xmp (as darktable and digiKam
// write it, the file's own) or NAME.xmp (as Lightroom writes it, with the
// extension replaced), -1 when there is none.
int open_sidecar(const char *file_name, bool keep_extension)
{
    char name[4096];
    const char *slash = strrchr(file_name, '/');
    const char *dot = strrchr(slash != nullptr ? slash : file_name, '.');
    size_t stem = dot != nullptr && !keep_extension ? static_cast<size_t>(dot - file_name) : strlen(file_name);
    if (stem + 5 > sizeof name)
        return -1;
    memcpy(name, file_name, stem);
    memcpy(name + stem, ".xmp", 5);
    // Without waiting: a FIFO planted under the sidecar's name must not stop the run.
    int fd = open(name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat st;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode))
        return fd;
    close(fd);
    return -1;
}

// Whether a directory holds any *.xmp file, found once per directory: most
// hold none, and a failed lookup of NAME.xmp for each of their files would
// cost as much as reading the file's EXIF data. The directory is known by the
// directory the file was named in (`dir_name`, where a walk stands) and the
// folder part of its name; it is read with getdents64 into a fixed area.
struct sidecar_presence {
    char directory[4096 + 2];
    bool known = false;
    bool any = false;
};
sidecar_presence presence;

bool has_xmp_suffix(const char *name)
{
    size_t n = strlen(name);
    return n > 4 && strcasecmp(name + n - 4, ".xmp") == 0;
}

bool directory_has_sidecars(const char *dir_name, const char *file_name)
{
    const char *slash = strrchr(file_name, '/');
    const size_t folder = slash != nullptr ? static_cast<size_t>(slash - file_name) + 1 : 0;
    char key[sizeof presence.directory];
    if (strlen(dir_name) + folder + 2 > sizeof key)
        return true;  // too long to note: look for the sidecar itself
    snprintf(key, sizeof key, "%s\n%.*s", dir_name, static_cast<int>(folder), file_name);
    if (presence.known && strcmp(key, presence.directory) == 0)
        return presence.any;
    memcpy(presence.directory, key, strlen(key) + 1);
    presence.known = true;
    presence.any = true;  // when the directory cannot be read, the lookup decides
    char path[4096 + 2];
    snprintf(path, sizeof path, "%.*s.", static_cast<int>(folder), file_name);
    int fd = open(path, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return true;
    alignas(8) static char entries[32768];
    bool any = false;
    for (;;) {
        long n = syscall(SYS_getdents64, fd, entries, sizeof entries);
        if (n < 0) {
            any = true;
            break;
        }
        if (n == 0)
            break;
        for (long at = 0; at < n && !any;) {
            // struct linux_dirent64: inode (8), offset (8), record length (2), type (1), name
            unsigned short length = 0;
            memcpy(&length, entries + at + 16, sizeof length);
            any = has_xmp_suffix(entries + at + 19);
            at += length > 0 ? length : n;
        }
        if (any)
            break;
    }
    close(fd);
    presence.any = any;
    return any;
}

void read_sidecar(const char *dir_name, const char *file_name)
{
    if (!directory_has_sidecars(dir_name, file_name))
        return;
    // Looked for only where the directory holds sidecars at all, so the
    // second name costs the files without one nothing.
    int fd = open_sidecar(file_name, true);
    if (fd < 0)
        fd = open_sidecar(file_name, false);
    if (fd < 0)
        return;
    struct stat st;
    file_reader sidecar{fd, fstat(fd, &st) == 0 ? static_cast<uint64_t>(st.st_size) : 0};
    trace("XMP sidecar of %s: %llu bytes\n", file_name, static_cast<unsigned long long>(sidecar.size));
    read_xmp(sidecar, {packet_kind::xmp, 0, sidecar.size, 0}, packet_source::xmp_sidecar, file_name);
    close(fd);
}

}  // namespace

void read_packets(const file_reader &file, const file_head &head, packet_locator locate, const char *dir_name,
                  const char *file_name)
{
    locate(file, head, &found);
    bool extended_read = false;
    for (int i = 0; i < found.count; i++) {
        const packet_block &block = found.blocks[i];
        trace("Packet block %d: kind %d, %llu bytes at offset %llu\n", i, static_cast<int>(block.kind),
              static_cast<unsigned long long>(block.length), static_cast<unsigned long long>(block.offset));
        switch (block.kind) {
        case packet_kind::xmp:
            read_xmp(file, block, packet_source::xmp, file_name);
            break;
        case packet_kind::xmp_extended:
            if (!extended_read)
                read_extended_xmp(file, file_name);
            extended_read = true;
            break;
        case packet_kind::iptc:
        case packet_kind::photoshop:
            read_iptc(file, block);
            break;
        case packet_kind::xmp_zlib:
        case packet_kind::xmp_brotli:
            read_compressed_xmp(file, block, file_name);
            break;
        }
    }
    read_sidecar(dir_name, file_name);
}
