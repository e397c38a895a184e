#include "exif/exif_reader.h"

#include <csetjmp>
#include <csignal>
#include <cstring>

#include <algorithm>

#include "exif/block_decoder.h"
#include "exif/chunk_locators.h"
#include "exif/eps_locator.h"
#include "exif/field_sort.h"
#include "exif/file_scan.h"
#include "exif/file_window.h"
#include "exif/ifd_types.h"
#include "exif/ifd_walk.h"
#include "exif/jp2_locator.h"
#include "exif/jpeg_locator.h"
#include "exif/jxl_locator.h"
#include "exif/jxr_locator.h"
#include "exif/maker_notes.h"
#include "exif/media_locator.h"
#include "exif/packet_reader.h"
#include "exif/packet_store.h"
#include "exif/psd_locator.h"
#include "exif/raw_locators.h"
#include "exif/rw2_locator.h"
#include "exif/tags.h"
#include "exif/tiff_header.h"
#include "exif/tiff_locator.h"
#include "support/errors.h"
#include "support/file_messages.h"
#include "support/run_options.h"
#include "support/trace.h"

const char exif_rcs_id[] = "$Id: exif_reader.cpp,v 1.5 2001/10/06 12:00:00 tagsift Exp $";

namespace {

// The containers the reader knows, told apart by their first bytes. A locator
// either leaves the window's cursor on the TIFF header of the EXIF block
// (JPEG, and the raws that embed a JPEG preview) or names the TIFF blocks by
// their file offsets. All but JPEG are read with -e (extended reading) only.
struct container_row {
    bool extended_only;
    bool (*is_container)(const unsigned char *first_bytes, int32_t valid);
    int (*locate_in_window)(buf_context *ctx);
    block_locator locate_blocks;
    packet_locator locate_packets;  // where the XMP and IPTC blocks are, read with -e; nullptr: none read
};

// clang-format off
constexpr container_row containers[] = {
    {false, is_jpeg,       locate_jpeg_exif, nullptr,           locate_jpeg_packets},
    {true,  is_tiff,       nullptr,          locate_tiff_exif,  locate_tiff_packets},
    {true,  is_rw2,        nullptr,          locate_rw2_exif,   locate_tiff_packets},
    {true,  is_jxr,        nullptr,          locate_jxr_exif,   locate_tiff_packets},
    {true,  is_psd,        nullptr,          locate_psd_exif,   locate_psd_packets},
    {true,  is_dos_eps,    nullptr,          locate_dos_eps_exif, nullptr},
    {true,  is_jp2,        nullptr,          locate_jp2_exif,   locate_jp2_packets},
    {true,  is_jxl,        nullptr,          locate_jxl_exif,   locate_jxl_packets},
    {true,  is_media_file, nullptr,          locate_media_exif, locate_media_packets},
    {true,  is_png,        nullptr,          locate_png_exif,   locate_png_packets},
    {true,  is_webp,       nullptr,          locate_webp_exif,  locate_webp_packets},
    {true,  is_mrw,        nullptr,          locate_mrw_exif,   nullptr},
    {true,  is_raf,        locate_raf_exif,  nullptr,           nullptr},
    {true,  is_x3f,        locate_x3f_exif,  nullptr,           nullptr},
};
// clang-format on

const container_row *find_container(const buf_context &ctx)
{
    for (const container_row &row : containers)
        if ((!row.extended_only || profile_of(&ctx).other_containers) &&
            row.is_container(ctx.buf_start, window_valid_bytes()))
            return &row;
    return nullptr;
}

// A file mapped whole can shrink while it is read (another program truncates
// it); its pages then end in a bus error, which ends the file's reading as a
// failed read instead of the run.
sigjmp_buf mapped_read_failed;

unsigned char file_start[1024];

void on_bus_error(int)
{
    if (window_is_mapped())
        siglongjmp(mapped_read_failed, 1);
    signal(SIGBUS, SIG_DFL);
    raise(SIGBUS);
}

// Puts the window on the block: the whole file mapped where IFDs may lie
// anywhere (a window from the header where the file cannot be mapped), else
// a window read from the block's TIFF header.
int open_block_window(buf_context *ctx, const exif_blocks &found, const exif_block &block, uint64_t file_size)
{
    if (found.decoded) {
        if (block.tiff_offset >= decoded_size())
            return err_no_exif;
        open_memory_window(ctx, decoded_data(), decoded_size());
        ctx->buf_p = ctx->buf_start + block.tiff_offset;
        return exif_ok;
    }
    if (found.ifds_anywhere && block.tiff_offset < file_size && map_whole_file(ctx, file_size)) {
        ctx->buf_p = ctx->buf_start + block.tiff_offset;
        return exif_ok;
    }
    if (block.tiff_offset > static_cast<uint64_t>(INT64_MAX - input_buffer_size))
        return err_no_exif;
    return reopen_window_at(ctx, static_cast<int64_t>(block.tiff_offset));
}

// Drops the records from `from` on whose IFD type and tag an earlier record
// already has: a preview's EXIF IFD (RW2) repeats many of the file's own.
void drop_repeated_fields(ifd_field_store *store, uint32_t from)
{
    uint32_t kept = from;
    for (uint32_t i = from; i < store->count; i++) {
        const ifd_field &f = store->fields[i];
        bool repeated = false;
        for (uint32_t j = 0; j < from && !repeated; j++)
            repeated = store->fields[j].ifd_type == f.ifd_type && store->fields[j].tag == f.tag;
        if (!repeated) {
            if (kept != i)
                store->fields[kept] = f;
            store->fields[kept].seq = static_cast<uint16_t>(kept);
            kept++;
        }
    }
    store->count = kept;
}

int read_blocks(buf_context *ctx, const container_row &container, ifd_field_store *store)
{
    const file_reader file = reader_of(ctx->fp);
    exif_blocks found{};
    int rc = container.locate_blocks(file, &found);
    if (rc == exif_ok && found.decoded) {
        store->decoded_block = decoded_data();
        store->decoded_block_size = decoded_size();
    }
    for (int i = 0; rc == exif_ok && i < found.count; i++) {
        const exif_block &block = found.blocks[i];
        forget_walked_ifds();  // each block has a window of its own
        trace("EXIF block %d: TIFF header at file offset %llu\n", i,
              static_cast<unsigned long long>(block.tiff_offset));
        rc = open_block_window(ctx, found, block, file.size);
        uint64_t first_ifd = 0;
        // A block that names its one IFD is a JPEG preview's EXIF block, with a TIFF header's own number.
        if (rc == exif_ok)
            rc = read_tiff_header(ctx, store, &first_ifd, block.first_ifd != 0 ? tiff_magic_number : found.tiff_magic);
        if (rc == exif_ok) {
            int depth = block.parent_tag == ifd_parent_main_chain ? 0 : 1;
            if (block.first_ifd != 0)
                first_ifd = block.first_ifd;
            bool note = block.parent_tag == static_cast<int32_t>(tag::maker_note) &&
                        find_boxed_maker_note(ctx, store) != nullptr;
            const uint32_t before = store->count;
            // Keeps what it gathered; a first IFD past the data is named (with -e, where blocks are read).
            int walked = extract_ifd(ctx, first_ifd, block.parent_tag, depth, store);
            if (walked == err_end_of_buffer && store->count == before) {
                file_warning("the block's first IFD, at offset %llu, lies past the end of the data; not read",
                             static_cast<unsigned long long>(first_ifd));
                rc = i == 0 ? err_no_exif : exif_ok;
            }
            if (note)
                (void)finish_maker_note(ctx, before, depth, store, walked);
            if (block.first_ifd != 0)
                drop_repeated_fields(store, before);
        }
    }
    return rc;
}

// Finds the container's EXIF data and walks its IFDs into the store.
int read_container(buf_context *ctx, const container_row &container, ifd_field_store *store)
{
    if (container.locate_blocks != nullptr) {
        struct sigaction on_bus {
        }, before{};
        on_bus.sa_handler = on_bus_error;
        sigaction(SIGBUS, &on_bus, &before);
        volatile int rc = err_read_failed;  // what a bus error in the middle of the reading leaves
        if (sigsetjmp(mapped_read_failed, 1) == 0)
            rc = read_blocks(ctx, container, store);
        sigaction(SIGBUS, &before, nullptr);
        return rc;
    }
    int rc = container.locate_in_window(ctx);
    uint64_t first_ifd = 0;
    if (rc == exif_ok)
        rc = read_tiff_header(ctx, store, &first_ifd);
    if (rc == exif_ok)
        (void)extract_ifd(ctx, first_ifd, ifd_parent_main_chain, 0, store);  // keeps what it gathered
    return rc;
}

int read_exif_block(buf_context *ctx, ifd_field_store *store, const container_row **found)
{
    if (window_valid_bytes() <= 5) {
        trace("File is too short (%d) to be a JPEG file\n", window_valid_bytes());
        return err_unknown_container;
    }
    trace("Read file, items read = %d\n", window_valid_bytes());
    const container_row *container = find_container(*ctx);
    *found = container;
    if (container == nullptr) {
        trace("Not a Jpeg file (mark=0x%x)\n", static_cast<uint32_t>(ctx->buf_start[0]) << 8 | ctx->buf_start[1]);
        return err_unknown_container;
    }
    store->in_jpeg_file = container == &containers[0];
    int rc = read_container(ctx, *container, store);
    // The JPEG texts of code 3 would misname the file.
    return rc == err_no_exif && container != &containers[0] ? err_no_exif_in_file : rc;
}

}  // namespace

