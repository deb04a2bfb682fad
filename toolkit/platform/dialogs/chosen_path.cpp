#include "toolkit/platform/dialogs/chosen_path.h"

#include <cstring>
#include <string>
#include <sys/stat.h>

bool acceptChosenPath(const char* text, std::size_t length, int capacity, char* chosen) {
    if (text == nullptr || chosen == nullptr || capacity <= 1) {
        return false;
    }
    if (length > 0 && text[length - 1] == '\n') {
        --length;
    }
    if (length == 0 || length > static_cast<std::size_t>(capacity - 1) ||
        std::memchr(text, '\0', length) != nullptr) {
        return false;
    }
    const std::string path(text, length);
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    std::memcpy(chosen, path.c_str(), length + 1);
    return true;
}
