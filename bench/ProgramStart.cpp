#include "ProgramStart.h"

#include "MonotonicClock.h"
#include "StartReport.h"

#include <QCoreApplication>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

class SpawnActions {
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

class Descriptor {
public:
    explicit Descriptor(int descriptor = -1)
        : descriptor_(descriptor)
    {
    }
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }
    void close()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
        descriptor_ = -1;
    }

private:
    int descriptor_;
};

// A start that takes longer has hung, on a dialog perhaps.
constexpr int kPatienceMilliseconds = 60'000;

// Everything the child writes until it ends; nothing when it keeps its
// output open past the patience.
std::optional<std::string> readAll(int descriptor)
{
    std::string output;
    const std::int64_t deadline = monotonicNanoseconds() + kPatienceMilliseconds * 1'000'000LL;
    for (;;) {
        const std::int64_t left = (deadline - monotonicNanoseconds()) / 1'000'000;
        pollfd readable{descriptor, POLLIN, 0};
        const int ready = left > 0 ? poll(&readable, 1, int(left)) : 0;
        if (ready == 0)
            return std::nullopt;
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return output;
        }
        char chunk[4096];
        const ssize_t count = read(descriptor, chunk, sizeof chunk);
        if (count > 0)
            output.append(chunk, std::size_t(count));
        else if (count == 0 || errno != EINTR)
            return output;
    }
}

double secondsBetween(std::int64_t from, std::int64_t to)
{
    return double(to - from) * 1e-9;
}

} // namespace

ProgramStart startProgram(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& folder)
{
    const std::string path = QCoreApplication::applicationDirPath().toStdString() + '/' + program;
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error("no pipe for a started program");
    Descriptor reading(ends[0]);
    Descriptor writing(ends[1]);
    // Its errors and Qt's warnings go with its report, to be shown if it fails.
    SpawnActions actions;
    posix_spawn_file_actions_adddup2(actions.get(), writing.get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(actions.get(), writing.get(), STDERR_FILENO);
    posix_spawn_file_actions_addchdir_np(actions.get(), folder.c_str());

    pid_t child = 0;
    const std::int64_t spawnedAt = monotonicNanoseconds();
    if (posix_spawn(&child, path.c_str(), actions.get(), nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + path);
    writing.close();
    const std::optional<std::string> output = readAll(reading.get());
    if (!output)
        kill(child, SIGKILL);

    int status = 0;
    rusage usage{};
    while (wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (!output)
        throw std::runtime_error(program + " hung in " + folder);
    const auto report = findStartReport(*output);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || !report)
        throw std::runtime_error(program + " failed in " + folder + ": " + *output);
    return {secondsBetween(spawnedAt, report->mainAt), secondsBetween(spawnedAt, report->windowAt),
            usage.ru_maxrss, report->libraries};
}
