#include "host/host_editor.h"
#include "instrument/instrument.h"

// A build without the editor library gives the instrument the plain editor.
CHostEditor* createInstrumentEditor(CInstrument* instrument) {
    return createPlainEditor(instrument);
}
