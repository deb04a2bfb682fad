#include "toolkit/platform/dialogs/file_dialog.h"

#include "toolkit/platform/dialogs/child_process.h"
#include "toolkit/platform/dialogs/chosen_path.h"

#include <cstdlib>
#include <string>
#include <vector>

namespace {
OpenFileDialogHook gOpenFileDialogHook = nullptr;

// Room for what a dialog prints: any longer answer is refused anyway.
constexpr std::size_t kOutputCapacity = 4096;
constexpr std::size_t kProgramPathSize = 4096;

bool hasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

const char* orEmpty(const char* text) {
    return text ? text : "";
}

// The arguments of the desktop's own open dialog, program name first.
std::vector<std::string> zenityArguments(const SOpenFileRequest& request) {
    std::vector<std::string> args = {"zenity", "--file-selection",
                                     std::string("--title=") + orEmpty(request.title)};
    if (request.startPath != nullptr && *request.startPath != '\0') {
        args.push_back(std::string("--filename=") + request.startPath);
    }
    if (request.pattern != nullptr && *request.pattern != '\0') {
        args.push_back(std::string("--file-filter=") + orEmpty(request.filterName) + " | " +
                       request.pattern);
    }
    return args;
}

std::vector<std::string> kdialogArguments(const SOpenFileRequest& request) {
    const char* start =
        request.startPath != nullptr && *request.startPath != '\0' ? request.startPath : ".";
    std::vector<std::string> args = {"kdialog", "--getopenfilename", start};
    if (request.pattern != nullptr && *request.pattern != '\0') {
        args.push_back(std::string(request.pattern) + "|" + orEmpty(request.filterName));
    }
    args.push_back("--title");
    args.push_back(orEmpty(request.title));
    return args;
}

bool runDialog(const char* program, const std::vector<std::string>& args,
               const SOpenFileRequest& request, char* chosen) {
    std::vector<char*> argv;
    for (const std::string& arg : args) {
        argv.push_back(const_cast<char*>(arg.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char> output(kOutputCapacity);
    const SChildResult result = runAndCapture(program, argv.data(), output.data(), output.size());
    // Both programs answer 0 on confirmation; when the host reaped the child first, the
    // printed path alone decides (nothing is printed on cancel).
    if (!result.started || (result.exitKnown && result.exitCode != 0) ||
        result.length > output.size()) {
        return false;
    }
    return acceptChosenPath(output.data(), result.length, request.capacity, chosen);
}
} // namespace

void setOpenFileDialogHook(OpenFileDialogHook hook) {
    gOpenFileDialogHook = hook;
}

bool showOpenFileDialog(const SOpenFileRequest& request, char* chosen) {
    if (gOpenFileDialogHook) {
        return gOpenFileDialogHook(request, chosen);
    }
    if (chosen == nullptr || request.capacity <= 1 || !hasDisplay()) {
        return false;
    }
    char program[kProgramPathSize];
    if (findProgramOnPath("zenity", program, sizeof(program))) {
        return runDialog(program, zenityArguments(request), request, chosen);
    }
    if (findProgramOnPath("kdialog", program, sizeof(program))) {
        return runDialog(program, kdialogArguments(request), request, chosen);
    }
    return false;
}
