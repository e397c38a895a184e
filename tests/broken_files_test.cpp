// Extended reading over broken files: each kind of damage ends the reading of
// its own file with one warning that names it, and the walk goes on to the
// files beside it. Without -e the same damage keeps its old outcome.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "fixture/container_builder.h"
#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

constexpr uint16_t kIso = 0x8827;
constexpr uint16_t kTransferFunction = 0x012D;

Tiff camera(std::vector<Entry> exif, const std::string &make = "Good")
{
    return Tiff{.chain = {Ifd{{ascii(tag::kMake, make), pointer(tag::kExifIfd, Ifd{std::move(exif)})}}}};
}

Bytes good_photo() { return exif_jpeg(camera({shorts(kIso, {100})})); }

std::vector<std::string> sorted_lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    return lines;
}

// A TIFF file whose IFD0 ends `cut` bytes early.
Bytes cut_tiff()
{
    std::vector<Entry> entries{ascii(tag::kMake, "Cut")};
    for (uint16_t t = 0x0100; t < 0x0108; t++)
        entries.push_back(shorts(t, {1}));
    Bytes tiff = build_tiff(Tiff{.chain = {Ifd{entries}}});
    tiff.resize(8 + 2 + 12 * 4);
    return tiff;
}

// A TIFF file that ends inside the strip counts' value.
Bytes strips_past_end()
{
    Bytes tiff = build_tiff(camera({longs(0x0117, {1, 2, 3})}));
    tiff.resize(tiff.size() - 4);
    return tiff;
}

// A garbage IFD: its entries' data types do not exist.
Ifd garbage_ifd()
{
    Ifd ifd;
    for (int i = 0; i < 6; i++)
        ifd.entries.push_back(entry_raw(static_cast<uint16_t>(0x4E69 + i), 0x6B6F, 0x20202020, {1, 2, 3, 4}));
    return ifd;
}

struct broken_file {
    const char *name;
    Bytes bytes;
    std::string listed;   // its line of -o l -f file-name,make,iso-speed, or "" when none
    std::string warning;  // the one message it gives, after "./NAME: "
};

std::vector<broken_file> broken_files()
{
    Tiff next_is_one = camera({shorts(kIso, {200})});
    next_is_one.chain[0].entries[1] = pointer(tag::kExifIfd, Ifd{.entries = {shorts(kIso, {200})}, .next = 1});
    Tiff dji = camera({shorts(kIso, {400})}, "DJI");
    dji.chain[0].entries[1] = dji.chain[0].entries[1].with_type(13);
    Tiff magic = camera({shorts(kIso, {800})}, "Odd");
    magic.magic = 0x132A;
    std::vector<Entry> noisy{shorts(kIso, {1600}), shorts(0xA401, {0}), shorts(0xA402, {0}), shorts(0xA403, {0})};
    for (uint16_t t = 0xC000; t < 0xC00F; t++)
        noisy.push_back(entry_raw(t, 0x55, 1, {0, 0, 0, 0}));
    return {
        {"huge-count.jpg",
         exif_jpeg(camera({pointer(tag::kInteropIfd, Ifd{.entries = {shorts(1, {1})}, .entry_count = 26958})})),
         "huge-count.jpg,Good",
         "Warning: ./huge-count.jpg: the IFD at offset 62, reached through field 0xa005, is not read: it claims "
         "26958 entries, more than 512"},
        {"garbage-types.jpg", exif_jpeg(camera({pointer(tag::kInteropIfd, garbage_ifd())})), "garbage-types.jpg,Good",
         "Warning: ./garbage-types.jpg: the IFD at offset 62, reached through field 0xa005, is not read: its first "
         "entries have data types that do not exist"},
        {"next-is-one.jpg", exif_jpeg(next_is_one), "next-is-one.jpg,Good,200", ""},
        {"value-past-end.tif", build_container(Container::Tiff, strips_past_end()), "value-past-end.tif,Good",
         "Warning: ./value-past-end.tif: field 0x0117: its value of 12 bytes runs past the end of the data; passed "
         "over"},
        {"cut.tif", cut_tiff(), "cut.tif,",
         "Warning: ./cut.tif: the IFD at offset 8, reached through IFD0's chain, is not read: its 9 entries run past "
         "the end of the data"},
        {"dji.tif", build_container(Container::Tiff, build_tiff(dji)), "dji.tif,DJI,400", ""},
        {"magic.jpg", exif_jpeg(magic), "magic.jpg,Odd,800",
         "Warning: ./magic.jpg: the TIFF header's number is 132a, not 2a; read on"},
        {"noisy.jpg", exif_jpeg(camera(noisy)), "noisy.jpg,Good,1600",
         "Warning: ./noisy.jpg: 5 further warnings not shown"},
    };
}

