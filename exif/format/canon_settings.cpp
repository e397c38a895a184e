// Canon settings arrays 1 and 4: one line per known position, the name padded
// to 15 characters so that the values stand in a column.
#include <span>

#include "exif/format/canon_arrays.h"
#include "exif/format/value_labels.h"

namespace {

using labels::value_label;

enum class line_kind {
    table,         // value table, else the fallback
    self_timer,    // 0 "Off", else tenths of a second
    flash_word,    // one word per bit set
    af_point_low,  // value table of the low 12 bits, else the fallback of the whole value
};

struct position_line {
    uint32_t position;
    const char *name;
    line_kind kind;
    std::span<const value_label> values;  // empty: the number itself, through the fallback
    const char *fallback;
};

// clang-format off
constexpr value_label macro_mode_labels[] = {
    {1, "Macro"},
    {2, "Normal"},
};
// clang-format on

// clang-format off
constexpr value_label flash_mode_labels[] = {
    {0, "NotFired"},
    {1, "Auto"},
    {2, "On"},
    {3, "RedEye"},
    {4, "SlowSynch"},
    {5, "Auto+RedEye"},
    {6, "On+RedEye"},
    {16, "External"},
};
// clang-format on

// clang-format off
constexpr value_label drive_mode_labels[] = {
    {0, "Single/Timer"},
    {1, "Continuous"},
};
// clang-format on

// clang-format off
constexpr value_label focus_mode_labels[] = {
    {0, "OneShot"},
    {1, "AIservo"},
    {2, "AIfocus"},
    {3, "MF"},
    {4, "Single"},
    {5, "Continuous"},
    {6, "MF"},
};
// clang-format on

// clang-format off
constexpr value_label image_size_labels[] = {
    {0, "Large"},
    {1, "Medium"},
    {2, "Small"},
};
// clang-format on

// clang-format off
constexpr value_label easy_shoot_labels[] = {
    {0, "FullAuto"},
    {1, "Manual"},
    {2, "Landscape"},
    {3, "FastShutter"},
    {4, "SlowShutter"},
    {5, "Night"},
    {6, "B&W"},
    {7, "Sepia"},
    {8, "Portrait"},
    {9, "Sports"},
    {10, "Macro"},
    {11, "PanFocus"},
};
// clang-format on

// Contrast, saturation and sharpness; 65535 is -1 as the camera stores it.
// clang-format off
constexpr value_label level_labels[] = {
    {0, "Normal"},
    {1, "High"},
    {65535, "Low"},
};
// clang-format on

// clang-format off
constexpr value_label iso_labels[] = {
    {0, "N/A"},
    {15, "Auto"},
    {16, "50"},
    {17, "100"},
    {18, "200"},
    {19, "400"},
};
// clang-format on

// clang-format off
constexpr value_label meter_mode_labels[] = {
    {3, "Evaluative"},
    {4, "Partial"},
    {5, "CenterWeighted"},
};
// clang-format on

// clang-format off
constexpr value_label af_point_labels[] = {
    {0x3000, "None"},
    {0x3001, "Auto"},
    {0x3002, "Right"},
    {0x3003, "Center"},
    {0x3004, "Left"},
};
// clang-format on

// clang-format off
constexpr value_label exposure_mode_labels[] = {
    {0, "EasyShoot"},
    {1, "Program"},
    {2, "TvPriority"},
    {3, "AvPriority"},
    {4, "Manual"},
    {5, "A-DEP"},
};
// clang-format on

// clang-format off
constexpr value_label focus_labels[] = {
    {0, "Single"},
    {1, "Continuous"},
};
// clang-format on

// clang-format off
constexpr position_line settings1_lines[] = {
    {1, "Macro Mode", line_kind::table, macro_mode_labels, "%d"},
    {2, "Self Timer", line_kind::self_timer, {}, ""},
    {4, "Flash Mode", line_kind::table, flash_mode_labels, "%d"},
    {5, "Drive Mode", line_kind::table, drive_mode_labels, "%d"},
    {7, "Focus Mode", line_kind::table, focus_mode_labels, "%d"},
    {10, "Image Size", line_kind::table, image_size_labels, "%d"},
    {11, "Easy Shoot", line_kind::table, easy_shoot_labels, "%d"},
    {13, "Contrast", line_kind::table, level_labels, "%d"},
    {14, "Saturation", line_kind::table, level_labels, "%d"},
    {15, "Sharpness", line_kind::table, level_labels, "%d"},
    {16, "ISO", line_kind::table, iso_labels, "Unknown %d"},
    {17, "Meter Mode", line_kind::table, meter_mode_labels, "%d"},
    {19, "AF Point", line_kind::table, af_point_labels, "0x%x"},
    {20, "Exposure Mode", line_kind::table, exposure_mode_labels, "Unknown 0x%x"},
    {23, "Focal Len Long", line_kind::table, {}, "%d"},
    {24, "Focal Len Short", line_kind::table, {}, "%d"},
    {25, "FocalUnitsPerMM", line_kind::table, {}, "%d"},
    {29, "Flash", line_kind::flash_word, {}, ""},
    {32, "Focus", line_kind::table, focus_labels, "%d"},
};
// clang-format on

// clang-format off
constexpr value_label white_balance_labels[] = {
    {0, "Auto"},
    {1, "Sunny"},
    {2, "Cloudy"},
    {3, "Tungsten"},
    {4, "Flourescent"},
    {5, "Flash"},
    {6, "Customs"},
};
// clang-format on

// Compared with the low 12 bits only: the high bits flag other things.
// clang-format off
constexpr value_label af_point_low_labels[] = {
    {0, "Right"},
    {1, "Center"},
    {2, "Left"},
};
// clang-format on

// Steps of 1/3 and 1/2 EV, negative ones as 16-bit two's complement.
// clang-format off
constexpr value_label flash_bias_labels[] = {
    {0x0000, "0.00EV"},
    {0x000C, "+0.33EV"},
    {0x0010, "+0.50EV"},
    {0x0014, "+0.67EV"},
    {0x0020, "+1.00EV"},
    {0x002C, "+1.33EV"},
    {0x0030, "+1.50EV"},
    {0x0034, "+1.67EV"},
    {0x0040, "+2.00EV"},
    {0xFFF4, "-0.33EV"},
    {0xFFF0, "-0.50EV"},
    {0xFFEC, "-0.67EV"},
    {0xFFE0, "-1.00EV"},
    {0xFFD4, "-1.33EV"},
    {0xFFD0, "-1.50EV"},
    {0xFFCC, "-1.67EV"},
    {0xFFC0, "-2.00EV"},
};
// clang-format on

// clang-format off
constexpr position_line settings4_lines[] = {
    {7, "White Balance", line_kind::table, white_balance_labels, "%d"},
    {9, "ContinBurstSeq", line_kind::table, {}, "%d"},
    {14, "AF Point", line_kind::af_point_low, af_point_low_labels, "0x%x"},
    {15, "Flash Bias", line_kind::table, flash_bias_labels, "0x%x"},
    {19, "Subject Dist", line_kind::table, {}, "%d"},
};
// clang-format on

struct flash_bit {
    uint32_t bit;
    const char *word;
};

// In the order the words are written; each word keeps its trailing blank.
// clang-format off
constexpr flash_bit flash_bits[] = {
    {0x4000, "External "},
    {0x2000, "Internal "},
    {0x0800, "FpSyncUsed "},
    {0x0080, "RearCurtainSync "},
    {0x0010, "FpSyncEnabled "},
};
// clang-format on

void append_flash_words(uint32_t v, format_text &out)
{
    if (v == 0) {
        out.append("None ");
        return;
    }
    for (const flash_bit &f : flash_bits)
        if (v & f.bit)
            out.append(f.word);
}

void append_value(const position_line &line, uint32_t v, format_text &out)
{
    switch (line.kind) {
    case line_kind::table:
        labels::append_value_text(out, line.values, v, line.fallback);
        break;
    case line_kind::self_timer:
        if (v == 0)
            out.append("Off");
        else
            out.appendf("%.1fsec", static_cast<double>(static_cast<float>(v) / 10.0f));
        break;
    case line_kind::flash_word:
        append_flash_words(v, out);
        break;
    case line_kind::af_point_low:
        if (const char *label = labels::find_label(line.values, v & 0x0FFF))
            out.append(label);
        else
            out.appendf(line.fallback, v);
        break;
    }
}

void append_settings(buf_context *ctx, uint32_t count, std::span<const position_line> lines, format_text &out)
{
    for_each_canon_position(ctx, count, [&](uint32_t position, uint32_t v) {
        for (const position_line &line : lines) {
            if (line.position == position) {
                out.appendf("%-15s: ", line.name);
                append_value(line, v, out);
                out.append("\n");
                return;
            }
        }
    });
}

}  // namespace

void append_canon_settings1(buf_context *ctx, uint32_t count, format_text &out)
{
    append_settings(ctx, count, settings1_lines, out);
}

void append_canon_settings4(buf_context *ctx, uint32_t count, format_text &out)
{
    append_settings(ctx, count, settings4_lines, out);
}
