// -t: the JPEG thumbnail of a file's EXIF block, copied into a file of its own
// beside the source (photo.jpg gives photo-th.jpg). The thumbnail of another
// container keeps the container's extension before ".jpg" (IMG_0001.CR2 gives
// IMG_0001-th.CR2.jpg), so that it never takes the name of the thumbnail of a
// JPEG file beside it (IMG_0001.JPG gives IMG_0001-th.JPG).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "frontend/outputs.h"
#include "frontend/options.h"
#include "support/created_files.h"
#include "support/errors.h"
#include "support/file_messages.h"
#include "support/file_names.h"
#include "support/jpeg_file.h"
#include "support/new_file_name.h"
#include "support/open_for_reading.h"
#include "support/run_options.h"
#include "support/safe_rename.h"
#include "support/trace.h"

namespace {

constexpr char thumbnail_suffix[] = "-th";

// The system's reason when a system call failed; otherwise (a file that is
// not a JPEG or ends early) errno is still 0 and the code's own text says why.
const char *failure_reason(int code) { return errno != 0 ? strerror(errno) : exif_strerror(code); }

// The source file as messages name it: as the listing shows it with named
// messages, else by its name in its folder, as always.
const char *source_name(const ifd_field_store *store)
{
    return file_messages_named() ? store->path_name : store->file_name;
}

// Copies the thumbnail into the open thumbnail file; the streams are the caller's.
int copy_thumbnail(const ifd_field_store *store, FILE *thumbnail)
{
    if (store->decoded_block != nullptr) {  // checked to lie in the block (-e)
        // From offset 0: the thumbnail's own start marker replaces the one already there.
        const size_t length = static_cast<size_t>(store->thumbnail_length);
        return fseek(thumbnail, 0, SEEK_SET) == 0 &&
                       fwrite(store->decoded_block + store->thumbnail_offset, 1, length, thumbnail) == length
                   ? exif_ok
                   : err_write_failed;
    }
    FILE *source = nullptr;
    errno = 0;
    int rc = exif_ok;
    if (store->in_jpeg_file) {
        rc = open_jpeg_file(store->file_name, "rb", 0, &source);
    } else if ((source = open_for_reading(store->file_name, "rb")) != nullptr) {
        setvbuf(source, nullptr, _IONBF, 0);  // the copy reads through its own area
    } else {
        fprintf(stderr, "Error: Can't open file %s: %s\n", source_name(store), strerror(errno));
        rc = err_cant_open;
    }
    if (rc != exif_ok) {
        fprintf(stderr, "Error: Can't open JPEG file %s: %s\n", source_name(store), failure_reason(rc));
        return rc;
    }
    errno = 0;
    // Written from offset 0: the thumbnail's own start marker replaces the one already there.
    rc = file_copy_with_offset(source, static_cast<long>(store->thumbnail_offset), thumbnail, 0,
                               store->thumbnail_length);
    if (rc != exif_ok)
        fprintf(stderr, "Error: Can't extract thumbnail from %s: %s\n", source_name(store), failure_reason(rc));
    close_jpeg_file(source);
    return rc;
}

// A name that a new file must not take is reported, and the file skipped.
bool refuse_name(const char *thumbnail_name, const char *refusal)
{
    if (refusal != nullptr)
        fprintf(stderr, "Error: Thumbnail file %s not written: the name is taken by %s\n", thumbnail_name, refusal);
    return refusal != nullptr;
}

// With checked thumbnails: why the thumbnail the IFD names is not written, or
// nullptr when it lies in the file and begins a JPEG image. A broken IFD1
// could otherwise copy gigabytes, or the rest of the file, into a thumbnail.
const char *thumbnail_refusal(const ifd_field_store *store)
{
    const uint64_t offset = store->thumbnail_offset;
    const uint64_t length = store->thumbnail_length;
    if (length == 0)
        return "its length is 0";
    if (store->decoded_block != nullptr) {
        const uint64_t size = store->decoded_block_size;
        if (offset >= size || length > size - offset)
            return "it runs past the end of its decoded block";
        const unsigned char *start = store->decoded_block + offset;
        return length < 2 || start[0] != 0xFF || start[1] != 0xD8 ? "it does not begin with a JPEG start of image"
                                                                  : nullptr;
    }
    if (offset >= store->file_size || length > store->file_size - offset)
        return "it runs past the end of the file";
    int fd = open(store->file_name, O_RDONLY | O_NONBLOCK | O_CLOEXEC);  // a FIFO put in its place must not wait
    if (fd < 0)
        return "the file can't be opened again";
    unsigned char start[2] = {0, 0};
    const bool read = pread(fd, start, sizeof start, static_cast<off_t>(offset)) == sizeof start;
    close(fd);
    if (!read || start[0] != 0xFF || start[1] != 0xD8)
        return "it does not begin with a JPEG start of image";
    return nullptr;
}

// The new file is dropped: whatever has the thumbnail's name keeps it.
void discard(FILE *thumbnail, const char *new_name)
{
    close_jpeg_file(thumbnail);
    unlink(new_name);
}

}  // namespace

// The thumbnail is written into a new file of a name no one can guess, which
// then takes the thumbnail's name by rename(2): an existing thumbnail is
// replaced whole, never emptied first or written through when it is a link,
// and an interrupted run leaves the old one in place.
int extract_thumbnail(const ifd_field_store *store)
{
    trace("Extracting Thumbnail (%s)\n", store->file_name);
    if (store->thumbnail_offset == 0) {
        if (file_messages_named())
            file_warning("no thumbnail image");
        else
            warn("Warning: File %s does not contain a thumbnail image\n", store->path_name);
        return err_no_thumbnail;
    }
    if (run_profile().checked_thumbnails) {
        if (const char *refusal = thumbnail_refusal(store)) {
            file_error("thumbnail not written: %s", refusal);
            return err_no_thumbnail;
        }
    }

    char thumbnail_name[built_name_size];
    create_backup_file_name(store->file_name, thumbnail_suffix, thumbnail_name);
    if (!store->in_jpeg_file)
        append_to_built_name(thumbnail_name, ".jpg");
    if (refuse_name(thumbnail_name, unsafe_to_replace(thumbnail_name)))
        return err_cant_open;
    char new_name[new_file_name_size];
    FILE *thumbnail = nullptr;
    errno = 0;
    int rc = create_new_jpeg_file(thumbnail_name, new_name, &thumbnail);
    if (rc != exif_ok) {
        fprintf(stderr, "Error: Can't create thumbnail file %s: %s\n", thumbnail_name, failure_reason(rc));
        if (thumbnail != nullptr)
            discard(thumbnail, new_name);
        return rc;
    }
    if (created_files_full())
        discard(thumbnail, new_name);  // the record below ends the run
    add_to_created_files_list(thumbnail_name);

    rc = copy_thumbnail(store, thumbnail);
    const bool closed = close_jpeg_file(thumbnail) == 0;
    // A source that ends early leaves what was copied under the thumbnail's name, as it always has.
    if (!closed || (rc != exif_ok && rc != err_end_of_buffer)) {
        unlink(new_name);
        return closed ? rc : err_write_failed;
    }
    const char *refusal = nullptr;
    if (replace_safely(new_name, thumbnail_name, &refusal) != 0) {
        if (!refuse_name(thumbnail_name, refusal))
            fprintf(stderr, "Error: Can't create thumbnail file %s: %s\n", thumbnail_name, strerror(errno));
        unlink(new_name);
        return err_rename_failed;
    }
    if (rc == exif_ok)
        printf("Thumbnail extracted from %s into %s\n", store->file_name, thumbnail_name);
    return rc;
}
