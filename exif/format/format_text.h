// Bounded assembly of a formatter's text: at most 499 characters, cut without
// a mark (a formatter that wants one asks whether the text was cut).
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
    // True once an append was shortened at the limit.
    bool cut() const { return cut_; }
    // Shortens the text to its first `length` characters.
    void cut_back(size_t length);

private:
    char *buf_;
    size_t len_;
    bool cut_ = false;
};

// What ends a list of values cut at the limit, in extended reading.
constexpr char cut_mark[] = " ...";
constexpr size_t cut_mark_length = sizeof cut_mark - 1;
