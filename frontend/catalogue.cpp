#include "frontend/catalogue.h"

#include <cstdio>

#include "exif/extended_field_defs.h"
#include "exif/field_defs.h"
#include "exif/format/ifd_formats.h"
#include "exif/ifd_types.h"
#include "exif/maker_tables.h"
#include "frontend/options.h"

namespace {

void print_row(const ifd_field_defn_row &row) { printf("  %-25s %.4x  %s\n", row.nickname, row.tag, row.description); }

// With -e, the extended rows of an IFD type close its group.
void print_extended_rows(int32_t ifd_type)
{
    if (!run_profile().newer_fields)
        return;
    for (const ifd_field_defn_row &row : extended_field_defn)
        if (row.ifd_type == ifd_type)
            print_row(row);
}

// With -e, the groups of the maker notes close the catalogue, each with its rows.
void print_maker_groups()
{
    if (!run_profile().newer_fields)
        return;
    int32_t last_type = -1;
    for (std::span<ifd_field_defn_row> table : maker_tables)
        for (const ifd_field_defn_row &row : table) {
            if (row.opens_ifd)
                continue;
            if (row.ifd_type != last_type) {
                printf("\n%s\n", ifd_type_name(row.ifd_type));
                last_type = row.ifd_type;
            }
            print_row(row);
        }
}

}  // namespace

void display_field_names()
{
    printf("\n  ------- Field Name ------ -Tag- ----- Description ----------\n");
    printf("\nFile\n");
    printf("  %-25s  N/A  File name\n", "file-name");
    printf("  %-25s  N/A  File name with path\n", "file-name-full");
    printf("  %-25s  N/A  File directory\n", "file-dir");
    printf("  %-25s  N/A  File size in bytes\n", "file-size");
    int last_type = -1;
    for (int i = 0; ifd_field_defn[i].tag != field_defn_end_tag; i++) {
        const ifd_field_defn_row &row = ifd_field_defn[i];
        if (i == field_defn_unknown || row.opens_ifd)
            continue;
        if (row.ifd_type != last_type) {
            print_extended_rows(last_type);
            printf("\n%s\n", ifd_type_name(row.ifd_type));
            last_type = row.ifd_type;
        }
        print_row(row);
    }
    print_extended_rows(last_type);
    if (run_profile().newer_fields) {
        printf("\n%s\n", ifd_type_name(ifd_type_packet));
        print_extended_rows(ifd_type_packet);
    }
    print_maker_groups();
    printf("\n");
}
