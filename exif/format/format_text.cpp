#include "exif/format/format_text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "exif/format/text_printf.h"

format_text::format_text(char *buf) : buf_(buf), len_(strnlen(buf, format_text_limit)) { buf_[len_] = '\0'; }

void format_text::append(const char *piece, size_t n)
{
    size_t room = format_text_limit - len_;
    if (n > room) {
        n = room;
        cut_ = true;
    }
    memcpy(buf_ + len_, piece, n);
    len_ += n;
    buf_[len_] = '\0';
}

void format_text::append(const char *piece) { append(piece, strlen(piece)); }

void format_text::appendf(const char *fmt, ...)
{
    // Formatted in place, cut where the text's room ends.
    va_list ap;
    va_start(ap, fmt);
    int n = format_bounded(buf_ + len_, format_text_limit - len_ + 1, fmt, ap);
    va_end(ap);
    if (n > 0) {
        cut_ = cut_ || static_cast<size_t>(n) > format_text_limit - len_;
        len_ += strnlen(buf_ + len_, static_cast<size_t>(n));
    }
    buf_[len_] = '\0';
}

void format_text::cut_back(size_t length)
{
    if (length < len_) {
        len_ = length;
        buf_[len_] = '\0';
    }
}
