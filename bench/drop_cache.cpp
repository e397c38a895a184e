// Drops the files of the folders named on the command line from the page
// cache (posix_fadvise DONTNEED, which needs no root), so that the next scan
// of them is a first one, read from the storage.
//   drop_cache FOLDER...
#include <fcntl.h>
#include <ftw.h>
#include <unistd.h>

#include <cstdio>

namespace {

int drop(const char *path, const struct stat *, int type, FTW *)
{
    if (type != FTW_F)
        return 0;
    int fd = open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        fdatasync(fd);  // pages not yet written (a tree just made) would stay
        posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
        close(fd);
    }
    return 0;
}

}  // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        fprintf(stderr, "usage: drop_cache FOLDER...\n");
        return 2;
    }
    for (int i = 1; i < argc; i++)
        if (nftw(argv[i], drop, 32, FTW_PHYS) != 0)
            perror(argv[i]);
    return 0;
}
