#include "exif/file_scan.h"

#include <cstring>

file_scan scan = {nullptr, &classic_reading, false, {nullptr, nullptr, 0, false, false, nullptr, 0}, {UINTPTR_MAX, 0, nullptr}, {}};

void begin_file_scan(const value_formatting &formatting, const reading_profile &profile)
{
    scan.formatting = &formatting;
    scan.profile = &profile;
    scan.overran = false;
    scan.window = {nullptr, nullptr, 0, false, false, nullptr, 0};
    scan.tail = {UINTPTR_MAX, 0, nullptr};
    forget_walked_ifds();
    scan.walk.entries_walked = 0;
    scan.walk.thumbnail_tags_kept = 0;
    scan.walk.maker_note = nullptr;
    scan.walk.note_trailer = {};
}

void forget_walked_ifds()
{
    walk_state &walk = scan.walk;
    if (walk.walks_noted > max_noted_walks)
        memset(walk.walked_ifds, 0, sizeof walk.walked_ifds);
    else
        for (int i = 0; i < walk.walks_noted; i++)
            walk.walked_ifds[walk.walked_bytes[i]] = 0;
    walk.walks_noted = 0;
    walk.far_walks = 0;
}
