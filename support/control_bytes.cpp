#include "support/control_bytes.h"

#include "support/utf8_text.h"

namespace {

constexpr char shown_instead = '?';

// A control byte, when it stands outside a valid UTF-8 sequence.
bool is_lone_control(unsigned char b) { return (b < 0x20 && b != '\t' && b != '\n') || (b >= 0x7F && b <= 0x9F); }

// Starts a sequence at lead byte b when b can begin a valid one.
bool begin_sequence(control_byte_filter *f, unsigned char b)
{
    const utf8_lead *lead = find_utf8_lead(b);
    if (lead == nullptr)
        return false;
    *f = {{b}, 1, static_cast<int>(lead->length), lead->second_low, lead->second_high};
    return true;
}

// The held bytes of a sequence that turned out invalid, each as a lone byte:
// the lead byte (0xC2 or above) is kept, continuation bytes 0x80-0x9F are not.
size_t release_held(control_byte_filter *f, char *out)
{
    size_t n = 0;
    for (int i = 0; i < f->held_count; i++)
        out[n++] = is_lone_control(f->held[i]) ? shown_instead : static_cast<char>(f->held[i]);
    f->held_count = 0;
    return n;
}

// A complete valid sequence: kept, unless it encodes a C1 control (U+0080-U+009F).
size_t release_sequence(control_byte_filter *f, char *out)
{
    size_t n = 0;
    if (f->held[0] == 0xC2 && f->held[1] <= 0x9F)
        out[n++] = shown_instead;
    else
        for (int i = 0; i < f->held_count; i++)
            out[n++] = static_cast<char>(f->held[i]);
    f->held_count = 0;
    return n;
}

}  // namespace

size_t filter_control_bytes(control_byte_filter *filter, const char *in, size_t n, char *out)
{
    size_t written = 0;
    for (size_t i = 0; i < n; i++) {
        const auto b = static_cast<unsigned char>(in[i]);
        if (filter->held_count > 0) {
            if (b >= filter->low && b <= filter->high) {
                filter->held[filter->held_count++] = b;
                filter->low = 0x80;
                filter->high = 0xBF;
                if (filter->held_count == filter->sequence_length)
                    written += release_sequence(filter, out + written);
                continue;
            }
            written += release_held(filter, out + written);
        }
        if (!begin_sequence(filter, b))
            out[written++] = is_lone_control(b) ? shown_instead : static_cast<char>(b);
    }
    return written;
}

size_t flush_control_byte_filter(control_byte_filter *filter, char *out) { return release_held(filter, out); }
