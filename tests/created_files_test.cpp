// Names built for new files and renaming to the first free numbered name.
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

TEST(FileNames, SuffixBeforeTheExtensionOfTheLastComponentInNinetyNineCharacters)
{
    char result[built_name_size + 20];
    for (auto [name, expected] : {std::pair{"a.b.jpg", "a.b-th.jpg"},
                                  {".hidden", ".hidden-th"},
                                  {"dir.d/photo", "dir.d/photo-th"},
                                  {"../x.d/p.jpeg", "../x.d/p-th.jpeg"}}) {
        create_backup_file_name(name, "-th", result);
        EXPECT_STREQ(result, expected);
    }
    create_retry_file_name("img.jpg", 150, result);
    EXPECT_STREQ(result, "img(99).jpg");
    memset(result, '#', sizeof result);
    create_backup_file_name((std::string(92, 'a') + ".jpg").c_str(), "-th", result);
    EXPECT_EQ(strlen(result), 99u);
    EXPECT_EQ(result[built_name_size], '#');
    // The stop is announced on standard output; send it where the death test can see it.
    const std::string too_long = std::string(95, 'a') + ".jpg";
    EXPECT_EXIT((dup2(STDERR_FILENO, STDOUT_FILENO), create_backup_file_name(too_long.c_str(), "-th", result)),
                testing::ExitedWithCode(1), "^ASSERT failed at [0-9]+ in file_names\\.cpp\n$");

    create_temp_file_name(result);
    char expected[built_name_size];
    snprintf(expected, sizeof expected, "tagkit_%lx.jpg", static_cast<unsigned long>(getpid()));
    EXPECT_STREQ(result, expected) << "one temporary name per process";
}

TEST(CreatedFiles, RemembersTheNamesItWasGiven)
{
    add_to_created_files_list("made-th.jpg");
    EXPECT_EQ(is_created_file("made-th.jpg"), 1);
    EXPECT_EQ(is_created_file("other-th.jpg"), 0);
}

TEST(SafeRename, TakesTheWantedOrTheFirstFreeNumberedName)
{
    temp_dir dir;
    char new_name[built_name_size]{};
    auto touch = [&](const std::string &name) { fclose(fopen(dir.file(name).c_str(), "w")); };
    auto rename_to_b = [&] {
        snprintf(new_name, sizeof new_name, "%s", dir.file("b.jpg").c_str());
        return rename_with_retry(dir.file("a.tmp").c_str(), new_name);
    };
    touch("a.tmp");
    EXPECT_EQ(rename_to_b(), 0);
    EXPECT_EQ(new_name, dir.file("b.jpg"));
    for (const char *taken : {"a.tmp", "b(1).jpg", "b(2).jpg", "b(4).jpg"})
        touch(taken);
    EXPECT_EQ(rename_to_b(), 0);
    EXPECT_EQ(new_name, dir.file("b(3).jpg"));
    EXPECT_TRUE(std::filesystem::exists(new_name));
    EXPECT_FALSE(std::filesystem::exists(dir.file("a.tmp")));

    for (int i = 3; i <= 99; i++)
        touch("b(" + std::to_string(i) + ").jpg");
    touch("a.tmp");
    errno = 0;
    EXPECT_EQ(rename_to_b(), -1) << "every number is taken";
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(new_name, dir.file("b.jpg")) << "the name area changes only on success";
    EXPECT_TRUE(std::filesystem::exists(dir.file("a.tmp")));
}

}  // namespace
