// JSON Lines (-o j) and the SQL script (-o d) end to end: typed values from
// the stored numbers, texts, dates, the decimal GPS position, one record per
// file, and scripts that load twice into SQLite as upserts.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "batch_photos.h"
#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;
using fixture::tag::kExifIfd;
using fixture::tag::kGpsIfd;
using fixture::tag::kMake;

namespace {

const std::string source_dir = TAGSIFT_SOURCE_DIR;
const std::string samples_dir = source_dir + "/../shared/samples";
const std::string modern_dir = source_dir + "/../shared/samples-modern";

bool installed(const std::string &tool) { return std::system(("command -v " + tool + " >/dev/null").c_str()) == 0; }

struct stored {
    std::vector<Entry> ifd0{}, exif{}, gps{};
};

Bytes typed_photo(ByteOrder order, const stored &s)
{
    Ifd ifd0{s.ifd0};
    if (!s.exif.empty())
        ifd0.entries.push_back(pointer(kExifIfd, Ifd{s.exif}));
    if (!s.gps.empty())
        ifd0.entries.push_back(pointer(kGpsIfd, Ifd{s.gps}));
    return exif_jpeg(Tiff{.order = order, .chain = {ifd0}});
}

class ScriptOutputs : public ::testing::Test {
protected:
    cli_result run(const std::vector<std::string> &args) const { return run_tagsift(args, {.cwd = dir.path()}); }
    std::string out(const std::vector<std::string> &args) const { return run(args).out; }
    void save(const std::string &name, const std::string &text) const
    {
        std::ofstream(dir.file(name), std::ios::binary) << text;
    }
    int shell(const std::string &command) const
    {
        return std::system(("cd '" + dir.path() + "' && " + command).c_str());
    }
    temp_dir dir;
};

struct typed_case {
    stored photo;
    std::string field;  // as -f takes it
    std::string json;   // the value in the JSON line
    std::string sql;    // and in the script
    std::string err;    // what the run prints on standard error
};

const std::string type_warning = "Warning: file f.jpg: Unexpected data type for field ";
const std::string null_warning = "Warning: File f.jpg: value ";

TEST_F(ScriptOutputs, ValuesAreTypedFromTheStoredNumbersInBothByteOrders)
{
    // clang-format off
    const typed_case cases[] = {
        {{.exif = {rationals(0x829A, {{1, 200}})}}, "exp-time", "0.005", "0.005", ""},
        {{.exif = {rationals(0x829D, {{58, 10}})}}, "f-number", "5.8", "5.8", ""},
        {{.exif = {rationals(0x920A, {{2734, 100}})}}, "focal-len", "27.34", "27.34", ""},
        {{.exif = {srationals(0x9204, {{-2, 3}})}}, "exp-bias", "-0.666666666666667", "-0.666666666666667", ""},
        {{.exif = {shorts(0x8827, {800})}}, "iso-speed", "800", "800", ""},
        {{.exif = {longs(0xA002, {70000})}}, "width", "70000", "70000", ""},
        // APEX values become the seconds and f-number the listing shows.
        {{.exif = {srationals(0x9201, {{7, 1}})}}, "shutter", "0.0078125", "0.0078125", ""},
        {{.exif = {rationals(0x9202, {{3, 1}})}}, "aperture", "2.82842712474619", "2.82842712474619", ""},
        // A number stored as text counts when it reads as one.
        {{.exif = {ascii(0x8827, "400")}}, "iso-speed", "400", "400",
         type_warning + "'ISO Speed', expected UNSIGNED SHORT, actual STRING.\n"},
        {{.exif = {ascii(0x829D, "f/2.8")}}, "f-number", "null", "NULL",
         type_warning + "'F-Number', expected UNSIGNED RATIONAL, actual STRING.\n" + null_warning +
             "'f/2.8' of field f-number is not a number, written as null\n"},
        {{.exif = {rationals(0x920A, {{0, 0}})}}, "focal-len", "null", "NULL",
         null_warning + "'0/0' of field focal-len is not a number, written as null\n"},
        {{.exif = {shorts(0xA003, {78, 0})}}, "height", "null", "NULL",
         "Warning: file f.jpg - Unexpected data repeat count for field 'Image Height', expected 1, actual 2\n" +
             null_warning + "'78 0' of field height is not a number, written as null\n"},
        // Codes with names stay words; texts lose their trailing blanks.
        {{.exif = {shorts(0x9209, {1})}}, "flash", "\"Fired\"", "'Fired'", ""},
        {{.ifd0 = {ascii(kMake, "QV-4000  ")}}, "make", "\"QV-4000\"", "'QV-4000'", ""},
        {{.ifd0 = {ascii(kMake, "   ")}}, "make", "null", "NULL", ""},
        {{.ifd0 = {ascii(0x0131, "0220")}}, "firm-ver", "\"0220\"", "'0220'", ""},
        // Dates in ISO 8601; blank and zero dates are null.
        {{.exif = {ascii(0x9003, "2010:07:20 01:23:44")}}, "date-taken", "\"2010-07-20T01:23:44\"",
         "'2010-07-20T01:23:44'", ""},
        {{.exif = {ascii(0x9003, "    :  :     :  :  ")}}, "date-taken", "null", "NULL", ""},
        {{.exif = {ascii(0x9003, "0000:00:00 00:00:00")}}, "date-taken", "null", "NULL", ""},
        {{.ifd0 = {ascii(0x0132, "2010:13:20 01:23:44")}}, "date-mod", "null", "NULL", ""},
        {{.gps = {rationals(0x0007, {{4, 1}, {31, 1}, {75, 10}})}}, "gps-time", "\"04:31:07.5\"", "'04:31:07.5'", ""},
    };
    // clang-format on
    for (const typed_case &c : cases) {
        for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
            write_file(dir.file("f.jpg"), typed_photo(order, c.photo));
            std::string key = c.field;
            std::replace(key.begin(), key.end(), '-', '_');
            cli_result j = run({"-o", "j", "-f", c.field, "f.jpg"});
            EXPECT_EQ(j.out, "{\"file_name_full\":\"f.jpg\",\"" + key + "\":" + c.json + "}\n") << c.field;
            EXPECT_EQ(j.err, c.err) << c.field;
            EXPECT_EQ(j.status, 0);
            const std::string script = out({"-q", "-o", "d", "-f", c.field, "f.jpg"});
            EXPECT_NE(script.find("    VALUES ('f.jpg', " + c.sql + ", NULL)\n"), std::string::npos) << script;
        }
    }
}

