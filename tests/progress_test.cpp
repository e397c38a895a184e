// The progress line: shown on standard error only when it is a terminal and
// standard output is not, after the first second, cleared before every other
// message and erased at the end. The runs read a FIFO that the test fills
// late (a writer holds them open until then), so that they last long enough.
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

// Fills the FIFOs slow1.jpg after 1.5 s and slow2.jpg 0.4 s later, through these writers, with a photo.
void fill_late(const int (&fifo_writers)[2])
{
    const Bytes photo = exif_jpeg(Tiff{.chain = {Ifd{{ascii(tag::kMake, "Canon")}}}});
    for (int i = 0; i < 2; i++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(i == 0 ? 1500 : 400));
        EXPECT_EQ(write(fifo_writers[i], photo.data(), photo.size()), static_cast<ssize_t>(photo.size()));
        close(fifo_writers[i]);
    }
}

TEST(Progress, ShownOnlyOnATerminalWhileOutputGoesElsewhere)
{
    temp_dir dir;
    write_file(dir.file("a.jpg"), exif_jpeg(Tiff{.chain = {Ifd{{ascii(tag::kMake, "NIKON")}}}}));
    write_file(dir.file("none.jpg"), bytes_of("not a photo"));
    // A line after the first FIFO (at 1.5 s), cleared for the error of none.jpg, drawn again
    // after the second FIFO (0.4 s later), erased at the end.
    const std::string drawn = "\r# files read, # files/s, .\x1b[K";
    const std::string error = "Error: Error while extracting EXIF fields: File is not a JPEG file\n";
    const std::string erase = "\r\x1b[K";
    const struct {
        std::vector<std::string> options;
        cli_options terminals;
        std::string shown;  // what standard error showed, with standard output on the terminal too
    } cases[] = {
        {{"-o", "l"}, {.error_terminal_width = 80}, drawn + erase + error + drawn + erase},
        {{"-o", "l"}, {.terminal = true}, "NIKON\nCanon\n" + error + "Canon\nNIKON\n"},  // the list too
        {{"-q", "-o", "l"}, {.error_terminal_width = 80}, error},
        {{"-o", "l"}, {}, error},
    };
    for (const auto &c : cases) {
        int fifo_writers[2];  // the FIFOs have a writer from the start, so that their reads wait for the data
        for (int i = 0; i < 2; i++) {
            const std::string fifo = dir.file(i == 0 ? "slow1.jpg" : "slow2.jpg");
            unlink(fifo.c_str());
            ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
            fifo_writers[i] = open(fifo.c_str(), O_RDWR | O_CLOEXEC);
        }
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"-f", "make", "a.jpg", "slow1.jpg", "none.jpg", "slow2.jpg", "a.jpg"});
        cli_options options = c.terminals;
        options.cwd = dir.path();
        options.meanwhile = [&] { fill_late(fifo_writers); };
        const cli_result r = run_tagsift(args, options);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(std::regex_replace(c.terminals.terminal ? r.out : r.err, std::regex("[0-9]+"), "#"), c.shown)
            << c.options[0] << " " << c.terminals.terminal << c.terminals.error_terminal_width;
    }
}

}  // namespace
