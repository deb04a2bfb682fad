#pragma once

#include <cstdint>

// What a frame window needs of the editor that owns it: the parameter-edit brackets that reach
// the host through the instrument, and the idle work to run while a control tracks the mouse.
class CFrameEditor {
public:
    virtual ~CFrameEditor() = default;
    virtual void beginEdit(int32_t tag) { (void)tag; }
    virtual void endEdit(int32_t tag) { (void)tag; }
    virtual void throttledIdle() {}
};
