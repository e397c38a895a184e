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
    // O_NONBLOCK is the only flag F_SETFL changes that the open set.
    FILE *file = nullptr;
    if (fcntl(fd, F_SETFL, 0) == 0)
        file = fdopen(fd, mode);
    if (file == nullptr) {
        const int saved = errno;
        close(fd);
        errno = saved;
    }
    return file;
}
