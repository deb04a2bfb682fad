#pragma once

#include "toolkit/view.h"

class CPicture;
class CValueListener;

// A view that shows and edits one value. It is dirty whenever its value differs from the value
// it last drew, so a plain setValue is enough to get it redrawn at the next idle pass.
class CValueControl : public CView {
public:
    CValueControl(const CRectangle& size, CValueListener* listener, int32_t tag,
                  CPicture* background);
    ~CValueControl() override;

    bool isDirty() const override;
    void setDirty(bool value) override;

    virtual void idleDuringDrag();
    virtual void setValue(float newValue) { value = newValue; }
    virtual float getValue() const { return value; }
    virtual void setMin(float newMin) { minimum = newMin; }
    virtual float getMin() const { return minimum; }
    virtual void setMax(float newMax) { maximum = newMax; }
    virtual float getMax() const { return maximum; }
    virtual void setDrawnValue(float newValue) { drawnValue = newValue; }
    virtual float getDrawnValue() const { return drawnValue; }
    virtual void setDefaultValue(float newValue) { defaultValue = newValue; }
    virtual float getDefaultValue() const { return defaultValue; }
    virtual void setTag(int32_t newTag) { tag = newTag; }
    virtual void setBackground(CPicture* picture);
    virtual CPicture* getBackground() const { return background; }
    virtual void setBackgroundOffset(const CPosition& offset) { backgroundOffset = offset; }
    virtual void setBackgroundOffsetToPosition();
    virtual void setWheelStep(float step) { wheelStep = step; }
    virtual float getWheelStep() const { return wheelStep; }
    virtual void clampValue();

    int32_t getTag() const { return tag; }
    CValueListener* getListener() const { return listener; }
    const CPosition& getBackgroundOffset() const { return backgroundOffset; }

protected:
    // Clamps the value and tells the listener when the change left the control dirty.
    void reportUserChange(CCanvas* canvas);

    CValueListener* listener;
    int32_t tag;
    // Value and drawn value may be set from the thread that sets parameters while the
    // user-interface thread draws.
    CRelaxed<float> drawnValue{1.0f};
    float defaultValue = 0.5f;
    CRelaxed<float> value{0.0f};
    float minimum = 0.0f;
    float maximum = 1.0f;
    float wheelStep = 0.1f;
    CPicture* background = nullptr;
    CPosition backgroundOffset{0, 0};
};
