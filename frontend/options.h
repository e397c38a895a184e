// The front end's options record and the command-line parser that fills it.
#pragma once
#include <cstdint>

#include "exif/reading_profile.h"

struct command_options {
    int32_t sql_output;
    int32_t list_output;
    int32_t list_header;
    int32_t include_file_name;
    int32_t include_file_dir;
    int32_t include_file_name_full;
    int32_t include_file_size;
    int32_t separator;
    int32_t subdirs;
    int32_t absolute_paths;
    int32_t show_usage;
    int32_t list_field_names;
    int32_t thumbnail_mode;
    int32_t show_version;
    int32_t json_output;   // -o j: JSON Lines
    int32_t sql_script;    // -o d: an SQL script that creates the table and loads it in one transaction
    int32_t extended;      // -e: extended reading (exif/reading_profile.h)
    int32_t typed_style;   // 'j' or 'd' when -o names a typed style (known before -f is read), else 0
    int32_t fields_given;  // -f was given
    int32_t gps_position;  // gps_position_* bits: the decimal GPS columns of -o j and -o d
    int32_t all_fields;    // -o j -f all: every field of the file, by group
};

constexpr int32_t gps_position_lat = 1;
constexpr int32_t gps_position_lon = 2;
constexpr int32_t gps_position_alt = 4;

extern command_options opts;

// How the run reads files: extended reading with -e, else the classic one.
const reading_profile &run_profile();

// Fills opts and exif_opts. Returns the index of the first non-option
// argument, 0 when there are no arguments at all, -1 after any option error.
[[nodiscard]] int set_command_options(int argc, char *argv[]);
