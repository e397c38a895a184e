// Every camera file of the shared sample collection, read by the built program in every output style
// (readable listing plain, raw (-u) and quiet (-q), list with header (-o lh), SQL (-o s), Excel dates
// (-x), thumbnail extraction (-t)), and the modern samples with -e, must end in one of the two clean outcomes: exit 0,
// or, without -e, the deliberate stop with exit 8 after a read past the input buffer. With -e every message about
// reading names its file. The files are read from copies, so that
// thumbnails are written beside the copies. Any other status, a signal, a hang or a sanitizer report (in the sanitizer
// build) fails the test.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "harness/cli_runner.h"

namespace {

namespace fs = std::filesystem;

const fs::path shared_dir = fs::path(TAGSIFT_SOURCE_DIR "/../shared");

// Limit for one invocation, per file when files run alone, per group otherwise. A group that
// runs out of time is retried file by file, so only a single file that hangs can fail on time.
constexpr int time_limit_seconds = 10;
constexpr size_t group_size = 32;
constexpr int timed_out_status = 124;  // timeout's status when the limit passed

const std::string read_past_end_message = "Error: Attempt to read past end of buffer, exiting\n";

// clang-format off
const char *const sanitizer_markers[] = {
    "ERROR: AddressSanitizer",
    "ERROR: LeakSanitizer",
    "runtime error:",
    "SUMMARY: UndefinedBehaviorSanitizer",
};
// clang-format on

// Relative paths (below the samples folder) of every sample file, in a stable order.
std::vector<std::string> sample_files(const fs::path &samples_dir)
{
    std::vector<std::string> files;
    for (const auto &entry : fs::recursive_directory_iterator(samples_dir)) {
        if (entry.is_regular_file() && entry.path().extension() != ".md")
            files.push_back(entry.path().lexically_relative(samples_dir).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// The sample files copied into a fresh directory, keeping their relative paths.
class sample_copies {
public:
    sample_copies(const fs::path &samples_dir, const std::vector<std::string> &files)
    {
        for (const auto &name : files) {
            const fs::path to = fs::path(dir_.path()) / name;
            fs::create_directories(to.parent_path());
            fs::copy_file(samples_dir / name, to);
        }
    }
    const std::string &path() const { return dir_.path(); }

private:
    temp_dir dir_;
};

std::string sanitizer_report_in(const std::string &err)
{
    for (const char *marker : sanitizer_markers) {
        if (err.find(marker) != std::string::npos)
            return marker;
    }
    return {};
}

bool ends_with(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

std::string tail_of(const std::string &text)
{
    constexpr size_t shown = 600;
    return text.size() <= shown ? text : "..." + text.substr(text.size() - shown);
}

cli_result run_on(const std::string &mode, const std::vector<std::string> &files, const std::string &cwd)
{
    std::vector<std::string> args;
    if (!mode.empty())
        args.push_back(mode);
    args.insert(args.end(), files.begin(), files.end());
    return run_tagsift(args, {.cwd = cwd, .timeout_seconds = time_limit_seconds});
}

// Extended reading (-e) never stops the run: a file ends its own reading.
bool extended_mode(const std::string &mode) { return mode.find('e') != std::string::npos; }

// One file alone: exit 0, or exit 8 with the read-past-end message last (never with -e); never a
// sanitizer report.
void check_single_file(const std::string &mode, const std::string &file, const std::string &cwd)
{
    SCOPED_TRACE("tagsift " + (mode.empty() ? "" : mode + " ") + file);
    const cli_result r = run_on(mode, {file}, cwd);
    const std::string report = sanitizer_report_in(r.err);
    EXPECT_TRUE(report.empty()) << "sanitizer report (" << report << "):\n" << r.err;
    if (r.status == timed_out_status) {
        ADD_FAILURE() << "no exit within " << time_limit_seconds << " seconds";
    } else if (r.status == 8 && !extended_mode(mode)) {
        EXPECT_TRUE(ends_with(r.err, read_past_end_message))
            << "exit 8 without the read-past-end message last; stderr ends:\n"
            << tail_of(r.err);
    } else {
        EXPECT_EQ(r.status, 0) << "(-1: ended by a signal) stderr ends:\n" << tail_of(r.err);
    }
}

struct sweep_case {
    const char *folder;
    const char *mode;
};

class SamplesSweep : public testing::TestWithParam<sweep_case> {};

TEST_P(SamplesSweep, EveryFileEndsInZeroOrDeliberateStop)
{
    const fs::path samples_dir = shared_dir / GetParam().folder;
    const std::string mode = GetParam().mode;
    if (!fs::is_directory(samples_dir))
        GTEST_SKIP() << "no sample folder at " << samples_dir.string();
    const std::vector<std::string> files = sample_files(samples_dir);
    if (files.empty())
        GTEST_SKIP() << "the sample folder holds no files";
    const sample_copies copies(samples_dir, files);

    size_t groups_retried = 0;
    for (size_t first = 0; first < files.size(); first += group_size) {
        const std::vector<std::string> group(
            files.begin() + static_cast<std::ptrdiff_t>(first),
            files.begin() + static_cast<std::ptrdiff_t>(std::min(first + group_size, files.size())));
        const cli_result r = run_on(mode, group, copies.path());
        // With -e every message about reading names its file (thumbnail messages name the thumbnail).
        if (extended_mode(mode) && mode.find('t') == std::string::npos) {
            std::istringstream lines(r.err);
            for (std::string line; std::getline(lines, line);)
                EXPECT_TRUE(std::any_of(group.begin(), group.end(),
                                        [&](const std::string &f) { return line.find(f + ": ") != std::string::npos; }))
                    << line;
        }
        if (r.status == 0 && sanitizer_report_in(r.err).empty())
            continue;
        // Exit 8 ends the run at the file that caused it, and any other outcome needs the file
        // named: run each file of the group alone.
        ++groups_retried;
        for (const auto &file : group)
            check_single_file(mode, file, copies.path());
    }
    testing::Test::RecordProperty("files", static_cast<int>(files.size()));
    testing::Test::RecordProperty("groups_retried_file_by_file", static_cast<int>(groups_retried));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Styles, SamplesSweep, testing::Values(
    sweep_case{"samples", ""}, sweep_case{"samples", "-u"}, sweep_case{"samples", "-q"},
    sweep_case{"samples", "-olh"}, sweep_case{"samples", "-os"}, sweep_case{"samples", "-x"},
    sweep_case{"samples", "-t"}, sweep_case{"samples", "-e"}, sweep_case{"samples-modern", "-e"},
    sweep_case{"samples-modern", "-eu"}, sweep_case{"samples-modern", "-eolh"},
    sweep_case{"samples-modern", "-et"}, sweep_case{"samples-modern", "-os"},
    sweep_case{"samples-containers", ""}, sweep_case{"samples-containers", "-e"},
    sweep_case{"samples-containers", "-eu"}, sweep_case{"samples-containers", "-et"}),
    [](const testing::TestParamInfo<sweep_case> &info) {
        std::string name = std::string(info.param.folder) + "_" + info.param.mode;
        for (char &c : name)
            if (!isalnum(static_cast<unsigned char>(c)))
                c = '_';
        return name;
    });
// clang-format on

}  // namespace
