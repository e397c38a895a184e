#include "support/exif_date.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "support/run_options.h"
#include "support/text_copy.h"
#include "support/trace.h"

namespace {

constexpr size_t date_length = 19;  // YYYY:MM:DD HH:MM:SS
// One character more than a date, so that a longer text shows in the length check.
constexpr size_t date_copy_size = date_length + 2;

// Positions of the separators; each is cut to a terminator once checked, so
// that every number stands alone in the copy.
constexpr size_t year_at = 0, month_at = 5, day_at = 8, hour_at = 11, minute_at = 14, second_at = 17;
constexpr size_t date_colon_1 = 4, date_colon_2 = 7, separator_at = 10, time_colon_1 = 13, time_colon_2 = 16;

int refuse(const char *reason)
{
    trace("%s", reason);
    return 0;
}

int refuse_value(const char *format, int value)
{
    trace(format, value);
    return 0;
}

}  // namespace

int is_valid_exif_date(const char *text)
{
    char copy[date_copy_size];
    copy_text(copy, sizeof copy, text);
    const size_t length = strlen(copy);
    if (length != date_length)
        return refuse_value("Invalid date field length %d\n", static_cast<int>(length));
    if (copy[separator_at] != ' ')
        return refuse_value("Date/time separator '%c' is not a space\n", copy[separator_at]);
    if (copy[date_colon_1] != ':' || copy[date_colon_2] != ':')
        return refuse("Comons missing from date\n");
    copy[date_colon_1] = copy[date_colon_2] = copy[separator_at] = '\0';

    if (!all_numeric(copy + year_at))
        return refuse("Year is not numerics\n");
    if (!all_numeric(copy + month_at))
        return refuse("month is not numerics\n");
    const int month = atoi(copy + month_at);
    if (month < 1 || month > 12)
        return refuse_value("Month %d out of range\n", month);
    if (!all_numeric(copy + day_at))
        return refuse("Day is not numerics\n");
    const int day = atoi(copy + day_at);
    if (day < 1 || day > 31)
        return refuse_value("day %d out of range\n", day);

    if (copy[time_colon_1] != ':' || copy[time_colon_2] != ':')
        return refuse("Colons missing from time\n");
    copy[time_colon_1] = copy[time_colon_2] = '\0';
    if (!all_numeric(copy + hour_at))
        return refuse("hour not numeric\n");
    const int hour = atoi(copy + hour_at);
    if (hour > 23)
        return refuse_value("hour %d > 23\n", hour);
    if (!all_numeric(copy + minute_at))
        return refuse("minute not numeric\n");
    const int minute = atoi(copy + minute_at);
    if (minute > 59)
        return refuse_value("minute %d out of range\n", minute);
    if (!all_numeric(copy + second_at))
        return refuse("seconds not numeric\n");
    const int second = atoi(copy + second_at);
    if (second > 59)
        return refuse_value("seconds %d out of range\n", second);

    trace("Date validated %4d:%2d:%2d %2d:%2d:%2d\n", atoi(copy + year_at), month, day, hour, minute, second);
    return 1;
}

int all_numeric(const char *text)
{
    for (; *text != '\0'; text++)
        if (*text < '0' || *text > '9')
            return 0;
    return 1;
}
