// gtest goes before the X11 headers, whose macros (None, Bool) clash with its names.
#include <gtest/gtest.h>

#include "tests/toolkit/xvfb_server.h"
#include "toolkit/platform/surface.h"
#include "toolkit/platform/x11_platform.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <algorithm>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

struct CPainter : CWindowListener {
    int paints = 0;
    int clicks = 0;
    int lastButton = 0;
    float wheel = 0;
    int horizontalWheel = 0;
    bool destroyed = false;
    void onPaint(CPlatformWindow*, CSurface* surface, const CRectangle& r) override {
        ++paints;
        surface->selectBrush(0x0000ff); // red
        surface->fillRect(r.left, r.top, r.right, r.bottom);
    }
    void onButtonDown(CPlatformWindow*, const CPosition&, int button) override {
        ++clicks;
        lastButton = button;
    }
    void onWheel(CPlatformWindow*, const CPosition&, float distance, bool horizontal) override {
        wheel += distance;
        horizontalWheel += horizontal;
    }
    void onKeyDown(CPlatformWindow*, const CPlatformKey& key) override { keys.push_back(key); }
    void onDestroyed(CPlatformWindow*) override { destroyed = true; }
    std::vector<CPlatformKey> keys;
};

// Pumps the platform's events until the condition holds or two seconds pass.
bool pumpUntil(CPlatform& platform, const std::function<bool()>& done) {
    for (int i = 0; i < 200 && !done(); ++i) {
        platform.pumpEvents();
        usleep(10000);
    }
    return done();
}

// Red, green and blue bytes of a pixel read back from the server (a 24-bit true-colour visual).
uint32_t readBack(Display* display, Window window, int x, int y) {
    XSync(display, False);
    XImage* image = XGetImage(display, window, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!image) {
        return 0xffffffff;
    }
    const unsigned long p = XGetPixel(image, 0, 0);
    XDestroyImage(image);
    return uint32_t(p & 0xffffff);
}

int testErrors = 0;

// Errors of the test's own requests are counted instead of ending the process (which would
// leave the X server running).
int countError(Display*, XErrorEvent*) {
    ++testErrors;
    return 0;
}

void sendButton(Display* display, Window window, unsigned button) {
    XEvent event{};
    event.xbutton.type = ButtonPress;
    event.xbutton.display = display;
    event.xbutton.window = window;
    event.xbutton.button = button;
    event.xbutton.x = 5;
    event.xbutton.y = 6;
    event.xbutton.same_screen = True;
    XSendEvent(display, window, False, ButtonPressMask, &event);
    XFlush(display);
}

void sendKey(Display* display, Window window, KeySym sym, unsigned state) {
    XEvent event{};
    event.xkey.type = KeyPress;
    event.xkey.display = display;
    event.xkey.window = window;
    event.xkey.keycode = XKeysymToKeycode(display, sym);
    event.xkey.state = state;
    event.xkey.same_screen = True;
    XSendEvent(display, window, False, KeyPressMask, &event);
    XFlush(display);
}

} // namespace

class X11WindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { server = new CXvfbServer; }
    static void TearDownTestSuite() {
        delete server;
        server = nullptr;
    }
    void SetUp() override {
        if (!started && !server->start()) {
            FAIL() << "Xvfb could not be started";
        }
        started = true;
        XSetErrorHandler(countError);
        display = XOpenDisplay(server->displayName().c_str());
        ASSERT_NE(display, nullptr);
        parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 30, 40, 200, 150, 0, 0,
                                     0x808080);
        XMapWindow(display, parent);
        XSync(display, False);
    }
    void TearDown() override {
        if (display) {
            XDestroyWindow(display, parent);
            XCloseDisplay(display);
        }
    }
    static CXvfbServer* server;
    static bool started;
    Display* display = nullptr;
    Window parent = 0;
    CX11Platform& platform = CX11Platform::instance();
    CPainter painter;
};

CXvfbServer* X11WindowTest::server = nullptr;
bool X11WindowTest::started = false;

