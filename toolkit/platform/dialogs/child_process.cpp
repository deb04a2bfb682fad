#include "toolkit/platform/dialogs/child_process.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

bool findProgramOnPath(const char* program, char* found, std::size_t size) {
    const char* path = std::getenv("PATH");
    if (program == nullptr || path == nullptr || size == 0) {
        return false;
    }
    const char* start = path;
    for (;;) {
        const char* end = std::strchr(start, ':');
        const std::size_t length = end ? static_cast<std::size_t>(end - start) : std::strlen(start);
        // An empty PATH entry means the current directory: not searched, on purpose.
        if (length > 0) {
            const std::string candidate = std::string(start, length) + "/" + program;
            if (candidate.size() < size && ::access(candidate.c_str(), X_OK) == 0) {
                std::memcpy(found, candidate.c_str(), candidate.size() + 1);
                return true;
            }
        }
        if (end == nullptr) {
            return false;
        }
        start = end + 1;
    }
}

namespace {
// Closes its descriptor when it goes out of scope.
class CDescriptor {
public:
    explicit CDescriptor(int fd = -1) : fd(fd) {}
    ~CDescriptor() { reset(); }
    CDescriptor(const CDescriptor&) = delete;
    CDescriptor& operator=(const CDescriptor&) = delete;
    void reset(int other = -1) {
        if (fd >= 0) {
            ::close(fd);
        }
        fd = other;
    }
    int get() const { return fd; }

private:
    int fd;
};

bool spawn(const char* program, char* const argv[], int outputFd, pid_t& child) {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    if (posix_spawn_file_actions_init(&actions) != 0) {
        return false;
    }
    if (posix_spawnattr_init(&attributes) != 0) {
        posix_spawn_file_actions_destroy(&actions);
        return false;
    }
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, outputFd, 1);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // The dialog must not hold the host's files and devices open.
    posix_spawn_file_actions_addclosefrom_np(&actions, 3);
#endif
    // The host may block or ignore signals on its threads; the dialog starts clean.
    sigset_t none;
    sigset_t all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    const int rc = posix_spawn(&child, program, &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return rc == 0;
}
} // namespace

SChildResult runAndCapture(const char* program, char* const argv[], char* output,
                           std::size_t capacity) {
    SChildResult result;
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) {
        return result;
    }
    CDescriptor readEnd(ends[0]);
    CDescriptor writeEnd(ends[1]);
    pid_t child = -1;
    if (!spawn(program, argv, writeEnd.get(), child)) {
        return result;
    }
    result.started = true;
    writeEnd.reset();

    char scratch[256];
    for (;;) {
        char* target = result.length < capacity ? output + result.length : scratch;
        const std::size_t room =
            result.length < capacity ? capacity - result.length : sizeof(scratch);
        const ssize_t got = ::read(readEnd.get(), target, room);
        if (got > 0) {
            result.length += static_cast<std::size_t>(got);
        } else if (got == 0 || errno != EINTR) {
            break;
        }
    }
    int status = 0;
    pid_t waited;
    do {
        waited = ::waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited == child) {
        result.exitKnown = true;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    return result;
}
