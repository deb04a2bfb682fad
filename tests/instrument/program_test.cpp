#include <cstring>

#include "tests/instrument/instrument_fixture.h"
#include "toolkit/platform/dialogs/file_dialog.h"

namespace {

using Programs = InstrumentTest;

TEST_F(Programs, NewInstance) {
    EXPECT_EQ(instrument->getProgram(), 0);
    EXPECT_EQ(programName(0), "pneumatic koto");
    EXPECT_EQ(programName(7), "rubbarb");
    EXPECT_EQ(programName(8), "Init");
    EXPECT_EQ(programName(31), "Init");
    EXPECT_STREQ(instrument->getTuningName(), "standard");
    EXPECT_EQ(instrument->sampleCounter, 0);
    EXPECT_EQ(instrument->controllerMap[1], kParamFilterSustain);
    EXPECT_EQ(instrument->controllerMap[105], kParamLeakageCut);
    EXPECT_EQ(instrument->controllerMap[7], -1);
    EXPECT_FLOAT_EQ(instrument->getParameter(kParamBodyType1), 0.875f);
    EXPECT_EQ(instrument->voiceLimit, 8);
    EXPECT_EQ(instrument->getEditor(), nullptr);
}

TEST_F(Programs, FactoryPresetsAndInitRecords) {
    const ProgramRecord* p = instrument->programs;
    // Spot checks of exact stored values; Quality and the path stay Init.
    EXPECT_EQ(p[1].values[kParamCutoffB], 0.28100002f);
    EXPECT_EQ(p[2].values[kParamQuantizeNoise], 0.5033418f);
    EXPECT_EQ(p[5].values[kParamFilterSustain], 0.62992126f);
    EXPECT_EQ(p[7].values[kParamVolume], 0.84450483f);
    EXPECT_EQ(p[7].values[kParamBodyType2], 0.8724937f); // not yet applied: as written
    EXPECT_EQ(p[9].values[kParamLeakageCut], 0.00003f);
    for (int i = 0; i < kNumPrograms; ++i) {
        EXPECT_EQ(p[i].values[kParamQuality], 0.0f);
        EXPECT_EQ(p[i].tuningPath[0], 0);
    }
    const char zeros[kProgramNameSize] = {};
    EXPECT_EQ(std::memcmp(p[8].name + 5, zeros, kProgramNameSize - 5), 0);
}

TEST_F(Programs, CopyProgramCopiesValuesNameAndPath) {
    instrument->setProgram(5);
    std::strcpy(instrument->programs[5].tuningPath, "/tmp/x.tun");
    EXPECT_TRUE(instrument->copyProgram(31));
    EXPECT_EQ(
        std::memcmp(&instrument->programs[31], &instrument->programs[5], sizeof(ProgramRecord)), 0);
    EXPECT_EQ(instrument->getProgram(), 5);
    EXPECT_FALSE(instrument->copyProgram(32));
    EXPECT_FALSE(instrument->copyProgram(-1));
    EXPECT_TRUE(instrument->copyProgram(5));
}

TEST_F(Programs, SetProgramWritesTheQuantisedBodyTypesBack) {
    instrument->setProgram(7);
    EXPECT_FLOAT_EQ(instrument->programs[7].values[kParamBodyType2], 10.5f / 12.0f);
    EXPECT_EQ(instrument->programs[7].values[kParamVolume], 0.84450483f);
    instrument->setProgram(-1);
    instrument->setProgram(32);
    EXPECT_EQ(instrument->getProgram(), 7);
}

TEST_F(Programs, ProgramNameIsCutToItsField) {
    instrument->setProgramName("a name that is much longer than the field");
    char text[64];
    instrument->getProgramName(text);
    EXPECT_STREQ(text, "a name that is much lon");
    instrument->setProgramName(nullptr);
    instrument->getProgramName(text);
    EXPECT_STREQ(text, "");
}

// The file dialog answers with whatever the test puts here.
const char* gChosenFile = nullptr;
int gDialogCalls = 0;

bool scriptedDialog(const SOpenFileRequest& request, char* chosen) {
    ++gDialogCalls;
    EXPECT_STREQ(request.title, "Open a Scala .TUN File");
    EXPECT_STREQ(request.filterName, "TUN files (*.tun)");
    EXPECT_STREQ(request.pattern, "*.tun");
    EXPECT_EQ(request.capacity, 200);
    if (!gChosenFile) {
        return false;
    }
    std::strcpy(chosen, gChosenFile);
    return true;
}

class Tuning : public InstrumentTest {
protected:
    void SetUp() override {
        gDialogCalls = 0;
        gChosenFile = nullptr;
        setOpenFileDialogHook(scriptedDialog);
    }
    void TearDown() override { setOpenFileDialogHook(nullptr); }
};

TEST_F(Tuning, ReloadWithoutPathRestoresStandardWithoutDialog) {
    std::strcpy(instrument->tuningMap.name, "other");
    instrument->setParameter(kParamTuningCommand, -1.0f);
    EXPECT_STREQ(instrument->getTuningName(), "standard");
    EXPECT_EQ(gDialogCalls, 0);
    instrument->setParameter(kParamTuningCommand, 0.5f);
    EXPECT_EQ(gDialogCalls, 0);
}

TEST_F(Tuning, ChosenFileGoesIntoTheProgramEvenWhenItCannotBeRead) {
    gChosenFile = "/nonexistent/scale.tun";
    instrument->setParameter(kParamTuningCommand, 1.0f);
    EXPECT_EQ(gDialogCalls, 1);
    EXPECT_STREQ(instrument->programs[0].tuningPath, "/nonexistent/scale.tun");
}

TEST_F(Tuning, UnreadableFileOnReloadAsksAndCancelClearsThePath) {
    std::strcpy(instrument->programs[0].tuningPath, "/nonexistent/scale.tun");
    instrument->setParameter(kParamTuningCommand, -1.0f);
    EXPECT_EQ(gDialogCalls, 1);
    EXPECT_EQ(instrument->programs[0].tuningPath[0], 0);
}

TEST_F(Tuning, VendorRequestWritesNameAndMessage) {
    char text[400];
    EXPECT_EQ(instrument->dispatcher(effVendorSpecific, kTuningNameRequest, 0, text, 0.0f), 1);
    EXPECT_STREQ(text, "standard");
    std::strcpy(instrument->programs[0].tuningPath, "/nonexistent/scale.tun");
    instrument->setParameter(kParamTuningCommand, -1.0f);
    EXPECT_EQ(instrument->dispatcher(effVendorSpecific, kTuningMessageRequest, 0, text, 0.0f), 1);
    EXPECT_STREQ(text, instrument->tuningMap.getMessage());
}

} // namespace
