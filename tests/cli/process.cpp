#include "process.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace schnackomat::cli::testing {

namespace {

[[noreturn]] void Fail(const char* what) {
    throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

// A pipe whose ends close themselves.
struct Pipe {
    std::array<int, 2> Ends{-1, -1};

    Pipe() {
        if (pipe2(Ends.data(), O_CLOEXEC) != 0) {
            Fail("pipe2");
        }
    }
    Pipe(const Pipe&) = delete;
    Pipe& operator=(const Pipe&) = delete;
    ~Pipe() {
        Close(0);
        Close(1);
    }
    void Close(int end) {
        if (Ends[end] >= 0) {
            close(Ends[end]);
            Ends[end] = -1;
        }
    }
};

// Runs `program` with standard input from `inputPath` if it is given, otherwise from a pipe that
// is fed `input`.
ProcessResult Run(const std::string& program, const std::vector<std::string>& arguments,
                  std::string_view input, const std::string* inputPath) {
    // A child that stops reading must show as a write error here, not end the test program.
    std::signal(SIGPIPE, SIG_IGN);

    Pipe in;
    Pipe out;
    Pipe err;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (inputPath != nullptr) {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, inputPath->c_str(), O_RDONLY, 0);
    } else {
        posix_spawn_file_actions_adddup2(&actions, in.Ends[0], STDIN_FILENO);
    }
    posix_spawn_file_actions_adddup2(&actions, out.Ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.Ends[1], STDERR_FILENO);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);

    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        errno = spawned;
        Fail("posix_spawn");
    }
    in.Close(0);
    out.Close(1);
    err.Close(1);

    ProcessResult result;
    std::size_t written = 0;
    if (input.empty()) {
        in.Close(1);
    } else {
        fcntl(in.Ends[1], F_SETFL, O_NONBLOCK);
    }

    std::array<char, 65536> buffer{};
    while (out.Ends[0] >= 0 || err.Ends[0] >= 0) {
        std::array<pollfd, 3> fds{{
            {in.Ends[1], POLLOUT, 0},
            {out.Ends[0], POLLIN, 0},
            {err.Ends[0], POLLIN, 0},
        }};
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            Fail("poll");
        }
        if (fds[0].revents != 0) {
            const ssize_t n = write(in.Ends[1], input.data() + written, input.size() - written);
            if (n > 0) {
                written += static_cast<std::size_t>(n);
            }
            if ((n < 0 && errno != EAGAIN && errno != EINTR) || written == input.size()) {
                in.Close(1);
            }
        }
        for (int stream = 1; stream <= 2; ++stream) {
            if (fds[stream].revents == 0) {
                continue;
            }
            Pipe& pipe = stream == 1 ? out : err;
            const ssize_t n = read(pipe.Ends[0], buffer.data(), buffer.size());
            if (n > 0) {
                (stream == 1 ? result.Stdout : result.Stderr)
                    .append(buffer.data(), static_cast<std::size_t>(n));
            } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
                pipe.Close(0);
            }
        }
    }
    in.Close(1);

    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) {
            Fail("waitpid");
        }
    }
    result.ExitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

}  // namespace

ProcessResult RunProcess(const std::string& program, const std::vector<std::string>& arguments,
                         std::string_view input) {
    return Run(program, arguments, input, nullptr);
}

ProcessResult RunProcessOnFile(const std::string& program,
                               const std::vector<std::string>& arguments,
                               const std::string& inputPath) {
    return Run(program, arguments, {}, &inputPath);
}

}  // namespace schnackomat::cli::testing
