#include "toolkit/dial.h"
#include "toolkit/panel.h"
#include "toolkit/picture.h"
#include "toolkit/value_display.h"
#include "toolkit_fixture.h"

namespace {

// Builds and tears down a whole editor-like screen many times; the asan build's LeakSanitizer
// reports anything left behind, and the debug record would show a view freed while referenced.
TEST(ToolkitLeaks, FullTreesAreFreedCompletely) {
    CHeadlessPlatform platform;
    CPlatformScope scope(platform);
    int parent = 0;
    CRecordingEditor editor;
    for (int round = 0; round < 40; ++round) {
        CFrameWindow* frame = new CFrameWindow(CRectangle{0, 0, 400, 200}, &parent, &editor);
        CPicture* background = new CPicture(1);
        CPicture* disc = new CPicture(2);
        CPicture* dot = new CPicture(3);
        frame->setBackgroundPicture(background);
        for (int p = 0; p < 3; ++p) {
            CPanel* panel =
                new CPanel(CRectangle{p * 130, 0, p * 130 + 120, 180}, frame, background);
            panel->setBackgroundOffset(CPosition{p * 130, 0});
            if (p == 1) {
                panel->setOffscreenEnabled(false);
                panel->setUpdateMode(kPanelRedrawChanged);
            }
            for (int d = 0; d < 4; ++d) {
                CDial* dial = new CDial(CRectangle{10, d * 40, 50, d * 40 + 40}, &editor, d, disc,
                                        dot, CPosition{0, 0});
                panel->addView(dial);
                CValueDisplay* display =
                    new CValueDisplay(CRectangle{60, d * 40, 110, d * 40 + 12}, nullptr, 0);
                panel->addView(display);
            }
            CPanel* nested = new CPanel(CRectangle{0, 170, 50, 180}, frame, nullptr);
            panel->addView(nested);
            frame->addView(panel);
        }
        platform.paint(frame->getWindow());
        platform.queuePointerInWindow(frame->getWindow(), CPosition{40, 30}, 0);
        platform.click(frame->getWindow(), CPosition{30, 20}); // a short drag on a dial
        frame->doIdle();
        background->release();
        disc->release();
        dot->release();
        delete frame;
    }
    EXPECT_TRUE(platform.debugLines().empty());
    EXPECT_FALSE(platform.scriptOverrun());
    EXPECT_EQ(nbEC, 0);
    EXPECT_EQ(CFrameWindow::windowClassUsers(), 0);
}

} // namespace