TEST_F(ScriptOutputs, GpsPositionIsSignedDecimalDegreesFromTheStoredRationals)
{
    const auto lat = [](const char *ref, std::vector<Rational> v) {
        return std::vector<Entry>{ascii(0x0001, ref), rationals(0x0002, v)};
    };
    // clang-format off
    const std::pair<std::vector<Entry>, std::string> cases[] = {
        // 51 45' 45.45" N, 0 7' 3" E, 35 m above sea level
        {{ascii(0x0001, "N"), rationals(0x0002, {{51, 1}, {45, 1}, {4545, 100}}), ascii(0x0003, "E"),
          rationals(0x0004, {{0, 1}, {7, 1}, {3, 1}}), byte_values(0x0005, {0}), rationals(0x0006, {{35, 1}})},
         "\"gps_lat\":51.762625,\"gps_lon\":0.1175,\"gps_alt\":35"},
        // south, west and below the reference are negative
        {{ascii(0x0001, "S"), rationals(0x0002, {{33, 1}, {51, 1}, {54, 1}}), ascii(0x0003, "W"),
          rationals(0x0004, {{151, 1}, {12, 1}, {36, 1}}), byte_values(0x0005, {1}), rationals(0x0006, {{13, 2}})},
         "\"gps_lat\":-33.865,\"gps_lon\":-151.21,\"gps_alt\":-6.5"},
        // minutes with a fraction and seconds of 0/0; no longitude, no altitude
        {lat("N", {{48, 1}, {5142, 100}, {0, 0}}), "\"gps_lat\":48.857,\"gps_lon\":null,\"gps_alt\":null"},
        // a degree of 0/0 is no position
        {lat("N", {{0, 0}, {1, 1}, {0, 1}}), "\"gps_lat\":null,\"gps_lon\":null,\"gps_alt\":null"},
    };
    // clang-format on
    for (const auto &[gps, json] : cases) {
        for (ByteOrder order : {ByteOrder::Intel, ByteOrder::Motorola}) {
            write_file(dir.file("f.jpg"), typed_photo(order, {.gps = gps}));
            cli_result r = run({"-o", "j", "-f", "gps_lat,gps_lon,gps_alt", "f.jpg"});
            EXPECT_EQ(r.out, "{\"file_name_full\":\"f.jpg\"," + json + "}\n");
            EXPECT_EQ(r.err, "");
        }
    }
}

