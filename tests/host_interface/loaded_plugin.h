#pragma once
#include <gtest/gtest.h>

#include "tools/talvir-host/plugin_host.h"

// A fresh instance of the built library for every test.
class LoadedPlugin : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(host.load(TALVIR_PLUGIN_LIBRARY)) << host.error();
        effect = host.record();
    }

    CPluginHost host;
    AEffect* effect = nullptr;
};
