// The version display (-v).
#pragma once

extern const char frontend_rcs_id[];
void display_version();