TEST_F(ScriptOutputs, DatesTakeTheStoredOffsetWithExtendedReading)
{
    const stored photo{.exif = {ascii(0x9003, "2010:07:20 01:23:44"), ascii(0x9011, "+02:00"),
                                ascii(0x9004, "2010:07:20 01:23:45"), ascii(0x9012, "2:00")}};
    write_file(dir.file("f.jpg"), typed_photo(ByteOrder::Intel, photo));
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"-e"}, R"("date_taken":"2010-07-20T01:23:44+02:00","date_digi":"2010-07-20T01:23:45")"},
        {{}, R"("date_taken":"2010-07-20T01:23:44","date_digi":"2010-07-20T01:23:45")"},
    };
    for (const auto &[options, json] : cases) {
        std::vector<std::string> args = options;
        args.insert(args.end(), {"-q", "-o", "j", "-f", "date-taken,date-digi", "f.jpg"});
        EXPECT_EQ(out(args), "{\"file_name_full\":\"f.jpg\"," + json + "}\n");
    }
}

TEST_F(ScriptOutputs, JsonTextsAreEscapedUtf8WhateverTheirBytes)
{
    // clang-format off
    const std::pair<std::string, std::string> cases[] = {
        // description, as JSON
        {"Say \"cheese\"", R"("Say \"cheese\"")"},
        {"C:\\DCIM", R"("C:\\DCIM")"},
        {"tab\tline\nreturn\r", R"("tab\tline\nreturn\r")"},
        {"\x01\x1f\x7f", R"("\u0001\u001f\u007f")"},
        {"caf\xc3\xa9 \xf0\x9f\x93\xb7", "\"caf\xc3\xa9 \xf0\x9f\x93\xb7\""},  // UTF-8 stays as it is
        {"caf\xe9 \xff", "\"caf\xc3\xa9 \xc3\xbf\""},                         // other bytes are Latin-1
        // an overlong '/', a surrogate, a sequence cut short
        {"\xc0\xaf \xed\xa0\x80 \xe2\x82z", "\"\xc3\x80\xc2\xaf \xc3\xad\xc2\xa0\xc2\x80 \xc3\xa2\xc2\x82z\""},
    };
    // clang-format on
    for (const auto &[description, json] : cases) {
        batch::write_photo(dir.file("f.jpg"), batch::photo{.description = description, .width = 1600});
        EXPECT_EQ(out({"-o", "j", "-f", "description,width", "f.jpg"}),
                  "{\"file_name_full\":\"f.jpg\",\"description\":" + json + ",\"width\":1600}\n");
    }
}

