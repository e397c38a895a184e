// Casio, Olympus and FujiFilm maker notes read back from built files in both
// byte orders (FujiFilm's own Intel order inside a Motorola file included), and
// formatters called directly for what a file cannot reach.
#include <gtest/gtest.h>

#include "exif/format/formatters.h"
#include "exif/ifd_types.h"
#include "formatter_window.h"

using namespace readback;

namespace {

const camera qv2000ux{"CASIO", "QV-2000UX"}, qv8000sx{"CASIO", "QV-8000SX"};
const camera olympus{"OLYMPUS OPTICAL CO.,LTD", "C920Z,D450Z", olympus_header()};
const camera c2500l{"OLYMPUS OPTICAL CO.,LTD", "C2500L      ", olympus_header()};
const camera fujifilm{"FUJIFILM", "FinePix1400Zoom", fujifilm_header(), MakerLayout::FujiFilm};

class CasioOlympusFujiFilmNotes : public testing::TestWithParam<ByteOrder> {};

TEST_P(CasioOlympusFujiFilmNotes, DecodedValuesAndFallbacks)
{
    expect_texts(
        GetParam(),
        {
            {{shorts(0x0001, {10})}, "Night Scene", {&qv2000ux}},  // the settings share one lookup
            {{shorts(0x0001, {6})}, "Unknown value 6", {&qv2000ux}},
            {{shorts(0x0004, {3})}, "Off", {&qv2000ux}},  // flash mode codes depend on the model
            {{shorts(0x0004, {3})}, "Unknown value 3", {&qv8000sx}},
            {{shorts(0x0004, {4})}, "Off", {&qv8000sx}},
            {{longs(0x000a, {0x10001})}, "2X", {&qv8000sx}},
            {{longs(0x000a, {0x30000})}, "Unknown value 0x30000", {&qv8000sx}},
            {{longs(0x0011, {0x89ABCDEF})}, "2309737967 (0x89abcdef)", {&qv2000ux}},
            {{shorts(0x0201, {3})}, "SHQ", {&olympus}},
            {{shorts(0x0201, {4})}, "Unknown 4", {&olympus}},
            {{longs(0x0200, {2, 5, 1})}, "Fast, 5, Left to Right", {&olympus}},
            {{longs(0x0200, {0xFFFFFFFF, 0xFFFFFFFE, 0x80000000})}, "-1, -2, -2147483648", {&olympus}},
            {{longs(0x0200, {1, 3, 2})}, "Unknown, 3, Right to Left", {&c2500l}},
            {{undefined(0x0209, {'O', 'L', 'Y', 0, 'X', 'Y'})}, "OLY", {&olympus}},    // camera id: up to a zero byte,
            {{undefined(0x0209, Bytes(600, 'k'))}, std::string(499, 'k'), {&c2500l}},  // 499 characters
            // Out-of-line values are counted from the maker note's start.
            {{shorts(0x1001, {5}), srationals(0x1011, {{-1, 3}})}, "Hard|-0.33", {&fujifilm}},
            {{shorts(0x1001, {2})}, "Unknown 2", {&fujifilm}},
        });
}

INSTANTIATE_TEST_SUITE_P(ByteOrders, CasioOlympusFujiFilmNotes, both_orders(), order_name);

TEST(FormattersCalledDirectly, WhatNoBuiltFileReaches)
{
    // No file of another camera reaches the Casio formatter, and a small file never ends
    // the reader's window: a caller can do both.
    const struct {
        ifd_formatter formatter;
        std::string window;
        uint32_t tag, type, count, model;
        std::string text;
    } cases[] = {
        {format_field_casio, std::string("\3\0", 2), 0x0004, kShort, 1, model_generic, "Unknown model code 0"},
        {format_field_olymp, std::string(12, 'z'), 0x0209, kUndefined, 600, model_olympus, std::string(12, 'z')},
        {format_field_generic, std::string("ASCII\0\0\0Bye", 11), 0x9286, kUndefined, 400, model_generic, "Bye"},
    };
    for (const auto &c : cases) {
        std::vector<unsigned char> bytes(c.window.begin(), c.window.end());
        bytes.resize(bytes.size() + 600, '!');  // past the window: must not show
        buf_context ctx{};
        init_buf_context(&ctx, nullptr, bytes.data(), static_cast<int32_t>(c.window.size()), 0);
        ctx.offset_base = bytes.data();
        char text[500] = "";
        c.formatter(&ctx, c.tag, c.type, c.count, c.model, text);
        EXPECT_EQ(text, c.text) << std::hex << c.tag;
    }
}

}  // namespace
