#include "exif/jpeg_locator.h"

#include <cerrno>
#include <cstring>

#include "exif/file_window.h"
#include "support/errors.h"
#include "support/jpeg_segments.h"
#include "support/run_options.h"
#include "support/trace.h"

namespace {

// What EXIF data in an APP1 segment begins with; a padding byte follows, which
// writers fill as they like, so it is not compared.
constexpr char exif_header[5] = {'E', 'x', 'i', 'f', '\0'};

// The segment walk over the window, reading the file again where a segment
// lies beyond what the window holds.
struct window_segments {
    buf_context *ctx;
    bool first = true;

    int read_mark(uint32_t *mark)
    {
        *mark = get_u_int2_mm(ctx);
        if (first)
            trace("mark=%x, len=%d\n", *mark, 0);
        else
            trace("mark=%x\n", *mark);
        first = false;
        return exif_ok;
    }
    int read_length(uint32_t mark, uint32_t *length)
    {
        *length = get_u_int2_mm(ctx);
        trace("mark=%x, len=%d\n", mark, *length);
        return exif_ok;
    }
    // Moves the cursor to the segment at file offset `next`, reading the file
    // there when the window does not hold the segment's marker and length.
    int move_to(int64_t next)
    {
        if (next > INT32_MAX - input_buffer_size)
            return err_no_exif;  // beyond any file this reader addresses
        int64_t in_window = next - ctx->file_offset;
        if (in_window >= 0 && in_window + 4 <= window_valid_bytes()) {
            ctx->buf_p = ctx->buf_start + in_window;
            return exif_ok;
        }
        if (reopen_window_at(ctx, next) != exif_ok) {
            trace("Seek failed while searching for EXIF mark: %s\n", strerror(errno));
            return err_seek_failed;
        }
        // The segment length led past the end of the file: no next marker to read.
        return window_valid_bytes() < 2 ? err_no_exif : exif_ok;
    }
    // The walk ends at the start of scan and at the first APP1 segment; in
    // extended reading at the first APP1 segment that holds EXIF data, past
    // others such as XMP.
    bool stops_at(uint32_t mark) const
    {
        if (mark != jpeg_mark_app1)
            return mark == jpeg_mark_sos;
        if (!profile_of(ctx).other_containers)
            return true;
        buf_context data = *ctx;
        data.buf_p += 2;  // the segment's length
        return buf_bytes(&data, sizeof exif_header) == sizeof exif_header &&
               memcmp(data.buf_p, exif_header, sizeof exif_header) == 0;
    }
};

// Checks the "Exif\0\0" that begins the segment's data and steps over it.
int check_exif_header(buf_context *ctx)
{
    trace("extract_exif_ifd\n");
    if (buf_bytes(ctx, sizeof exif_header) < sizeof exif_header ||
        memcmp(ctx->buf_p, exif_header, sizeof exif_header) != 0) {
        trace("EXIF buffer header not detected\n");
        return err_no_exif_header;
    }
    trace("EXIF text header string detected\n");
    skip_bytes(ctx, 6);
    return exif_ok;
}

}  // namespace

bool is_jpeg(const unsigned char *first_bytes, int32_t valid)
{
    return valid >= 2 && (static_cast<uint32_t>(first_bytes[0]) << 8 | first_bytes[1]) == jpeg_mark_soi;
}

int locate_jpeg_exif(buf_context *ctx) { return locate_jpeg_exif_at(ctx, 0); }

int locate_jpeg_exif_at(buf_context *ctx, int64_t start)
{
    skip_bytes(ctx, 2);  // the start-of-image marker
    window_segments segments{ctx};
    int64_t segment = start + 2;
    uint32_t mark = 0;
    int rc = walk_jpeg_segments(segments, &segment, &mark);
    if (rc != exif_ok)
        return rc;
    if (mark != jpeg_mark_app1) {
        trace("Not a JPEG/EXIF file (mark=0x%x)\n", mark);
        return err_no_exif;
    }
    if (segment != start + 2) {
        shift_window_to(ctx, static_cast<int32_t>(segment));
        ctx->buf_p += 2;
    }
    uint32_t len = get_u_int2_mm(ctx);
    trace("JPEG file contains EXIF data, EXIF data length = %d\n", len);
    return check_exif_header(ctx);
}

