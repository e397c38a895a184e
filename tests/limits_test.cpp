// Every fixed limit of the program at its edge. Each row takes its limit n from
// the constant the program uses, builds the input of size n-1, n and n+1 and
// says what the run prints there, as the README and the manual describe it; a
// row whose limit they state also checks that they state this n.
#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <regex>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "exif/block_decoder.h"
#include "exif/buf_context.h"
#include "exif/field_defs.h"
#include "exif/field_store.h"
#include "exif/ifd_check.h"
#include "exif/packet_blocks.h"
#include "exif/packet_store.h"
#include "exif/xmp_parser.h"
#include "fixture/container_builder.h"
#include "fixture/jpeg_builder.h"
#include "frontend/field_select.h"
#include "frontend/progress.h"
#include "harness/cli_runner.h"
#include "support/created_files.h"
#include "support/errors.h"
#include "support/file_messages.h"
#include "support/file_names.h"
#include "support/tokenizer.h"

using namespace fixture;

namespace {

struct outcome {
    std::string out{}, err{};
    int status = 0;
};

// What a row does at one size: the files it writes into a fresh folder, the run and what it prints.
struct probe {
    std::vector<std::pair<std::string, Bytes>> files{};
    std::vector<std::string> args{};
    outcome expected{};
    bool count_files = false;           // the folder's entry count after the run ends the output
    unsigned short terminal_width = 0;  // > 0: standard error alone on a terminal this wide
};

struct limit_row {
    std::string name;
    long n;
    std::string documented;  // how the README or the manual state n; empty: they do not
    std::function<probe(long size, long n)> at;
};

std::string str(long n) { return std::to_string(n); }
std::string chars(long n, char c) { return std::string(static_cast<size_t>(n), c); }
Bytes text_bytes(const std::string &text) { return Bytes(text.begin(), text.end()); }

Bytes photo(std::vector<Entry> entries = {}, std::vector<Ifd> more = {})
{
    entries.insert(entries.begin(), ascii(tag::kMake, "Probe"));
    more.insert(more.begin(), Ifd{entries});
    return exif_jpeg(Tiff{.chain = more});
}
Bytes thumbnail_photo() { return photo({}, {Ifd{.thumbnail = fake_jpeg(64)}}); }

// `fields` records: unknown fields, then Make as the last, in IFDs of at most `per_ifd` entries.
Bytes photo_of_fields(long fields, size_t per_ifd = 400)
{
    std::vector<Ifd> chain(1);
    for (long i = 1; i < fields; i++) {
        if (chain.back().entries.size() == per_ifd)
            chain.emplace_back();
        chain.back().entries.push_back(undefined(static_cast<uint16_t>(0xC100 + chain.back().entries.size()), {1}));
    }
    chain.back().entries.push_back(ascii(tag::kMake, "Probe"));
    return exif_jpeg(Tiff{.chain = chain});
}

// Make, and an X resolution of 72/1 whose 8 bytes end at position `end` of a JPEG file (whose TIFF
// block begins at 12, after SOI, the APP1 marker, length and "Exif\0\0") or of a TIFF block, which
// goes on past it.
Bytes value_ending_at(long end, bool in_jpeg)
{
    const long base = in_jpeg ? 12 : 0;
    const Tiff tiff{.chain = {Ifd{{ascii(tag::kMake, "Probe"), entry_value(0x011A, kRational, 1, end - 8 - base)}}}};
    Bytes bytes = in_jpeg ? exif_jpeg(tiff) : build_tiff(tiff);
    bytes.resize(static_cast<size_t>(end) + 0x1000, '.');
    const Bytes rational = {72, 0, 0, 0, 1, 0, 0, 0};
    std::copy(rational.begin(), rational.end(), bytes.begin() + end - 8);
    return bytes;
}

probe window_probe(long size, long n, bool extended)
{
    probe p{{{"v.jpg", value_ending_at(size, true)}, {"next.jpg", photo()}},
            {"-o", "l", "-f", "make,x-res", "next.jpg", "v.jpg", "next.jpg"}};
    if (extended)
        p.args.insert(p.args.begin(), "-e");
    if (size <= n)
        p.expected = {"Probe\nProbe,72\nProbe\n"};
    else if (extended)
        p.expected = {
            "Probe\nProbe\nProbe\n",
            "Warning: v.jpg: field 0x011a: its value of 8 bytes runs past the end of the data; passed over\n"};
    else  // what was listed before the stop is written out, and nothing after it
        p.expected = {"Probe\n", "Error: Attempt to read past end of buffer, exiting\n", 8};
    return p;
}

const std::string no_valid_field = "' ignored.\nError: No valid fields names specified.\n";

// A list of `size` characters, blanks then "make", of which `kept` are read.
probe list_probe(long size, long kept, bool in_file)
{
    const std::string list = chars(size - 4, ' ') + "make",
                      name = list.substr(static_cast<size_t>(size) - 4, static_cast<size_t>(kept - size + 4));
    probe p{{{"list", text_bytes(list)}}, {"-o", "lh", "-f", in_file ? "@list" : list}, {"make,\n"}};
    if (name != "make")
        p.expected = {"", "Warning: Unknown field name '" + name + no_valid_field, 1};
    return p;
}

// One rdf:Description with these attributes and elements, in a JPEG file's APP1 segment.
std::string xmp_packet(const std::string &attributes, const std::string &elements = "")
{
    return "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\"><rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">"
           "<rdf:Description xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:xap=\"http://ns.adobe.com/xap/1.0/\""
           " xmlns:my=\"http://example.com/ns/\" " +
           attributes + ">" + elements + "</rdf:Description></rdf:RDF></x:xmpmeta>";
}
Bytes photo_with_xmp(const std::vector<std::string> &packets)
{
    Jpeg jpeg{.exif = Tiff{.chain = {Ifd{{ascii(tag::kMake, "Probe")}}}}};
    for (const std::string &p : packets)
        jpeg.after.push_back(
            {.marker = 0xFFE1, .data = text_bytes("http://ns.adobe.com/xap/1.0/" + std::string(1, '\0') + p)});
    return build_jpeg(jpeg);
}
std::string title(const std::string &text)
{
    return "<dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">" + text + "</rdf:li></rdf:Alt></dc:title>";
}
std::string nested(long depth) { return depth == 0 ? "v" : "<my:a>" + nested(depth - 1) + "</my:a>"; }

// A PNG file whose raw profile text (zTXt) is this text.
Bytes png_with_profile(const std::string &text)
{
    Bytes data = text_bytes(std::string("Raw profile type exif") + '\0' + '\0');
    const Bytes compressed = zlib_compress(text_bytes(text));
    data.insert(data.end(), compressed.begin(), compressed.end());
    return png_with_chunks({{"zTXt", data}});
}

std::string table_nicknames(long rows)
{
    std::string names;
    for (long row = 1; row <= rows; row++)
        names += std::string(ifd_field_defn[row].nickname) + ",";
    return names;
}

// A run of more than a second with standard error alone on a terminal of that width, from a folder
// named "www...": the file is a FIFO filled after 1.5 s (the line is drawn after a second).
cli_result run_with_progress_line(const temp_dir &dir, const std::vector<std::string> &args, unsigned short width)
{
    const std::string folder = dir.file(chars(60, 'w')), fifo = folder + "/slow.jpg";
    std::filesystem::create_directory(folder);
    EXPECT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    const int writer = open(fifo.c_str(), O_RDWR | O_CLOEXEC);  // its reads wait for the data
    const auto fill = [writer] {
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        const Bytes bytes = photo();
        EXPECT_EQ(write(writer, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
        close(writer);
    };
    return run_tagsift(args, {.cwd = folder, .error_terminal_width = width, .meanwhile = fill});
}

std::vector<limit_row> limit_rows()
{
    // clang-format off
    return {
        {"InputWindow", input_buffer_size, str(input_buffer_size) + "-byte window",
         [](long size, long n) { return window_probe(size, n, false); }},
        {"InputWindowExtended", input_buffer_size, "", [](long size, long n) { return window_probe(size, n, true); }},
        {"ListFile", list_file_size, "from a file up to its first " + str(list_file_size - 1),
         [](long size, long n) { return list_probe(size, n - 1, true); }},
        {"ListText", list_text_size - 1, "read up to its first " + str(list_text_size - 1) + " characters",
         [](long size, long n) { return list_probe(size, n, false); }},
        {"FieldName", next_name_size - 1, "", [](long size, long n) {
             return probe{{}, {"-o", "lh", "-f", chars(size, 'n')},
                          {"", "Warning: Unknown field name '" + chars(std::min(size, n), 'n') + no_valid_field, 1}};
         }},
        // A pseudo-field after the names is looked at only while columns are left.
        {"ListColumns", max_list_columns, "At most " + str(max_list_columns) + " EXIF fields", [](long size, long n) {
             probe p{{}, {"-o", "lh", "-f", table_nicknames(size) + "file-size"},
                     {"file-size," + table_nicknames(size) + "\n"}};
             if (size >= n)
                 p.expected = {table_nicknames(n) + "\n",
                               "Warning: More than " + str(n) + " fields specified, remainder ignored\n"};
             return p;
         }},
        {"ArgumentName", max_name_len, "longer than " + str(max_name_len) + " characters is skipped",
         [](long size, long n) {
             const std::string name = "d/" + chars(size - 6, 'x') + ".jpg";
             return probe{{{name, photo()}}, {"-o", "l", "-f", "file-name-full,make", name},
                          size <= n ? outcome{name + ",Probe\n"}
                                    : outcome{"", "Error: Name longer than " + str(n) + " characters, skipped: " +
                                                      name + "\n"}};
         }},
        // The walk enters a folder whose path fits; the paths of its files are cut to fit.
        {"WalkedFolderPath", max_name_len, "", [](long size, long n) {
             const std::string folder = "d/" + chars(size - 2, 's');
             return probe{{{folder + "/a.jpg", photo()}}, {"-r", "-o", "l", "-f", "file-name-full,make", "d"},
                          size <= n ? outcome{(folder + "/a.jpg").substr(0, static_cast<size_t>(n)) + ",Probe\n"}
                                    : outcome{"", "Error: Directory path " + folder + " is longer than " + str(n) +
                                                      " characters, skipped\n"}};
         }},
        {"FieldsPerFile", max_fields_per_file, "more than " + str(max_fields_per_file) + " fields",
         [](long size, long n) {
             return probe{{{"p.jpg", photo_of_fields(size)}}, {"-o", "l", "-f", "make", "p.jpg"},
                          {size <= n ? "Probe\n" : "\n"}};
         }},
        {"FieldsPerFileExtended", max_fields, "at " + str(max_fields) + " with it", [](long size, long n) {
             return probe{{{"p.jpg", photo_of_fields(size)}}, {"-e", "-o", "l", "-f", "make", "p.jpg"},
                          {size <= n ? "Probe\n" : "\n"}};
         }},
        {"IfdEntries", max_ifd_entries, "more than " + str(max_ifd_entries), [](long size, long n) {
             return probe{{{"p.jpg", photo_of_fields(size, static_cast<size_t>(size))}},
                          {"-e", "-o", "l", "-f", "make", "p.jpg"},
                          size <= n ? outcome{"Probe\n"}
                                    : outcome{"\n", "Warning: p.jpg: the IFD at offset 8, reached through IFD0's "
                                                    "chain, is not read: it claims " + str(size) +
                                                        " entries, more than " + str(n) + "\n"}};
         }},
        {"DisplayValue", display_value_size - 1, "the " + str(display_value_size - 1) + " characters",
         [](long size, long n) {
             return probe{{{"p.jpg", photo({ascii(0x010E, chars(size, 'v'))})}},
                          {"-o", "l", "-f", "description", "p.jpg"}, {chars(std::min(size, n), 'v') + "\n"}};
         }},
        {"WarningsPerFile", max_warnings_per_file, "", [](long size, long n) {
             probe p{{{"p.jpg", photo(std::vector<Entry>(static_cast<size_t>(size), shorts(0x0112, {1, 1})))}},
                     {"-e", "-o", "l", "-f", "make", "p.jpg"}, {"Probe\n"}};
             for (long i = 0; i < std::min(size, n); i++)
                 p.expected.err += "Warning: p.jpg: unexpected data repeat count for field 'Orientation (start "
                                   "point)', expected 1, actual 2\n";
             if (size > n)
                 p.expected.err += "Warning: p.jpg: " + str(size - n) + " further warnings not shown\n";
             return p;
         }},
        // A new file that takes no thumbnail's name is removed.
        {"CreatedFiles", max_created_files, "more than " + str(max_created_files) + " thumbnails",
         [](long size, long n) {
             probe p{.args = {"-t"}, .count_files = true};
             for (long i = 1; i <= size; i++) {
                 p.args.push_back("p" + str(i) + ".jpg");
                 p.files.emplace_back(p.args.back(), thumbnail_photo());
                 if (i <= n)
                     p.expected.out += "Thumbnail extracted from p" + str(i) + ".jpg into p" + str(i) + "-th.jpg\n";
             }
             p.expected.out += str(size + std::min(size, n)) + " files\n";
             if (size > n)
                 p.expected = {p.expected.out, "Error: Max number of temp files created - exiting\n", 1};
             return p;
         }},
        {"ThumbnailName", built_name_size - 1, "longer than " + str(built_name_size - 1) + " characters",
         [](long size, long n) {
             const std::string stem = chars(size - 7, 'a');  // the name adds "-th.jpg"
             return probe{{{stem + ".jpg", thumbnail_photo()}, {"z.jpg", thumbnail_photo()}},
                          {"-t", stem + ".jpg", "z.jpg"},
                          size <= n ? outcome{"Thumbnail extracted from " + stem + ".jpg into " + stem + "-th.jpg\n"
                                              "Thumbnail extracted from z.jpg into z-th.jpg\n4 files\n"}
                                    : outcome{"ASSERT failed\n2 files\n", "", 1},
                          true};
         }},
        // The line is one character narrower than the terminal; the folder loses its start.
        {"ProgressWidth", progress_narrowest, "narrower than " + str(progress_narrowest) + " columns",
         [](long size, long n) {
             const std::string counts = "1 files read, 0 files/s, ...";
             const long folder = std::max(size, n) - 1 - static_cast<long>(counts.size());
             return probe{{}, {"-a", "slow.jpg"}, {"", "\r" + counts + chars(folder, 'w') + "\x1b[K\r\x1b[K"},
                          false, static_cast<unsigned short>(size)};
         }},
        {"DecodedBlock", max_decoded_output, str(max_decoded_output >> 20) + " MiB, of which", [](long size, long n) {
             std::string text = raw_profile_text(build_tiff(Tiff{.chain = {Ifd{{ascii(tag::kMake, "Probe")}}}}));
             text.resize(static_cast<size_t>(size), '\n');
             return probe{{{"p.png", png_with_profile(text)}}, {"-e", "-o", "l", "-f", "make", "p.png"},
                          size <= n ? outcome{"Probe\n"}
                                    : outcome{"", "Warning: p.png: the raw profile text chunk expands past " +
                                                      str(n) + " bytes; not read\n"
                                                      "Warning: p.png: File does not contain EXIF data\n"}};
         }},
        // The decoded bytes kept for the walk: a value past them is passed over.
        {"DecodedArea", decoded_area_size, "first " + str(decoded_area_size) + " bytes are kept",
         [](long size, long n) {
             return probe{{{"p.png", png_with_profile(raw_profile_text(value_ending_at(size, false)))}},
                          {"-e", "-o", "l", "-f", "make,x-res", "p.png"},
                          size <= n ? outcome{"Probe,72\n"}
                                    : outcome{"Probe\n", "Warning: p.png: field 0x011a: its value of 8 bytes runs past "
                                                         "the end of the data; passed over\n"}};
         }},
        // In a sidecar: a JPEG segment cannot hold as much.
        {"XmpPacket", max_xmp_packet_bytes, "a packet over " + str(max_xmp_packet_bytes >> 20) + " MiB",
         [](long size, long n) {
             std::string sidecar = xmp_packet("", title("Big") + "<dc:format>@</dc:format>");
             sidecar.replace(sidecar.find('@'), 1, chars(size - static_cast<long>(sidecar.size()) + 1, 'a'));
             return probe{{{"p.jpg", photo()}, {"p.xmp", text_bytes(sidecar)}},
                          {"-e", "-o", "l", "-f", "make,title", "p.jpg"},
                          {"Probe,Big\n", size <= n ? "" : "Warning: p.jpg: XMP packet ends at line 1: the packet "
                                                           "is larger than 16 MiB\n"}};
         }},
        // x:xmpmeta, rdf:RDF and rdf:Description, then the rest nested in a property.
        {"XmpDepth", max_xmp_depth, "", [](long size, long n) {
             return probe{{{"p.jpg", photo_with_xmp({xmp_packet("xap:Label=\"Red\"", nested(size - 3))})}},
                          {"-e", "-o", "l", "-f", "make,label", "p.jpg"},
                          {"Probe,Red\n",
                           size <= n ? "" : "Warning: p.jpg: XMP packet ends at line 1: elements nested too deep\n"}};
         }},
        // Each packet's label replaces the one before it.
        {"XmpBlocks", max_packet_blocks, "", [](long size, long n) {
             std::vector<std::string> packets;
             for (long i = 1; i <= size; i++)
                 packets.push_back(xmp_packet("xap:Label=\"L" + str(i) + "\""));
             return probe{{{"p.jpg", photo_with_xmp(packets)}}, {"-e", "-o", "l", "-f", "label", "p.jpg"},
                          {"L" + str(std::min(size, n)) + "\n"}};
         }},
        {"PacketProperties", max_packet_properties, "", [](long size, long n) {
             std::string attributes;
             for (long i = 1; i < size; i++)
                 attributes += "my:p" + str(i) + "=\"v\" ";
             return probe{{{"p.jpg", photo_with_xmp({xmp_packet(attributes + "xap:Label=\"Red\"")})}},
                          {"-e", "-o", "l", "-f", "label", "p.jpg"}, {size <= n ? "Red\n" : "\n"}};
         }},
        // In JSON the items of a list are told apart; the last holds any further ones.
        {"PacketItems", max_packet_items, "", [](long size, long n) {
             std::string items, shown;
             for (long i = 1; i <= size; i++) {
                 items += "<rdf:li>k" + str(i) + "</rdf:li>";
                 shown += (i == 1 ? "\"k" : i <= n ? "\",\"k" : ", k") + str(i);
             }
             const std::string subject = "<dc:subject><rdf:Bag>" + items + "</rdf:Bag></dc:subject>";
             return probe{{{"p.jpg", photo_with_xmp({xmp_packet("", subject)})}},
                          {"-e", "-o", "j", "-f", "keywords", "p.jpg"},
                          {"{\"file_name_full\":\"p.jpg\",\"keywords\":[" + shown + "\"]}\n"}};
         }},
        {"PacketName", packet_name_size - 1, "", [](long size, long n) {
             return probe{{{"p.jpg", photo_with_xmp({xmp_packet("my:" + chars(size - 3, 'n') + "=\"v\"")})}},
                          {"-e", "p.jpg"},
                          {"FILE: p.jpg\n\nCamera   \n  Make                     : Probe\n\nXMP\n  my:" +
                           chars(std::min(size, n) - 3, 'n') + ": v\n\n"}};
         }},
        {"PacketValue", packet_value_size - 1, "", [](long size, long n) {
             return probe{{{"p.jpg", photo_with_xmp({xmp_packet("", title(chars(size, 't')))})}},
                          {"-e", "-o", "l", "-f", "title", "p.jpg"}, {chars(std::min(size, n), 't') + "\n"}};
         }},
    };
    // clang-format on
}

void PrintTo(const limit_row &row, std::ostream *os) { *os << row.name; }

class Limits : public testing::TestWithParam<limit_row> {};

TEST_P(Limits, EachSideOfTheLimit)
{
    const limit_row &row = GetParam();
    if (!row.documented.empty()) {
        std::stringstream docs;
        for (const char *file : {"/README.md", "/doc/tagsift.1"})
            docs << std::ifstream(std::string(TAGSIFT_SOURCE_DIR) + file).rdbuf();
        std::string text = docs.str();
        std::replace(text.begin(), text.end(), '\n', ' ');
        EXPECT_NE(text.find(row.documented), std::string::npos) << "documented as \"" << row.documented << "\"";
    }
    // The three sizes run at once, each in a folder of its own.
    std::vector<std::future<std::pair<cli_result, outcome>>> runs;
    for (long size : {row.n - 1, row.n, row.n + 1})
        runs.push_back(std::async(std::launch::async, [&row, size] {
            temp_dir dir;
            const probe p = row.at(size, row.n);
            for (const auto &[name, bytes] : p.files) {
                std::filesystem::create_directories(std::filesystem::path(dir.file(name)).parent_path());
                write_file(dir.file(name), bytes);
            }
            cli_result r = p.terminal_width > 0 ? run_with_progress_line(dir, p.args, p.terminal_width)
                                                : run_tagsift(p.args, {.cwd = dir.path(), .timeout_seconds = 60});
            if (p.count_files)
                r.out += str(std::distance(std::filesystem::directory_iterator(dir.path()), {})) + " files\n";
            r.out = std::regex_replace(r.out, std::regex("ASSERT failed at [0-9]+ in \\S+"), "ASSERT failed");
            return std::pair{r, p.expected};
        }));
    for (long size = row.n - 1; auto &run : runs) {
        const auto [r, expected] = run.get();
        EXPECT_EQ(r.out, expected.out) << "at " << size;
        EXPECT_EQ(r.err, expected.err) << "at " << size;
        EXPECT_EQ(r.status, expected.status) << "at " << size++;
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, Limits, testing::ValuesIn(limit_rows()),
                         [](const testing::TestParamInfo<limit_row> &info) { return info.param.name; });

}  // namespace
