// List and SQL output, thumbnails and directory walks arrive with batch use;
// until then these accept their calls and print nothing.
#include "frontend/outputs.h"

void print_field_list(const ifd_field_store *) {}
void print_field_sql(const ifd_field_store *) {}
void print_field_list_header() {}
int extract_thumbnail(const ifd_field_store *) { return 0; }
int extract_dir(const char *, const char *, int) { return 0; }
