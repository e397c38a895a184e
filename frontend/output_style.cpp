#include <cstdio>
#include <cstring>

#include "frontend/json_output.h"
#include "frontend/options.h"
#include "frontend/outputs.h"
#include "frontend/sql_script_output.h"
#include "frontend/typed_record.h"
#include "support/errors.h"
#include "support/text_copy.h"

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

void output_unreadable_path(const char *dir_name, const char *file_name, int error_number)
{
    if (opts.thumbnail_mode || !(opts.json_output || opts.sql_script))
        return;
    // A record of its path alone: no file name, so no size either.
    ifd_field_store &store = ifd_fields;
    store.count = 0;
    store.file_name[0] = '\0';
    copy_text(store.dir_name, sizeof store.dir_name, dir_name);
    copy_text(store.path_name, sizeof store.path_name, dir_name);
    if (dir_name[0] != '\0')
        append_text(store.path_name, sizeof store.path_name, "/");
    append_text(store.path_name, sizeof store.path_name, file_name);
    char message[160];
    snprintf(message, sizeof message, "can't determine file type: %s", strerror(error_number));
    if (opts.json_output)
        print_record_json(&store, message);
    else
        print_record_sql_script(&store, message);
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
