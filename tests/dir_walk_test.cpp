// Directory walks end to end: shown names, entries skipped silently or
// reported, directories that cannot be read or entered, and links.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <sys/stat.h>

#include "batch_photos.h"
#include "harness/cli_runner.h"

namespace fs = std::filesystem;
using strings = std::vector<std::string>;

namespace {

// The lines in sorted order: the walk takes entries in the order the file
// system gives them, which differs between file systems.
strings sorted_lines(const std::string &text)
{
    strings lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

class DirWalk : public ::testing::Test {
protected:
    void photo(const std::string &name) { batch::write_photo(dir.file(name), {.make = "Canon"}); }
    // Lists the files' shown names; each line also ends with the empty column 0.
    cli_result names(std::vector<std::string> args, const std::string &cwd = "", bool unprivileged = false) const
    {
        args.insert(args.begin(), {"-o", "l", "-f", "file-name-full"});
        return run_tagsift(args, {.cwd = dir.file(cwd), .unprivileged = unprivileged});
    }
    strings shown(const std::vector<std::string> &args) const { return sorted_lines(names(args).out); }
    temp_dir dir;
};

TEST_F(DirWalk, ShownNames)
{
    photo("pics/a.jpg");
    photo("pics/2001/b.jpg");
    EXPECT_EQ(shown({"pics"}), strings{"pics/a.jpg,"}) << "subdirectories need -r";
    EXPECT_EQ(shown({"-r", "pics"}), (strings{"pics/2001/b.jpg,", "pics/a.jpg,"}));
    EXPECT_EQ(names({"."}, "pics").out, "./a.jpg,\n");
    const std::string absolute = fs::canonical(dir.path()).string() + "/pics";
    EXPECT_EQ(shown({"-a", "-r", "pics"}), (strings{absolute + "/2001/b.jpg,", absolute + "/a.jpg,"}));
}

TEST_F(DirWalk, WhichEntriesAreListedSkippedOrReported)
{
    for (const char *name : {"pics/good.jpg", "pics/.hidden.jpg", "pics/photo.txt", "pics/sub/inner.jpg"})
        photo(name);  // JPEG content decides, not the name
    fixture::write_file(dir.file("pics/fake.jpg"), fixture::bytes_of("GIF89a, not a JPEG file"));
    fixture::write_file(dir.file("pics/plain.jpg"), fixture::build_jpeg({.before = {fixture::jfif()}}));
    cli_result r = names({"pics"});
    EXPECT_EQ(sorted_lines(r.out), (strings{"pics/.hidden.jpg,", "pics/good.jpg,", "pics/photo.txt,"}));
    EXPECT_EQ(r.err, "Warning: File pics/plain.jpg is JPEG but does not contain EXIF information\n");
    EXPECT_EQ(names({"-q", "pics"}).err, "");
}

TEST_F(DirWalk, DirectoriesThatCannotBeReadOrEntered)
{
    if (!can_drop_privileges())
        GTEST_SKIP() << "needs root and setpriv to run as an unprivileged user";
    for (const char *name : {"pics/a.jpg", "pics/locked/x.jpg", "pics/unreadable/y.jpg", "pics/open/b.jpg", "top.jpg"})
        photo(name);
    fs::permissions(dir.file("pics/locked"), fs::perms::none);
    fs::permissions(dir.file("pics/unreadable"), fs::perms::owner_exec | fs::perms::others_exec);
    cli_result r = names({"-q", "-r", "pics", "top.jpg"}, "", true);
    // The parent's other entries are read once each, and the next argument too.
    EXPECT_EQ(sorted_lines(r.out), (strings{"pics/a.jpg,", "pics/open/b.jpg,", "top.jpg,"}));
    EXPECT_EQ(sorted_lines(r.err), (strings{"Error: Can't enter directory pics/locked: Permission denied",
                                            "Error: Can't open directory pics/unreadable:Permission denied"}));
}

TEST_F(DirWalk, LinksAreWalkedWithoutLoopingOrLosingTheWayBack)
{
    photo("pics/sub/b.jpg");
    fs::create_directory_symlink("..", dir.file("pics/sub/back"));
    fs::create_directory_symlink(".", dir.file("pics/self"));
    // ".." of a linked directory is not the directory holding the link.
    for (const std::string n : {"1", "2", "3"}) {
        photo("pics/p" + n + ".jpg");
        photo("elsewhere/x" + n + "/deep/e" + n + ".jpg");
        fs::create_directory_symlink("../elsewhere/x" + n + "/deep", dir.file("pics/l" + n));
    }
    cli_result r = names({"-r", "pics"});
    EXPECT_EQ(sorted_lines(r.out), (strings{"pics/l1/e1.jpg,", "pics/l2/e2.jpg,", "pics/l3/e3.jpg,", "pics/p1.jpg,",
                                            "pics/p2.jpg,", "pics/p3.jpg,", "pics/sub/b.jpg,"}));
    const std::string loop = " leads back into the walk (a link loop), skipped";
    EXPECT_EQ(sorted_lines(r.err),
              (strings{"Warning: Directory pics/self" + loop, "Warning: Directory pics/sub/back" + loop}));
    EXPECT_EQ(names({"-q", "-r", "pics"}).err, "");
}

TEST_F(DirWalk, FifosAreNeverWaitedFor)
{
    photo("pics/a.jpg");
    ASSERT_EQ(mkfifo(dir.file("pics/pipe.jpg").c_str(), 0644), 0);
    fs::create_symlink("pipe.jpg", dir.file("pics/link.jpg"));
    // The walk passes over them quietly; named as an argument, a FIFO without a writer is read as empty.
    cli_result r = run_tagsift({"-o", "l", "-f", "file-name-full", "pics", "pics/pipe.jpg", "pics/a.jpg"},
                               {.cwd = dir.path(), .timeout_seconds = 20});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "pics/a.jpg,\npics/a.jpg,\n");
    EXPECT_EQ(r.err, "Error: Error while extracting EXIF fields: File is not a JPEG file\n");
}

}  // namespace
