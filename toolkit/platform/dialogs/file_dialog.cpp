#include "toolkit/platform/dialogs/file_dialog.h"

namespace {
OpenFileDialogHook gOpenFileDialogHook = nullptr;
}

void setOpenFileDialogHook(OpenFileDialogHook hook) { gOpenFileDialogHook = hook; }

// Placeholder until the desktop dialog lands: answers "cancelled" unless a test scripted it.
bool showOpenFileDialog(const SOpenFileRequest& request, char* chosen) {
    if (gOpenFileDialogHook) {
        return gOpenFileDialogHook(request, chosen);
    }
    return false;
}
