#include <dlfcn.h>

#include <cstring>

#include "tests/host_interface/loaded_plugin.h"

namespace {

TEST(Entry, LibraryExportsBothEntryPointsAndRefusesAHostWithoutVersion) {
    void* library = dlopen(TALVIR_PLUGIN_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(library, nullptr) << dlerror();
    EXPECT_NE(dlsym(library, "VSTPluginMain"), nullptr);
    EXPECT_NE(dlsym(library, "main"), nullptr);
    // Nothing else is visible from outside.
    EXPECT_EQ(dlsym(library, "gOutOfMemory"), nullptr);
    EXPECT_EQ(dlsym(library, "gModuleHandle"), nullptr);
    using Entry = AEffect* (*)(audioMasterCallback);
    auto entry = reinterpret_cast<Entry>(dlsym(library, "main"));
    EXPECT_EQ(entry(nullptr), nullptr);
    EXPECT_EQ(
        entry([](AEffect*, int32_t, int32_t, intptr_t, void*, float) -> intptr_t { return 0; }),
        nullptr);
    dlclose(library);

    CPluginHost host;
    host.setHostVersion(0);
    EXPECT_FALSE(host.load(TALVIR_PLUGIN_LIBRARY));
    ASSERT_EQ(host.requests().size(), 1u);
    EXPECT_EQ(host.requests()[0].opcode, audioMasterVersion);
    EXPECT_FALSE(host.requests()[0].withRecord);
}

using Identity = LoadedPlugin;

TEST_F(Identity, RecordAfterCreation) {
    EXPECT_EQ(effect->magic, 0x56737450);
    EXPECT_EQ(effect->flags, 0x11);
    EXPECT_EQ(effect->numInputs, 2);
    EXPECT_EQ(effect->numOutputs, 2);
    EXPECT_EQ(effect->numPrograms, 32);
    EXPECT_EQ(effect->numParams, 38);
    EXPECT_EQ(effect->uniqueID, 0x544C5652);
    EXPECT_EQ(fourCharText(effect->uniqueID), "TLVR");
    EXPECT_EQ(effect->version, 1);
    EXPECT_EQ(effect->ioRatio, 1.0f);
    EXPECT_EQ(effect->resvd1, 0);
    EXPECT_EQ(effect->resvd2, 0);
    EXPECT_EQ(effect->initialDelay, 0);
    EXPECT_EQ(effect->realQualities, 0);
    EXPECT_EQ(effect->offQualities, 0);
    EXPECT_NE(effect->object, nullptr);
    // The record lives inside the object it points at.
    const char* object = static_cast<const char*>(effect->object);
    const char* record = reinterpret_cast<const char*>(effect);
    EXPECT_GT(record, object);
    EXPECT_LT(record, object + 4096);
    const char zeros[sizeof(effect->future)] = {};
    EXPECT_EQ(std::memcmp(effect->future, zeros, sizeof(zeros)), 0);
    EXPECT_NE(effect->processReplacing, nullptr);
    // Only the version query so far, and it came without a record.
    ASSERT_EQ(host.requests().size(), 1u);
    EXPECT_EQ(host.requests()[0].opcode, audioMasterVersion);
}

TEST_F(Identity, Texts) {
    EXPECT_EQ(host.text(effGetEffectName, 0, 32), "Talvir");
    EXPECT_EQ(host.text(effGetProductString, 0, 64), "Talvir Comb Filter");
    EXPECT_FALSE(host.text(effGetVendorString, 0, 64).empty());
    EXPECT_EQ(host.dispatch(effGetEffectName), 0); // no buffer, nothing written
}

TEST_F(Identity, CloseAnswersOneAndEndsTheInstance) {
    EXPECT_EQ(host.dispatch(effClose), 1);
    EXPECT_FALSE(host.isLoaded());
}

TEST_F(Identity, TwoInstancesAreIndependent) {
    CPluginHost second;
    ASSERT_TRUE(second.load(TALVIR_PLUGIN_LIBRARY)) << second.error();
    second.setParameter(4, 0.25f);
    EXPECT_EQ(second.getParameter(4), 0.25f);
    EXPECT_EQ(host.getParameter(4), 1.0f);
}

} // namespace
