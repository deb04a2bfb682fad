#include "host/host_editor.h"
#include "instrument/instrument.h"

// For now the instrument's editor is the plain one: it reports the editor's rectangle.
CHostEditor* createInstrumentEditor(CInstrument* instrument) {
    return createPlainEditor(instrument);
}
