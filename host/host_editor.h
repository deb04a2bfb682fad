#pragma once
#include <cstdint>

#include "host/aeffect.h"

class CHostEffect;
class CInstrument;

// The editor as the host boundary sees it: every editor request with an empty default.
// Constructing one attaches it to its effect, which owns it from then on.
class CHostEditor {
public:
    explicit CHostEditor(CHostEffect* effect);
    virtual ~CHostEditor() = default;
    CHostEditor(const CHostEditor&) = delete;
    CHostEditor& operator=(const CHostEditor&) = delete;

    // Stores a pointer to the editor rectangle in *rect; answers 1 when there is one.
    virtual int32_t getRect(ERect** rect) {
        *rect = nullptr;
        return 0;
    }
    virtual int32_t open(void* parentWindow) {
        systemWindow = parentWindow;
        return 0;
    }
    virtual void close() {}
    virtual void idle() {
        if (updatePending) {
            updatePending = 0;
            update();
        }
    }
    virtual void update() {}
    virtual void markForUpdate() { updatePending = 1; }
    virtual int32_t onKeyDown(VstKeyCode& /*key*/) { return -1; }
    virtual int32_t onKeyUp(VstKeyCode& /*key*/) { return -1; }
    virtual int32_t setKnobMode(int32_t /*mode*/) { return 0; }
    virtual bool onWheel(float /*distance*/) { return false; }
    // Called by the instrument after every parameter change; mirrors it on screen.
    virtual void setParameter(int32_t /*index*/, float /*value*/) {}

protected:
    CHostEffect* effect;
    void* systemWindow = nullptr;
    int32_t updatePending = 0;
};

// An editor that only reports its rectangle (width x height pixels).
class CPlainEditor : public CHostEditor {
public:
    CPlainEditor(CHostEffect* effect, int16_t width, int16_t height);
    int32_t getRect(ERect** rect) override;

private:
    ERect rectangle;
};

constexpr int16_t kEditorWidth = 851;
constexpr int16_t kEditorHeight = 311;

// Makes the instrument's editor; null when it cannot be allocated. Defined by the editor
// library (or, in a build without it, by a plain stand-in).
CHostEditor* createInstrumentEditor(CInstrument* instrument);
// The stand-in: a CPlainEditor of the editor's size.
CHostEditor* createPlainEditor(CHostEffect* effect);
