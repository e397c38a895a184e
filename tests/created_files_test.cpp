// Names built for new files, the list of files the run created with its
// limits, and renaming to the first free numbered name.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <unistd.h>

#include "harness/cli_runner.h"
#include "support/created_files.h"
#include "support/file_names.h"
#include "support/safe_rename.h"

namespace {

namespace fs = std::filesystem;

std::string backup_name(const std::string &name, const char *suffix = "-th")
{
    char result[built_name_size];
    create_backup_file_name(name.c_str(), suffix, result);
    return result;
}

std::string retry_name(const std::string &name, int number)
{
    char result[built_name_size];
    create_retry_file_name(name.c_str(), number, result);
    return result;
}

TEST(FileNames, SuffixGoesBeforeTheExtensionOfTheLastComponent)
{
    const std::pair<const char *, const char *> cases[] = {
        {"photo.jpg", "photo-th.jpg"},   {"photo", "photo-th"},
        {".hidden", ".hidden-th"},       {"a.b.jpg", "a.b-th.jpg"},
        {"dir.d/photo", "dir.d/photo-th"}, {"dir/.hidden", "dir/.hidden-th"},
        {"../x.d/p.jpeg", "../x.d/p-th.jpeg"},
    };
    for (const auto &[name, expected] : cases)
        EXPECT_EQ(backup_name(name), expected) << name;
    EXPECT_EQ(retry_name("photo.jpg", 3), "photo(3).jpg");
    EXPECT_EQ(retry_name("img.jpg", 150), "img(99).jpg");
    EXPECT_EQ(retry_name("dir.d/img", 7), "dir.d/img(7)");
}

TEST(FileNames, NinetyNineCharactersAtMost)
{
    char result[built_name_size + 20];
    memset(result, '#', sizeof result);
    create_backup_file_name((std::string(92, 'a') + ".jpg").c_str(), "-th", result);
    EXPECT_EQ(strlen(result), 99u);
    EXPECT_EQ(result[built_name_size], '#');
    // The stop is announced on standard output; send it where the death test can see it.
    for (size_t stem : {95, 96})
        EXPECT_EXIT((dup2(STDERR_FILENO, STDOUT_FILENO), backup_name(std::string(stem, 'a') + ".jpg")),
                    testing::ExitedWithCode(1), "^ASSERT failed at [0-9]+ in file_names\\.cpp\n$")
            << stem;
    EXPECT_EXIT((dup2(STDERR_FILENO, STDOUT_FILENO), retry_name(std::string(96, 'a'), 12)),
                testing::ExitedWithCode(1), "^ASSERT failed");
}

TEST(FileNames, TemporaryNameCarriesTheProcessNumber)
{
    char result[built_name_size];
    create_temp_file_name(result);
    char expected[64];
    snprintf(expected, sizeof expected, "tagkit_%x.jpg", static_cast<unsigned>(getpid()));
    EXPECT_STREQ(result, expected);
}

TEST(CreatedFiles, MatchesWholeNamesOnly)
{
    add_to_created_files_list("match-th.jpg");
    EXPECT_EQ(is_created_file("match-th.jpg"), 1);
    EXPECT_EQ(is_created_file("./match-th.jpg"), 0);
    EXPECT_EQ(is_created_file("match-th.jp"), 0);
}

TEST(CreatedFiles, FiveHundredNamesOfAHundredCharactersAtMost)
{
    const std::string longest(100, 'n');
    auto fill_to_limit = [&] {
        while (next_created_file_num < max_created_files)
            add_to_created_files_list(longest.c_str());
        if (is_created_file(longest.c_str()) != 1)
            _exit(3);
    };
    EXPECT_EXIT((fill_to_limit(), add_to_created_files_list("one-more")), testing::ExitedWithCode(1),
                "^Error: Max number of temp files created - exiting\n$");
    EXPECT_EXIT(add_to_created_files_list((longest + "x").c_str()), testing::ExitedWithCode(1),
                "^Error: File name 'n{100}x' too long - exiting\n$");
}

class SafeRename : public ::testing::Test {
protected:
    temp_dir dir;
    char new_name[built_name_size]{};

    void touch(const std::string &name) { fclose(fopen(dir.file(name).c_str(), "w")); }
    int rename_to(const std::string &name)
    {
        snprintf(new_name, sizeof new_name, "%s", dir.file(name).c_str());
        return rename_with_retry(dir.file("a.tmp").c_str(), new_name);
    }
};

TEST_F(SafeRename, TakesTheWantedNameWhenFree)
{
    touch("a.tmp");
    EXPECT_EQ(rename_to("b.jpg"), 0);
    EXPECT_EQ(new_name, dir.file("b.jpg"));
    EXPECT_TRUE(fs::exists(dir.file("b.jpg")));
}

TEST_F(SafeRename, FallsBackToTheFirstFreeNumberedName)
{
    for (const char *taken : {"a.tmp", "b.jpg", "b(1).jpg", "b(2).jpg", "b(4).jpg"})
        touch(taken);
    EXPECT_EQ(rename_to("b.jpg"), 0);
    EXPECT_EQ(new_name, dir.file("b(3).jpg"));
    EXPECT_TRUE(fs::exists(dir.file("b(3).jpg")));
    EXPECT_FALSE(fs::exists(dir.file("a.tmp")));
}

TEST_F(SafeRename, FailsWhenEveryNumberIsTakenOrTheRenameFails)
{
    touch("b.jpg");
    for (int i = 1; i <= 99; i++)
        touch("b(" + std::to_string(i) + ").jpg");
    touch("a.tmp");
    errno = 0;
    EXPECT_EQ(rename_to("b.jpg"), -1);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_TRUE(fs::exists(dir.file("a.tmp")));

    fs::remove(dir.file("a.tmp"));
    fs::remove(dir.file("b(50).jpg"));
    EXPECT_NE(rename_to("b.jpg"), 0);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(new_name, dir.file("b.jpg")) << "the name area changes only on success";
}

}  // namespace
