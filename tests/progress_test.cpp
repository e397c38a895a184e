// The progress line: shown on standard error only when it is a terminal and
// standard output is not, after the first second, cleared before every other
// message and erased at the end. The runs read a FIFO that the test fills
// late (a writer holds them open until then), so that they last long enough.
#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <pty.h>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "fixture/jpeg_builder.h"
#include "harness/cli_runner.h"

using namespace fixture;

namespace {

// Runs tagsift in dir with standard error (err: as the terminal got it) on a new terminal, or on a
// pipe, and standard output on that terminal too or in a file; fills the FIFO slow1.jpg after 1.5 s
// and slow2.jpg 0.4 s later with the bytes of a photo.
cli_result run_on_terminal(const temp_dir &dir, const std::vector<std::string> &args, bool err_terminal,
                           bool out_terminal)
{
    int reader = -1, writer = -1;
    if (err_terminal) {
        EXPECT_EQ(openpty(&reader, &writer, nullptr, nullptr, nullptr), 0);
    } else {
        int ends[2];
        EXPECT_EQ(pipe(ends), 0);
        reader = ends[0], writer = ends[1];
    }
    std::vector<std::string> argv_text = {tagsift_binary()};
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (std::string &a : argv_text)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string out_file = dir.file("out.txt");
    // The FIFOs have a writer from the start, so that their reads wait for the data: an open
    // never waits, and a FIFO without a writer reads as empty at once.
    int fifo_writers[2];
    for (int i = 0; i < 2; i++)
        fifo_writers[i] = open(dir.file(i == 0 ? "slow1.jpg" : "slow2.jpg").c_str(), O_RDWR | O_CLOEXEC);
    pid_t pid = fork();
    if (pid == 0) {
        int out = out_terminal ? writer : open(out_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (chdir(dir.path().c_str()) != 0 || dup2(out, 1) < 0 || dup2(writer, 2) < 0)
            _exit(126);
        close(reader);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(writer);
    std::thread feeder([&] {
        const Bytes photo = exif_jpeg(Tiff{.chain = {Ifd{{ascii(tag::kMake, "Canon")}}}});
        for (int i = 0; i < 2; i++) {
            std::this_thread::sleep_for(std::chrono::milliseconds(i == 0 ? 1500 : 400));
            EXPECT_EQ(write(fifo_writers[i], photo.data(), photo.size()), static_cast<ssize_t>(photo.size()));
            close(fifo_writers[i]);
        }
    });
    cli_result result;
    char chunk[4096];
    for (ssize_t n; (n = read(reader, chunk, sizeof chunk)) > 0;)  // a terminal ends in EIO
        result.err.append(chunk, static_cast<size_t>(n));
    feeder.join();
    close(reader);
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    return result;
}

TEST(Progress, ShownOnlyOnATerminalWhileOutputGoesElsewhere)
{
    temp_dir dir;
    write_file(dir.file("a.jpg"), exif_jpeg(Tiff{.chain = {Ifd{{ascii(tag::kMake, "NIKON")}}}}));
    write_file(dir.file("none.jpg"), bytes_of("not a photo"));
    // A line after the first FIFO (at 1.5 s), cleared for the error of none.jpg, drawn again
    // after the second FIFO (0.4 s later), erased at the end.
    const std::string drawn = "\r# files read, # files/s, .\x1b[K";
    const std::string error = "Error: Error while extracting EXIF fields: File is not a JPEG file\r\n";
    const std::string erase = "\r\x1b[K";
    const struct {
        std::vector<std::string> options;
        bool err_terminal, out_terminal;
        std::string err;
    } cases[] = {
        {{"-o", "l"}, true, false, drawn + erase + error + drawn + erase},
        {{"-o", "l"}, true, true, "NIKON\r\nCanon\r\n" + error + "Canon\r\nNIKON\r\n"},  // the list too
        {{"-q", "-o", "l"}, true, false, error},
        {{"-o", "l"}, false, false, "Error: Error while extracting EXIF fields: File is not a JPEG file\n"},
    };
    for (const auto &c : cases) {
        for (const char *fifo : {"slow1.jpg", "slow2.jpg"}) {
            unlink(dir.file(fifo).c_str());
            ASSERT_EQ(mkfifo(dir.file(fifo).c_str(), 0600), 0);
        }
        std::vector<std::string> args = c.options;
        args.insert(args.end(), {"-f", "make", "a.jpg", "slow1.jpg", "none.jpg", "slow2.jpg", "a.jpg"});
        cli_result r = run_on_terminal(dir, args, c.err_terminal, c.out_terminal);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(std::regex_replace(r.err, std::regex("[0-9]+"), "#"), c.err)
            << c.options[0] << " " << c.err_terminal << c.out_terminal;
    }
}

}  // namespace
