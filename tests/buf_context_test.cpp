// Reading numbers from the in-memory window: byte orders, signs and
// the exact bounds at which a read, skip or write ends the run.
#include <gtest/gtest.h>

#include <cstring>

#include "exif/buf_context.h"

namespace {

struct window {
    unsigned char bytes[16] = {};
    buf_context ctx{};
    explicit window(int motorola = 0)
    {
        init_buf_context(&ctx, nullptr, bytes, sizeof bytes, 0);
        ctx.motorola_order = motorola;
        ctx.offset_base = bytes;
    }
    void at(int index) { ctx.buf_p = bytes + index; }
};

const char *const read_past_end = "Error: Attempt to read past end of buffer, exiting\n";

TEST(BufContext, ReadsInEitherByteOrder)
{
    for (int motorola : {0, 1}) {
        window w(motorola);
        const unsigned char stored[] = {0x34, 0x12, 0xFF, 0xFE, 0x01, 0x02, 0x03, 0x04, 0xFF, 0xFF, 0xFF, 0xFF};
        memcpy(w.bytes, stored, sizeof stored);
        EXPECT_EQ(get_u_int2(&w.ctx), motorola ? 0x3412u : 0x1234u);
        EXPECT_EQ(get_int2(&w.ctx), motorola ? -2 : -257);
        EXPECT_EQ(get_u_int4(&w.ctx), motorola ? 0x01020304u : 0x04030201u);
        EXPECT_EQ(get_int4(&w.ctx), -1);
        EXPECT_EQ(w.ctx.buf_p, w.bytes + 12);
        w.at(0);
        EXPECT_EQ(get_u_int2_mm(&w.ctx), 0x3412u) << "markers are always big-endian";

        // The writers are the readers' mirror image.
        w.at(0);
        put_u_int2(&w.ctx, 0x1234);
        put_u_int4(&w.ctx, 0x01020304);
        put_u_int2_mm(&w.ctx, 0xFFE1);
        put_bytes(&w.ctx, "ab", 2);
        w.at(0);
        EXPECT_EQ(get_u_int2(&w.ctx), 0x1234u);
        EXPECT_EQ(get_u_int4(&w.ctx), 0x01020304u);
        EXPECT_EQ(get_u_int2_mm(&w.ctx), 0xFFE1u);
        EXPECT_EQ(memcmp(w.ctx.buf_p, "ab", 2), 0);
    }
}

TEST(BufContext, ReadsSkipsAndWritesGoUpToTheLastByteAndNoFurther)
{
    window w;
    w.at(14);
    EXPECT_EQ(get_u_int2(&w.ctx), 0u);
    w.at(12);
    EXPECT_EQ(get_u_int4(&w.ctx), 0u);
    skip_bytes(&w.ctx, 0);
    EXPECT_EQ(w.ctx.buf_p, w.bytes + 16) << "skipping nothing at the very end is allowed";
    w.at(15);
    EXPECT_EXIT(get_u_int2(&w.ctx), testing::ExitedWithCode(8), read_past_end);
    w.at(13);
    EXPECT_EXIT(get_int4(&w.ctx), testing::ExitedWithCode(8), read_past_end);
    w.at(12);
    EXPECT_EXIT(
        {
            int f;
            get_float(&w.ctx, &f);
        },
        testing::ExitedWithCode(8), read_past_end);
    w.at(10);
    EXPECT_EXIT(skip_bytes(&w.ctx, 7), testing::ExitedWithCode(8),
                "Error: Attempt to skip past end of buffer, exiting\n");
    w.at(14);
    EXPECT_EXIT(put_u_int4(&w.ctx, 1), testing::ExitedWithCode(8),
                "Error: Attempt to write past end of buffer, exiting\n");
}

TEST(BufContext, OffsetsMustLieStrictlyBeforeTheLastByte)
{
    window w;
    w.ctx.file_offset = 1000;
    w.ctx.offset_base = w.bytes + 4;
    EXPECT_EQ(set_exif_context_p_by_offset(&w.ctx, 10), 0);
    EXPECT_EQ(w.ctx.buf_p, w.bytes + 14);
    EXPECT_EQ(get_file_offset(&w.ctx), 1014);
    EXPECT_EQ(calc_file_offset(&w.ctx, 8), 1012);
    EXPECT_EQ(set_exif_context_p_by_offset(&w.ctx, 11), 8) << "the last byte itself is refused";
    EXPECT_EQ(set_exif_context_p_by_offset(&w.ctx, 0xFFFFFFFFu), 8) << "no wrap-around";
}

// A window whose bytes from 4 on are read only when a reader reaches them, up to where it needs.
unsigned char file_bytes[16], *tail_window;
void load_tail(const unsigned char *needed_end)
{
    memcpy(tail_window + 4, file_bytes + 4, static_cast<size_t>(needed_end - tail_window - 4));
    clear_window_tail();
}

TEST(BufContext, EveryReaderAndSkipLoadsTheWindowTailItPasses)
{
    for (unsigned char i = 0; i < sizeof file_bytes; i++)
        file_bytes[i] = static_cast<unsigned char>(0xA0 + i);
    const std::pair<const char *, void (*)(buf_context *)> passes[] = {
        {"skip", [](buf_context *ctx) { skip_bytes(ctx, 8); }},  // then looked at in place
        {"read",
         [](buf_context *ctx) {
             get_u_int4(ctx);
             get_u_int4(ctx);
         }},
        {"bytes", [](buf_context *ctx) { ctx->buf_p += buf_bytes(ctx, 8); }},
    };
    for (const auto &[what, pass] : passes) {
        window w;
        memcpy(w.bytes, file_bytes, 4);
        tail_window = w.bytes;
        set_window_tail(w.bytes + 4, w.bytes + sizeof w.bytes, load_tail);
        pass(&w.ctx);
        EXPECT_EQ(w.ctx.buf_p, w.bytes + 8) << what;
        EXPECT_EQ(memcmp(w.bytes, file_bytes, 8), 0) << what;
        clear_window_tail();
    }
}

}  // namespace
