#include "harness/cli_runner.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

std::string tagsift_binary() { return TAGSIFT_BIN; }

namespace {

void append_from(int fd, std::string &to, bool &open)
{
    char chunk[65536];
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n > 0)
        to.append(chunk, static_cast<size_t>(n));
    else
        open = false;
}

// Raw mode: the terminal passes the bytes as written (no "\r" added to "\n").
cli_result run_on_terminal(std::vector<char *> &argv, const cli_options &options)
{
    termios raw{};
    cfmakeraw(&raw);
    winsize size{.ws_row = 24, .ws_col = options.error_terminal_width, .ws_xpixel = 0, .ws_ypixel = 0};
    int terminal = -1, error_end = -1;
    pid_t pid = -1;
    if (options.error_terminal_width == 0)
        pid = forkpty(&terminal, nullptr, &raw, nullptr);
    else if (openpty(&terminal, &error_end, nullptr, &raw, &size) == 0)
        pid = fork();
    if (pid < 0)
        throw std::runtime_error("no terminal");
    if (pid == 0) {
        if (error_end >= 0 && (dup2(open("/dev/null", O_WRONLY), 1) < 0 || dup2(error_end, 2) < 0))
            _exit(126);
        if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0)
            _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    if (error_end >= 0)
        close(error_end);
    std::thread meanwhile(options.meanwhile ? options.meanwhile : [] {});
    cli_result result;
    std::string &got = error_end >= 0 ? result.err : result.out;
    for (bool open = true; open;)
        append_from(terminal, got, open);  // ends with EIO once the program has ended
    meanwhile.join();
    close(terminal);
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    return result;
}

}  // namespace

cli_result run_tagsift(const std::vector<std::string> &args, const cli_options &options)
{
    std::vector<std::string> argv_text;
    if (options.timeout_seconds > 0) {
        // timeout exits 124 when the limit passes; --kill-after ends a child that ignores SIGTERM.
        argv_text = {"timeout", "--kill-after=5", std::to_string(options.timeout_seconds)};
    }
    if (options.unprivileged) {
        argv_text.insert(argv_text.end(), {"setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"});
    }
    argv_text.push_back(tagsift_binary());
    argv_text.insert(argv_text.end(), args.begin(), args.end());
    std::vector<char *> argv;
    for (auto &a : argv_text)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    if (options.terminal || options.error_terminal_width > 0)
        return run_on_terminal(argv, options);
    int in_pipe[2], out_pipe[2], err_pipe[2];
    if (pipe(in_pipe) != 0 || pipe(out_pipe) != 0 || pipe(err_pipe) != 0)
        throw std::runtime_error("pipe failed");
    pid_t pid = fork();
    if (pid == 0) {
        dup2(in_pipe[0], 0);
        dup2(out_pipe[1], 1);
        dup2(err_pipe[1], 2);
        for (int fd : {in_pipe[0], in_pipe[1], out_pipe[0], out_pipe[1], err_pipe[0], err_pipe[1]})
            close(fd);
        if (!options.cwd.empty() && chdir(options.cwd.c_str()) != 0)
            _exit(126);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(in_pipe[0]);
    close(out_pipe[1]);
    close(err_pipe[1]);
    if (!options.stdin_text.empty()) {
        ssize_t ignored = write(in_pipe[1], options.stdin_text.data(), options.stdin_text.size());
        (void)ignored;
    }
    close(in_pipe[1]);

    std::thread meanwhile(options.meanwhile ? options.meanwhile : [] {});
    cli_result result;
    bool out_open = true, err_open = true;
    while (out_open || err_open) {
        pollfd fds[2] = {{out_pipe[0], POLLIN, 0}, {err_pipe[0], POLLIN, 0}};
        poll(fds, 2, -1);
        if (out_open && (fds[0].revents & (POLLIN | POLLHUP)))
            append_from(out_pipe[0], result.out, out_open);
        if (err_open && (fds[1].revents & (POLLIN | POLLHUP)))
            append_from(err_pipe[0], result.err, err_open);
    }
    meanwhile.join();
    close(out_pipe[0]);
    close(err_pipe[0]);
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    result.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    return result;
}

bool can_drop_privileges()
{
    if (geteuid() != 0)
        return false;
    return system("setpriv --reuid=65534 --regid=65534 --clear-groups true >/dev/null 2>&1") == 0;
}

temp_dir::temp_dir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tagsift-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    // Readable by the unprivileged user of permission tests.
    std::filesystem::permissions(path_, std::filesystem::perms::all);
}

temp_dir::~temp_dir()
{
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
