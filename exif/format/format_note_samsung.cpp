// Samsung maker notes: the names of the settings' values, by group and tag.
#include "exif/format/note_values.h"
#include "exif/ifd_types.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label samsung_device_type[] = {
    {0x1000, "Compact Digital Camera"},
    {0x2000, "High-end NX Camera"},
    {0x3000, "HXM Video Camera"},
    {0x12000, "Cell Phone"},
    {0x300000, "SMX Video Camera"},
};
constexpr value_label samsung_samsung_model_id[] = {
    {0x100101c, "NX10"},
    {0x1001226, "HMX-S15BP"},
    {0x1001233, "HMX-Q10"},
    {0x1001234, "HMX-H304"},
    {0x100130c, "NX100"},
    {0x1001327, "NX11"},
    {0x170104b, "ES65, ES67 / VLUU ES65, ES67 / SL50"},
    {0x170104e, "ES70, ES71 / VLUU ES70, ES71 / SL600"},
    {0x1701052, "ES73 / VLUU ES73 / SL605"},
    {0x1701055, "ES25, ES27 / VLUU ES25, ES27 / SL45"},
    {0x1701300, "ES28 / VLUU ES28"},
    {0x1701303, "ES74,ES75,ES78 / VLUU ES75,ES78"},
    {0x2001046, "PL150 / VLUU PL150 / TL210 / PL151"},
    {0x2001048, "PL100 / TL205 / VLUU PL100 / PL101"},
    {0x2001311, "PL120,PL121 / VLUU PL120,PL121"},
    {0x2001315, "PL170,PL171 / VLUUPL170,PL171"},
    {0x200131e, "PL210, PL211 / VLUU PL210, PL211"},
    {0x2701317, "PL20,PL21 / VLUU PL20,PL21"},
    {0x2a0001b, "WP10 / VLUU WP10 / AQ100"},
    {0x3000000, "Various Models (0x3000000)"},
    {0x3a00018, "Various Models (0x3a00018)"},
    {0x400101f, "ST1000 / ST1100 / VLUU ST1000 / CL65"},
    {0x4001022, "ST550 / VLUU ST550 / TL225"},
    {0x4001025, "Various Models (0x4001025)"},
    {0x400103e, "VLUU ST5500, ST5500, CL80"},
    {0x4001041, "VLUU ST5000, ST5000, TL240"},
    {0x4001043, "ST70 / VLUU ST70 / ST71"},
    {0x400130a, "Various Models (0x400130a)"},
    {0x400130e, "ST90,ST91 / VLUU ST90,ST91"},
    {0x4001313, "VLUU ST95, ST95"},
    {0x4a00015, "VLUU ST60"},
    {0x4a0135b, "ST30, ST65 / VLUU ST65 / ST67"},
    {0x5000000, "Various Models (0x5000000)"},
    {0x5001038, "Various Models (0x5001038)"},
    {0x500103a, "WB650 / VLUU WB650 / WB660"},
    {0x500103c, "WB600 / VLUU WB600 / WB610"},
    {0x500133e, "WB150 / WB150F / WB152 / WB152F / WB151"},
    {0x5a0000f, "WB5000 / HZ25W"},
    {0x5a0001e, "WB5500 / VLUU WB5500 / HZ50W"},
    {0x6001036, "EX1"},
    {0x700131c, "VLUU SH100, SH100"},
    {0x27127002, "SMX-C20N"},
};
constexpr value_label samsung_raw_data_byte_order[] = {
    {0x0, "Little-endian (Intel, II)"},
    {0x1, "Big-endian (Motorola, MM)"},
};
constexpr value_label samsung_white_balance_setup[] = {
    {0x0, "Auto"},
    {0x1, "Manual"},
};
constexpr value_label samsung_raw_data_cfa_pattern[] = {
    {0x0, "Unchanged"},
    {0x1, "Swap"},
    {0xffff, "Roll"},
};
constexpr value_label samsung_face_detect[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label samsung_face_recognition[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr value_label samsung_color_space[] = {
    {0x0, "sRGB"},
    {0x1, "Adobe RGB"},
};
constexpr value_label samsung_smart_range[] = {
    {0x0, "Off"},
    {0x1, "On"},
};
constexpr tag_values samsung_tags[] = {
    {0x0002, samsung_device_type, "%u"},
    {0x0003, samsung_samsung_model_id, "%u"},
    {0x0040, samsung_raw_data_byte_order, "%d"},
    {0x0041, samsung_white_balance_setup, "%u"},
    {0x0050, samsung_raw_data_cfa_pattern, "%d"},
    {0x0100, samsung_face_detect, "%d"},
    {0x0120, samsung_face_recognition, "%u"},
    {0xa011, samsung_color_space, "%d"},
    {0xa012, samsung_smart_range, "%d"},
};
constexpr value_label samsung_picture_wizard_picture_wizard_mode[] = {
    {0x0, "Standard"},
    {0x1, "Vivid"},
    {0x2, "Portrait"},
    {0x3, "Landscape"},
    {0x4, "Forest"},
    {0x5, "Retro"},
    {0x6, "Cool"},
    {0x7, "Calm"},
    {0x8, "Classic"},
    {0x9, "Custom1"},
    {0xa, "Custom2"},
    {0xb, "Custom3"},
    {0xff, "n/a"},
};
constexpr tag_values samsung_picture_wizard_tags[] = {
    {0x0000, samsung_picture_wizard_picture_wizard_mode, "%d"},
};
// clang-format on

constexpr group_values groups[] = {
    {ifd_type_mn_samsung, samsung_tags},
    {ifd_type_mn_samsung_picture_wizard, samsung_picture_wizard_tags},
};

}  // namespace

void format_note_samsung(const walked_entry &value, char *text) { format_note_number(value, groups, text); }
