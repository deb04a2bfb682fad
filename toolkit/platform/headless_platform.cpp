#include "toolkit/platform/headless_platform.h"
#include <algorithm>

namespace {

constexpr int kMaxReadsAfterScript = 1000;

int buttonBit(int button) {
    switch (button) {
    case 1:
        return kPlatformLeft;
    case 2:
        return kPlatformMiddle;
    case 3:
        return kPlatformRight;
    default:
        return 0;
    }
}

} // namespace

CHeadlessWindow::CHeadlessWindow(int width, int height, const CPosition& screenPosition,
                                 CWindowListener* listener)
    : pixelBuffer(width, height), screenPosition(screenPosition), listener(listener) {}

CSurface* CHeadlessWindow::borrowSurface() {
    return borrowed.lend(&pixelBuffer);
}

void CHeadlessWindow::giveBackSurface(CSurface* surface) {
    borrowed.giveBack(surface);
}

void CHeadlessWindow::invalidate(const CRectangle& area) {
    paints.push_back(area);
}

CHeadlessPlatform::CHeadlessPlatform() = default;

CHeadlessPlatform::~CHeadlessPlatform() {
    for (CHeadlessWindow* window : openWindows) {
        delete window;
    }
}

CPlatformWindow* CHeadlessPlatform::createWindow(void* parent, int width, int height,
                                                 const char* /*className*/,
                                                 CWindowListener* listener) {
    if (!parent || width <= 0 || height <= 0) {
        return nullptr;
    }
    CHeadlessWindow* window = new CHeadlessWindow(width, height, nextWindowPosition, listener);
    openWindows.push_back(window);
    return window;
}

void CHeadlessPlatform::destroyWindow(CPlatformWindow* window) {
    auto found = std::find(openWindows.begin(), openWindows.end(), window);
    if (found == openWindows.end()) {
        return;
    }
    openWindows.erase(found);
    delete static_cast<CHeadlessWindow*>(window);
}

void CHeadlessPlatform::pumpEvents() {
    // Deliver the paints that invalidate asked for.
    const std::vector<CHeadlessWindow*> windows = openWindows;
    for (CHeadlessWindow* window : windows) {
        std::vector<CRectangle> paints;
        paints.swap(window->paints);
        for (const CRectangle& area : paints) {
            paint(window, area);
        }
    }
}

CPosition CHeadlessPlatform::getCursorPosition() {
    if (!queue.empty()) {
        state = queue.front();
        queue.pop_front();
        emptyReads = 0;
    } else if (state.buttons & (kPlatformLeft | kPlatformMiddle | kPlatformRight)) {
        if (++emptyReads > kMaxReadsAfterScript) {
            state.buttons &= ~(kPlatformLeft | kPlatformMiddle | kPlatformRight);
            overrun = true;
        }
    }
    return state.position;
}

int CHeadlessPlatform::getButtonState() {
    return state.buttons;
}

void CHeadlessPlatform::debugOutput(const char* text) {
    debug.emplace_back(text ? text : "");
}

void CHeadlessPlatform::setPointer(const CPosition& screen, int buttons) {
    state = {screen, buttons};
    emptyReads = 0;
}

void CHeadlessPlatform::queuePointer(const CPosition& screen, int buttons) {
    queue.push_back({screen, buttons});
}

void CHeadlessPlatform::queuePointerInWindow(CPlatformWindow* window, const CPosition& where,
                                             int buttons) {
    queuePointer(window ? where + window->getScreenPosition() : where, buttons);
}

void CHeadlessPlatform::click(CPlatformWindow* window, const CPosition& where, int button,
                              int modifiers) {
    auto* w = static_cast<CHeadlessWindow*>(window);
    if (!w || !w->open) {
        return;
    }
    setPointer(where + w->getScreenPosition(), buttonBit(button) | modifiers);
    if (w->listener) {
        w->listener->onButtonDown(w, where, button);
    }
    state.buttons &= ~(kPlatformLeft | kPlatformMiddle | kPlatformRight);
}

void CHeadlessPlatform::wheel(CPlatformWindow* window, const CPosition& where, float distance,
                              bool horizontal) {
    auto* w = static_cast<CHeadlessWindow*>(window);
    if (w && w->open && w->listener) {
        w->listener->onWheel(w, where, distance, horizontal);
    }
}

void CHeadlessPlatform::keyDown(CPlatformWindow* window, const CPlatformKey& key) {
    auto* w = static_cast<CHeadlessWindow*>(window);
    if (w && w->open && w->listener) {
        w->listener->onKeyDown(w, key);
    }
}

void CHeadlessPlatform::keyUp(CPlatformWindow* window, const CPlatformKey& key) {
    auto* w = static_cast<CHeadlessWindow*>(window);
    if (w && w->open && w->listener) {
        w->listener->onKeyUp(w, key);
    }
}

void CHeadlessPlatform::paint(CPlatformWindow* window, const CRectangle& area) {
    auto* w = static_cast<CHeadlessWindow*>(window);
    if (!w || !w->open || !w->listener) {
        return;
    }
    CSurface surface(&w->pixelBuffer);
    w->listener->onPaint(w, &surface, area);
}

void CHeadlessPlatform::paint(CPlatformWindow* window) {
    if (window) {
        paint(window, CRectangle(0, 0, window->width(), window->height()));
    }
}

void CHeadlessPlatform::destroyFromOutside(CPlatformWindow* window) {
    auto* w = static_cast<CHeadlessWindow*>(window);
    if (!w || !w->open) {
        return;
    }
    w->open = false;
    if (w->listener) {
        w->listener->onDestroyed(w);
    }
}
