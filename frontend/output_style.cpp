#include "frontend/json_output.h"
#include "frontend/options.h"
#include "frontend/outputs.h"
#include "frontend/sql_script_output.h"

void output_fields(const ifd_field_store *store)
{
    if (opts.thumbnail_mode)
        (void)extract_thumbnail(store);  // it reports its own failures; the run goes on
    else if (opts.list_output)
        print_field_list(store);
    else if (opts.sql_output)
        print_field_sql(store);
    else if (opts.json_output)
        print_field_json(store);
    else if (opts.sql_script)
        print_field_sql_script(store);
    else
        print_exif_fields(store);
}

void start_output()
{
    if (opts.list_output && opts.list_header)
        print_field_list_header();
    else if (opts.sql_script && !opts.thumbnail_mode)
        print_sql_script_start();
}

void end_output()
{
    if (opts.sql_script)
        print_sql_script_end();  // nothing unless the start was printed
}