TEST_F(X11WindowTest, PaintsDrawsReadsPointerAndClosesCleanly) {
    CPlatformWindow* window =
        platform.createWindow(reinterpret_cast<void*>(parent), 120, 80, "Plugin0000beef", &painter);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(platform.isConnected());
    const Window id = Window(window->nativeHandle());

    // The first expose paints the whole window through the listener.
    ASSERT_TRUE(pumpUntil(platform, [&] { return painter.paints > 0; }));
    EXPECT_EQ(readBack(display, id, 60, 40), 0xff0000u);

    // Drawing outside a paint shows when the surface is given back.
    CSurface* surface = window->borrowSurface();
    surface->selectBrush(0xff0000); // blue
    surface->fillRect(10, 10, 20, 20);
    window->giveBackSurface(surface);
    EXPECT_EQ(readBack(display, id, 15, 15), 0x0000ffu);
    EXPECT_EQ(readBack(display, id, 25, 15), 0xff0000u);

    // Pointer position in screen coordinates; the window lies where its parent put it.
    EXPECT_EQ(window->getScreenPosition(), CPosition(30, 40));
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, 77, 66);
    XSync(display, False);
    EXPECT_EQ(platform.getCursorPosition(), CPosition(77, 66));
    EXPECT_EQ(platform.getButtonState() & (kPlatformLeft | kPlatformRight), 0);

    // Swapped buttons as the desktop sets them.
    EXPECT_FALSE(platform.areButtonsSwapped());
    unsigned char map[32] = {};
    const int buttons = XGetPointerMapping(display, map, sizeof map);
    ASSERT_GE(buttons, 3);
    std::swap(map[0], map[2]);
    while (XSetPointerMapping(display, map, buttons) == MappingBusy) {
    }
    XSync(display, False);
    EXPECT_TRUE(platform.areButtonsSwapped());
    std::swap(map[0], map[2]);
    while (XSetPointerMapping(display, map, buttons) == MappingBusy) {
    }
    XSync(display, False);
    EXPECT_EQ(testErrors, 0);

    // Presses: 1 to 3 are clicks, 4/5 the wheel, 6/7 the horizontal wheel.
    sendButton(display, id, 1);
    sendButton(display, id, 4);
    sendButton(display, id, 4);
    sendButton(display, id, 5);
    sendButton(display, id, 7);
    ASSERT_TRUE(pumpUntil(platform, [&] { return painter.horizontalWheel == 1; }));
    EXPECT_EQ(painter.clicks, 1);
    EXPECT_EQ(painter.lastButton, 1);
    EXPECT_FLOAT_EQ(painter.wheel, 2.0f);

    // Keys: arrows as virtual keys with their modifiers, others as characters.
    sendKey(display, id, XK_Left, ShiftMask);
    sendKey(display, id, XK_Down, ControlMask);
    sendKey(display, id, XK_q, 0);
    ASSERT_TRUE(pumpUntil(platform, [&] { return painter.keys.size() == 3; }));
    EXPECT_EQ(painter.keys[0].virtualKey, 11);
    EXPECT_EQ(painter.keys[0].modifiers, 1);
    EXPECT_EQ(painter.keys[1].virtualKey, 14);
    EXPECT_EQ(painter.keys[1].modifiers, 4);
    EXPECT_EQ(painter.keys[2].virtualKey, 0);
    EXPECT_EQ(painter.keys[2].character, 'q');

    platform.destroyWindow(window);
    EXPECT_FALSE(platform.isConnected());
    // The process's error handler is the test's own again.
    EXPECT_EQ(XSetErrorHandler(countError), countError);
}

TEST_F(X11WindowTest, SurvivesTheParentWindowGoingFirst) {
    CPlatformWindow* window =
        platform.createWindow(reinterpret_cast<void*>(parent), 50, 50, "Plugin0000beef", &painter);
    ASSERT_NE(window, nullptr);
    XDestroyWindow(display, parent);
    XSync(display, False);
    ASSERT_TRUE(pumpUntil(platform, [&] { return painter.destroyed; }));
    EXPECT_FALSE(window->isOpen());
    // Drawing and invalidating a window that is gone do nothing.
    CSurface* surface = window->borrowSurface();
    surface->fillRect(0, 0, 50, 50);
    window->giveBackSurface(surface);
    window->invalidate({0, 0, 10, 10});
    platform.pumpEvents();
    platform.destroyWindow(window);
    EXPECT_FALSE(platform.isConnected());
    parent = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 10, 10, 0, 0, 0);
}

TEST_F(X11WindowTest, NoWindowForAParentThatDoesNotExist) {
    EXPECT_EQ(platform.createWindow(nullptr, 50, 50, "c", &painter), nullptr);
    EXPECT_EQ(
        platform.createWindow(reinterpret_cast<void*>(uintptr_t(0x7fffff0)), 50, 50, "c", &painter),
        nullptr);
    EXPECT_FALSE(platform.isConnected());
}
