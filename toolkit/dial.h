#pragma once

#include "toolkit/value_control.h"

// Knob mode that makes dials drag linearly (any other mode drags circularly).
constexpr int32_t kKnobModeLinear = 2;

// A rotary knob over a background picture, with a handle drawn as a line pair or a small
// picture. Dragged circularly or linearly, nudged by the wheel and the arrow keys, reset to its
// default by Control-click. Angles are counter-clockwise from the positive x axis, y up.
class CDial : public CValueControl {
public:
    CDial(const CRectangle& size, CValueListener* listener, int32_t tag, CPicture* background,
          CPicture* handle, const CPosition& pictureOffset);
    ~CDial() override;

    void draw(CCanvas* canvas) override;
    void onMouseDown(CCanvas* canvas, const CPosition& where) override;
    int32_t onKeyDown(const CKeyCode& key) override;
    bool onWheel(CCanvas* canvas, const CPosition& where, float distance) override;

    virtual void drawHandle(CCanvas* canvas);
    virtual void setStartAngle(float angle);
    virtual float getStartAngle() const { return startAngle; }
    virtual void setRangeAngle(float angle);
    virtual float getRangeAngle() const { return rangeAngle; }
    // The handle point relative to the dial's top-left corner.
    virtual void valueToPoint(CPosition& out) const;
    // The value for a point relative to the dial's top-left corner.
    virtual float pointToValue(const CPosition& where) const;
    virtual void setInset(int32_t value) { inset = value; }
    virtual void setShadowColour(const CColour& colour);
    virtual void setHandleColour(const CColour& colour);
    virtual void setHandlePicture(CPicture* picture);
    virtual void setZoomFactor(float factor) { zoomFactor = factor; }
    virtual float getZoomFactor() const { return zoomFactor; }

    int32_t getInset() const { return inset; }

private:
    void updateAngleFactors();
    void dragLinear(CCanvas* canvas, const CPosition& press, int32_t buttons);
    void dragCircular(CCanvas* canvas, const CPosition& press, int32_t buttons);
    float linearStep(int32_t buttons) const;

    CPosition pictureOffset;
    CColour handleColour{255, 255, 255, 0};
    CColour shadowColour{127, 127, 127, 0};
    CPicture* handlePicture = nullptr;
    int32_t inset = 3;
    float startAngle;
    float rangeAngle;
    float halfDeadAngle = 0.0f;
    float angleFactor = 0.0f;
    float angleBase = 0.0f;
    float radius;
    float zoomFactor = 1.5f;
};
