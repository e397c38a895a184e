// Directory walks end to end: shown names, entries skipped silently or
// reported, directories that cannot be read or entered, link loops, links out
// of the tree, and the path limit.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "batch_photos.h"
#include "harness/cli_runner.h"

namespace fs = std::filesystem;
using strings = std::vector<std::string>;

namespace {

class DirWalk : public ::testing::Test {
protected:
    void photo(const std::string &name) { batch::write_photo(dir.file(name), {.make = "Canon"}); }
    void link(const std::string &name, const std::string &target) { fs::create_directory_symlink(target, dir.file(name)); }
    // Runs a list of the files' shown names; each line also ends with the empty column 0.
    cli_result names(std::vector<std::string> args, bool unprivileged = false) const
    {
        args.insert(args.begin(), {"-o", "l", "-f", "file-name-full"});
        return run_tagsift(args, {.cwd = dir.path(), .unprivileged = unprivileged});
    }
    strings shown(std::vector<std::string> args) const { return batch::sorted_lines(names(args).out); }
    temp_dir dir;
};

TEST_F(DirWalk, ShownNames)
{
    photo("pics/a.jpg");
    photo("pics/2001/b.jpg");
    EXPECT_EQ(shown({"pics"}), strings{"pics/a.jpg,"}) << "subdirectories need -r";
    EXPECT_EQ(shown({"-r", "pics"}), (strings{"pics/2001/b.jpg,", "pics/a.jpg,"}));
    EXPECT_EQ(run_tagsift({"-o", "l", "-f", "file-name-full", "."}, {.cwd = dir.file("pics")}).out, "./a.jpg,\n");
    const std::string absolute = fs::canonical(dir.path()).string() + "/pics";
    EXPECT_EQ(shown({"-a", "-r", "pics"}), (strings{absolute + "/2001/b.jpg,", absolute + "/a.jpg,"}));
    cli_result parts = run_tagsift({"-r", "-o", "l", "-f", "file-dir,file-name", "pics"}, {.cwd = dir.path()});
    EXPECT_EQ(batch::sorted_lines(parts.out), (strings{"pics,a.jpg,", "pics/2001,b.jpg,"}));
}

TEST_F(DirWalk, WhichEntriesAreListedSkippedOrReported)
{
    photo("pics/good.jpg");
    photo("pics/.hidden.jpg");
    photo("pics/photo.txt");  // JPEG content decides, not the name
    photo("pics/sub/inner.jpg");
    fixture::write_file(dir.file("pics/notes.txt"), fixture::bytes_of("just text\n"));
    fixture::write_file(dir.file("pics/fake.jpg"), fixture::bytes_of("GIF89a, not a JPEG file"));
    fixture::write_file(dir.file("pics/plain.jpg"), fixture::build_jpeg({.before = {fixture::jfif()}}));
    cli_result r = names({"pics"});
    EXPECT_EQ(batch::sorted_lines(r.out), (strings{"pics/.hidden.jpg,", "pics/good.jpg,", "pics/photo.txt,"}));
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
    fs::permissions(dir.file("pics/unreadable"), fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec);
    cli_result r = names({"-q", "-r", "pics", "top.jpg"}, true);
    // The parent's other entries are read once each, and the next argument too.
    EXPECT_EQ(batch::sorted_lines(r.out), (strings{"pics/a.jpg,", "pics/open/b.jpg,", "top.jpg,"}));
    EXPECT_EQ(batch::sorted_lines(r.err), (strings{"Error: Can't enter directory pics/locked: Permission denied",
                                                   "Error: Can't open directory pics/unreadable:Permission denied"}));
}

TEST_F(DirWalk, LinksBackIntoTheWalkAreSkipped)
{
    photo("pics/a.jpg");
    photo("pics/sub/b.jpg");
    link("pics/sub/back", "..");
    link("pics/self", ".");
    link("pics/again", "sub");  // no loop: walked once more under its own name
    cli_result r = names({"-r", "pics"});
    EXPECT_EQ(batch::sorted_lines(r.out), (strings{"pics/a.jpg,", "pics/again/b.jpg,", "pics/sub/b.jpg,"}));
    const std::string loop = " leads back into the walk (a link loop), skipped";
    EXPECT_EQ(batch::sorted_lines(r.err),
              (strings{"Warning: Directory pics/again/back" + loop, "Warning: Directory pics/self" + loop,
                       "Warning: Directory pics/sub/back" + loop}));
    EXPECT_EQ(names({"-q", "-r", "pics"}).err, "");
}

TEST_F(DirWalk, ReturnsToTheDirectoryItCameFromThroughLinks)
{
    // ".." of a linked directory is not the directory holding the link.
    for (const std::string n : {"1", "2", "3"}) {
        photo("top/p" + n + ".jpg");
        photo("elsewhere/x" + n + "/deep/e" + n + ".jpg");
        link("top/l" + n, "../elsewhere/x" + n + "/deep");
    }
    cli_result r = names({"-r", "top"});
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(batch::sorted_lines(r.out), (strings{"top/l1/e1.jpg,", "top/l2/e2.jpg,", "top/l3/e3.jpg,", "top/p1.jpg,",
                                                   "top/p2.jpg,", "top/p3.jpg,"}));
}

TEST_F(DirWalk, DisplayPathLimit)
{
    const std::string a = "pics/" + std::string(200, 'a');
    const std::string too_long = a + "/" + std::string(60, 'b');  // 266 characters
    photo(a + "/d.jpg");
    photo(too_long + "/c.jpg");
    cli_result r = names({"-r", "pics"});
    EXPECT_EQ(r.out, a + "/d.jpg,\n");
    EXPECT_EQ(r.err, "Error: Directory path " + too_long + " is longer than 255 characters, skipped\n");
}

}  // namespace
