// Apple maker notes: the names of the settings' values, by group and tag.
#include "exif/format/note_values.h"
#include "exif/ifd_types.h"

namespace {

using labels::tag_values;
using labels::value_label;

// clang-format off
constexpr value_label apple_ae_stable[] = {
    {0x0, "No"},
    {0x1, "Yes"},
};
constexpr value_label apple_af_stable[] = {
    {0x0, "No"},
    {0x1, "Yes"},
};
constexpr value_label apple_hdr_image_type[] = {
    {0x3, "HDR Image"},
    {0x4, "Original Image"},
};
constexpr value_label apple_front_facing_camera[] = {
    {0x0, "No"},
    {0x1, "Yes"},
};
constexpr tag_values apple_tags[] = {
    {0x0004, apple_ae_stable, "%d"},
    {0x0007, apple_af_stable, "%d"},
    {0x000a, apple_hdr_image_type, "%d"},
    {0x0045, apple_front_facing_camera, "%d"},
};
// clang-format on

constexpr group_values groups[] = {
    {ifd_type_mn_apple, apple_tags},
};

}  // namespace

void format_note_apple(const walked_entry &value, char *text) { format_note_number(value, groups, text); }
