#ifndef _FILE_OFFSET_BITS
#define _FILE_OFFSET_BITS 64 // files above 2 GiB open on 32-bit builds too
#endif
#include "tuning/tun_line_reader.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
char toLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool endsLine(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}
} // namespace

CTunLineReader::~CTunLineReader() {
    if (fd >= 0) {
        ::close(fd);
    }
}

bool CTunLineReader::open(const char* path) {
    if (path == nullptr || fd >= 0) {
        return false;
    }
    // Non-blocking so that opening a pipe cannot hang; regular files ignore the flag.
    const int opened = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (opened < 0) {
        return false;
    }
    struct stat info;
    if (::fstat(opened, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(opened);
        return false;
    }
    fd = opened;
    return true;
}

bool CTunLineReader::fill() {
    if (fd < 0 || readFailed) {
        return false;
    }
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof(buffer));
        if (got > 0) {
            bufferPos = 0;
            bufferEnd = static_cast<std::size_t>(got);
            return true;
        }
        if (got < 0 && errno == EINTR) {
            continue;
        }
        readFailed = got < 0;
        return false;
    }
}

CTunLineReader::EResult CTunLineReader::next() {
    lineLength = 0;
    lineText[0] = '\0';
    for (;;) {
        if (bufferPos == bufferEnd && !fill()) {
            if (readFailed) {
                return kReadError;
            }
            // A last line without a line break counts like any other.
            return lineLength > 0 ? kLine : kEndOfFile;
        }
        const char c = buffer[bufferPos++];
        if (endsLine(c)) {
            if (lineLength > 0) {
                return kLine;
            }
            continue;
        }
        if (lineLength == kMaxLineLength) {
            return kLineTooLong;
        }
        lineText[lineLength++] = toLowerAscii(c);
        lineText[lineLength] = '\0';
    }
}
