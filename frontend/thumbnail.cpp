// -t: the JPEG thumbnail of a file's EXIF block, copied into a file of its own
// beside the source (photo.jpg gives photo-th.jpg). The thumbnail of another
// container keeps the container's extension before ".jpg" (IMG_0001.CR2 gives
// IMG_0001-th.CR2.jpg), so that it never takes the name of the thumbnail of a
// JPEG file beside it (IMG_0001.JPG gives IMG_0001-th.JPG).
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "frontend/outputs.h"
#include "support/created_files.h"
#include "support/errors.h"
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

// Copies the thumbnail into the open thumbnail file; the streams are the caller's.
int copy_thumbnail(const ifd_field_store *store, FILE *thumbnail)
{
    FILE *source = nullptr;
    errno = 0;
    int rc = exif_ok;
    if (store->in_jpeg_file) {
        rc = open_jpeg_file(store->file_name, "rb", 0, &source);
    } else if ((source = open_for_reading(store->file_name, "rb")) != nullptr) {
        setvbuf(source, nullptr, _IONBF, 0);  // the copy reads through its own area
    } else {
        fprintf(stderr, "Error: Can't open file %s: %s\n", store->file_name, strerror(errno));
        rc = err_cant_open;
    }
    if (rc != exif_ok) {
        fprintf(stderr, "Error: Can't open JPEG file %s: %s\n", store->file_name, failure_reason(rc));
        return rc;
    }
    errno = 0;
    // Written from offset 0: the thumbnail's own start marker replaces the one already there.
    rc = file_copy_with_offset(source, static_cast<long>(store->thumbnail_offset), thumbnail, 0,
                               store->thumbnail_length);
    if (rc != exif_ok)
        fprintf(stderr, "Error: Can't extract thumbnail from %s: %s\n", store->file_name, failure_reason(rc));
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
        warn("Warning: File %s does not contain a thumbnail image\n", store->path_name);
        return err_no_thumbnail;
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
