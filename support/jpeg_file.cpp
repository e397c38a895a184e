#include "support/jpeg_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "support/errors.h"
#include "support/new_file_name.h"
#include "support/open_for_reading.h"
#include "support/run_options.h"
#include "support/trace.h"

namespace {

// The one buffer every copy pass goes through: a fixed area, not the stack.
unsigned char copy_buffer[file_copy_pass_size];

// Called right after the stream is opened, before any other use of it.
void make_unbuffered(FILE *file) { setvbuf(file, nullptr, _IONBF, 0); }

// Keeps errno as the failed open left it, for the caller's own message.
void report_open_failure(const char *path)
{
    const int saved = errno;
    fprintf(stderr, "Error: Can't open file %s: %s\n", path, strerror(saved));
    errno = saved;
}

}  // namespace

int open_jpeg_file(const char *path, const char *mode, int quiet, FILE **file)
{
    FILE *fp = open_for_reading(path, mode);
    if (fp == nullptr) {
        report_open_failure(path);
        return err_cant_open;
    }
    make_unbuffered(fp);
    uint16_t mark = 0;
    int rc = read_u_int2(fp, &mark);
    if (rc != exif_ok) {
        close_jpeg_file(fp);
        return rc;
    }
    if (mark != jpeg_mark_soi) {
        if (!quiet)
            fprintf(stderr, "Error: %s is not a JPEG file\n", path);
        close_jpeg_file(fp);
        return err_unknown_container;
    }
    *file = fp;
    return exif_ok;
}

int create_new_jpeg_file(const char *beside, char *new_name, FILE **file)
{
    // A name taken in the meantime (by chance or on purpose) gives way to another.
    constexpr int max_tries = 100;
    int fd = -1;
    for (int i = 0; i < max_tries && fd < 0; i++) {
        create_new_file_name(beside, new_name);
        fd = open(new_name, O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    FILE *fp = fd >= 0 ? fdopen(fd, "wb+") : nullptr;
    if (fp == nullptr) {
        const int saved = errno;
        if (fd >= 0) {
            close(fd);
            unlink(new_name);
        }
        errno = saved;
        report_open_failure(beside);
        return err_cant_open;
    }
    make_unbuffered(fp);
    *file = fp;
    return write_u_int2(fp, jpeg_mark_soi);
}

int close_jpeg_file(FILE *file)
{
    if (fclose(file) == 0)
        return 0;
    fprintf(stderr, "Error closing file: %s\n", strerror(errno));
    return EOF;
}

int file_copy_with_offset(FILE *source, long source_offset, FILE *destination, long destination_offset, uint64_t length)
{
    int rc = seek_to_offset(source, source_offset);
    if (rc == exif_ok)
        rc = seek_to_offset(destination, destination_offset);
    if (rc == exif_ok)
        rc = file_copy(source, destination, length);
    return rc;
}

int file_copy(FILE *source, FILE *destination, uint64_t length)
{
    const bool to_end = length == 0;
    uint64_t remaining = to_end ? 0x7FFFFFFF : length;
    int result = exif_ok;
    while (remaining > 0 && result == exif_ok) {
        const size_t wanted = std::min<size_t>(remaining, sizeof copy_buffer);
        const size_t got = fread(copy_buffer, 1, wanted, source);
        if (got < wanted) {
            if (!to_end) {
                // A partial thumbnail is worse than none: this pass is dropped.
                result = err_end_of_buffer;
                break;
            }
            remaining = got;
        }
        const size_t written = fwrite(copy_buffer, 1, got, destination);
        if (written < got) {
            fprintf(stderr, "Error: Data truncated if file write\n");
            result = err_write_failed;
        } else {
            remaining -= written;
        }
    }
    trace("file_copy returning %d\n", result);
    return result;
}

int seek_to_offset(FILE *file, long offset)
{
    if (fseek(file, offset, SEEK_SET) != 0) {
        trace("Seek to offset %ld failed: %s\n", offset, strerror(errno));
        return err_seek_failed;
    }
    return exif_ok;
}

int seek_to_first_mark(FILE *file) { return seek_to_offset(file, 2); }

namespace {

// The segment walk over a stream.
struct stream_segments {
    FILE *file;
    int read_mark(uint32_t *mark)
    {
        uint16_t value = 0;
        int rc = read_u_int2(file, &value);
        *mark = value;
        return rc;
    }
    int read_length(uint32_t mark, uint32_t *length)
    {
        uint16_t value = 0;
        int rc = read_u_int2(file, &value);
        *length = value;
        if (rc == exif_ok)
            trace("Skipping segment 0x%04x of length %u\n", mark, value);
        return rc;
    }
    int move_to(int64_t offset)
    {
        return fseek(file, static_cast<long>(offset), SEEK_SET) == 0 ? exif_ok : err_seek_failed;
    }
    static bool stops_at(uint32_t mark) { return mark == jpeg_mark_app1 || mark == jpeg_mark_sos; }
};

}  // namespace

int seek_to_exif_data(FILE *file, uint16_t *length)
{
    int rc = seek_to_first_mark(file);
    if (rc != exif_ok)
        return rc;
    stream_segments segments{file};
    int64_t segment = 2;
    uint32_t mark = 0;
    rc = walk_jpeg_segments(segments, &segment, &mark);
    if (rc != exif_ok)
        return rc;
    if (mark != jpeg_mark_app1)
        return err_no_exif;
    return read_u_int2(file, length);
}

int read_u_int2(FILE *file, uint16_t *value)
{
    unsigned char b[2];
    if (fread(b, 1, sizeof b, file) < sizeof b)
        return err_end_of_buffer;
    *value = static_cast<uint16_t>(b[0] << 8 | b[1]);
    return exif_ok;
}

int read_u_int4(FILE *file, uint32_t *value)
{
    unsigned char b[4];
    if (fread(b, 1, sizeof b, file) < sizeof b)
        return err_end_of_buffer;
    *value =
        static_cast<uint32_t>(b[0]) << 24 | static_cast<uint32_t>(b[1]) << 16 | static_cast<uint32_t>(b[2]) << 8 | b[3];
    return exif_ok;
}

int write_u_int2(FILE *file, uint16_t value)
{
    const unsigned char b[2] = {static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
    if (fwrite(b, 1, sizeof b, file) < sizeof b) {
        fprintf(stderr, "Error: Data truncated in file write\n");
        return err_write_failed;
    }
    return exif_ok;
}

int write_u_int4(FILE *file, uint32_t value)
{
    const unsigned char b[4] = {static_cast<unsigned char>(value >> 24), static_cast<unsigned char>(value >> 16),
                                static_cast<unsigned char>(value >> 8), static_cast<unsigned char>(value)};
    if (fwrite(b, 1, sizeof b, file) < sizeof b) {
        fprintf(stderr, "Error: Data truncated if file write\n");
        return err_write_failed;
    }
    return exif_ok;
}

int write_at_offset(FILE *file, const char *name, const void *bytes, size_t size, long offset)
{
    if (fseek(file, offset, SEEK_SET) != 0) {
        fprintf(stderr, "Error: Seek failed for file write %s: %s\n", name, strerror(errno));
        return err_seek_failed;
    }
    // Counted in bytes, so that an empty block counts as written.
    if (fwrite(bytes, 1, size, file) != size) {
        fprintf(stderr, "Error: Write failed for %s at offset %ld: %s\n", name, offset, strerror(errno));
        return err_write_failed;
    }
    return exif_ok;
}

int file_exists(const char *path)
{
    struct stat st;
    if (stat(path, &st) != 0 && errno == ENOENT)
        return 0;
    return 1;
}
