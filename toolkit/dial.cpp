#include "toolkit/dial.h"

#include "toolkit/canvas.h"
#include "toolkit/frame_window.h"
#include "toolkit/picture_use.h"

#include <cmath>

namespace {
constexpr float kTwoPi = 6.2831855f;
constexpr float kDefaultStartAngle = 3.9269907f;                           // 5 pi / 4: lower left
constexpr float kDefaultRangeAngle = float(-1.5 * 3.14159265358979323846); // clockwise, 3/4 turn
constexpr int32_t kLinearPixelsPerRange = 200;

int32_t handleInsetFor(const CPicture* handle) {
    return static_cast<int32_t>(std::floor(handle->getWidth() * 0.5 + 2.5));
}
} // namespace

CDial::CDial(const CRectangle& size, CValueListener* listener, int32_t tag, CPicture* background,
             CPicture* handle, const CPosition& pictureOffset)
    : CValueControl(size, listener, tag, background), pictureOffset(pictureOffset),
      startAngle(kDefaultStartAngle), rangeAngle(kDefaultRangeAngle),
      radius(static_cast<float>(size.right - size.left) / 2.0f) {
    if (handle) {
        replacePicture(handlePicture, handle);
        inset = handleInsetFor(handle);
    }
    updateAngleFactors();
}

CDial::~CDial() {
    replacePicture(handlePicture, nullptr);
}

void CDial::updateAngleFactors() {
    angleFactor = (maximum - minimum) / rangeAngle;
    angleBase = minimum - angleFactor * startAngle;
    halfDeadAngle = (kTwoPi - std::fabs(rangeAngle)) * 0.5f;
}

void CDial::setStartAngle(float angle) {
    startAngle = angle;
    updateAngleFactors();
    setDirty(true);
}

void CDial::setRangeAngle(float angle) {
    rangeAngle = angle;
    updateAngleFactors();
    setDirty(true);
}

void CDial::valueToPoint(CPosition& out) const {
    float angle = (value - angleBase) / angleFactor;
    if (!std::isfinite(angle)) {
        // A dial without a range (or a value that is not a number) shows its start position.
        angle = startAngle;
    }
    const float reach = radius - static_cast<float>(inset);
    const float x = radius + reach * std::cos(angle) + 0.5f;
    const float y = radius - reach * std::sin(angle) + 0.5f;
    out.x = std::isfinite(x) ? static_cast<int32_t>(x) : 0;
    out.y = std::isfinite(y) ? static_cast<int32_t>(y) : 0;
}

float CDial::pointToValue(const CPosition& where) const {
    float theta =
        std::atan2(radius - static_cast<float>(where.y), static_cast<float>(where.x) - radius);
    if (theta < 0.0f) {
        theta += kTwoPi;
    }
    float a = theta - startAngle;
    const auto wrapped = [](float angle) {
        if (angle < 0.0f) {
            return angle + kTwoPi;
        }
        if (angle > kTwoPi) {
            return angle - kTwoPi;
        }
        return angle;
    };
    const auto unwrapped = [this](float angle, float limit) {
        if (angle > limit) {
            return angle - kTwoPi;
        }
        if (angle < -halfDeadAngle) {
            return angle + kTwoPi;
        }
        return angle;
    };
    if (rangeAngle < 0.0f) {
        // Clockwise: measure from the maximum's position.
        a = a - rangeAngle;
        const float n = wrapped(a);
        const float limit = halfDeadAngle - rangeAngle;
        if (n > limit) {
            return maximum;
        }
        if (n > -rangeAngle) {
            return minimum;
        }
        return maximum + angleFactor * unwrapped(a, limit);
    }
    const float n = wrapped(a);
    const float limit = rangeAngle + halfDeadAngle;
    if (n > limit) {
        return minimum;
    }
    if (n > rangeAngle) {
        return maximum;
    }
    return minimum + angleFactor * unwrapped(a, limit);
}

void CDial::setShadowColour(const CColour& colour) {
    shadowColour = colour;
    setDirty(true);
}

void CDial::setHandleColour(const CColour& colour) {
    handleColour = colour;
    setDirty(true);
}

void CDial::setHandlePicture(CPicture* picture) {
    replacePicture(handlePicture, picture);
    if (picture) {
        inset = handleInsetFor(picture);
    }
}

void CDial::draw(CCanvas* canvas) {
    if (canvas && background) {
        drawPicture(background, canvas, size, pictureOffset, transparent);
    }
    drawHandle(canvas);
    setDirty(false);
}

