#include "host/host_editor.h"

#include <new>

#include "host/host_effect.h"

CHostEditor::CHostEditor(CHostEffect* effect) : effect(effect) {
    if (effect) {
        effect->setEditor(this);
    }
}

CPlainEditor::CPlainEditor(CHostEffect* effect, int16_t width, int16_t height)
    : CHostEditor(effect), rectangle{0, 0, height, width} {}

int32_t CPlainEditor::getRect(ERect** rect) {
    *rect = &rectangle;
    return 1;
}

CHostEditor* createPlainEditor(CHostEffect* effect) {
    return new (std::nothrow) CPlainEditor(effect, kEditorWidth, kEditorHeight);
}
