#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

// A private X server for one test: Xvfb on a free display number, which it reports through a
// pipe once it accepts connections. DISPLAY points at it while it runs.
class CXvfbServer {
public:
    CXvfbServer() = default;
    ~CXvfbServer() { stop(); }
    CXvfbServer(const CXvfbServer&) = delete;
    CXvfbServer& operator=(const CXvfbServer&) = delete;

    bool start() {
        int fds[2];
        if (pipe(fds) != 0) {
            return false;
        }
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            // The server dies with the test, and never holds the test runner's output open.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            const int devNull = open("/dev/null", O_RDWR);
            if (devNull >= 0) {
                dup2(devNull, 1);
                dup2(devNull, 2);
                close(devNull);
            }
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "640x480x24",
                   "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        if (pid < 0) {
            close(fds[0]);
            return false;
        }
        char digits[16] = {};
        size_t got = 0;
        while (got < sizeof digits - 1) {
            const ssize_t n = read(fds[0], digits + got, 1);
            if (n <= 0 || digits[got] == '\n') {
                break;
            }
            ++got;
        }
        close(fds[0]);
        digits[got] = 0;
        if (got == 0) {
            stop();
            return false;
        }
        name = std::string(":") + digits;
        setenv("DISPLAY", name.c_str(), 1);
        return true;
    }

    void stop() {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
            pid = -1;
        }
    }

    const std::string& displayName() const { return name; }

private:
    pid_t pid = -1;
    std::string name;
};

// Writes an image read back from the server as a binary portable pixmap.
inline void writePortablePixmap(XImage* image, const char* path) {
    FILE* file = std::fopen(path, "wb");
    if (!file) {
        return;
    }
    std::fprintf(file, "P6\n%d %d\n255\n", image->width, image->height);
    for (int y = 0; y < image->height; ++y) {
        for (int x = 0; x < image->width; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16),
                                          static_cast<unsigned char>(p >> 8),
                                          static_cast<unsigned char>(p)};
            std::fwrite(rgb, 1, 3, file);
        }
    }
    std::fclose(file);
}
