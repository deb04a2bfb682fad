#pragma once
#include "instrument/instrument.h"

// The instrument as the host gets it: with an editor that follows every parameter change.
class CInstrumentWithEditor : public CInstrument {
public:
    explicit CInstrumentWithEditor(audioMasterCallback audioMaster);
    ~CInstrumentWithEditor() override = default;

    void setParameter(int32_t index, float value) override;
};
