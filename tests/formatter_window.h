// A value laid out at the start of a small in-memory window, in either byte
// order, handed to a per-IFD formatter the way the IFD walk hands it over.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "exif/buf_context.h"
#include "exif/format/formatters.h"

class formatter_window {
public:
    explicit formatter_window(bool motorola = false) : motorola_(motorola) {}

    formatter_window &u16(uint16_t v) { return number(v, 2); }
    formatter_window &u32(uint32_t v) { return number(v, 4); }
    formatter_window &rational(uint32_t num, uint32_t den) { return u32(num).u32(den); }
    formatter_window &srational(int32_t num, int32_t den)
    {
        return u32(static_cast<uint32_t>(num)).u32(static_cast<uint32_t>(den));
    }
    formatter_window &text(std::string_view s)
    {
        if (s.size() > sizeof bytes_ - used_)
            s = s.substr(0, sizeof bytes_ - used_);
        memcpy(bytes_ + used_, s.data(), s.size());
        used_ += s.size();
        return *this;
    }
    // The window ends right after the bytes written so far.
    formatter_window &end_here()
    {
        size_ = used_;
        return *this;
    }

    std::string format(ifd_formatter formatter, uint32_t tag, uint32_t data_type, uint32_t count)
    {
        buf_context ctx{};
        init_buf_context(&ctx, nullptr, bytes_, static_cast<int32_t>(size_), 0);
        ctx.motorola_order = motorola_ ? 1 : 0;
        ctx.offset_base = bytes_;
        char out[600];
        memset(out, 'X', sizeof out);
        out[0] = '\0';
        formatter(&ctx, tag, data_type, count, 0, out);
        cursor_ = static_cast<size_t>(ctx.buf_p - bytes_);
        return std::string(out, strnlen(out, sizeof out));
    }
    // Where the formatter left its context's cursor.
    size_t cursor() const { return cursor_; }

private:
    formatter_window &number(uint32_t v, int size)
    {
        for (int i = 0; i < size; i++) {
            if (used_ == sizeof bytes_)
                break;
            int shift = motorola_ ? 8 * (size - 1 - i) : 8 * i;
            bytes_[used_++] = static_cast<unsigned char>(v >> shift);
        }
        return *this;
    }

    bool motorola_;
    unsigned char bytes_[512] = {};
    size_t used_ = 0;
    size_t size_ = sizeof bytes_;
    size_t cursor_ = 0;
};
