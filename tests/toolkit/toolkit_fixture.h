#pragma once

#include "toolkit/frame_editor.h"
#include "toolkit/frame_window.h"
#include "toolkit/platform/headless_platform.h"
#include "toolkit/value_control.h"
#include "toolkit/value_listener.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Records what reaches the editor and the listener, in order, in one log.
class CRecordingEditor : public CFrameEditor, public CValueListener {
public:
    void beginEdit(int32_t tag) override { log.push_back("begin " + std::to_string(tag)); }
    void endEdit(int32_t tag) override { log.push_back("end " + std::to_string(tag)); }
    void throttledIdle() override { ++idleCalls; }
    // Like the instrument's editor: note the value, then redraw the control that moved.
    void onValueChanged(CCanvas* canvas, CValueControl* control) override {
        values.push_back(control->getValue());
        log.push_back("value");
        control->redrawIfDirty(canvas);
    }

    std::vector<std::string> log;
    std::vector<float> values;
    int idleCalls = 0;
};

// A view that records what the routing hands it.
class CProbeView : public CView {
public:
    explicit CProbeView(const CRectangle& size, std::vector<std::string>* journal = nullptr,
                        const char* name = "probe")
        : CView(size), journal(journal), name(name) {}

    void draw(CCanvas* canvas) override {
        ++draws;
        CView::draw(canvas);
    }
    void onMouseDown(CCanvas*, const CPosition& where) override {
        ++clicks;
        lastPosition = where;
        note("click");
    }
    bool onWheel(CCanvas*, const CPosition& where, float distance) override {
        lastPosition = where;
        lastDistance = distance;
        note("wheel");
        return true;
    }
    bool onDrop(const char* const*, int32_t, int32_t, const CPosition& where) override {
        lastPosition = where;
        note("drop");
        return acceptDrops;
    }
    int32_t onKeyDown(const CKeyCode&) override {
        note("key");
        return keyAnswer;
    }
    void loseFocus(CCanvas*) override { note("loseFocus"); }

    void note(const char* what) {
        if (journal) {
            journal->push_back(std::string(name) + " " + what);
        }
    }

    std::vector<std::string>* journal;
    const char* name;
    int draws = 0;
    int clicks = 0;
    CPosition lastPosition{-1, -1};
    float lastDistance = 0.0f;
    bool acceptDrops = true;
    int32_t keyAnswer = -1;
};

// A headless platform, a frame window of 300 x 200 in a fake parent window, and a recording
// editor. The window sits at (100, 50) on the fake screen.
class CToolkitFixture : public ::testing::Test {
protected:
    CToolkitFixture() : scope(platform) {}
    void SetUp() override {
        gKnobMode = 0;
        frame = new CFrameWindow(CRectangle{0, 0, 300, 200}, &fakeParent, &editor);
        window = frame->getWindow();
    }
    void TearDown() override {
        delete frame;
        gKnobMode = 0;
    }
    // A window position on the fake screen.
    CPosition screen(int x, int y) const { return CPosition{100 + x, 50 + y}; }
    uint32_t pixel(int x, int y) {
        return static_cast<CHeadlessWindow*>(window)->pixels().get(x, y);
    }

    CHeadlessPlatform platform;
    CPlatformScope scope;
    int fakeParent = 0;
    CRecordingEditor editor;
    std::vector<std::string> journal; // outlives the frame window, whose views may write to it
    CFrameWindow* frame = nullptr;
    CPlatformWindow* window = nullptr;
};
