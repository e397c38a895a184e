// The SQL style loaded into a real database: the statements for a photo tree
// must run in sqlite3 without a single error and read back the values stored.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "batch_photos.h"
#include "harness/cli_runner.h"

namespace {

// Runs the script in sqlite3 (-bail: stop at the first error); returns its output and errors.
std::string sqlite(const temp_dir &dir, const std::string &script, std::string &err)
{
    std::ofstream(dir.file("script.sql"), std::ios::binary) << script;
    const std::string command = "sqlite3 -bail '" + dir.file("pictures.db") + "' < '" + dir.file("script.sql") +
                                "' > '" + dir.file("out") + "' 2> '" + dir.file("err") + "'";
    const int status = std::system(command.c_str());
    auto read = [&](const char *name) {
        std::ostringstream text;
        text << std::ifstream(dir.file(name), std::ios::binary).rdbuf();
        return text.str();
    };
    err = read("err") + (status == 0 ? "" : "status " + std::to_string(status));
    return read("out");
}

std::string query(const temp_dir &dir, const std::string &sql)
{
    std::string err;
    std::string out = sqlite(dir, sql + "\n", err);
    EXPECT_EQ(err, "") << sql;
    return out;
}

class SqliteLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (std::system("command -v sqlite3 >/dev/null 2>&1") != 0)
            GTEST_SKIP() << "sqlite3 is not installed";
    }
    temp_dir dir;
};

TEST_F(SqliteLoad, FixtureTreeLoadsAndReadsBack)
{
    const size_t size_a = batch::write_photo(dir.file("pics/a.jpg"), {.make = "OLYMPUS OPTICAL CO.,LTD", .artist = "O'Brien",
                                                                      .width = 1600, .height = 1200});
    batch::write_photo(dir.file("pics/b.jpg"), {.description = "Say \"cheese\"\nline two", .width = 640});
    batch::write_photo(dir.file("pics/sub/c.jpg"), {.firm_ver = "E990v1.1", .sub_time = "45"});
    batch::write_photo(dir.file("pics/it's.jpg"), {.make = "NIKON", .firm_ver = "1.1"});
    cli_result r = run_tagsift({"-r", "-o", "s", "-f",
                                "file-name-full,file-dir,file-size,make,artist,description,firm-ver,sub-time,width,height",
                                "pics"},
                               {.cwd = dir.path()});
    ASSERT_EQ(r.err, "");
    std::string err;
    sqlite(dir,
           "CREATE TABLE pictures (\"file-name\" TEXT, \"file-dir\" TEXT, \"file-size\" INTEGER, make TEXT, artist TEXT, "
           "description TEXT, \"firm-ver\", \"sub-time\", width INTEGER, height INTEGER);\n" + r.out,
           err);
    ASSERT_EQ(err, "") << r.out;

    EXPECT_EQ(query(dir, "SELECT count(*) FROM pictures;"), "4\n");
    EXPECT_EQ(query(dir, "SELECT make, artist, width, height, \"file-size\" FROM pictures WHERE \"file-name\" = 'pics/a.jpg';"),
              "OLYMPUS OPTICAL CO.,LTD|O'Brien|1600|1200|" + std::to_string(size_a) + "\n");
    EXPECT_EQ(query(dir, "SELECT description = 'Say \"cheese\"' || char(10) || 'line two' FROM pictures "
                         "WHERE \"file-name\" = 'pics/b.jpg';"),
              "1\n");
    EXPECT_EQ(query(dir, "SELECT \"file-dir\", typeof(\"firm-ver\"), typeof(\"sub-time\"), \"sub-time\" FROM pictures "
                         "WHERE \"file-name\" = 'pics/sub/c.jpg';"),
              "pics/sub|text|integer|45\n");
    EXPECT_EQ(query(dir, "SELECT typeof(\"firm-ver\"), width IS NULL FROM pictures WHERE \"file-name\" = 'pics/it''s.jpg';"),
              "real|1\n");
}

// The real camera files, when their folder is there: whatever the cameras
// wrote into their text fields, every statement must load.
TEST_F(SqliteLoad, SampleCameraFilesLoad)
{
    const std::string samples = std::string(TAGSIFT_SOURCE_DIR) + "/../shared/samples";
    if (!std::filesystem::is_directory(samples))
        GTEST_SKIP() << "no sample files at " << samples;
    const std::string fields = "make,model,description,artist,firm-ver,date-taken,exp-time,f-number,focal-len,"
                               "exp-bias,flash,width,height,comment";
    cli_result r = run_tagsift({"-q", "-r", "-o", "s", "-f", "file-name-full," + fields, samples});
    size_t statements = 0;
    for (size_t at = r.out.find("INSERT INTO"); at != std::string::npos; at = r.out.find("INSERT INTO", at + 1))
        statements++;
    ASSERT_GT(statements, 0u);
    std::string columns = "\"file-name\"";
    std::istringstream names(fields);
    for (std::string name; std::getline(names, name, ',');)
        columns += ",\"" + name + "\"";
    std::string err;
    sqlite(dir, "CREATE TABLE pictures (" + columns + ");\n" + r.out, err);
    ASSERT_EQ(err, "");
    EXPECT_EQ(query(dir, "SELECT count(*) FROM pictures;"), std::to_string(statements) + "\n");
}

}  // namespace
