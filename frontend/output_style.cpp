#include "frontend/options.h"
#include "frontend/outputs.h"

void output_fields(const ifd_field_store *store)
{
    if (opts.thumbnail_mode)
        (void)extract_thumbnail(store);  // it reports its own failures; the run goes on
    else if (opts.list_output)
        print_field_list(store);
    else if (opts.sql_output)
        print_field_sql(store);
    else
        print_exif_fields(store);
}
