#pragma once
#include "toolkit/platform/platform.h"
#include <vector>

class CX11Window;

// The platform on a Linux desktop: child windows on the X server named by DISPLAY, through a
// connection of the plug-in's own, opened with the first window and closed with the last.
// Events are processed only when pumpEvents is called (no thread of its own). Errors of this
// connection (for example a parent window that has gone) are recorded, not fatal.
class CX11Platform : public CPlatform {
public:
    static CX11Platform& instance();

    CPlatformWindow* createWindow(void* parent, int width, int height, const char* className,
                                  CWindowListener* listener) override;
    void destroyWindow(CPlatformWindow* window) override;
    void pumpEvents() override;
    CPosition getCursorPosition() override;
    int getButtonState() override;
    bool areButtonsSwapped() override;
    uint32_t getTickCount() override;
    void sleep(uint32_t milliseconds) override;
    void debugOutput(const char* text) override;

    // True while the connection to the X server is open.
    bool isConnected() const { return display != nullptr; }
    // The number of X errors this connection has received (a diagnostic for tests).
    int errorCount() const;

    CX11Platform(const CX11Platform&) = delete;
    CX11Platform& operator=(const CX11Platform&) = delete;

private:
    CX11Platform() = default;
    ~CX11Platform() override;
    bool connect();
    void disconnectIfUnused();
    CX11Window* findWindow(unsigned long id) const;

    struct _XDisplay* display = nullptr;
    std::vector<CX11Window*> windows;
    bool dispatchingButton = false;
};
