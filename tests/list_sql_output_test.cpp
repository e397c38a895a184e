// List and SQL output end to end: default and chosen columns, header line,
// separators, missing columns, field-list sources, the quoting that keeps
// every value in one piece, and SQL statements loaded into a real database.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

#include "batch_photos.h"
#include "harness/cli_runner.h"

using batch::photo;

namespace {

// Photos in a fresh directory, which is also the working directory of each run.
class BatchOutput : public ::testing::Test {
protected:
    size_t add(const std::string &name, const photo &p) { return batch::write_photo(dir.file(name), p); }
    cli_result run(const std::vector<std::string> &args, const std::string &stdin_text = "") const
    {
        return run_tagsift(args, {.cwd = dir.path(), .stdin_text = stdin_text});
    }
    std::string out(const std::vector<std::string> &args) const { return run(args).out; }
    temp_dir dir;
};

TEST_F(BatchOutput, DefaultColumnsAndHeader)
{
    add("f.jpg", photo{.make = "Canon", .date_taken = "2001:10:06 12:30:00", .width = 1600, .height = 1200});
    add("g.jpg", photo{.width = 640});
    const std::string header = "file-name-full,exp-time,f-number,exp-prog,date-taken,shutter,aperture,exp-bias,"
                               "meter-mode,flash,focal-len,width,height,\n";
    // Columns after a file's last value are not printed; empty ones before it are.
    EXPECT_EQ(out({"-o", "lh", "f.jpg", "g.jpg"}),
              header + "f.jpg,,,,2001:10:06 12:30:00,,,,,,,1600,1200\ng.jpg,,,,,,,,,,,640\n");
    EXPECT_EQ(out({"-o", "lh"}), header) << "the header stands alone without files";
}

TEST_F(BatchOutput, ChosenColumnsWithPseudoFieldsFirst)
{
    const size_t size = add("f.jpg", photo{.make = "Canon", .width = 1600});
    add("h.jpg", photo{.height = 1200});
    // The first value is never preceded by a separator, even when it is empty.
    EXPECT_EQ(out({"-o", "lh", "-f", "width,height", "h.jpg"}), "width,height,\n,1200\n");
    EXPECT_EQ(out({"-o", "lh", "-f", "file-name", "h.jpg"}), "file-name,,\nh.jpg,\n");
    EXPECT_EQ(out({"-o", "lh", "-f", "width,file-size,file-name,file-name-full", "f.jpg"}),
              "file-name-full,file-name,file-size,width,\nf.jpg,f.jpg," + std::to_string(size) + ",1600\n");
    EXPECT_EQ(out({"-c", "t", "-o", "lh", "-f", "file-name,model,width", "f.jpg"}),
              "file-name\tmodel\twidth\t\nf.jpg\t\t1600\n");
}

TEST_F(BatchOutput, FieldListSourcesAndWarnings)
{
    add("f.jpg", photo{.make = "Canon", .width = 1600});
    fixture::write_file(dir.file("names.txt"), fixture::bytes_of("make\nwidth\n"));
    EXPECT_EQ(out({"-o", "lh", "-f", "@names.txt", "f.jpg"}), "make,width,\nCanon,1600\n");
    EXPECT_EQ(run({"-o", "lh", "-f", "@-", "f.jpg"}, "make\nwidth\n").out, "make,width,\nCanon,1600\n");

    cli_result missing = run({"-q", "-o", "l", "-f", "@absent.txt", "f.jpg"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Error: Can't open file list file absent.txt: No such file or directory\n"
                           "Error: No valid fields names specified.\n");

    cli_result warned = run({"-o", "l", "-f", "width,bogus,width", "f.jpg"});
    EXPECT_EQ(warned.out, "1600\n");
    EXPECT_EQ(warned.err,
              "Warning: Unknown field name 'bogus' ignored.\nWarning: Duplicate field name 'width' ignored\n");
    EXPECT_EQ(run({"-q", "-o", "l", "-f", "width,bogus,width", "f.jpg"}).err, "");
}

TEST_F(BatchOutput, ListValuesThatWouldBreakTheLineAreQuoted)
{
    // clang-format off
    const std::tuple<std::string, const char *, std::string> cases[] = {
        // value, argument of -c, shown
        {"Co.,Ltd", "c", "\"Co.,Ltd\""},
        {"Co.,Ltd", "t", "Co.,Ltd"},
        {"Say \"cheese\"", "c", "\"Say \"\"cheese\"\"\""},
        {"two\nlines", "c", "\"two\nlines\""},
        {"carriage\rreturn", "c", "\"carriage\rreturn\""},
        {"tab\there", "c", "tab\there"},
        {"tab\there", "t", "\"tab\there\""},
    };
    // clang-format on
    for (const auto &[value, separator, shown] : cases) {
        add("f.jpg", photo{.description = value, .width = 1600});
        EXPECT_EQ(out({"-c", separator, "-o", "l", "-f", "description,width", "f.jpg"}),
                  shown + (separator[0] == 't' ? "\t" : ",") + "1600\n")
            << value;
    }
    add("a,b.jpg", photo{.width = 1600});
    EXPECT_EQ(out({"-o", "l", "-f", "file-name,width", "a,b.jpg"}), "\"a,b.jpg\",1600\n") << "file names too";
}

TEST_F(BatchOutput, SqlStatementsWithAndWithoutValues)
{
    const size_t size = add("f.jpg", photo{.make = "Canon", .width = 1600});
    // Missing columns are left out of both lists.
    EXPECT_EQ(out({"-o", "s", "-f", "width,file-size,model,make", "f.jpg"}),
              "INSERT INTO pictures (\n    \"file-size\",\n    \"width\",\n    \"make\"\n) VALUES (\n    " +
                  std::to_string(size) + ",\n    1600,\n    'Canon'\n);\n\n");
    EXPECT_EQ(out({"-o", "s", "-f", "artist", "f.jpg"}), "INSERT INTO pictures (\n\n) VALUES (\n\n);\n\n");
    add("pics/it's.jpg", photo{.artist = "O'Brien"});
    EXPECT_EQ(out({"-o", "s", "-f", "file-name,file-name-full,artist", "pics"}),
              "INSERT INTO pictures (\n    \"file-name\",\n    \"file-name\",\n    \"artist\"\n) VALUES (\n"
              "    'pics/it''s.jpg',\n    'it''s.jpg',\n    'O''Brien'\n);\n\n");
}

TEST_F(BatchOutput, SqlValuesAreLiteralsUnlessPlainNumbers)
{
    // firm-ver is a column written bare by default: only plain numbers stay bare.
    for (auto [value, written] : {std::pair{"-1.1", "-1.1"},
                                  {"E990v1.1", "'E990v1.1'"},
                                  {"1.", "'1.'"},
                                  {"1/125", "'1/125'"},
                                  {"it's", "'it''s'"}}) {
        add("f.jpg", photo{.firm_ver = value});
        EXPECT_EQ(out({"-o", "s", "-f", "firm-ver", "f.jpg"}),
                  "INSERT INTO pictures (\n    \"firm-ver\"\n) VALUES (\n    " + std::string(written) + "\n);\n\n")
            << value;
    }
}

// The statements for a photo tree must run in sqlite3 without a single error.
TEST_F(BatchOutput, SqlStatementsLoadIntoSqliteAndReadBack)
{
    if (std::system("command -v sqlite3 >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "sqlite3 is not installed";
    const size_t size = add("pics/a.jpg", {.make = "Co.,Ltd", .artist = "O'Brien", .width = 1600, .height = 1200});
    add("pics/b.jpg", {.description = "Say \"cheese\"\nline two", .width = 640});
    add("pics/sub/c.jpg", {.firm_ver = "E990v1.1", .sub_time = "45"});
    add("pics/it's.jpg", {.make = "NIKON", .firm_ver = "1.1"});
    cli_result r = run({"-r", "-o", "s", "-f",
                        "file-name-full,file-dir,file-size,make,artist,description,firm-ver,"
                        "sub-time,width,height",
                        "pics"});
    ASSERT_EQ(r.err, "");
    std::ofstream(dir.file("script.sql"), std::ios::binary)
        << "CREATE TABLE pictures (\"file-name\" TEXT, \"file-dir\" TEXT, \"file-size\" INTEGER, make TEXT, "
           "artist TEXT, description TEXT, \"firm-ver\", \"sub-time\", width INTEGER, height INTEGER);\n"
        << r.out
        << "SELECT count(*) FROM pictures;\n"
           "SELECT make, artist, width, height, \"file-size\" FROM pictures WHERE \"file-name\" = 'pics/a.jpg';\n"
           "SELECT description = 'Say \"cheese\"' || char(10) || 'line two' FROM pictures "
           "WHERE \"file-name\" = 'pics/b.jpg';\n"
           "SELECT \"file-dir\", typeof(\"firm-ver\"), typeof(\"sub-time\"), \"sub-time\" FROM pictures "
           "WHERE \"file-name\" = 'pics/sub/c.jpg';\n"
           "SELECT typeof(\"firm-ver\"), width IS NULL FROM pictures WHERE \"file-name\" = 'pics/it''s.jpg';\n";
    // -bail: stop at the first error, which goes into the output with the status.
    const int status = std::system(("cd '" + dir.path() + "' && sqlite3 -bail :memory: <script.sql >out 2>&1").c_str());
    std::ostringstream out;
    out << std::ifstream(dir.file("out")).rdbuf() << "status " << status;
    EXPECT_EQ(out.str(), "4\nCo.,Ltd|O'Brien|1600|1200|" + std::to_string(size) +
                             "\n1\npics/sub|text|integer|45\nreal|1\nstatus 0")
        << r.out;
}

}  // namespace
