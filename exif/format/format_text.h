// Bounded assembly of a formatter's text: at most 499 characters, cut without a mark.
#pragma once
#include <cstddef>

constexpr size_t format_text_limit = 499;

class format_text {
public:
    // Continues the text already in buf (formatters are handed an empty one).
    explicit format_text(char *buf);
    void append(const char *piece);
    void append(const char *piece, size_t n);
    // Appends printf-style, cut at the limit.
    void appendf(const char *fmt, ...) __attribute__((format(printf, 2, 3)));
    size_t length() const { return len_; }
    bool full() const { return len_ >= format_text_limit; }

private:
    char *buf_;
    size_t len_;
};
