#include "support/open_for_reading.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

FILE *open_for_reading(const char *path, const char *mode)
{
    const bool update = strchr(mode, '+') != nullptr;
    int fd = open(path, (update ? O_RDWR : O_RDONLY) | O_NONBLOCK);
    if (fd < 0)
        return nullptr;
    // Only the open must not wait: reads of a slow pipe wait for its data.
    const int flags = fcntl(fd, F_GETFL);
    FILE *file = nullptr;
    if (flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0)
        file = fdopen(fd, mode);
    if (file == nullptr) {
        const int saved = errno;
        close(fd);
        errno = saved;
    }
    return file;
}