int read_exif_fields(const char *dir_name, const char *file_name, const value_formatting &formatting,
                     const reading_profile &profile, ifd_field_store **result, int sort)
{
    trace("RcsId: %s\n", exif_rcs_id);
    close_window();  // a file left by a stop that a fuzzing build turns into an exception
    begin_file_scan(formatting, profile);
    ifd_fields.count = 0;
    ifd_fields.model_code = 0;
    ifd_fields.thumbnail_offset = 0;
    ifd_fields.thumbnail_length = 0;
    ifd_fields.in_jpeg_file = true;
    ifd_fields.decoded_block = nullptr;
    ifd_fields.decoded_block_size = 0;
    begin_packet_store();
    *result = &ifd_fields;

    FILE *fp = open_file(dir_name, file_name, profile.named_messages);
    if (fp == nullptr)
        return err_cant_open;

    buf_context ctx{};
    ctx.profile = &profile;
    open_window(fp, &ctx);
    // The file's first bytes, kept for the XMP and IPTC locators (-e): the
    // EXIF reading may move the window on.
    const bool with_packets = profile.packets;
    size_t file_start_valid = 0;
    if (with_packets) {
        file_start_valid = std::min(sizeof file_start, static_cast<size_t>(window_valid_bytes()));
        memcpy(file_start, ctx.buf_start, file_start_valid);
    }
    trace("%s: items read = %d\n", file_name, window_valid_bytes());
    const container_row *container = nullptr;
    int rc = read_exif_block(&ctx, &ifd_fields, &container);
    // With -e, the XMP and IPTC blocks, read apart from the EXIF block's window
    // (the size is known from opening the file).
    if (with_packets && container != nullptr && container->locate_packets != nullptr) {
        read_packets({fileno(fp), ifd_fields.file_size}, {file_start, file_start_valid}, container->locate_packets,
                     dir_name, file_name);
        // A file without EXIF data is listed all the same for its XMP or IPTC data.
        if ((rc == err_no_exif || rc == err_no_exif_header || rc == err_no_exif_in_file) && packets.count > 0)
            rc = exif_ok;
    }
    if (profile.bounded_reads && window_read_failed())
        rc = err_read_failed;  // what was read may be zeros in place of the file's bytes
    close_window();  // the stream closes now
    close_file(fp);
    if (rc == exif_ok && sort)
        sort_fields(&ifd_fields);
    return rc;
}
