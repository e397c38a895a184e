#include "frontend/read_ahead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Files found cached in a row before hints are given to one file in cached_sample_interval only.
constexpr int cached_run_before_sampling = 64;
constexpr int cached_sample_interval = 64;

int cached_in_a_row;
int skipped_since_sample;

// Whether this file is to be looked at: all are while files are found
// uncached, a sample once a run of them was found cached.
bool worth_a_look()
{
    if (cached_in_a_row < cached_run_before_sampling)
        return true;
    if (++skipped_since_sample < cached_sample_interval)
        return false;
    skipped_since_sample = 0;
    return true;
}

// True when the first bytes of the file are in the page cache: a read that
// must not wait for the storage succeeds.
bool start_is_cached(int fd)
{
    char byte;
    iovec one{&byte, 1};
    return preadv2(fd, &one, 1, 0, RWF_NOWAIT) >= 0 || errno != EAGAIN;
}

}  // namespace

void hint_file(int dir_fd, const char *name, bool known_regular)
{
    if (!worth_a_look())
        return;
    struct stat st;
    if (!known_regular && (fstatat(dir_fd, name, &st, 0) != 0 || !S_ISREG(st.st_mode)))
        return;
    // Not following a link that was put in place of the entry since, nor
    // waiting on anything that is not a regular file after all.
    int fd = openat(dir_fd, name, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC | (known_regular ? O_NOFOLLOW : 0));
    if (fd < 0)
        return;
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
        if (start_is_cached(fd)) {
            if (cached_in_a_row < cached_run_before_sampling)
                cached_in_a_row++;
        } else {
            cached_in_a_row = 0;
            posix_fadvise(fd, 0, read_ahead_bytes, POSIX_FADV_WILLNEED);
        }
    }
    close(fd);
}

void argument_read_ahead::before(int index)
{
    if (hinted_ <= index)
        hinted_ = index + 1;  // the argument itself is read now
    for (; hinted_ < count_ && hinted_ <= index + read_ahead_files; hinted_++)
        hint_file(dir_fd_, args_[hinted_], false);
}

void entry_read_ahead::finish()
{
    if (dir_ != nullptr)
        closedir(dir_);
    dir_ = nullptr;
    done_ = true;
}

void entry_read_ahead::before(long index)
{
    if (done_)
        return;
    if (dir_ == nullptr) {
        dir_ = opendir(".");
        if (dir_ == nullptr) {
            done_ = true;
            return;
        }
        read_ = 0;
    }
    while (read_ <= index + read_ahead_files) {
        const dirent *entry = readdir(dir_);
        if (entry == nullptr) {
            done_ = true;
            closedir(dir_);
            dir_ = nullptr;
            return;
        }
        if (read_++ > index && entry->d_type == DT_REG)  // the walk's own entry is read now
            hint_file(dirfd(dir_), entry->d_name, true);
    }
}
