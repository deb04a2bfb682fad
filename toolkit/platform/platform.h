#pragma once
#include "toolkit/geometry.h"
#include <cstdint>

class CSurface;
class CPlatformWindow;

// Button and modifier bits of CPlatform::getButtonState (physical buttons, not swapped).
constexpr int kPlatformLeft = 1;
constexpr int kPlatformMiddle = 2;
constexpr int kPlatformRight = 4;
constexpr int kPlatformShift = 8;
constexpr int kPlatformControl = 16;
constexpr int kPlatformAlt = 32;

// A key as the window receives it: the character (0 for keys without one), a virtual key
// (0 for plain characters; 11 left, 12 up, 13 right, 14 down, others as the host numbers them)
// and modifier bits (1 Shift, 2 Alt, 4 Control).
struct CPlatformKey {
    int32_t character = 0;
    uint8_t virtualKey = 0;
    uint8_t modifiers = 0;
};

// What a platform window reports to its owner. Every call comes on the thread that pumps the
// platform's events (the editor's user-interface thread).
class CWindowListener {
public:
    virtual ~CWindowListener() = default;
    // Part of the window needs drawing: draw the dirty rectangle (window coordinates,
    // right/bottom exclusive) on the surface, which is valid during the call only.
    virtual void onPaint(CPlatformWindow* /*window*/, CSurface* /*surface*/,
                         const CRectangle& /*dirty*/) {}
    // A button went down (1 left, 2 middle, 3 right, as numbered on the device) at a position in
    // window coordinates.
    virtual void onButtonDown(CPlatformWindow* /*window*/, const CPosition& /*where*/,
                              int /*button*/) {}
    // The wheel turned: distance in notches, positive away from the user (up) or, for a
    // horizontal wheel, to the right.
    virtual void onWheel(CPlatformWindow* /*window*/, const CPosition& /*where*/,
                         float /*distance*/, bool /*horizontal*/) {}
    virtual void onKeyDown(CPlatformWindow* /*window*/, const CPlatformKey& /*key*/) {}
    virtual void onKeyUp(CPlatformWindow* /*window*/, const CPlatformKey& /*key*/) {}
    // The window is gone (its parent was destroyed, or the display connection broke); the
    // CPlatformWindow object stays valid until destroyWindow and reports isOpen() false.
    virtual void onDestroyed(CPlatformWindow* /*window*/) {}
};

// A child window inside a host-given parent window, with a backing bitmap of its own size.
class CPlatformWindow {
public:
    virtual ~CPlatformWindow() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    // False once the window has been destroyed from outside.
    virtual bool isOpen() const = 0;
    // The window's top-left corner in screen coordinates.
    virtual CPosition getScreenPosition() = 0;

    // Borrows a surface over the window for drawing outside a paint request; giving it back
    // shows what was drawn. Each borrowed surface starts with the default state (black pen,
    // white brush, black text on white, opaque background, no font).
    virtual CSurface* borrowSurface() = 0;
    virtual void giveBackSurface(CSurface* surface) = 0;

    // Asks for a paint of the rectangle (window coordinates, right/bottom exclusive).
    virtual void invalidate(const CRectangle& area) = 0;

    // The native handle (X11: the window id), 0 for headless windows.
    virtual uintptr_t nativeHandle() const = 0;
};

// The operating system services the toolkit uses: windows, pointer and keys, time and the
// debugger output. One platform is current per process (see getPlatform).
class CPlatform {
public:
    virtual ~CPlatform() = default;

    // Creates a visible child window of the given size at (0, 0) inside the parent (on X11 the
    // parent is the host's window id passed as a pointer). The class name labels the window.
    // Null when there is no parent or the window cannot be made.
    virtual CPlatformWindow* createWindow(void* parent, int width, int height,
                                          const char* className, CWindowListener* listener) = 0;
    virtual void destroyWindow(CPlatformWindow* window) = 0;

    // Processes the pending window events of this process's connection, calling the listeners.
    // Never blocks.
    virtual void pumpEvents() = 0;

    // The pointer in screen coordinates, read now.
    virtual CPosition getCursorPosition() = 0;
    // The physical buttons and the Shift, Control and Alt keys held now (kPlatform* bits).
    virtual int getButtonState() = 0;
    // True when the desktop swaps the left and right buttons.
    virtual bool areButtonsSwapped() = 0;

    // Milliseconds since some fixed moment, wrapping at 2^32.
    virtual uint32_t getTickCount() = 0;
    virtual void sleep(uint32_t milliseconds) = 0;
    // A line for a developer watching the debugger output; never shown to the user.
    virtual void debugOutput(const char* text) = 0;
};

// The current platform: the one installed with setPlatform, else the process's X11 platform.
CPlatform& getPlatform();
// Installs a platform (null puts the X11 platform back). The caller keeps ownership.
void setPlatform(CPlatform* platform);

// Installs a platform for the lifetime of the scope and restores the previous one after.
class CPlatformScope {
public:
    explicit CPlatformScope(CPlatform& platform);
    ~CPlatformScope();
    CPlatformScope(const CPlatformScope&) = delete;
    CPlatformScope& operator=(const CPlatformScope&) = delete;

private:
    CPlatform* previous;
};
