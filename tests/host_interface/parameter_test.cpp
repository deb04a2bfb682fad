#include "tests/host_interface/loaded_plugin.h"

namespace {

using Parameters = LoadedPlugin;

TEST_F(Parameters, TuningCommandAndIndex38StoreNothing) {
    host.setParameter(38, 0.7f);
    EXPECT_EQ(host.getParameter(38), 0.0f);
    host.setParameter(39, 0.5f);
    host.setParameter(39, -1.0f);
    EXPECT_EQ(host.getParameter(39), 0.0f);
    EXPECT_EQ(host.getParameter(-1), 0.0f);
    char text[400] = {};
    host.dispatch(effVendorSpecific, fourCharCode('T', 'L', 't', 'n'), 0, text);
    EXPECT_STREQ(text, "standard");
}

TEST_F(Parameters, EditingEditsTheCurrentProgram) {
    host.dispatch(effSetProgram, 0, 3);
    host.setParameter(4, 0.5f);
    host.dispatch(effSetProgram, 0, 4);
    EXPECT_EQ(host.getParameter(4), 0.99f);
    host.dispatch(effSetProgram, 0, 3);
    EXPECT_EQ(host.getParameter(4), 0.5f);
}

TEST_F(Parameters, BodyTypesAreQuantisedWhenAProgramIsApplied) {
    EXPECT_EQ(host.getParameter(25), 0.875f);
    EXPECT_EQ(host.text(effGetParamDisplay, 25), "t-Random");
    void* data = nullptr;
    ASSERT_EQ(host.dispatch(effGetChunk, 1, 0, &data), 376);
    EXPECT_EQ(static_cast<float*>(data)[25], 0.875f);
}

TEST_F(Parameters, NoAutomationRequestForDirectChanges) {
    host.clearRequests();
    for (int i = 0; i < 38; ++i) {
        host.setParameter(i, 0.3f);
    }
    EXPECT_TRUE(host.requests().empty());
}

} // namespace
