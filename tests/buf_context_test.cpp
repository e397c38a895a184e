// Reading numbers from the in-memory window: byte orders, signs, rationals and
// the exact bounds at which a read, skip or write ends the run.
#include <gtest/gtest.h>

#include <cstring>

#include "exif/buf_context.h"
#include "exif/exif_options.h"

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

TEST(BufContext, AssemblesNumbersInEitherByteOrder)
{
    for (int motorola : {0, 1}) {
        window w(motorola);
        w.bytes[0] = 0x34;
        w.bytes[1] = 0x12;
        EXPECT_EQ(get_u_int2(&w.ctx), motorola ? 0x3412u : 0x1234u);
        w.at(0);
        EXPECT_EQ(get_u_int2_mm(&w.ctx), 0x3412u) << "markers are always big-endian";
        const unsigned char four[4] = {0x01, 0x02, 0x03, 0x04};
        memcpy(w.bytes + 4, four, 4);
        w.at(4);
        EXPECT_EQ(get_u_int4(&w.ctx), motorola ? 0x01020304u : 0x04030201u);
        EXPECT_EQ(w.ctx.buf_p, w.bytes + 8);
    }
}

TEST(BufContext, SignedReadsSignExtend)
{
    window w(1);
    w.bytes[0] = 0xFF;
    w.bytes[1] = 0xFE;
    EXPECT_EQ(get_int2(&w.ctx), -2);
    w.at(0);
    EXPECT_EQ(get_u_int2(&w.ctx), 65534u);
    memset(w.bytes + 4, 0xFF, 4);
    w.at(4);
    EXPECT_EQ(get_int4(&w.ctx), -1);
    w.at(4);
    EXPECT_EQ(get_u_int4(&w.ctx), 4294967295u);
}

TEST(BufContext, RationalsAndTheirFractionalFlag)
{
    struct { int32_t num, den; float value; int fractional; } cases[] = {
        {1, 3, 1.0f / 3.0f, 1}, {5, 1, 5.0f, 0}, {4, 2, 2.0f, 1}, {7, 0, 0.0f, 0}, {7, -2, 0.0f, 0},
    };
    for (const auto &c : cases) {
        window w(0);
        w.ctx.buf_p = w.bytes;
        put_u_int4(&w.ctx, static_cast<uint32_t>(c.num));
        put_u_int4(&w.ctx, static_cast<uint32_t>(c.den));
        w.at(0);
        int fractional = -1;
        EXPECT_FLOAT_EQ(get_float(&w.ctx, &fractional), c.value) << c.num << "/" << c.den;
        EXPECT_EQ(fractional, c.fractional) << c.num << "/" << c.den;
    }
}

TEST(BufContext, WritersMirrorReaders)
{
    for (int motorola : {0, 1}) {
        window w(motorola);
        put_u_int2(&w.ctx, 0xBEEF);
        put_u_int4(&w.ctx, 0xCAFEF00D);
        put_u_int2_mm(&w.ctx, 0x1234);
        put_bytes(&w.ctx, "ab", 2);
        w.at(0);
        EXPECT_EQ(get_u_int2(&w.ctx), 0xBEEFu);
        EXPECT_EQ(get_u_int4(&w.ctx), 0xCAFEF00Du);
        EXPECT_EQ(w.bytes[6], 0x12);
        EXPECT_EQ(w.bytes[7], 0x34);
        EXPECT_EQ(memcmp(w.bytes + 8, "ab", 2), 0);
    }
}

TEST(BufContext, ReadsUpToTheLastByteAndNoFurther)
{
    window w;
    w.at(14);
    EXPECT_EQ(get_u_int2(&w.ctx), 0u) << "two bytes left";
    w.at(12);
    EXPECT_EQ(get_u_int4(&w.ctx), 0u) << "four bytes left";
    w.at(15);
    EXPECT_EXIT(get_u_int2(&w.ctx), testing::ExitedWithCode(8), read_past_end);
    w.at(13);
    EXPECT_EXIT(get_int4(&w.ctx), testing::ExitedWithCode(8), read_past_end);
    w.at(12);
    EXPECT_EXIT({ int f; get_float(&w.ctx, &f); }, testing::ExitedWithCode(8), read_past_end);
}

TEST(BufContext, SkipsAndWritesStopAtTheEnd)
{
    window w;
    w.at(16);
    skip_bytes(&w.ctx, 0);
    EXPECT_EQ(w.ctx.buf_p, w.bytes + 16) << "skipping nothing at the very end is allowed";
    w.at(10);
    skip_bytes(&w.ctx, 6);
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
    w.ctx.offset_base = w.bytes + 4;
    EXPECT_EQ(set_exif_context_p_by_offset(&w.ctx, 10), 0);
    EXPECT_EQ(w.ctx.buf_p, w.bytes + 14);
    EXPECT_EQ(set_exif_context_p_by_offset(&w.ctx, 11), 8) << "the last byte itself is refused";
    EXPECT_EQ(set_exif_context_p_by_offset(&w.ctx, 0xFFFFFFFFu), 8) << "no wrap-around";
}

TEST(BufContext, FileOffsetsCountFromTheWindowAndTheBase)
{
    window w;
    w.ctx.file_offset = 1000;
    w.ctx.offset_base = w.bytes + 12;
    w.at(5);
    EXPECT_EQ(get_file_offset(&w.ctx), 1005);
    EXPECT_EQ(calc_file_offset(&w.ctx, 8), 1020);
}

TEST(ZeroFill, ReplacesOnlyLeadingBlanks)
{
    char padded[] = "  5.3";
    zero_fill(padded);
    EXPECT_STREQ(padded, "005.3");
    char inner[] = "5 3 ";
    zero_fill(inner);
    EXPECT_STREQ(inner, "5 3 ");
    char blanks[] = "   ";
    zero_fill(blanks);
    EXPECT_STREQ(blanks, "000");
}

}  // namespace