TEST_F(ScriptOutputs, EveryFileReportedOnGetsOneRecord)
{
    batch::write_photo(dir.file("a.jpg"), {.make = "Canon"});
    write_file(dir.file("b.jpg"), build_jpeg(Jpeg{.before = {jfif()}}));  // a JPEG file without EXIF data
    save("c.txt", "not a photo");
    cli_result j = run({"-o", "j", "-f", "make", "a.jpg", "b.jpg", "c.txt", "gone.jpg"});
    EXPECT_EQ(j.out, "{\"file_name_full\":\"a.jpg\",\"make\":\"Canon\"}\n"
                     "{\"file_name_full\":\"b.jpg\",\"make\":null,\"error\":\"JPEG file does not contain EXIF data\"}\n"
                     "{\"file_name_full\":\"c.txt\",\"make\":null,\"error\":\"File is not a JPEG file\"}\n"
                     "{\"file_name_full\":\"gone.jpg\",\"make\":null,"
                     "\"error\":\"can't determine file type: No such file or directory\"}\n");
    EXPECT_EQ(j.err, "Error: Error while extracting EXIF fields: JPEG file does not contain EXIF data\n"
                     "Error: Error while extracting EXIF fields: File is not a JPEG file\n"
                     "Error: file gone.jpg: can't determine file type: No such file or directory\n");
    EXPECT_EQ(j.status, 0);
    // A walk passes over files that are no photos, and reports on the others.
    // A link that leads nowhere is reported on, and so gets its record too.
    ASSERT_EQ(symlink("gone.jpg", dir.file("link.jpg").c_str()), 0);
    cli_result d = run({"-q", "-o", "d", "-f", "make", "."});
    for (const char *values :
         {"VALUES ('./a.jpg', 'Canon', NULL)", "VALUES ('./b.jpg', NULL, 'JPEG file does not contain EXIF data')",
          "VALUES ('./link.jpg', NULL, 'can''t determine file type: No such file or directory')"})
        EXPECT_NE(d.out.find(values), std::string::npos) << values;
    EXPECT_EQ(d.out.find("c.txt"), std::string::npos);
}

TEST_F(ScriptOutputs, ScriptCreatesAKeyedTableAndUpdatesItsRows)
{
    batch::write_photo(dir.file("a.jpg"), {.make = "Canon", .width = 1600});
    EXPECT_EQ(out({"-o", "d", "-f", "file-size,make,width", "a.jpg"}),
              "CREATE TABLE IF NOT EXISTS pictures (\n"
              "    \"file_name_full\" TEXT PRIMARY KEY,\n"
              "    \"file_size\" BIGINT,\n"
              "    \"make\" TEXT,\n"
              "    \"width\" BIGINT,\n"
              "    \"error\" TEXT\n"
              ");\n\nBEGIN TRANSACTION;\n\n"
              "INSERT INTO pictures (\"file_name_full\", \"file_size\", \"make\", \"width\", \"error\")\n"
              "    VALUES ('a.jpg', " +
                  std::to_string(std::filesystem::file_size(dir.file("a.jpg"))) +
                  ", 'Canon', 1600, NULL)\n"
                  "    ON CONFLICT (\"file_name_full\") DO UPDATE SET \"file_size\" = excluded.\"file_size\", "
                  "\"make\" = excluded.\"make\", \"width\" = excluded.\"width\", \"error\" = excluded.\"error\";\n\n"
                  "COMMIT;\n");
    if (!installed("sqlite3"))
        GTEST_SKIP() << "sqlite3 is not installed";
    // Loaded twice, the second time after the photos changed: one row per file, the newer values.
    batch::write_photo(dir.file("it's.jpg"), {.description = "a\r\nb", .width = 640});
    save("first.sql", out({"-q", "-o", "d", "-f", "make,description,width", "."}));
    batch::write_photo(dir.file("a.jpg"), {.make = "NIKON"});
    save("second.sql", out({"-q", "-o", "d", "-f", "make,description,width", "."}));
    EXPECT_EQ(shell("sqlite3 -bail t.db <first.sql && sqlite3 -bail t.db <second.sql && sqlite3 t.db "
                    "\"SELECT file_name_full, make, hex(description), width, typeof(width) FROM pictures "
                    "ORDER BY 1\" >rows.txt"),
              0);
    std::ifstream rows(dir.file("rows.txt"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(rows), {}),
              "./a.jpg|NIKON|||null\n./it's.jpg||610D0A62|640|integer\n");
}

