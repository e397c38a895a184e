#include "frontend/json_output.h"
#include "frontend/options.h"
#include "frontend/outputs.h"
#include "frontend/sql_script_output.h"
#include "frontend/typed_record.h"
#include "support/errors.h"

void output_fields(const ifd_field_store *store)
{
    if (opts.thumbnail_mode)
        (void)extract_thumbnail(store);  // it reports its own failures; the run goes on
    else if (opts.list_output)
        print_field_list(store);
    else if (opts.sql_output)
        print_field_sql(store);
    else if (opts.json_output)
        print_record_json(store, nullptr);
    else if (opts.sql_script)
        print_record_sql_script(store, nullptr);
    else
        print_exif_fields(store);
}

void output_failed_file(const ifd_field_store *store, int rc)
{
    if (opts.thumbnail_mode)
        return;
    if (opts.json_output)
        print_record_json(store, exif_strerror(rc));
    else if (opts.sql_script)
        print_record_sql_script(store, exif_strerror(rc));
}

void start_output()
{
    if (opts.json_output || opts.sql_script)
        prepare_typed_columns();
    if (opts.json_output)
        prepare_json_keys();
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
