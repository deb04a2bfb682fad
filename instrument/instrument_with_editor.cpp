#include "instrument/instrument_with_editor.h"

#include "host/host_editor.h"
#include "host/process_state.h"

CInstrumentWithEditor::CInstrumentWithEditor(audioMasterCallback audioMaster)
    : CInstrument(audioMaster) {
    setUniqueID(kInstrumentUniqueId);
    // The editor attaches itself; without it the instance cannot be used.
    if (!createInstrumentEditor(this)) {
        gOutOfMemory = true;
    }
}

void CInstrumentWithEditor::setParameter(int32_t index, float value) {
    CInstrument::setParameter(index, value);
    if (editor) {
        editor->setParameter(index, value);
    }
}
