// Text made safe for a terminal: a file name or a text read from a photo may
// hold escape sequences that a terminal would act on (move the cursor, set the
// window title, ...). Each control character is shown as '?', as ls does.
//
// Control characters: C0 bytes other than tab and newline, DEL, bytes 0x80-0x9F
// that are not part of a valid UTF-8 sequence (8-bit C1 controls such as 0x9B,
// a CSI), and the C1 controls U+0080-U+009F written in UTF-8 (terminals in
// UTF-8 mode act on those too). Every other byte is kept, valid UTF-8 and
// stray bytes 0xA0-0xFF alike.
#pragma once
#include <cstddef>

// A UTF-8 sequence can be split between two pieces of output: its first bytes
// are held until the rest shows whether it is valid.
struct control_byte_filter {
    unsigned char held[4];
    int held_count;           // 0: no sequence begun
    int sequence_length;      // bytes of the begun sequence when complete
    unsigned char low, high;  // the range of its next byte
};

// Bytes that filter_control_bytes may write beyond the n it reads: a held
// sequence, released as lone bytes (at most three are ever held).
constexpr size_t control_filter_slack = sizeof control_byte_filter::held;

// Reads n bytes from in and writes the cleaned text to out (room for
// n + control_filter_slack bytes); returns the bytes written. Bytes of a
// sequence not yet complete are held in filter for the next call.
size_t filter_control_bytes(control_byte_filter *filter, const char *in, size_t n, char *out);
// Writes what is held at the end of the output (an unfinished sequence, shown
// as the stray bytes it is) to out (room for control_filter_slack bytes) and
// returns the bytes written.
size_t flush_control_byte_filter(control_byte_filter *filter, char *out);
