#include "toolkit/value_control.h"

#include "toolkit/frame_window.h"
#include "toolkit/picture_use.h"
#include "toolkit/value_listener.h"

CValueControl::CValueControl(const CRectangle& size, CValueListener* listener, int32_t tag,
                             CPicture* background)
    : CView(size), listener(listener), tag(tag) {
    setBackground(background);
}

CValueControl::~CValueControl() {
    setBackground(nullptr);
}

bool CValueControl::isDirty() const {
    return value != drawnValue || dirty;
}

void CValueControl::setDirty(bool value) {
    dirty = value;
    if (value) {
        drawnValue = this->value == -1.0f ? 0.0f : -1.0f;
    } else {
        drawnValue = this->value;
    }
}

void CValueControl::idleDuringDrag() {
    if (frameWindow) {
        frameWindow->idleEditor();
    }
}

void CValueControl::setBackground(CPicture* picture) {
    replacePicture(background, picture);
}

void CValueControl::setBackgroundOffsetToPosition() {
    backgroundOffset = CPosition{size.left, size.top};
}

void CValueControl::clampValue() {
    if (value > maximum) {
        value = maximum;
    } else if (value < minimum) {
        value = minimum;
    }
}

void CValueControl::reportUserChange(CCanvas* canvas) {
    clampValue();
    if (isDirty() && listener) {
        listener->onValueChanged(canvas, this);
    }
}
