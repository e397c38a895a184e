// Per-file CPU time of the optimised program (reader, formatters and output)
// over the worst inputs the fixture builder can make, in each output style,
// and over files named on the command line (fuzz inputs: option byte,
// selection byte, file). Prints the median and the maximum of the repeats per
// input and style, and exits 1 when a median passes the 10 ms bound.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "exif/format/ifd_formats.h"
#include "fixture/jpeg_builder.h"
#include "frontend/options.h"
#include "frontend/outputs.h"
#include "fuzz/fatal_redirect.h"
#include "support/run_options.h"

using namespace fixture;

namespace {

constexpr double bound_ms = 10.0;
constexpr int repeats = 15;
constexpr size_t window = 131072;

// Value offsets of the crafted files: just past the IFDs, in the TIFF block.
constexpr uint32_t low_offset = 8;

// 200 entries whose counts reach from a low offset to the end of the window,
// over every data type and over tags whose formatters read long values.
Bytes counts_cover_buffer(ByteOrder order)
{
    const uint16_t tags[] = {0x9286, 0x927C, 0xA302, 0x010E, 0x0111, 0x0002, 0x0004, 0xC000, 0x9101, 0x0140};
    Ifd ifd0;
    for (int i = 0; i < 200; i++) {
        uint16_t type = static_cast<uint16_t>(1 + i % 12);
        uint32_t count = static_cast<uint32_t>((window - 64) / type_size(type));
        ifd0.entries.push_back(entry_value(tags[i % 10], type, count, low_offset + static_cast<uint32_t>(i % 4)));
    }
    Tiff tiff{.order = order, .chain = {ifd0}};
    return build_jpeg({.exif = tiff, .scan = false, .pad_to = window});
}

// Pointers nested as deep as the walk follows, each level with many entries.
Bytes deep_nesting()
{
    Ifd inner{{ascii(tag::kMake, "deep")}};
    for (int i = 0; i < 40; i++) {
        Ifd outer;
        for (int j = 0; j < 20; j++)
            outer.entries.push_back(shorts(static_cast<uint16_t>(0x0100 + j), {1}));
        outer.entries.push_back(pointer(i % 3 == 0 ? tag::kExifIfd : i % 3 == 1 ? tag::kGpsIfd : tag::kSubIfds, inner));
        inner = outer;
    }
    return exif_jpeg(Tiff{.order = ByteOrder::Intel, .chain = {inner}});
}

// A main chain of 3000 IFDs, each with one entry of an unknown data type (no
// record, so the store never fills to end the walk).
Bytes long_chain()
{
    Tiff tiff{.order = ByteOrder::Motorola};
    for (int i = 0; i < 3000; i++)
        tiff.chain.push_back(Ifd{{entry_raw(0x0112, 0, 1, {0, 0, 0, 0})}});
    return exif_jpeg(tiff);
}

// 200 records of the longest text, all pointing at one 600-character value.
Bytes maximal_text()
{
    Ifd ifd0;
    std::string text(600, 'x');
    for (size_t i = 0; i < text.size(); i += 7)
        text[i] = static_cast<char>(i % 3 == 0 ? ',' : i % 3 == 1 ? '"' : '\'');
    ifd0.entries.push_back(ascii(0x010E, text).as("text"));
    Offsets where;
    build_tiff(Tiff{.chain = {ifd0}}, &where);
    for (int i = 1; i < 200; i++)
        ifd0.entries.push_back(entry_value(static_cast<uint16_t>(0x010E + i % 3 * 0x0F), kAscii,
                                           static_cast<uint32_t>(text.size() + 1), where["text"]));
    return exif_jpeg(Tiff{.order = ByteOrder::Intel, .chain = {ifd0}});
}

// IFDs of entries with an unknown data type, walked in full without making a
// record (so the store never fills to end the walk), opened by many pointers.
// Each entry's tag reads as an entry count of 1000 to a pointer aimed at its
// first byte, and every entry seen from there has data type 0 as well.
Bytes unknown_type_fan()
{
    Ifd target;
    for (int i = 0; i < 2000; i++)
        target.entries.push_back(entry_raw(1000, 0, 0, {0, 0, 0, 0}));
    Ifd ifd0;
    ifd0.entries.push_back(pointer(tag::kExifIfd, target).as("target"));
    for (uint32_t k = 1; k < 1000; k++)
        ifd0.entries.push_back(entry_value(tag::kExifIfd, kLong, 1, 0));
    Offsets where;
    build_tiff(Tiff{.chain = {ifd0}}, &where);
    for (uint32_t k = 1; k < 1000; k++)
        ifd0.entries[k] = entry_value(tag::kExifIfd, kLong, 1, where["target"] + 2 + 12 * k);
    return exif_jpeg(Tiff{.order = ByteOrder::Intel, .chain = {ifd0}});
}

struct style {
    const char *name;
    std::vector<const char *> args;
};

const std::vector<style> styles = {
    {"listing", {}}, {"-u", {"-u"}}, {"-x", {"-x"}}, {"-q", {"-q"}}, {"-ol", {"-olh"}}, {"-os", {"-os"}},
};

FILE *report;  // the benchmark's own output: the program's streams go to /dev/null

double cpu_ms()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

void read_file(const char *name)
{
    try {
        if (opts.list_output && opts.list_header)
            print_field_list_header();
        ifd_field_store *store;
        if (extract_exif_fields("", name, run_profile(), &store, 1) != 0)
            return;
        if (opts.list_output)
            print_field_list(store);
        else if (opts.sql_output)
            print_field_sql(store);
        else
            print_exif_fields(store);
    } catch (const fatal_stopped &) {
        close_files_left_open();
    }
}

// Returns false when the median passes the bound.
bool time_one(const std::string &label, const char *style_name, const char *file, std::vector<const char *> args)
{
    args.insert(args.begin(), "tagsift");
    args.push_back(file);
    if (set_command_options(static_cast<int>(args.size()), const_cast<char **>(args.data())) != 0)
        return false;
    std::vector<double> ms;
    for (int r = 0; r < repeats; r++) {
        double start = cpu_ms();
        read_file(file);
        fflush(stdout);
        ms.push_back(cpu_ms() - start);
    }
    std::sort(ms.begin(), ms.end());
    double median = ms[ms.size() / 2];
    fprintf(report, "%-28s %-8s median %7.3f ms  max %7.3f ms%s\n", label.c_str(), style_name, median, ms.back(),
            median > bound_ms ? "  OVER THE BOUND" : "");
    return median <= bound_ms;
}

}  // namespace