TEST(BrokenFiles, EachEndsItsOwnReadingWithAWarningAndTheWalkGoesOn)
{
    for (const broken_file &broken : broken_files()) {
        temp_dir dir;
        write_file(dir.file("a-good.jpg"), good_photo());
        write_file(dir.file(broken.name), broken.bytes);
        write_file(dir.file("z-good.jpg"), good_photo());
        const cli_result r = run_tagsift({"-e", "-r", "-o", "l", "-f", "file-name,make,iso-speed", "."},
                                         {.cwd = dir.path(), .timeout_seconds = 20});
        std::vector<std::string> expected{"a-good.jpg,Good,100", "z-good.jpg,Good,100"};
        if (!broken.listed.empty())
            expected.push_back(broken.listed);
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(r.status, 0) << broken.name;
        EXPECT_EQ(sorted_lines(r.out), expected) << broken.name;
        const std::vector<std::string> messages = sorted_lines(r.err);
        for (const std::string &line : messages)
            EXPECT_TRUE(line.find(std::string(": ./") + broken.name + ": ") != std::string::npos) << line;
        if (!broken.warning.empty()) {
            EXPECT_NE(std::find(messages.begin(), messages.end(), broken.warning), messages.end())
                << broken.name << ":\n"
                << r.err;
        }
    }
}

TEST(BrokenFiles, AListCutAtTheTextLimitEndsAtAWholeValueWithTheMark)
{
    temp_dir dir;
    write_file(dir.file("long.jpg"),
               exif_jpeg(Tiff{.chain = {Ifd{{shorts(kTransferFunction, std::vector<uint16_t>(768, 31813))}}}}));
    const std::string extended = run_tagsift({"-e", "-u", "-o", "l", "-f", "transfer-fn", "long.jpg"},
                                             {.cwd = dir.path()}).out;
    // 83 values of 5 digits and their blanks take 497 of the 499 characters, too many for the mark after them.
    std::string values;
    for (int i = 0; i < 82; i++)
        values += (i == 0 ? "" : " ") + std::string("31813");
    EXPECT_EQ(extended, values + " ...\n");
}

TEST(BrokenFiles, ExitStatusTwoOnlyWhenAFileCannotBeRead)
{
    temp_dir dir;
    write_file(dir.file("good.jpg"), good_photo());
    write_file(dir.file("broken.jpg"), exif_jpeg(camera({pointer(tag::kInteropIfd, garbage_ifd())})));
    EXPECT_EQ(run_tagsift({"-e", "-q", "good.jpg", "broken.jpg"}, {.cwd = dir.path()}).status, 0);
    const cli_result missing = run_tagsift({"-e", "-o", "l", "missing.jpg", "good.jpg"}, {.cwd = dir.path()});
    EXPECT_EQ(missing.status, 2);
    EXPECT_NE(missing.out.find("good.jpg"), std::string::npos);
    EXPECT_EQ(run_tagsift({"-o", "l", "missing.jpg", "good.jpg"}, {.cwd = dir.path()}).status, 0);
    if (!can_drop_privileges())
        GTEST_SKIP() << "needs root and setpriv to read as another user";
    chmod(dir.path().c_str(), 0755);
    chmod(dir.file("broken.jpg").c_str(), 0);
    const cli_result unreadable =
        run_tagsift({"-e", "-o", "l", "broken.jpg", "good.jpg"}, {.cwd = dir.path(), .unprivileged = true});
    EXPECT_EQ(unreadable.status, 2);
    EXPECT_EQ(unreadable.err, "Error: broken.jpg: can't open the file: Permission denied\n");
}

struct thumbnail_case {
    const char *name;
    std::optional<uint32_t> offset, length;  // raw values of 0x0201 and 0x0202
    const char *refusal;
};

TEST(BrokenFiles, AThumbnailIsWrittenOnlyWhenItLiesInTheFileAndStartsAnImage)
{
    const thumbnail_case cases[] = {
        {"huge.jpg", std::nullopt, 1400000000u, "it runs past the end of the file"},
        {"empty.jpg", std::nullopt, 0u, "its length is 0"},
        {"no-soi.jpg", 8u, std::nullopt, "it does not begin with a JPEG start of image"},
    };
    for (const thumbnail_case &c : cases) {
        temp_dir dir;
        const Ifd ifd1{{entry_value(tag::kThumbnailOffset, kLong, 1, c.offset.value_or(100)),
                        entry_value(tag::kThumbnailLength, kLong, 1, c.length.value_or(64))}};
        const Tiff tiff{.chain = {Ifd{{ascii(tag::kMake, "Good")}}, ifd1}};
        write_file(dir.file(c.name), build_jpeg(Jpeg{.exif = tiff, .pad_to = 400}));
        const cli_result r = run_tagsift({"-e", "-t", c.name}, {.cwd = dir.path()});
        EXPECT_EQ(r.status, 0) << c.name;
        EXPECT_EQ(r.err, std::string("Error: ") + c.name + ": thumbnail not written: " + c.refusal + "\n");
        std::string thumbnail = c.name;
        thumbnail.replace(thumbnail.find(".jpg"), 4, "-th.jpg");
        struct stat st;
        EXPECT_NE(stat(dir.file(thumbnail).c_str(), &st), 0) << c.name;
    }
}

}  // namespace
