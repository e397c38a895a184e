// The format dispatch: for each IFD type, the name its group is listed under
// and the formatter of its values; and the reader's entry point with these
// formatters.
#pragma once
#include <cstdint>

#include "exif/entry_text.h"
#include "exif/field_store.h"
#include "exif/reading_profile.h"

// The name of an IFD type; the four short ones are padded to 9 characters.
const char *ifd_type_name(int32_t ifd_type);

// The text of one entry's value: raw with -u; plain, after a warning, when
// its data type or count is not the one its row expects; else its IFD type's
// formatter.
void format_entry_value(const walked_entry &value, char *text);

// The reader with these formatters (exif/exif_reader.h).
[[nodiscard]] int extract_exif_fields(const char *dir_name, const char *file_name, const reading_profile &profile,
                                      ifd_field_store **result, int sort);