int main(int argc, char **argv)
{
    char dir[] = "/tmp/tagsift-bench-XXXXXX";
    if (mkdtemp(dir) == nullptr || chdir(dir) != 0)
        return 2;
    report = stderr;
    // fdopen, not fopen: fopen is tracked to be closed after a stop.
    FILE *null_out = fdopen(open("/dev/null", O_WRONLY | O_CLOEXEC), "w");
    stdout = null_out;
    stderr = null_out;
    bool ok = true;
    auto run = [&](const std::string &label, const Bytes &bytes, const std::vector<style> &set) {
        write_file("input.jpg", bytes);
        for (const style &s : set)
            ok = time_one(label, s.name, "input.jpg", s.args) && ok;
    };
    run("counts_cover_buffer_ii", counts_cover_buffer(ByteOrder::Intel), styles);
    run("counts_cover_buffer_mm", counts_cover_buffer(ByteOrder::Motorola), styles);
    run("deep_nesting", deep_nesting(), styles);
    run("long_chain", long_chain(), styles);
    run("maximal_text", maximal_text(), styles);
    run("unknown_type_fan", unknown_type_fan(), styles);
    for (int i = 1; i < argc; i++) {
        FILE *fp = fopen(argv[i], "rb");
        if (fp == nullptr)
            continue;
        Bytes data;
        int c;
        while ((c = fgetc(fp)) != EOF)
            data.push_back(static_cast<uint8_t>(c));
        fclose(fp);
        if (data.size() < 2)
            continue;
        // The option byte as the per-file fuzz target reads it (thumbnails aside).
        std::vector<const char *> args;
        switch (data[0] & 7) {
        case 1:
            args.push_back("-ol");
            break;
        case 2:
        case 6:
            args.push_back("-olh");
            break;
        case 3:
        case 7:
            args.push_back("-os");
            break;
        default:
            break;
        }
        if (data[0] & 0x08)
            args.push_back("-u");
        if (data[0] & 0x10)
            args.push_back("-x");
        if (data[0] & 0x20)
            args.push_back("-q");
        std::string name = argv[i];
        name = name.substr(name.rfind('/') + 1);
        run(name, Bytes(data.begin() + 2, data.end()), {{"own", args}});
    }
    unlink("input.jpg");
    rmdir(dir);
    fprintf(report, ok ? "all medians within %.0f ms\n" : "some median over %.0f ms\n", bound_ms);
    return ok ? 0 : 1;
}