TEST_F(ScriptOutputs, EveryFieldGroupedByItsIfd)
{
    const stored photo{.ifd0 = {ascii(kMake, "Canon")},
                       .exif = {rationals(0x829A, {{1, 200}}), undefined(0xC000, {5})},
                       .gps = {ascii(0x0001, "S"), rationals(0x0002, {{10, 1}, {30, 1}, {0, 1}})}};
    const Bytes bytes = typed_photo(ByteOrder::Intel, photo);
    write_file(dir.file("f.jpg"), bytes);
    cli_result r = run({"-o", "j", "-f", "all", "f.jpg"});
    EXPECT_EQ(r.out, "{\"file_name_full\":\"f.jpg\",\"file_size\":" + std::to_string(bytes.size()) +
                         ",\"camera\":{\"make\":\"Canon\"},\"image\":{\"exp_time\":0.005},"
                         "\"gps\":{\"gps_lat_ref\":\"S\",\"gps_latitude\":10.5},\"unknown\":{\"0xc000\":\"05\"},"
                         "\"gps_lat\":-10.5,\"gps_lon\":null,\"gps_alt\":null}\n");
    EXPECT_EQ(r.err, "");
    // "all" is a name of -o j only.
    cli_result d = run({"-o", "d", "-f", "all", "f.jpg"});
    EXPECT_EQ(d.err, "Warning: Unknown field name 'all' ignored.\nError: No valid fields names specified.\n");
    EXPECT_EQ(d.status, 1);
}

TEST_F(ScriptOutputs, SamplesLoadTwiceAsTheJsonLinesShowThem)
{
    if (!std::filesystem::is_directory(samples_dir) || !installed("python3") || !installed("sqlite3"))
        GTEST_SKIP() << "no samples folder, python3 or sqlite3";
    const std::string check = "python3 '" + source_dir + "/tests/rows_check.py' lines.json t.db";
    for (const auto &[options, folder] : {std::pair{"-q -r", samples_dir}, {"-q -r -e", modern_dir}}) {
        const std::string tagsift = "'" + tagsift_binary() + "' " + options;
        EXPECT_EQ(shell("rm -f t.db && " + tagsift + " -o j '" + folder + "' >lines.json && " + tagsift + " -o d '" +
                        folder + "' >load.sql && sqlite3 -bail t.db <load.sql && sqlite3 -bail t.db <load.sql && " +
                        check),
                  0)
            << options;
    }
}

TEST_F(ScriptOutputs, ScriptOfARunStoppedWithStatus8LoadsEveryFilePrinted)
{
    if (!installed("sqlite3"))
        GTEST_SKIP() << "sqlite3 is not installed";
    batch::write_photo(dir.file("a.jpg"), {.make = "Canon", .width = 1600});
    batch::write_photo(dir.file("b.jpg"), {.artist = "O'Brien"});
    // 70000 SHORT values from offset 8: 140000 bytes, past the 131072-byte window.
    write_file(dir.file("stop.jpg"), exif_jpeg(Tiff{.chain = {Ifd{{entry_value(0x0100, kShort, 70000, 8)}}}}));
    batch::write_photo(dir.file("c.jpg"), {.make = "NIKON"});
    cli_result r = run({"-q", "-o", "d", "-f", "make,artist,width", "a.jpg", "b.jpg", "stop.jpg", "c.jpg"});
    EXPECT_EQ(r.status, 8);
    save("load.sql", r.out);
    EXPECT_EQ(shell("sqlite3 -bail t.db <load.sql && sqlite3 t.db 'SELECT * FROM pictures ORDER BY 1' >rows.txt"), 0);
    std::ifstream rows(dir.file("rows.txt"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(rows), {}), "a.jpg|Canon||1600|\nb.jpg||O'Brien||\n");
}

}  // namespace
