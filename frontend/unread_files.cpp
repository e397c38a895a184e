#include "frontend/unread_files.h"

#include "support/errors.h"
#include "support/file_messages.h"

void report_unread_file(int rc)
{
    switch (rc) {
    case err_cant_open:
        break;  // the reader said why when the open failed
    case err_no_exif:
    case err_no_exif_in_file:
        file_warning("%s", exif_strerror(err_no_exif_in_file));
        break;
    case err_read_failed:
    case err_seek_failed:
        file_error("can't read the file: %s", exif_strerror(rc));
        note_system_failure();
        break;
    default:
        file_error("can't extract EXIF fields: %s", exif_strerror(rc));
        break;
    }
}
