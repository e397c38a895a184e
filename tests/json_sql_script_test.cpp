// JSON Lines (-o j) and the SQL script (-o d) end to end: how texts and
// numbers are written, and what a strict JSON parser and a new SQLite database
// read back from them, against the list style of the same photos.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <tuple>

#include "batch_photos.h"
#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using batch::photo;

namespace {

const std::string source_dir = TAGSIFT_SOURCE_DIR;
const std::string samples_dir = source_dir + "/../shared/samples";

bool installed(const std::string &tool) { return std::system(("command -v " + tool + " >/dev/null").c_str()) == 0; }

class ScriptOutputs : public ::testing::Test {
protected:
    size_t add(const std::string &name, const photo &p) { return batch::write_photo(dir.file(name), p); }
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

    // The list (tab-separated, with header), JSON and SQL script of one run's
    // arguments must read back alike: the JSON lines through a strict parser
    // (and jq when it is installed), the script loaded twice into a new SQLite
    // database with sqlite3 -bail.
    void expect_read_back_as_list(std::vector<std::string> args) const
    {
        for (auto [style, file] : {std::pair{"lh", "list.txt"}, {"j", "lines.json"}, {"d", "load.sql"}}) {
            std::vector<std::string> styled = {"-q", "-c", "t", "-o", style};
            styled.insert(styled.end(), args.begin(), args.end());
            save(file, run(styled).out);
        }
        const std::string check = "python3 '" + source_dir + "/tests/rows_check.py' ";
        EXPECT_EQ(shell(check + "json list.txt lines.json"), 0);
        if (installed("jq")) {
            EXPECT_EQ(shell("jq -c . lines.json >/dev/null"), 0);
        }
        if (installed("sqlite3")) {
            EXPECT_EQ(shell("rm -f new.db && sqlite3 -bail new.db <load.sql && sqlite3 -bail new.db <load.sql && " +
                            check + "sqlite list.txt new.db 2"),
                      0);
        }
    }
    temp_dir dir;
};

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
        add("f.jpg", photo{.description = description, .width = 1600});
        EXPECT_EQ(out({"-o", "j", "-f", "description,width", "f.jpg"}),
                  "{\"description\":" + json + ",\"width\":1600}\n");
    }
}

TEST_F(ScriptOutputs, ValuesAreBareNumbersOnlyWhenTheirTextSurvivesTheReading)
{
    // firm-ver is written bare by -o s when it is a plain number.
    // clang-format off
    const std::tuple<photo, std::string, std::string> cases[] = {
        // photo, its value in JSON and in the SQL script
        {{.firm_ver = "1.1"}, "1.1", "1.1"},
        {{.firm_ver = "0220"}, "\"0220\"", "'0220'"},
        {{.firm_ver = "+5"}, "\"+5\"", "'+5'"},
        {{.firm_ver = "2.50"}, "\"2.50\"", "'2.50'"},
        {{.firm_ver = "E990v1.1"}, "\"E990v1.1\"", "'E990v1.1'"},
        // The sqlite3 shell would drop a carriage return before a line end.
        {{.description = "a\r\nb"}, "\"a\\r\\nb\"", "'a\r' || '\nb'"},
    };
    // clang-format on
    for (const auto &[p, json, sql] : cases) {
        add("f.jpg", p);
        const std::string field = p.description.empty() ? "firm-ver" : "description";
        EXPECT_EQ(out({"-o", "j", "-f", field, "f.jpg"}), "{\"" + field + "\":" + json + "}\n");
        EXPECT_NE(out({"-o", "d", "-f", field, "f.jpg"}).find(") VALUES (\n    " + sql + "\n);"), std::string::npos)
            << json;
    }
}

TEST_F(ScriptOutputs, FileWithoutAnySelectedValueGetsNoStatement)
{
    add("b.jpg", photo{.make = "Canon"});
    EXPECT_EQ(out({"-o", "d", "-f", "width,artist", "b.jpg"}),
              "CREATE TABLE IF NOT EXISTS pictures (\n    \"width\" BIGINT,\n    \"artist\" TEXT\n);\n\n"
              "BEGIN TRANSACTION;\n\nCOMMIT;\n");
}

TEST_F(ScriptOutputs, HostileTextsReadBackAsTheListShowsThem)
{
    if (!installed("python3"))
        GTEST_SKIP() << "python3 is not installed";
    add("pics/a.jpg", {.make = "Co.,Ltd\t\"x\"", .artist = "O'Brien \\ \x01\x1b[31m", .width = 1600, .height = 1200});
    add("pics/b.jpg", {.description = "two\nlines\r\n", .firm_ver = "0220", .sub_time = "045", .width = 640});
    add("pics/sub/c.jpg", {.make = "caf\xe9 \xc3\xa9 \xc0\xaf \xed\xa0\x80 \xe2\x82", .firm_ver = "2.50"});
    add("pics/it's.jpg", {.make = "NIKON", .firm_ver = "1.1", .date_taken = "2001:10:06 12:30:00"});
    // Widths that are no whole number: stored as text, and as two SHORT values (as a Kodak camera does).
    using namespace fixture;
    Ifd exif{{ascii(0xA002, "wide"), shorts(0xA003, {78, 0})}};
    write_file(dir.file("pics/d.jpg"), exif_jpeg(Tiff{.chain = {Ifd{{pointer(tag::kExifIfd, exif)}}}}));
    expect_read_back_as_list({"-r", "-f",
                              "file-name-full,file-dir,file-size,make,artist,description,firm-ver,sub-time,"
                              "date-taken,width,height",
                              "pics"});
}

TEST_F(ScriptOutputs, SamplePhotosReadBackAsTheListShowsThem)
{
    if (!std::filesystem::is_directory(samples_dir) || !installed("python3"))
        GTEST_SKIP() << "no samples folder or python3";
    expect_read_back_as_list({"-r", samples_dir});
    expect_read_back_as_list({"-r", "-f",
                              "file-name,make,model,artist,copyright,description,firm-ver,exif-ver,sub-time,"
                              "iso-speed,x-res,gps-latitude,gps-ver,width,height",
                              samples_dir});
}

TEST_F(ScriptOutputs, ScriptOfARunStoppedWithStatus8LoadsEveryFilePrinted)
{
    if (!installed("python3") || !installed("sqlite3"))
        GTEST_SKIP() << "python3 or sqlite3 is not installed";
    add("a.jpg", {.make = "Canon", .width = 1600});
    add("b.jpg", {.artist = "O'Brien"});
    add("c.jpg", {.make = "NIKON"});
    // 70000 SHORT values from offset 8: 140000 bytes, past the 131072-byte window.
    using namespace fixture;
    write_file(dir.file("stop.jpg"), exif_jpeg(Tiff{.chain = {Ifd{{entry_value(0x0100, kShort, 70000, 8)}}}}));
    cli_result r = run({"-q", "-o", "d", "-f", "file-name,make,artist,width", "a.jpg", "b.jpg", "stop.jpg", "c.jpg"});
    EXPECT_EQ(r.status, 8);
    save("load.sql", r.out);
    save("list.txt", out({"-q", "-o", "lh", "-c", "t", "-f", "file-name,make,artist,width", "a.jpg", "b.jpg"}));
    EXPECT_EQ(shell("sqlite3 -bail new.db <load.sql && python3 '" + source_dir +
                    "/tests/rows_check.py' sqlite list.txt new.db 1"),
              0)
        << r.out;
}

}  // namespace
