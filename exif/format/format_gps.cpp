// Readable values of the GPS IFD: the version, positions in fixed zero-padded
// columns, and the time; every other GPS tag is rendered plainly.
#include "exif/format/format_text.h"
#include "exif/format/formatters.h"
#include "exif/tags.h"

namespace {

// Degrees take 2 columns in a latitude, 3 in a longitude. printf's zero flag
// pads each number on its own, after any sign, so a number wider than its
// column keeps the blank that separates it from the next.
constexpr int latitude_degree_width = 2;
constexpr int longitude_degree_width = 3;

// Minutes held with a fraction are shown to two places and the seconds left
// out; whole minutes are followed by the seconds.
void format_coordinate(buf_context *ctx, int degree_width, format_text &out)
{
    int degrees_fractional = 0;
    int minutes_fractional = 0;
    int seconds_fractional = 0;
    double degrees = get_float(ctx, &degrees_fractional);
    double minutes = get_float(ctx, &minutes_fractional);
    double seconds = get_float(ctx, &seconds_fractional);
    if (minutes_fractional)
        out.appendf("%0*.0f %05.2f", degree_width, degrees, minutes);
    else
        out.appendf("%0*.0f %02.0f %02.0f", degree_width, degrees, minutes, seconds);
}

void format_time(buf_context *ctx, format_text &out)
{
    int fractional = 0;
    double hours = get_float(ctx, &fractional);
    double minutes = get_float(ctx, &fractional);
    double seconds = get_float(ctx, &fractional);
    out.appendf("%2.0f:%2.0f:%2.0f", hours, minutes, seconds);
}

}  // namespace

void format_field_gps(buf_context *ctx, uint32_t tag, uint32_t data_type, uint32_t count, uint32_t, char *text)
{
    format_text out(text);
    switch (tag) {
    case tag::gps_version:  // four bytes, always within the entry's own value field
        if (buf_bytes(ctx, 4) < 4) {
            format_field_basic(ctx, data_type, count, text);
            break;
        }
        out.appendf("%u.%u.%u.%u", unsigned{ctx->buf_p[0]}, unsigned{ctx->buf_p[1]}, unsigned{ctx->buf_p[2]},
                    unsigned{ctx->buf_p[3]});
        break;
    case tag::gps_latitude:
    case tag::gps_dest_latitude:
        format_coordinate(ctx, latitude_degree_width, out);
        break;
    case tag::gps_longitude:
    case tag::gps_dest_longitude:
        format_coordinate(ctx, longitude_degree_width, out);
        break;
    case tag::gps_time:
        format_time(ctx, out);
        break;
    default:
        format_field_basic(ctx, data_type, count, text);
        break;
    }
}
