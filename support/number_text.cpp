#include "support/number_text.h"

#include <cstring>

namespace {

constexpr size_t max_digits = 15;
constexpr size_t max_zeros_after_point = 3;

size_t digit_run(const char *p) { return strspn(p, "0123456789"); }

}  // namespace

bool number_keeps_text(const char *text)
{
    const char *p = text[0] == '-' ? text + 1 : text;
    const size_t whole = digit_run(p);
    if (whole == 0 || (whole > 1 && p[0] == '0'))
        return false;
    size_t fraction = 0;
    if (p[whole] == '.') {
        fraction = digit_run(p + whole + 1);
        const char *first = p + whole + 1;
        if (fraction == 0 || (fraction > 1 && first[fraction - 1] == '0'))
            return false;
        if (p[0] == '0' && strspn(first, "0") > max_zeros_after_point)
            return false;
    }
    const size_t end = whole + (fraction > 0 ? fraction + 1 : 0);
    if (p[end] != '\0' || whole + fraction > max_digits)
        return false;
    const bool zero = strspn(p, "0.") == end;
    return !(zero && p != text);
}
