#pragma once
#include <cctype>
#include <cstdlib>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

// A fresh directory per test, removed with everything in it afterwards.
class CTempDirTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/talvir-tuning-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        if (!dir.empty()) {
            std::system(("rm -rf '" + dir + "'").c_str());
        }
    }
    // Writes bytes into a file of the directory and answers its full path.
    std::string writeFile(const std::string& name, const std::string& bytes) {
        const std::string path = dir + "/" + name;
        std::ofstream out(path, std::ios::binary);
        out << bytes;
        return path;
    }

    std::string dir;
};

// Names a parameterised case after its `what` text: "tag not closed" -> tag_not_closed.
struct SCaseName {
    template <typename T> std::string operator()(const ::testing::TestParamInfo<T>& info) const {
        std::string name;
        for (const char* p = info.param.what; *p; ++p) {
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        }
        return name;
    }
};