void CDial::drawHandle(CCanvas* canvas) {
    if (!canvas) {
        return;
    }
    CPosition point;
    valueToPoint(point);
    if (handlePicture) {
        const int32_t w = handlePicture->getWidth();
        const int32_t h = handlePicture->getHeight();
        const int32_t left = size.left + point.x - w / 2;
        const int32_t top = size.top + point.y - h / 2;
        handlePicture->drawTransparent(canvas, CRectangle{left, top, left + w, top + h},
                                       CPosition{0, 0});
        return;
    }
    const CPosition centre{size.left + (size.right - size.left) / 2,
                           size.top + (size.bottom - size.top) / 2};
    const CPosition tip{size.left + point.x, size.top + point.y};
    canvas->setFrameColour(shadowColour);
    canvas->moveTo(CPosition{tip.x - 1, tip.y});
    canvas->lineTo(CPosition{centre.x - 1, centre.y});
    canvas->setFrameColour(handleColour);
    canvas->moveTo(CPosition{tip.x, tip.y - 1});
    canvas->lineTo(CPosition{centre.x, centre.y - 1});
}

float CDial::linearStep(int32_t buttons) const {
    const float range = maximum - minimum;
    if (buttons & kShift) {
        return range / (kLinearPixelsPerRange * zoomFactor);
    }
    return range / kLinearPixelsPerRange;
}

void CDial::onMouseDown(CCanvas* canvas, const CPosition& where) {
    if (!canvas || !mouseEnabled) {
        return;
    }
    const int32_t buttons = canvas->getMouseButtons();
    if (!(buttons & kLeftButton)) {
        return;
    }
    if (buttons == (kLeftButton | kControl)) {
        value = defaultValue;
        reportUserChange(canvas);
        return;
    }
    const int32_t mode = frameWindow ? frameWindow->getKnobMode() : gKnobMode;
    const bool alt = (buttons & kAlt) != 0;
    const bool linear = (mode == kKnobModeLinear) != alt;
    if (frameWindow) {
        frameWindow->beginEdit(tag);
        frameWindow->setFocusView(this);
    }
    if (linear) {
        dragLinear(canvas, where, buttons);
    } else {
        dragCircular(canvas, where, buttons);
    }
    if (frameWindow) {
        frameWindow->endEdit(tag);
    }
}

void CDial::dragLinear(CCanvas* canvas, const CPosition& press, int32_t buttons) {
    float pressValue = value;
    int32_t stepButtons = buttons;
    float step = linearStep(buttons);
    CPosition where = press;
    CPosition handled{press.x + 1, press.y}; // differs from the press: the first pass computes
    do {
        buttons = canvas->getMouseButtons();
        if (where != handled) {
            handled = where;
            const int32_t distance = (where.x - press.x) + (press.y - where.y);
            if (buttons != stepButtons) {
                // A change of Shift changes the rate from here on without moving the value.
                const float newStep = linearStep(buttons);
                pressValue += (step - newStep) * static_cast<float>(distance);
                step = newStep;
                stepButtons = buttons;
            }
            value = pressValue + static_cast<float>(distance) * step;
            reportUserChange(canvas);
        }
        canvas->getMousePosition(where);
        idleDuringDrag();
    } while (buttons & kLeftButton);
}

void CDial::dragCircular(CCanvas* canvas, const CPosition& press, int32_t buttons) {
    const CPosition corner{size.left, size.top};
    float reference = pointToValue(press - corner);
    const float halfRange = (maximum - minimum) * 0.5f;
    CPosition where = press;
    CPosition handled{press.x + 1, press.y};
    do {
        buttons = canvas->getMouseButtons();
        if (where != handled) {
            handled = where;
            const float v = pointToValue(where - corner);
            // A sweep across the dead zone sticks at the end it passed instead of wrapping.
            if (reference - v > halfRange) {
                value = maximum;
            } else if (v - reference > halfRange) {
                value = minimum;
            } else {
                value = v;
                reference = v;
            }
            reportUserChange(canvas);
        }
        canvas->getMousePosition(where);
        idleDuringDrag();
    } while (buttons & kLeftButton);
}

bool CDial::onWheel(CCanvas* canvas, const CPosition&, float distance) {
    if (!mouseEnabled) {
        return false;
    }
    const bool shift = canvas && (canvas->getMouseButtons() & kShift);
    float change = distance * wheelStep;
    if (shift) {
        change *= 0.1f;
    }
    value = value + change;
    reportUserChange(canvas);
    return true;
}

int32_t CDial::onKeyDown(const CKeyCode& key) {
    float sign;
    switch (key.virtualKey) {
    case kVirtualKeyLeft:
    case kVirtualKeyDown:
        sign = -1.0f;
        break;
    case kVirtualKeyUp:
    case kVirtualKeyRight:
        sign = 1.0f;
        break;
    default:
        return -1;
    }
    float change = sign * wheelStep;
    if (key.modifier & kModifierShift) {
        change *= 0.1f;
    }
    value = value + change;
    reportUserChange(nullptr);
    return 1;
}
