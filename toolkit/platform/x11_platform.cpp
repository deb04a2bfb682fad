#include "toolkit/platform/x11_platform.h"
#include "toolkit/platform/borrowed_surfaces.h"
#include "toolkit/platform/pixel_buffer.h"
#include "toolkit/platform/surface.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <ctime>
#include <memory>

namespace {

Display* gOwnDisplay = nullptr;
XErrorHandler gPreviousErrorHandler = nullptr;
int gErrorCount = 0;

// Errors on our own connection are counted and ignored; those of other connections in the
// process (the host's) go to the handler that was there before.
int onXError(Display* display, XErrorEvent* event) {
    if (display == gOwnDisplay) {
        ++gErrorCount;
        return 0;
    }
    return gPreviousErrorHandler ? gPreviousErrorHandler(display, event) : 0;
}

int shiftOf(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

int bitsOf(unsigned long mask) {
    int bits = 0;
    for (; mask; mask >>= 1) {
        bits += int(mask & 1);
    }
    return bits;
}

// Scales an 8-bit channel into a visual's channel mask.
unsigned long channel(uint32_t value, unsigned long mask) {
    const int bits = bitsOf(mask);
    const unsigned long scaled = bits >= 8 ? (value << (bits - 8)) : (value >> (8 - bits));
    return (scaled << shiftOf(mask)) & mask;
}

} // namespace

// One child window with its backing bitmap and the image that carries it to the server.
class CX11Window : public CPlatformWindow {
public:
    CX11Window(Display* display, Window id, int width, int height, CWindowListener* listener)
        : display(display), id(id), backing(width, height), listener(listener) {}

    ~CX11Window() override {
        if (image) {
            image->data = nullptr; // the pixels belong to staging
            XDestroyImage(image);
        }
        if (gc) {
            XFreeGC(display, gc);
        }
    }

    bool prepare() {
        XWindowAttributes attributes;
        if (!XGetWindowAttributes(display, id, &attributes)) {
            return false;
        }
        visual = attributes.visual;
        depth = attributes.depth;
        // Bits of the depth beyond red, green and blue (the alpha of a 32-bit visual) are set,
        // so that a compositor shows the window opaque.
        const unsigned long depthBits =
            depth >= int(sizeof(unsigned long) * 8) ? ~0ul : (1ul << depth) - 1;
        opaqueBits = depthBits & ~(visual->red_mask | visual->green_mask | visual->blue_mask);
        gc = XCreateGC(display, id, 0, nullptr);
        staging.assign(std::size_t(backing.width()) * std::size_t(backing.height()), 0);
        image = XCreateImage(display, visual, unsigned(depth), ZPixmap, 0,
                             reinterpret_cast<char*>(staging.data()), unsigned(backing.width()),
                             unsigned(backing.height()), 32, backing.width() * 4);
        return gc && image;
    }

    int width() const override { return backing.width(); }
    int height() const override { return backing.height(); }
    bool isOpen() const override { return open; }

    CPosition getScreenPosition() override {
        if (!open) {
            return {};
        }
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(display, id, DefaultRootWindow(display), 0, 0, &x, &y, &child);
        return {x, y};
    }

    CSurface* borrowSurface() override { return borrowed.lend(&backing); }

    void giveBackSurface(CSurface* surface) override {
        borrowed.giveBack(surface);
        present();
    }

    void invalidate(const CRectangle& area) override {
        if (open && area.width() > 0 && area.height() > 0) {
            XClearArea(display, id, area.left, area.top, unsigned(area.width()),
                       unsigned(area.height()), True);
        }
    }

    uintptr_t nativeHandle() const override { return id; }

    // Sends what changed in the backing bitmap to the window.
    void present() {
        int left, top, right, bottom;
        if (!backing.takeChanges(left, top, right, bottom) || !open || !image) {
            return;
        }
        send(left, top, right, bottom);
        XFlush(display);
    }

    void send(int left, int top, int right, int bottom) {
        left = std::max(left, 0);
        top = std::max(top, 0);
        right = std::min(right, backing.width());
        bottom = std::min(bottom, backing.height());
        if (left >= right || top >= bottom) {
            return;
        }
        const bool direct =
            image->bits_per_pixel == 32 && image->bytes_per_line == backing.width() * 4;
        for (int y = top; y < bottom; ++y) {
            const uint32_t* from = backing.row(y);
            for (int x = left; x < right; ++x) {
                const uint32_t c = from[x];
                const unsigned long pixel = opaqueBits | channel(c & 0xff, visual->red_mask) |
                                            channel((c >> 8) & 0xff, visual->green_mask) |
                                            channel((c >> 16) & 0xff, visual->blue_mask);
                if (direct) {
                    staging[std::size_t(y) * std::size_t(backing.width()) + std::size_t(x)] =
                        uint32_t(pixel);
                } else {
                    XPutPixel(image, x, y, pixel);
                }
            }
        }
        XPutImage(display, id, gc, image, left, top, left, top, unsigned(right - left),
                  unsigned(bottom - top));
    }

