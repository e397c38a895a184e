// Revision identification of the support library (shown by -v and -d).
#pragma once

extern const char support_rcs_id[];
