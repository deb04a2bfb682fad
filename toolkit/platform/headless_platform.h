#pragma once
#include "toolkit/platform/borrowed_surfaces.h"
#include "toolkit/platform/pixel_buffer.h"
#include "toolkit/platform/platform.h"
#include "toolkit/platform/surface.h"
#include <deque>
#include <memory>
#include <string>
#include <vector>

// A window that is only a bitmap: what is drawn stays in pixels() for the test to read.
class CHeadlessWindow : public CPlatformWindow {
public:
    CHeadlessWindow(int width, int height, const CPosition& screenPosition,
                    CWindowListener* listener);

    int width() const override { return pixelBuffer.width(); }
    int height() const override { return pixelBuffer.height(); }
    bool isOpen() const override { return open; }
    CPosition getScreenPosition() override { return screenPosition; }
    CSurface* borrowSurface() override;
    void giveBackSurface(CSurface* surface) override;
    void invalidate(const CRectangle& area) override;
    uintptr_t nativeHandle() const override { return 0; }

    CPixelBuffer& pixels() { return pixelBuffer; }
    CWindowListener* getListener() const { return listener; }
    void setScreenPosition(const CPosition& p) { screenPosition = p; }
    // Surfaces borrowed and not yet given back.
    int borrowedSurfaces() const { return borrowed.count(); }
    // Paint requests collected by invalidate and not yet delivered.
    const std::vector<CRectangle>& pendingPaints() const { return paints; }

private:
    friend class CHeadlessPlatform;
    CPixelBuffer pixelBuffer;
    CPosition screenPosition;
    CWindowListener* listener;
    bool open = true;
    CBorrowedSurfaces borrowed;
    std::vector<CRectangle> paints;
};

// The platform for tests: windows are bitmaps, the pointer and buttons follow a script, time is
// a fake clock that only sleep and advanceTime move, and debug output is recorded.
//
// Pointer script: the current state (screen position + kPlatform* bits) answers
// getButtonState. Each getCursorPosition first moves to the next queued state, if any, then
// answers the position. A drag loop that reads the buttons, handles the position and reads the
// position again therefore sees one queued state per pass. Once the queue is empty the state
// stays; after 1000 further position reads with buttons held, the buttons are released and
// scriptOverrun() becomes true, so a test with a short script cannot hang.
class CHeadlessPlatform : public CPlatform {
public:
    CHeadlessPlatform();
    ~CHeadlessPlatform() override;

    CPlatformWindow* createWindow(void* parent, int width, int height, const char* className,
                                  CWindowListener* listener) override;
    void destroyWindow(CPlatformWindow* window) override;
    void pumpEvents() override;
    CPosition getCursorPosition() override;
    int getButtonState() override;
    bool areButtonsSwapped() override { return swapped; }
    uint32_t getTickCount() override { return ticks; }
    void sleep(uint32_t milliseconds) override { ticks += milliseconds; }
    void debugOutput(const char* text) override;

    // --- test controls ---
    // Where new windows appear on the fake screen (default (100, 50)).
    void setNextWindowPosition(const CPosition& p) { nextWindowPosition = p; }
    void setButtonsSwapped(bool on) { swapped = on; }
    void advanceTime(uint32_t milliseconds) { ticks += milliseconds; }

    // Sets the current pointer state at once (screen coordinates).
    void setPointer(const CPosition& screen, int buttons);
    // Queues a state for the next position reads.
    void queuePointer(const CPosition& screen, int buttons);
    // Queues a state given in the window's coordinates.
    void queuePointerInWindow(CPlatformWindow* window, const CPosition& where, int buttons);
    size_t queuedPointerStates() const { return queue.size(); }
    bool scriptOverrun() const { return overrun; }

    // Deliver events to the window's listener now. A click (button 1 left, 2 middle, 3 right)
    // sets the pointer to the position with that button and the given kPlatform* modifiers
    // held, tells the listener, and releases the buttons when the listener returns.
    void click(CPlatformWindow* window, const CPosition& where, int button = 1, int modifiers = 0);
    void wheel(CPlatformWindow* window, const CPosition& where, float distance,
               bool horizontal = false);
    void keyDown(CPlatformWindow* window, const CPlatformKey& key);
    void keyUp(CPlatformWindow* window, const CPlatformKey& key);
    // Paints the rectangle (or the whole window) through the listener.
    void paint(CPlatformWindow* window, const CRectangle& area);
    void paint(CPlatformWindow* window);
    // Destroys the window from outside, as a host destroying its own window would.
    void destroyFromOutside(CPlatformWindow* window);

    const std::vector<std::string>& debugLines() const { return debug; }
    void clearDebugLines() { debug.clear(); }
    const std::vector<CHeadlessWindow*>& windows() const { return openWindows; }

private:
    struct CPointerState {
        CPosition position;
        int buttons = 0;
    };
    CPointerState state;
    std::deque<CPointerState> queue;
    int emptyReads = 0;
    bool overrun = false;
    bool swapped = false;
    uint32_t ticks = 1000;
    CPosition nextWindowPosition{100, 50};
    std::vector<std::string> debug;
    std::vector<CHeadlessWindow*> openWindows;
};