    Display* display;
    Window id;
    CPixelBuffer backing;
    CWindowListener* listener;
    bool open = true;
    Visual* visual = nullptr;
    int depth = 0;
    unsigned long opaqueBits = 0;
    GC gc = nullptr;
    XImage* image = nullptr;
    std::vector<uint32_t> staging;
    CBorrowedSurfaces borrowed;
    // The area of the expose events collected so far.
    bool exposed = false;
    CRectangle exposure;
};

CX11Platform& CX11Platform::instance() {
    static CX11Platform platform;
    return platform;
}

CX11Platform::~CX11Platform() {
    for (CX11Window* window : windows) {
        delete window;
    }
    windows.clear();
    disconnectIfUnused();
}

bool CX11Platform::connect() {
    if (display) {
        return true;
    }
    display = XOpenDisplay(nullptr);
    if (!display) {
        return false;
    }
    gOwnDisplay = display;
    const XErrorHandler previous = XSetErrorHandler(onXError);
    if (previous != onXError) {
        gPreviousErrorHandler = previous;
    }
    return true;
}

void CX11Platform::disconnectIfUnused() {
    if (!display || !windows.empty()) {
        return;
    }
    XSync(display, False);
    XCloseDisplay(display);
    display = nullptr;
    gOwnDisplay = nullptr;
    // Put the previous error handler back, unless someone has replaced ours since: the library
    // may be unloaded while the host goes on.
    const XErrorHandler current = XSetErrorHandler(gPreviousErrorHandler);
    if (current != onXError) {
        XSetErrorHandler(current);
    }
    gPreviousErrorHandler = nullptr;
}

int CX11Platform::errorCount() const {
    return gErrorCount;
}

CX11Window* CX11Platform::findWindow(unsigned long id) const {
    for (CX11Window* window : windows) {
        if (window->id == id) {
            return window;
        }
    }
    return nullptr;
}

CPlatformWindow* CX11Platform::createWindow(void* parent, int width, int height,
                                            const char* className, CWindowListener* listener) {
    if (!parent || width <= 0 || height <= 0 || !connect()) {
        return nullptr;
    }
    const Window parentId = Window(reinterpret_cast<uintptr_t>(parent));
    const int errorsBefore = gErrorCount;
    XSetWindowAttributes attributes{};
    attributes.background_pixmap = None; // paints come from our own bitmap: no flashing
    attributes.event_mask =
        ExposureMask | ButtonPressMask | KeyPressMask | KeyReleaseMask | StructureNotifyMask;
    const Window id =
        XCreateWindow(display, parentId, 0, 0, unsigned(width), unsigned(height), 0, CopyFromParent,
                      InputOutput, CopyFromParent, CWBackPixmap | CWEventMask, &attributes);
    XSync(display, False);
    if (!id || gErrorCount != errorsBefore) {
        if (id && gErrorCount == errorsBefore) {
            XDestroyWindow(display, id);
        }
        disconnectIfUnused();
        return nullptr;
    }
    if (className) {
        XClassHint hint;
        hint.res_name = const_cast<char*>(className);
        hint.res_class = const_cast<char*>(className);
        XSetClassHint(display, id, &hint);
    }
    CX11Window* window = new CX11Window(display, id, width, height, listener);
    if (!window->prepare()) {
        delete window;
        XDestroyWindow(display, id);
        disconnectIfUnused();
        return nullptr;
    }
    windows.push_back(window);
    XMapWindow(display, id);
    XSync(display, False);
    return window;
}

void CX11Platform::destroyWindow(CPlatformWindow* platformWindow) {
    auto found = std::find(windows.begin(), windows.end(), platformWindow);
    if (found == windows.end()) {
        return;
    }
    CX11Window* window = *found;
    windows.erase(found);
    if (window->open) {
        XDestroyWindow(display, window->id);
    }
    delete window;
    disconnectIfUnused();
}

namespace {

// Arrow keys as the host numbers them; other keys carry their character only.
uint8_t virtualKeyOf(KeySym sym) {
    switch (sym) {
    case XK_Left:
        return 11;
    case XK_Up:
        return 12;
    case XK_Right:
        return 13;
    case XK_Down:
        return 14;
    default:
        return 0;
    }
}

CPlatformKey keyOf(XKeyEvent& event) {
    char text[8] = {};
    KeySym sym = NoSymbol;
    const int length = XLookupString(&event, text, sizeof text - 1, &sym, nullptr);
    CPlatformKey key;
    key.virtualKey = virtualKeyOf(sym);
    if (length > 0 && key.virtualKey == 0) {
        key.character = static_cast<unsigned char>(text[0]);
    }
    key.modifiers =
        uint8_t(((event.state & ShiftMask) ? 1 : 0) | ((event.state & Mod1Mask) ? 2 : 0) |
                ((event.state & ControlMask) ? 4 : 0));
    return key;
}

} // namespace

void CX11Platform::pumpEvents() {
    while (display && XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        CX11Window* window = findWindow(event.xany.window);
        if (!window || !window->open) {
            continue;
        }
        const Window id = window->id;
        switch (event.type) {
        case Expose: {
            const CRectangle area(event.xexpose.x, event.xexpose.y,
                                  event.xexpose.x + event.xexpose.width,
                                  event.xexpose.y + event.xexpose.height);
            if (!window->exposed) {
                window->exposure = area;
                window->exposed = true;
            } else {
                window->exposure = {std::min(window->exposure.left, area.left),
                                    std::min(window->exposure.top, area.top),
                                    std::max(window->exposure.right, area.right),
                                    std::max(window->exposure.bottom, area.bottom)};
            }
            if (event.xexpose.count > 0) {
                break;
            }
            window->exposed = false;
            const CRectangle dirty = window->exposure;
            {
                CSurface surface(&window->backing);
                if (window->listener) {
                    window->listener->onPaint(window, &surface, dirty);
                }
            }
            // The listener may have destroyed the window.
            if (findWindow(id) == window && window->open) {
                window->backing.markChanged(dirty.left, dirty.top, dirty.right, dirty.bottom);
                window->present();
            }
            break;
        }
        case ButtonPress: {
            const CPosition where(event.xbutton.x, event.xbutton.y);
            const unsigned button = event.xbutton.button;
            if (button >= 4 && button <= 7) {
                const bool horizontal = button >= 6;
                const float distance = (button == 4 || button == 7) ? 1.0f : -1.0f;
                if (window->listener) {
                    window->listener->onWheel(window, where, distance, horizontal);
                }
            } else if (button >= 1 && button <= 3 && !dispatchingButton) {
                // A press that arrives while a click is still being tracked (events pumped
                // from inside a drag loop) is dropped.
                dispatchingButton = true;
                if (window->listener) {
                    window->listener->onButtonDown(window, where, int(button));
                }
                dispatchingButton = false;
            }
            break;
        }
        case KeyPress:
            if (window->listener) {
                window->listener->onKeyDown(window, keyOf(event.xkey));
            }
            break;
        case KeyRelease:
            if (window->listener) {
                window->listener->onKeyUp(window, keyOf(event.xkey));
            }
            break;
        case DestroyNotify:
            if (event.xdestroywindow.window == id) {
                window->open = false;
                if (window->listener) {
                    window->listener->onDestroyed(window);
                }
            }
            break;
        default:
            break;
        }
        if (findWindow(id) == window) {
            window->present();
        }
    }
}

CPosition CX11Platform::getCursorPosition() {
    if (!display) {
        return {};
    }
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y,
                  &mask);
    return {rootX, rootY};
}

