// The whole per-file path over arbitrary file contents: the reader, every
// formatter, and each output style (readable listing, list with and without
// header, SQL, JSON Lines of every field, SQL script, thumbnail), raw or
// interpreted, with or without -x, -q, -d.
//
// Input layout: byte 0 chooses the options, byte 1 the field selection of the
// styles that take one (-f) and, with its top bit, extended reading (-e); the
// rest is the file.
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "exif/extended_field_defs.h"
#include "exif/field_defs.h"
#include "exif/format/ifd_formats.h"
#include "frontend/options.h"
#include "frontend/outputs.h"
#include "fuzz/fatal_redirect.h"
#include "fuzz/fuzz_io.h"
#include "support/created_files.h"
#include "support/errors.h"
#include "support/run_options.h"

namespace {

constexpr char input_name[] = "in.jpg";

// Twenty nicknames from row `first` on, the pseudo-fields among them; with
// -e, every other one from the extended rows.
void build_field_list(uint8_t first, bool extended, char *list, size_t size)
{
    snprintf(list, size, "file-name,file-size");
    int row = 1 + first % (field_defn_end - 1);
    int extended_row = first * 3 % extended_field_rows;
    for (int n = 0; n < 20; n++, row = 1 + row % (field_defn_end - 1)) {
        size_t used = strlen(list);
        if (extended && n % 2 == 1) {
            snprintf(list + used, size - used, ",%s", extended_field_defn[extended_row].nickname);
            extended_row = (extended_row + 1) % extended_field_rows;
        } else {
            snprintf(list + used, size - used, ",%s", ifd_field_defn[row].nickname);
        }
    }
}

int set_options(uint8_t choice, uint8_t selection)
{
    static char field_list[2048];
    const char *argv[13];
    int argc = 0;
    argv[argc++] = "tagsift";
    switch (choice & 7) {
    case 1:
        argv[argc++] = "-ol";
        break;
    case 2:
        argv[argc++] = "-olh";
        break;
    case 3:
        argv[argc++] = "-os";
        break;
    case 4:
        argv[argc++] = "-t";
        break;
    case 6:
        argv[argc++] = "-olh";
        argv[argc++] = "-f";
        argv[argc++] = field_list;
        break;
    case 7:
        argv[argc++] = "-os";
        argv[argc++] = "-f";
        argv[argc++] = field_list;
        break;
    case 5:  // the typed styles: every field as JSON, or the script of the field list
        argv[argc++] = (selection & 0x40) != 0 ? "-od" : "-oj";
        argv[argc++] = "-f";
        argv[argc++] = (selection & 0x40) != 0 ? field_list : "all";
        break;
    default:
        break;  // readable listing
    }
    if (choice & 0x08)
        argv[argc++] = "-u";
    if (choice & 0x10)
        argv[argc++] = "-x";
    if (choice & 0x20)
        argv[argc++] = "-q";
    if (choice & 0x40)
        argv[argc++] = "-d";
    if (choice & 0x80)
        argv[argc++] = "-ct";
    const bool extended = (selection & 0x80) != 0;
    if (extended)
        argv[argc++] = "-e";  // after -f: it applies to the list all the same
    argv[argc++] = input_name;
    build_field_list(selection & 0x7F, extended, field_list, sizeof field_list);
    return set_command_options(argc, const_cast<char **>(argv));
}

void read_one_file()
{
    start_output();  // the list header, the typed styles' columns, the script's table
    ifd_field_store *store;
    int rc = extract_exif_fields("", input_name, run_profile(), &store, 1);
    if (rc != 0) {
        fprintf(stderr, "Error: Error while extracting EXIF fields: %s\n", exif_strerror(rc));
        output_failed_file(store, rc);
    } else {
        output_fields(store);
    }
    end_output();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz_setup();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    fuzz_reset_selection();
    fuzz_write_file(input_name, data + 2, size - 2);
    try {
        if (set_options(data[0], data[1]) < 0)
            return 0;
        read_one_file();
    } catch (const fatal_stopped &stop) {
        // Reading one file may end only in the buffer stop (8), and only
        // without -e, which ends a broken file's reading, never the run: the
        // support-library limit (1) is out of reach of one file.
        if (stop.status != 8 || opts.extended)
            __builtin_trap();
        close_files_left_open();
    }
    fflush(stdout);
    // Each input is one run: the thumbnails it wrote go, and so does their record
    // (a run may create 500 files; the fuzzer makes far more).
    for (int32_t i = 0; i < next_created_file_num; i++)
        unlink(created_files[i]);
    next_created_file_num = 0;
    return 0;
}
