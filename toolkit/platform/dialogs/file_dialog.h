#pragma once

// The platform's modal file-open dialog, shown on the calling thread.
struct SOpenFileRequest {
    const char* title;       // window title
    const char* filterName;  // e.g. "TUN files (*.tun)"
    const char* pattern;     // e.g. "*.tun"
    const char* startPath;   // file or folder to start from; may be empty
    int capacity;            // room for the chosen path, terminator included
};

// Shows the dialog; on confirmation writes the chosen path (an existing file whose path fits
// in capacity - 1 characters) into chosen and answers true. Answers false when the user
// cancels or when no dialog can be shown here.
bool showOpenFileDialog(const SOpenFileRequest& request, char* chosen);

// Tests replace the dialog with a scripted answer: answer(request, chosen) is called instead.
using OpenFileDialogHook = bool (*)(const SOpenFileRequest& request, char* chosen);
void setOpenFileDialogHook(OpenFileDialogHook hook);
