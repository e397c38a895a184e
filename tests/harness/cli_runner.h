// Runs the built tagsift binary and captures what it printed and its exit status.
#pragma once
#include <functional>
#include <string>
#include <vector>

struct cli_result {
    std::string out;
    std::string err;
    int status = -1;  // exit status, or -1 when the process did not exit normally
};

struct cli_options {
    std::string cwd{};          // working directory; empty: the test's own
    std::string stdin_text{};   // fed to standard input
    bool unprivileged = false;  // run as uid/gid 65534 through setpriv
    int timeout_seconds{};      // > 0: killed after this many seconds (status 124)
    bool terminal = false;      // standard output and error on one pseudo-terminal, in out
    // > 0: standard error alone on a pseudo-terminal this wide, in err; standard output discarded.
    unsigned short error_terminal_width = 0;
    std::function<void()> meanwhile{};  // run on a thread of the test's while the program runs
};

cli_result run_tagsift(const std::vector<std::string> &args, const cli_options &options = {});

// True when commands can be run as an unprivileged user (root with setpriv).
bool can_drop_privileges();

// A fresh directory under the system's temporary area, removed with the object.
class temp_dir {
public:
    temp_dir();
    ~temp_dir();
    temp_dir(const temp_dir &) = delete;
    temp_dir &operator=(const temp_dir &) = delete;
    const std::string &path() const { return path_; }
    std::string file(const std::string &name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

std::string tagsift_binary();
