// Read-ahead for a first, uncached scan: while one file is read, the kernel
// is asked to start reading the first bytes of the next few, so that the
// storage serves many requests at once instead of one after the other. The
// program stays single-threaded: a hint is an open without waiting
// (O_NONBLOCK), posix_fadvise(WILLNEED) and a close. Files are still opened
// and read when their turn comes, so nothing that is printed changes.
//
// Hints cost an open and a close each, which buys nothing when the files are
// already in the page cache: a hint first asks, without waiting, whether the
// file's first bytes are cached (preadv2 with RWF_NOWAIT), and after a run of
// files found cached, only one file in cached_sample_interval is looked at,
// until one is found uncached again.
#pragma once
#include <dirent.h>

#include <cstddef>

// Files hinted ahead of the one being read.
constexpr int read_ahead_files = 64;
// Bytes hinted per file: the reader's first read and its first step, which
// hold the IFDs of nearly every camera's EXIF block (more costs more than it
// saves when the storage is the limit).
constexpr long read_ahead_bytes = 0x4000;

// Hints the regular file `name` (relative to the directory dir_fd, or
// AT_FDCWD). known_regular: the caller knows it is a regular file (a
// directory entry's type); otherwise its status is looked at first, and
// anything but a regular file is left alone.
void hint_file(int dir_fd, const char *name, bool known_regular);

// The arguments of a run, hinted read_ahead_files ahead of the one processed.
class argument_read_ahead {
public:
    argument_read_ahead(int dir_fd, char *const *args, int count) : dir_fd_(dir_fd), args_(args), count_(count) {}
    // Called before argument `index` is processed.
    void before(int index);

private:
    int dir_fd_;
    char *const *args_;
    int count_;
    int hinted_ = 0;  // arguments hinted so far
};

// The entries of a directory, hinted read_ahead_files ahead of the one the
// walk is at, through a second stream over the same directory. (Closed by
// finish rather than a destructor: the program has no unwinding to pay for.)
class entry_read_ahead {
public:
    // Called before the walk's entry number `index` (from 0) is processed.
    void before(long index);
    // Called when the walk leaves the directory.
    void finish();

private:
    DIR *dir_ = nullptr;
    bool done_ = false;
    long read_ = 0;  // entries read by the read-ahead stream
};
