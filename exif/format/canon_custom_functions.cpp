// Canon custom functions: each entry packs the function number (high byte)
// and its setting (low byte); one line per entry of a known function.
#include <span>

#include "exif/format/canon_arrays.h"
#include "exif/format/value_labels.h"

namespace {

using labels::value_label;

struct custom_function {
    uint32_t number;
    const char *name;
    std::span<const value_label> settings;
};

// clang-format off
constexpr value_label off_on[] = {
    {0, "Off"},
    {1, "On"},
};
// clang-format on

// clang-format off
constexpr value_label disabled_enabled[] = {
    {0, "Disabled"},
    {1, "Enabled"},
};
// clang-format on

// clang-format off
constexpr value_label enabled_disabled[] = {
    {0, "Enabled"},
    {1, "Disabled"},
};
// clang-format on

// clang-format off
constexpr value_label shutter_ae_lock_buttons[] = {
    {0, "AF/AE Lock"},
    {1, "AE Lock/AF"},
    {2, "AF/AF Lock"},
    {3, "AE+release/AE+AF"},
};
// clang-format on

// clang-format off
constexpr value_label exposure_level_steps[] = {
    {0, "1/2 Stop"},
    {1, "1/3 Stop"},
};
// clang-format on

// clang-format off
constexpr value_label af_assist_light[] = {
    {0, "On (Auto)"},
    {1, "Off"},
};
// clang-format on

// clang-format off
constexpr value_label av_mode_shutter_speed[] = {
    {0, "Automatic "},
    {1, "1/200 (fixed)"},
};
// clang-format on

// clang-format off
constexpr value_label aeb_sequence[] = {
    {0, "0,-,+ / Enabled"},
    {1, "0,-,+ / Disabled"},
    {2, "-,0,+ / Enabled"},
    {3, "-,0,+ / Disabled"},
};
// clang-format on

// clang-format off
constexpr value_label shutter_curtain_sync[] = {
    {0, "1st Curtain Sync"},
    {1, "2nd Curtain Sync"},
};
// clang-format on

// clang-format off
constexpr value_label lens_af_stop_button[] = {
    {0, "AF Stop"},
    {1, "Operate AF"},
    {2, "Lock AE and Start Timer"},
};
// clang-format on

// clang-format off
constexpr value_label menu_button_return[] = {
    {0, "Top"},
    {1, "Previous (volatile)"},
    {2, "Previous"},
};
// clang-format on

// clang-format off
constexpr value_label set_button_function[] = {
    {0, "Not Assigned"},
    {1, "Change Quality"},
    {2, "Change ISO Speed"},
    {3, "Select Parameters"},
};
// clang-format on

// clang-format off
constexpr custom_function custom_functions[] = {
    {1, "Long Exp. Noise Reduction", off_on},
    {2, "Shutter/AE-lock Buttons", shutter_ae_lock_buttons},
    {3, "Mirror Lockup", disabled_enabled},
    {4, "Tv/Av and Exposure Level", exposure_level_steps},
    {5, "AF Assist Light", af_assist_light},
    {6, "AV Mode Shutter Speed", av_mode_shutter_speed},
    {7, "AEB Seq/Auto Cancellation", aeb_sequence},
    {8, "Shutter Curtain Sync", shutter_curtain_sync},
    {9, "Lens AF Stop Func Switch", lens_af_stop_button},
    {10, "Auto Reduction Fill Flash", enabled_disabled},
    {11, "Menu Button Return Posn", menu_button_return},
    {12, "SET ButtonFunc when Shoot", set_button_function},
    {13, "Sensor Cleaning", disabled_enabled},
};
// clang-format on

const custom_function *find_function(uint32_t number)
{
    for (const custom_function &f : custom_functions)
        if (f.number == number)
            return &f;
    return nullptr;
}

}  // namespace

void append_canon_custom_functions(buf_context *ctx, uint32_t count, format_text &out)
{
    for_each_canon_position(ctx, count, [&](uint32_t, uint32_t v) {
        const custom_function *f = find_function(v >> 8);
        if (f == nullptr)
            return;
        out.appendf("%-25s: ", f->name);
        // An unknown setting shows the whole entry, function number included, after a 0.
        if (const char *setting = labels::find_label(f->settings, v & 0xFF))
            out.append(setting);
        else
            out.appendf("0%d", v);
        out.append("\n");
    });
}
