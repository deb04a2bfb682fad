#include "toolkit/dial.h"
#include "toolkit/panel.h"
#include "toolkit/picture.h"
#include "toolkit/platform/platform.h"
#include "toolkit/platform/x11_platform.h"
#include "toolkit/value_display.h"
#include "toolkit_fixture.h"
#include "xvfb_server.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

// Moves the real pointer with synthetic events while the dial tracks it: the drag loop calls
// throttledIdle on every pass, which plays the next step of the script.
class CXTestEditor : public CRecordingEditor {
public:
    void throttledIdle() override {
        CRecordingEditor::throttledIdle();
        if (idleCalls == 2) {
            XTestFakeMotionEvent(display, 0, target.x, target.y, CurrentTime);
            XSync(display, False);
        } else if (idleCalls == 4 || idleCalls % 500 == 0) { // released again if it got lost
            XTestFakeButtonEvent(display, 1, False, CurrentTime);
            XSync(display, False);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    Display* display = nullptr;
    CPosition target;
};

TEST(X11Frame, DrawsAPanelWithADialAndTakesARealClick) {
    CXvfbServer server;
    ASSERT_TRUE(server.start()) << "Xvfb could not be started";
    Display* display = XOpenDisplay(server.displayName().c_str());
    ASSERT_NE(display, nullptr);
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    ASSERT_TRUE(XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor));

    // The host's window: a top-level window at (40, 30).
    const Window parent =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 40, 30, 320, 200, 0, 0, 0x808080);
    XMapWindow(display, parent);
    XSync(display, False);

    CXTestEditor editor;
    editor.display = display;
    CFrameWindow* frame = new CFrameWindow(CRectangle{0, 0, 320, 200},
                                           reinterpret_cast<void*>(uintptr_t(parent)), &editor);
    ASSERT_NE(frame->getWindow(), nullptr);
    CPanel* panel = new CPanel(CRectangle{20, 20, 300, 180}, frame, nullptr);
    panel->setBackgroundColour(CColour{0, 0, 160});
    CDial* dial =
        new CDial(CRectangle{10, 10, 50, 50}, &editor, 3, nullptr, nullptr, CPosition{0, 0});
    dial->setValue(0.5f);
    panel->addView(dial);
    // Dials as the instrument shows them: a disc picture with a dot handle, value underneath.
    CPicture* disc = new CPicture(2);
    CPicture* dot = new CPicture(3);
    const float values[] = {0.2f, 0.6f, 0.9f};
    for (int i = 0; i < 3; ++i) {
        const int left = 70 + i * 60;
        CDial* knob = new CDial(CRectangle{left, 10, left + 40, 50}, &editor, 10 + i, disc, dot,
                                CPosition{0, 0});
        knob->setTransparent(true);
        knob->setValue(values[i]);
        panel->addView(knob);
        CValueDisplay* shown =
            new CValueDisplay(CRectangle{left - 6, 56, left + 44, 68}, nullptr, 0);
        shown->setFont(5);
        shown->setValue(values[i]);
        panel->addView(shown);
    }
    disc->release();
    dot->release();
    CValueDisplay* label = new CValueDisplay(CRectangle{10, 100, 260, 120}, nullptr,
                                             kDisplayBevelSunken | kDisplayShadowText);
    label->setConverterWithData(
        [](float, char* text, void*) { std::snprintf(text, 256, "%s", "Talvir test panel"); },
        nullptr);
    label->setFont(2);
    label->setBackColour(CColour{40, 40, 90});
    label->setFrameColour(CColour{200, 200, 255});
    panel->addView(label);
    CValueDisplay* text = new CValueDisplay(CRectangle{10, 130, 80, 146}, nullptr, 0);
    text->setValue(0.5f);
    panel->addView(text);
    frame->addView(panel);

    // The first paint arrives as an expose event, handled when the editor idles.
    for (int i = 0; i < 300 && frame->isFirstDrawPending(); ++i) {
        frame->doIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_FALSE(frame->isFirstDrawPending());
    frame->doIdle();
    XSync(display, False);

    const Window child = Window(frame->getWindow()->nativeHandle());
    XImage* image = XGetImage(display, child, 0, 0, 320, 200, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    // Panel background, and the dial's handle line from the top point (20, 3) to the centre.
    EXPECT_EQ(XGetPixel(image, 25, 100) & 0xffffff, 0x0000a0u);
    EXPECT_EQ(XGetPixel(image, 50, 40) & 0xffffff, 0xffffffu);
    EXPECT_EQ(XGetPixel(image, 49, 40) & 0xffffff, 0x7f7f7fu);
    if (const char* path = std::getenv("TALVIR_SCREENSHOT_PPM")) {
        writePortablePixmap(image, path);
    }
    XDestroyImage(image);

    // Press at the top of the dial (the middle value), move to its right edge, release.
    editor.target = CPosition{40 + 30 + 38, 30 + 30 + 20};
    XTestFakeMotionEvent(display, 0, 40 + 30 + 20, 30 + 30 + 2, CurrentTime);
    XTestFakeButtonEvent(display, 1, True, CurrentTime);
    XSync(display, False);
    for (int i = 0; i < 300 && editor.log.empty(); ++i) {
        frame->doIdle();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_GE(editor.log.size(), 3u);
    EXPECT_EQ(editor.log.front(), "begin 3");
    EXPECT_EQ(editor.log.back(), "end 3");
    EXPECT_NEAR(dial->getValue(), 0.8333333f, 1e-5f);

    delete frame;
    EXPECT_FALSE(CX11Platform::instance().isConnected());
    XDestroyWindow(display, parent);
    XCloseDisplay(display);
}

} // namespace
