#include "frontend/extended_option.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

bool has_extended_option(int argc, char *argv[], const char *letters)
{
    // A leading '-' has getopt hand back the other arguments in place instead
    // of moving them behind the options, as the real reading does.
    char in_order[64] = "-";
    if (strlen(letters) + 2 > sizeof in_order)
        return false;
    strcat(in_order, letters);
    // Where options end at the first other argument, the scan ends there too.
    const bool stop_at_argument = getenv("POSIXLY_CORRECT") != nullptr;
    const int saved_opterr = opterr;
    opterr = 0;
    optind = 0;
    bool found = false;
    int c;
    while (!found && (c = getopt(argc, argv, in_order)) != -1) {
        if (c == 1 && stop_at_argument)
            break;
        found = c == 'e';
    }
    opterr = saved_opterr;
    return found;
}
