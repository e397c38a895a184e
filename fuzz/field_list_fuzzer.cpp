// The name-list tokenizer and field selection over arbitrary text, then the
// list header and one list line and SQL statement of a fixed photo under that
// selection; and the name=value scanner over the same text.
//
// Input layout: byte 0 chooses the options, the rest is the text. Byte 0 bit 0
// hands the text over as a list file ("@file"); bit 7 turns on extended
// reading (-e), whose names the photo's newer fields answer to.
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "exif/format/ifd_formats.h"
#include "fixture/jpeg_builder.h"
#include "frontend/field_select.h"
#include "frontend/options.h"
#include "frontend/outputs.h"
#include "fuzz/fatal_redirect.h"
#include "fuzz/fuzz_io.h"
#include "support/run_options.h"
#include "support/tokenizer.h"

namespace {

constexpr size_t max_text = 4096;

// A small photo whose values need quoting in both output styles.
void write_photo()
{
    using namespace fixture;
    Ifd exif{{rationals(0x829A, {{10, 1250}}), ascii(0x9003, "2001:10:06 14:31:07"), shorts(0xA403, {1}),
              ascii(0xA434, "Lens \"7, 'x'")}};
    Ifd ifd0{{ascii(tag::kMake, "Ca\"n,on"), ascii(tag::kModel, "A1 'x'"), ascii(0x0132, "2001:10:06 14:31:07"),
              pointer(tag::kExifIfd, exif)}};
    Bytes jpeg = exif_jpeg(Tiff{.order = ByteOrder::Intel, .chain = {ifd0}});
    fuzz_write_file("photo.jpg", jpeg.data(), jpeg.size());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    fuzz_setup();
    write_photo();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1 || size > max_text)
        return 0;
    static char text[max_text + 1];
    memcpy(text, data + 1, size - 1);
    text[size - 1] = '\0';
    fuzz_reset_selection();
    exif_opts = {0, (data[0] & 0x02) != 0, (data[0] & 0x04) != 0, (data[0] & 0x08) != 0};
    exif_opts.debug = (data[0] & 0x10) != 0;
    opts = command_options{};
    opts.extended = (data[0] & 0x80) != 0;
    opts.separator = (data[0] & 0x20) ? '\t' : ',';
    try {
        int rc;
        if (data[0] & 0x01) {
            fuzz_write_file("list.txt", data + 1, size - 1);
            rc = set_list_fields("@list.txt");
        } else {
            rc = set_list_fields(text);
        }
        if (rc == 0) {
            print_field_list_header();
            ifd_field_store *store;
            if (extract_exif_fields("", "photo.jpg", run_profile(), &store, 1) == 0) {
                print_field_list(store);
                print_field_sql(store);
            }
        }
        // The name=value scanner, with either quote character.
        memcpy(text, data + 1, size - 1);
        char *cursor = text;
        const char *end = text + (size - 1);
        char *name;
        char *value;
        int quote = (data[0] & 0x40) ? '\'' : '"';
        // Each pair uses up at least one character: more calls than
        // characters is a scan that does not advance.
        for (size_t calls = 0;; calls++) {
            if (calls > size)
                __builtin_trap();
            get_next_name_and_value(&cursor, end, &name, &value, quote);
            if (name == nullptr)
                break;
        }
    } catch (const fatal_stopped &stop) {
        if (stop.status != 8 && stop.status != 1)
            __builtin_trap();
        close_files_left_open();
    }
    fflush(stdout);
    return 0;
}
