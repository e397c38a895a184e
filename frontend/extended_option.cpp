#include "frontend/extended_option.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

// The last option that `pick` gives a non-zero result for, read as the real
// reading does, or 0.
template <typename Pick>
int scan_options(int argc, char *argv[], const char *letters, Pick pick)
{
    // A leading '-' has getopt hand back the other arguments in place instead
    // of moving them behind the options, as the real reading does.
    char in_order[64] = "-";
    if (strlen(letters) + 2 > sizeof in_order)
        return 0;
    strcat(in_order, letters);
    // Where options end at the first other argument, the scan ends there too.
    const bool stop_at_argument = getenv("POSIXLY_CORRECT") != nullptr;
    const int saved_opterr = opterr;
    opterr = 0;
    optind = 0;
    int found = 0;
    int c;
    while ((c = getopt(argc, argv, in_order)) != -1) {
        if (c == 1 && stop_at_argument)
            break;
        if (const int picked = pick(c, optarg))
            found = picked;
    }
    opterr = saved_opterr;
    return found;
}

}  // namespace

bool has_extended_option(int argc, char *argv[], const char *letters)
{
    return scan_options(argc, argv, letters, [](int c, const char *) { return c == 'e' ? 1 : 0; }) != 0;
}

int typed_output_option(int argc, char *argv[], const char *letters)
{
    return scan_options(argc, argv, letters, [](int c, const char *arg) {
        if (c != 'o' || arg == nullptr)
            return 0;
        return arg[0] == 'j' || arg[0] == 'J' ? 'j' : arg[0] == 'd' || arg[0] == 'D' ? 'd' : 0;
    });
}
