#pragma once

class CCanvas;
class CValueControl;

// Told whenever the user changes a control's value; the canvas may be null.
class CValueListener {
public:
    virtual ~CValueListener() = default;
    virtual void onValueChanged(CCanvas* canvas, CValueControl* control) = 0;
};
