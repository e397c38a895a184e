// The name-list scanner: how texts split, the message each stray character
// gives, the end-of-text messages and -q, and the bounds of the result areas.
#include <gtest/gtest.h>

#include <string>

#include "support/run_options.h"
#include "support/tokenizer.h"

namespace {

struct scan_case {
    std::string text, tokens, err;  // tokens joined with '|'
};

// Scans each text for all its names (or name=value pairs) as successive calls return them.
void expect_scans(const std::vector<scan_case> &cases, bool pairs)
{
    for (scan_case c : cases) {
        char *cursor = c.text.data(), *name = nullptr, *value = nullptr;
        std::string tokens;
        testing::internal::CaptureStderr();
        for (int guard = 0; guard < 50; guard++) {
            if (pairs)
                get_next_name_and_value(&cursor, c.text.data() + c.text.size(), &name, &value, '"');
            else
                name = get_next_name(&cursor, c.text.data() + c.text.size(), '"');
            if (name == nullptr || *name == '\0' || (pairs && value == nullptr))
                break;
            tokens += (tokens.empty() ? "" : "|") + std::string(name) + (pairs ? "=" + std::string(value) : "");
        }
        EXPECT_EQ(tokens, c.tokens) << c.text;
        EXPECT_EQ(testing::internal::GetCapturedStderr(), c.err) << c.text;
    }
}

TEST(Tokenizer, NamesAndTheirMessages)
{
    const std::string quote_in_name = "Unexpected quote character '\"' ignored.\n";
    exif_opts = {};
    expect_scans({{"\t width ,\n height\n", "width|height", ""},
                  {"width\r\nheight", "width\r|height", ""},  // carriage return is not white space
                  {"width=height", "width|height", ""},       // each call starts afresh after '='
                  {"width,,,height", "width|height", "Unexpected ',' ignored.\n"},
                  {"width = height", "width", "Unexpected value 'height' ignored\n"},
                  {",=b", "b", "Unexpected '=' after ',' ignored\n"},
                  {"==v", "", "Unexpected duplicate '=' ignored\nUnexpected value 'v' ignored\n"},
                  {"=,b", "b", "Unexpected ',' where value expected. Previous field name ignored\n"},
                  {"=v=w", "w", "Unexpected '=' ignored\nUnexpected value 'v' ignored\n"},
                  {"=v\"w", "", "Unexpected '\"' ignored\nUnexpected value 'v\"w' ignored\n"},
                  {"\"width\"", "width\"", "Unexpected quote character '\"' ignored\n" + quote_in_name}},
                 false);
}

TEST(Tokenizer, PairsAndEndOfTextMessages)
{
    const std::string no_value = "Unexpected end of list where value expected. Field 'a' ignored\n";
    exif_opts = {};
    expect_scans({{"a=1,b=\"x\ny\"", "a=1|b=x y", ""},  // line feeds in quotes become blanks
                  {"a=\"\"", "a= ", ""},                // an empty quoted value is one blank
                  {"a=\"" + std::string(600, 'v') + "\"", "a=" + std::string(500, 'v'), ""},
                  {"=1 a=2", "a=2", "Unexpected value '1', field ignored\n"},
                  {"a b=2", "b=2", "No value following field 'a', field ignored\n"},
                  {"a=", "", "End of string reached after '='\n" + no_value},
                  {"a=\"open", "", "End of string reached inside quoted string\n" + no_value}},
                 true);
    exif_opts.quiet = 1;
    expect_scans({{"a=", "", no_value}, {"a=\"open", "", no_value}}, true);
    exif_opts = {};
}

TEST(Tokenizer, ScanStopsAtTheEndPointer)
{
    char text[] = {'a', 'b', ',', 'c', 'd', ','};  // not terminated
    char dest[next_name_size];
    for (int quiet : {0, 1}) {
        exif_opts.quiet = quiet;
        char *cursor = text;
        init_get_next_token('"');
        testing::internal::CaptureStderr();
        EXPECT_EQ(get_next_token(&cursor, text + 6, dest, sizeof dest), token_name);
        EXPECT_EQ(get_next_token(&cursor, text + 4, dest, sizeof dest), token_name);
        EXPECT_STREQ(dest, "c");
        cursor = text + 5;  // after a comma only get_next_token itself can reach the end
        EXPECT_EQ(get_next_token(&cursor, text + 6, dest, sizeof dest), token_end);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), quiet ? "" : "End of string reached after ','\n");
    }
    exif_opts = {};
}

}  // namespace
