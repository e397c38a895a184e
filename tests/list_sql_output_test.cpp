// List and SQL output end to end: default and chosen columns, header line,
// separators, missing columns, field-list sources, and the quoting that keeps
// every value in one piece.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "batch_photos.h"
#include "frontend/value_quoting.h"
#include "harness/cli_runner.h"

using batch::photo;

namespace {

const photo full_photo{.make = "Canon", .date_taken = "2001:10:06 12:30:00", .width = 1600, .height = 1200};

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

using ListOutput = BatchOutput;
using SqlOutput = BatchOutput;

TEST_F(ListOutput, DefaultColumnsAndHeader)
{
    add("f.jpg", full_photo);
    add("g.jpg", photo{.width = 640});
    const std::string header = "file-name-full,exp-time,f-number,exp-prog,date-taken,shutter,aperture,exp-bias,"
                               "meter-mode,flash,focal-len,width,height,\n";
    // Columns after a file's last value are not printed; empty ones before it are.
    EXPECT_EQ(out({"-o", "lh", "f.jpg", "g.jpg"}),
              header + "f.jpg,,,,2001:10:06 12:30:00,,,,,,,1600,1200\ng.jpg,,,,,,,,,,,640\n");
    EXPECT_EQ(out({"-o", "lh"}), header) << "the header stands alone without files";
}

TEST_F(ListOutput, ChosenColumns)
{
    const size_t size = add("f.jpg", photo{.make = "Canon", .width = 1600});
    add("h.jpg", photo{.height = 1200});
    // The first value is never preceded by a separator, even when it is empty.
    EXPECT_EQ(out({"-o", "lh", "-f", "width,height", "h.jpg"}), "width,height,\n,1200\n");
    EXPECT_EQ(out({"-o", "lh", "-f", "file-name", "h.jpg"}), "file-name,,\nh.jpg,\n");
    EXPECT_EQ(out({"-o", "l", "-f", "make,model,width", "f.jpg"}), "Canon,,1600\n");
    EXPECT_EQ(out({"-o", "lh", "-f", "width,file-size,file-name,file-name-full", "f.jpg"}),
              "file-name-full,file-name,file-size,width,\nf.jpg,f.jpg," + std::to_string(size) + ",1600\n");
    EXPECT_EQ(out({"-c", "t", "-o", "lh", "-f", "file-name,model,width", "f.jpg"}),
              "file-name\tmodel\twidth\t\nf.jpg\t\t1600\n");
}

TEST_F(ListOutput, FieldListSourcesAndWarnings)
{
    add("f.jpg", full_photo);
    fixture::write_file(dir.file("names.txt"), fixture::bytes_of("make\nwidth\n"));
    EXPECT_EQ(out({"-o", "lh", "-f", "@names.txt", "f.jpg"}), "make,width,\nCanon,1600\n");
    EXPECT_EQ(run({"-o", "lh", "-f", "@-", "f.jpg"}, "make\nwidth\n").out, "make,width,\nCanon,1600\n");

    cli_result missing = run({"-o", "l", "-f", "@absent.txt", "f.jpg"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.out, "");
    EXPECT_EQ(missing.err, "Error: Can't open file list file absent.txt: No such file or directory\n"
                           "Error: No valid fields names specified.\n");

    cli_result warned = run({"-o", "l", "-f", "width,bogus,width", "f.jpg"});
    EXPECT_EQ(warned.out, "1600\n");
    EXPECT_EQ(warned.err, "Warning: Unknown field name 'bogus' ignored.\nWarning: Duplicate field name 'width' ignored\n");
    EXPECT_EQ(run({"-q", "-o", "l", "-f", "width,bogus,width", "f.jpg"}).err, "");

}

struct quoting_case {
    std::string description;
    const char *separator;  // argument of -c
    std::string shown;
};

TEST_F(ListOutput, ValuesThatWouldBreakTheLineAreQuoted)
{
    const quoting_case cases[] = {
        {"OLYMPUS OPTICAL CO.,LTD", "c", "\"OLYMPUS OPTICAL CO.,LTD\""},
        {"OLYMPUS OPTICAL CO.,LTD", "t", "OLYMPUS OPTICAL CO.,LTD"},
        {"Say \"cheese\"", "c", "\"Say \"\"cheese\"\"\""},
        {"two\nlines", "c", "\"two\nlines\""},
        {"carriage\rreturn", "c", "\"carriage\rreturn\""},
        {"tab\there", "c", "tab\there"},
        {"tab\there", "t", "\"tab\there\""},
    };
    for (const quoting_case &c : cases) {
        add("f.jpg", photo{.description = c.description, .width = 1600});
        const std::string sep = c.separator[0] == 't' ? "\t" : ",";
        EXPECT_EQ(out({"-c", c.separator, "-o", "l", "-f", "description,width", "f.jpg"}), c.shown + sep + "1600\n")
            << c.description;
    }
    add("a,b.jpg", photo{.width = 1600});
    EXPECT_EQ(out({"-o", "l", "-f", "file-name,width", "a,b.jpg"}), "\"a,b.jpg\",1600\n") << "file names too";
}

TEST_F(ListOutput, FileSizesBeyondTwoGigabytesStayPositive)
{
    add("big.jpg", photo{.width = 1600});
    std::error_code ec;
    std::filesystem::resize_file(dir.file("big.jpg"), 3221225472ULL, ec);  // sparse: no disk used
    if (ec)
        GTEST_SKIP() << "cannot make a sparse 3 GiB file here: " << ec.message();
    EXPECT_EQ(out({"-o", "l", "-f", "file-size,width", "big.jpg"}), "3221225472,1600\n");
}

TEST_F(SqlOutput, StatementsWithAndWithoutValues)
{
    const size_t size = add("f.jpg", photo{.make = "Canon", .width = 1600});
    // Missing columns are left out of both lists.
    EXPECT_EQ(out({"-o", "s", "-f", "width,file-size,model,make", "f.jpg"}),
              "INSERT INTO pictures (\n    \"file-size\",\n    \"width\",\n    \"make\"\n) VALUES (\n    " +
                  std::to_string(size) + ",\n    1600,\n    'Canon'\n);\n\n");
    EXPECT_EQ(out({"-o", "s", "-f", "artist", "f.jpg"}), "INSERT INTO pictures (\n\n) VALUES (\n\n);\n\n");
    batch::write_photo(dir.file("pics/g.jpg"), full_photo);
    EXPECT_EQ(out({"-o", "s", "-f", "file-name,file-name-full", "pics"}),
              "INSERT INTO pictures (\n    \"file-name\",\n    \"file-name\"\n) VALUES (\n"
              "    'pics/g.jpg',\n    'g.jpg'\n);\n\n");
}

TEST_F(SqlOutput, ValuesAreLiteralsOrPlainNumbers)
{
    // firm-ver is a column written bare by default: only plain numbers stay bare.
    const std::pair<std::string, std::string> cases[] = {
        {"1.1", "1.1"}, {"-2", "-2"}, {"E990v1.1", "'E990v1.1'"}, {"1.", "'1.'"}, {"it's", "'it''s'"},
    };
    for (const auto &[value, written] : cases) {
        add("f.jpg", photo{.firm_ver = value});
        EXPECT_EQ(out({"-o", "s", "-f", "firm-ver", "f.jpg"}),
                  "INSERT INTO pictures (\n    \"firm-ver\"\n) VALUES (\n    " + written + "\n);\n\n")
            << value;
    }
    add("it's.jpg", photo{.artist = "O'Brien"});
    EXPECT_EQ(out({"-o", "s", "-f", "file-name,artist", "it's.jpg"}),
              "INSERT INTO pictures (\n    \"file-name\",\n    \"artist\"\n) VALUES (\n"
              "    'it''s.jpg',\n    'O''Brien'\n);\n\n");
}

TEST(ValueQuoting, PlainNumbers)
{
    for (const char *yes : {"0", "-0.33", "+7", "12.80"})
        EXPECT_TRUE(is_plain_number(yes)) << yes;
    for (const char *no : {"", "-", ".5", "1/125", "1 2", "0x10", "inf", "12.8.0"})
        EXPECT_FALSE(is_plain_number(no)) << no;
}

}  // namespace
