#include "frontend/options.h"

#include <cstdio>
#include <unistd.h>

#include "frontend/extended_option.h"
#include "frontend/field_select.h"
#include "support/run_options.h"
#include "support/trace.h"

command_options opts;

namespace {

constexpr char option_letters[] = "adc:ef:hlo:qrtuvx";

constexpr command_options initial_options = {
    0, 0, 0, 0, 0, 1, 0, ',', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
};

// The fields of -o j and -o d without -f: what an archive is searched by.
constexpr char typed_default_fields[] =
    "file-name-full,file-size,make,model,date-taken,exp-time,f-number,iso-speed,focal-len,width,height,"
    "gps_lat,gps_lon,gps_alt";
constexpr char typed_default_fields_extended[] =
    "file-name-full,file-size,make,model,date-taken,exp-time,f-number,iso-speed,focal-len,width,height,"
    "gps_lat,gps_lon,gps_alt,lens-model";

bool set_separator(const char *arg)
{
    switch (arg[0]) {
    case 'c':
    case 'C':
        opts.separator = ',';
        return true;
    case 't':
    case 'T':
        opts.separator = '\t';
        return true;
    default:
        fprintf(stderr, "Error: Unknown separator character '%c' specified.\n", arg[0]);
        return false;
    }
}

bool set_output_style(const char *arg)
{
    switch (arg[0]) {
    case 'l':
    case 'L':
        opts.list_output = 1;
        if (arg[1] == 'h' || arg[1] == 'H') {
            opts.list_header = 1;
            trace("Header option set\n");
        }
        return true;
    case 's':
    case 'S':
        opts.sql_output = 1;
        return true;
    case 'j':
    case 'J':
        opts.json_output = 1;
        return true;
    case 'd':
    case 'D':
        opts.sql_script = 1;
        return true;
    default:
        fprintf(stderr, "Error: Unknown output style specified '%s'.\n", arg);
        return false;
    }
}

// Sets a flag and prints its debug trace.
void set_flag(int32_t *flag, const char *text)
{
    *flag = 1;
    trace("%s", text);
}

}  // namespace

int set_command_options(int argc, char *argv[])
{
    exif_opts = {0, 0, 0, 0};
    opts = initial_options;
    if (argc <= 1) {
        opts.show_usage = 1;
        return 0;
    }
    opts.extended = has_extended_option(argc, argv, option_letters);
    opts.typed_style = typed_output_option(argc, argv, option_letters);
    bool failed = false;
    optind = 0;  // restart the scan: the parser may run more than once per process
    int c;
    while ((c = getopt(argc, argv, option_letters)) != -1) {
        trace("Got option '%c'\n", c);
        switch (c) {
        case 'a':
            set_flag(&opts.absolute_paths, "Absolute directory paths to be used\n");
            break;
        case 'c':
            if (!set_separator(optarg))
                failed = true;
            break;
        case 'd':
            exif_opts.debug = 1;
            printf("option %c, optind=%d\n", c, optind);
            break;
        case 'e':
            set_flag(&opts.extended, "Extended reading option set\n");
            break;
        case 'f':
            trace("Setting list fields: %s\n", optarg);
            opts.fields_given = 1;
            if (set_list_fields(optarg) != 0)
                failed = true;
            break;
        case 'h':
            set_flag(&opts.show_usage, "Usage option set\n");
            break;
        case 'l':
            set_flag(&opts.list_field_names, "List field names option set\n");
            break;
        case 'o':
            if (!set_output_style(optarg))
                failed = true;
            break;
        case 'q':
            set_flag(&exif_opts.quiet, "Quiet option set\n");
            break;
        case 'r':
            set_flag(&opts.subdirs, "Subdirs option set\n");
            break;
        case 't':
            set_flag(&opts.thumbnail_mode, "Extract thumbnail option set\n");
            break;
        case 'u':
            set_flag(&exif_opts.raw, "Raw option set\n");
            break;
        case 'v':
            set_flag(&opts.show_version, "Version Info option set\n");
            break;
        case 'x':
            set_flag(&exif_opts.excel_tweak, "Excel Date Tweek option set\n");
            break;
        default:
            failed = true;
            break;  // getopt has printed its diagnostic
        }
    }
    if (opts.list_output && opts.sql_output) {
        fprintf(stderr, "Error: Can't specify both LIST and SQL output options\n");
        failed = true;
    } else if (opts.list_output + opts.sql_output + opts.json_output + opts.sql_script > 1) {
        fprintf(stderr, "Error: Can't specify more than one output style\n");
        failed = true;
    }
    if (!failed && opts.typed_style != 0 && !opts.fields_given)
        (void)set_list_fields(opts.extended ? typed_default_fields_extended : typed_default_fields);
    return failed ? -1 : optind;
}

const reading_profile &run_profile() { return opts.extended ? extended_reading : classic_reading; }
