#pragma once
#include <cstddef>

// Streams the lines of a tuning file from disk with a fixed buffer, whatever the file's size.
// Lines end at CR, LF or a zero byte; empty lines are skipped. Every character is lower-cased
// (ASCII only, independent of the locale). Owns the open file and closes it when destroyed.
class CTunLineReader {
public:
    static constexpr int kMaxLineLength = 509;

    enum EResult { kLine, kLineTooLong, kEndOfFile, kReadError };

    CTunLineReader() = default;
    ~CTunLineReader();
    CTunLineReader(const CTunLineReader&) = delete;
    CTunLineReader& operator=(const CTunLineReader&) = delete;

    // Opens a regular file for reading; false for anything else (missing, unreadable,
    // a directory, a device or a pipe).
    bool open(const char* path);
    // Reads the next non-empty line into line()/length(). kLineTooLong as soon as a line
    // reaches kMaxLineLength + 1 characters.
    EResult next();

    // The line's text, zero-terminated; the caller may edit it in place.
    char* line() { return lineText; }
    int length() const { return lineLength; }

private:
    bool fill();

    int fd = -1;
    char buffer[4096];
    std::size_t bufferEnd = 0;
    std::size_t bufferPos = 0;
    bool readFailed = false;
    char lineText[kMaxLineLength + 1] = {};
    int lineLength = 0;
};
