#include "tuning/tuning_map.h"

#include "tuning/tun_line_reader.h"
#include "tuning/tun_parser.h"

#include <cstdio>
#include <cstring>

namespace {
// Paths this short cannot name a tuning file; they leave the name "standard".
constexpr std::size_t kShortestNamedPath = 5;
} // namespace

void CTuningMap::setNameFromPath(const char* path) {
    const std::size_t length = std::strlen(path);
    if (length < kShortestNamedPath) {
        return;
    }
    // The file name: after the last slash or backslash, up to its first dot.
    const char* start = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '/' || *p == '\\') {
            start = p + 1;
        }
    }
    std::size_t nameLength = 0;
    while (start[nameLength] != '\0' && start[nameLength] != '.' && nameLength < kNameSize - 1) {
        ++nameLength;
    }
    std::memcpy(name, start, nameLength);
    name[nameLength] = '\0';
}

bool CTuningMap::loadFile(const char* path) {
    reset();
    if (path == nullptr) {
        path = "";
    }
    setNameFromPath(path);

    CTunLineReader reader;
    if (!reader.open(path)) {
        std::snprintf(message, sizeof(message), "Error opening the file  '%s'", path);
        return false;
    }
    CTunParser parser(*this);
    long long lineNumber = 0;
    for (;;) {
        const CTunLineReader::EResult result = reader.next();
        if (result == CTunLineReader::kEndOfFile) {
            break;
        }
        if (result == CTunLineReader::kReadError) {
            // The file could not be read to its end: nothing it holds can be trusted.
            std::snprintf(message, sizeof(message), "Error opening the file  '%s'", path);
            return false;
        }
        ++lineNumber;
        if (result == CTunLineReader::kLineTooLong) {
            std::snprintf(message, sizeof(message), "Line too long (line %lld)", lineNumber);
            return false;
        }
        switch (parser.applyLine(reader.line(), reader.length())) {
        case CTunParser::kOk:
            break;
        case CTunParser::kSectionTagError:
            std::snprintf(message, sizeof(message),
                          "Syntax error: Section-tag must be the only string in the line! "
                          "(line %lld)",
                          lineNumber);
            return false;
        case CTunParser::kMissingEquals:
            std::snprintf(message, sizeof(message), "Syntax error: '=' missing! (line %lld)",
                          lineNumber);
            return false;
        }
    }
    if (!parser.finish()) {
        std::snprintf(message, sizeof(message), "No tuning data found!");
        return false;
    }
    return true;
}
