#include "support/text_copy.h"

#include <cstring>

void copy_text(char *dst, size_t size, const char *src)
{
    if (size == 0)
        return;
    size_t n = strnlen(src, size - 1);
    memcpy(dst, src, n);
    dst[n] = '\0';
}

void append_text(char *dst, size_t size, const char *src)
{
    if (size == 0)
        return;
    size_t used = strnlen(dst, size - 1);
    copy_text(dst + used, size - used, src);
}