namespace {

constexpr char xmp_signature[] = "http://ns.adobe.com/xap/1.0/";          // and a NUL
constexpr char xmp_extension_signature[] = "http://ns.adobe.com/xmp/extension/";  // and a NUL
constexpr char photoshop_signature[] = "Photoshop 3.0";                   // and a NUL
constexpr uint32_t jpeg_mark_app13 = 0xFFED;
constexpr int max_segments_walked = 1024;

// Small reads of the file through one block held in memory: the segments
// before the image data mostly lie in the first few kilobytes, so a file
// without packets costs a read at most (past a large EXIF segment).
// The file's head, as the EXIF reading left it, serves the first reads.
struct cached_reader {
    cached_reader(const file_reader &f, const file_head &head)
        : file(f), cached(head.start), cached_valid(head.start != nullptr ? head.valid : 0)
    {
    }
    const file_reader &file;
    const unsigned char *cached;  // file offset cached_start
    uint64_t cached_start = 0;
    size_t cached_valid;
    unsigned char block[1024];

    bool read(uint64_t offset, void *out, size_t n)
    {
        if (offset < cached_start || offset - cached_start > cached_valid ||
            cached_valid - (offset - cached_start) < n) {
            size_t want = file.size > offset && file.size - offset < sizeof block ? file.size - offset : sizeof block;
            if (n > sizeof block || !read_at(file, offset, file.size, block, want))
                return false;
            cached = block;
            cached_start = offset;
            cached_valid = want;
            if (want < n)
                return false;
        }
        memcpy(out, cached + (offset - cached_start), n);
        return true;
    }
};

bool begins_with(const unsigned char *data, size_t valid, const char *signature, size_t size_with_nul)
{
    return valid >= size_with_nul && memcmp(data, signature, size_with_nul) == 0;
}

}  // namespace

void locate_jpeg_packets(const file_reader &file, const file_head &head, packet_blocks *found)
{
    found->count = 0;
    cached_reader reader(file, head);
    unsigned char extension_guid[32];
    bool have_guid = false;
    uint64_t at = 2;  // after the start-of-image marker
    for (int walked = 0; walked < max_segments_walked; walked++) {
        unsigned char header[4 + 76];
        if (!reader.read(at, header, 4) || header[0] != 0xFF)
            return;
        uint32_t mark = big_endian_16(header);
        if (mark == 0xFFFF) {  // a fill byte before the marker
            at++;
            continue;
        }
        if (mark == jpeg_mark_sos || mark == 0xFFD9)
            return;
        uint64_t length = big_endian_16(header + 2);
        if (length < 2)
            return;
        uint64_t data = at + 4, data_length = length - 2;
        if (data_length > file.size || data > file.size - data_length)
            return;
        if (mark == jpeg_mark_app1 || mark == jpeg_mark_app13) {
            size_t valid = data_length < 76 ? static_cast<size_t>(data_length) : 76;
            unsigned char *start = header + 4;
            if (!reader.read(data, start, valid))
                return;
            if (mark == jpeg_mark_app1 && begins_with(start, valid, xmp_signature, sizeof xmp_signature)) {
                add_packet_block(found, packet_kind::xmp, data + sizeof xmp_signature,
                                 data_length - sizeof xmp_signature);
            } else if (mark == jpeg_mark_app1 &&
                       begins_with(start, valid, xmp_extension_signature, sizeof xmp_extension_signature) &&
                       valid >= sizeof xmp_extension_signature + 40) {
                // The GUID of the packet (32 hex digits), its full length, this part's offset.
                const unsigned char *guid = start + sizeof xmp_extension_signature;
                if (!have_guid)
                    memcpy(extension_guid, guid, sizeof extension_guid), have_guid = true;
                if (memcmp(guid, extension_guid, sizeof extension_guid) == 0)
                    add_packet_block(found, packet_kind::xmp_extended, data + sizeof xmp_extension_signature + 40,
                                     data_length - sizeof xmp_extension_signature - 40, big_endian_32(guid + 36));
            } else if (mark == jpeg_mark_app13 &&
                       begins_with(start, valid, photoshop_signature, sizeof photoshop_signature)) {
                add_packet_block(found, packet_kind::photoshop, data + sizeof photoshop_signature,
                                 data_length - sizeof photoshop_signature);
            }
        }
        at = data + data_length;
    }
}