int CX11Platform::getButtonState() {
    if (!display) {
        return 0;
    }
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &x, &y,
                       &mask)) {
        return 0;
    }
    // The server reports logical buttons; the toolkit wants the physical ones (it applies the
    // desktop's swap itself), so undo the pointer mapping.
    unsigned char map[16] = {};
    const int count = XGetPointerMapping(display, map, sizeof map);
    const unsigned logicalMasks[4] = {0, Button1Mask, Button2Mask, Button3Mask};
    const int physicalBits[4] = {0, kPlatformLeft, kPlatformMiddle, kPlatformRight};
    int state = 0;
    for (int physical = 1; physical <= 3; ++physical) {
        const int logical = physical <= count ? map[physical - 1] : physical;
        if (logical >= 1 && logical <= 3 && (mask & logicalMasks[logical])) {
            state |= physicalBits[physical];
        }
    }
    if (mask & ShiftMask) {
        state |= kPlatformShift;
    }
    if (mask & ControlMask) {
        state |= kPlatformControl;
    }
    if (mask & Mod1Mask) {
        state |= kPlatformAlt;
    }
    return state;
}

bool CX11Platform::areButtonsSwapped() {
    const bool wasConnected = display != nullptr;
    if (!connect()) {
        return false;
    }
    unsigned char map[16] = {};
    const int count = XGetPointerMapping(display, map, sizeof map);
    const bool swapped = count >= 3 && map[0] == 3 && map[2] == 1;
    if (!wasConnected) {
        disconnectIfUnused();
    }
    return swapped;
}

uint32_t CX11Platform::getTickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return uint32_t(uint64_t(now.tv_sec) * 1000u + uint64_t(now.tv_nsec) / 1000000u);
}

void CX11Platform::sleep(uint32_t milliseconds) {
    timespec wait{};
    wait.tv_sec = time_t(milliseconds / 1000);
    wait.tv_nsec = long(milliseconds % 1000) * 1000000L;
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR) {
    }
}

void CX11Platform::debugOutput(const char* text) {
    if (text) {
        std::fputs(text, stderr);
    }
}
