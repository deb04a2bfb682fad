#include "tests/tuning/test_support.h"
#include "tuning/tuning_map.h"

#include <cstring>
#include <dirent.h>
#include <string>
#include <vector>

namespace {
using namespace std::string_literals;

struct SFailingFile {
    const char* what;
    std::string bytes;
    const char* message;
};

const SFailingFile kFailingFiles[] = {
    {"line of 510 characters", "[tuning]\n" + std::string(510, 'x') + "\n",
     "Line too long (line 2)"},
    {"line of 510 blanks", "; c\n" + std::string(510, ' '), "Line too long (line 2)"},
    {"long line before any tag", std::string(100000, 'a'), "Line too long (line 1)"},
    {"tag not closed", "[exact tuning]\n[abc\n",
     "Syntax error: Section-tag must be the only string in the line! (line 2)"},
    {"tag with a comment after it", "[tuning] ;old\nnote 1=100\n",
     "Syntax error: Section-tag must be the only string in the line! (line 1)"},
    {"lone bracket", "\r\n\r\n[\r\n",
     "Syntax error: Section-tag must be the only string in the line! (line 1)"},
    {"no equals in the tuning section", "[tuning]\nnote 1 100\n",
     "Syntax error: '=' missing! (line 2)"},
    {"no equals in the exact section", "[Exact Tuning]\nnote 1=100\nbasefreq\n",
     "Syntax error: '=' missing! (line 3)"},
    // Empty lines (and so the LF of CR LF) are not counted; blank and comment lines are.
    {"line numbers skip empty lines", "; a\r\n\r\n\n\n   \r\n\0\0[tuning]\r\nnote 1\r\n"s,
     "Syntax error: '=' missing! (line 4)"},
    {"lines without a tag", "note 1=100\njust text\n", "No tuning data found!"},
    {"only unknown sections", "[info]\nname\n[scale begin]\nx=1\n", "No tuning data found!"},
    {"empty file", "", "No tuning data found!"},
    {"only line breaks and zero bytes", std::string("\r\n\n\0\r\0", 6), "No tuning data found!"},
    {"only comments", ";[tuning]\n\t; note 1=5\n", "No tuning data found!"},
};

class CTunReaderFailures : public CTempDirTest,
                           public ::testing::WithParamInterface<SFailingFile> {};
} // namespace

TEST_P(CTunReaderFailures, ReportsTheFirstError) {
    const SFailingFile& c = GetParam();
    CTuningMap map;
    EXPECT_FALSE(map.loadFile(writeFile("bad.tun", c.bytes).c_str()));
    EXPECT_STREQ(map.getMessage(), c.message);
    EXPECT_STREQ(map.getName(), "bad");
    for (int n = 0; n < CTuningMap::kNumNotes; ++n) {
        ASSERT_DOUBLE_EQ(map.cents[n], 100.0 * n) << n;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, CTunReaderFailures, ::testing::ValuesIn(kFailingFiles),
                         SCaseName());

using CTunReaderOpen = CTempDirTest;

TEST_F(CTunReaderOpen, MissingDirectoryAndNullPathsFailToOpen) {
    const std::string missing = dir + "/missing.tun";
    const std::string cases[] = {missing, dir};
    for (const std::string& path : cases) {
        CTuningMap map;
        EXPECT_FALSE(map.loadFile(path.c_str()));
        EXPECT_EQ(std::string(map.getMessage()), "Error opening the file  '" + path + "'");
    }
    CTuningMap map;
    EXPECT_FALSE(map.loadFile(nullptr));
    EXPECT_STREQ(map.getMessage(), "Error opening the file  ''");
    EXPECT_STREQ(map.getName(), "standard");
}

TEST_F(CTunReaderOpen, DevicesAreRefused) {
    CTuningMap map;
    EXPECT_FALSE(map.loadFile("/dev/zero")); // would otherwise be an endless run of empty lines
    EXPECT_STREQ(map.getMessage(), "Error opening the file  '/dev/zero'");
}

TEST_F(CTunReaderOpen, LongPathIsCutInTheMessage) {
    const std::string path =
        dir + "/" + std::string(200, 'd') + "/" + std::string(200, 'f') + "%s%n.tun";
    CTuningMap map;
    EXPECT_FALSE(map.loadFile(path.c_str()));
    const std::string expected = ("Error opening the file  '" + path).substr(0, 399);
    EXPECT_EQ(std::string(map.getMessage()), expected);
    EXPECT_EQ(std::strlen(map.name), 79u);
}

TEST_F(CTunReaderOpen, FailureKeepsExactValuesReadBeforeIt) {
    CTuningMap map;
    const std::string path = writeFile(
        "x.tun", "[tuning]\nnote 1=150\n[exact tuning]\nbasefreq=440\nnote 60=6050\n[ab\n");
    EXPECT_FALSE(map.loadFile(path.c_str()));
    EXPECT_DOUBLE_EQ(map.cents[60], 6050.0);
    EXPECT_DOUBLE_EQ(map.cents[1], 100.0);
    EXPECT_DOUBLE_EQ(map.baseFrequency, 440.0);
}

// A file that loaded before must not leave anything behind when the next one fails.
TEST_F(CTunReaderOpen, FailureStartsFromTheStandardMap) {
    CTuningMap map;
    ASSERT_TRUE(map.loadFile(writeFile("a.tun", "[tuning]\nnote 3=999\n").c_str()));
    EXPECT_STREQ(map.getMessage(), "");
    EXPECT_FALSE(map.loadFile((dir + "/none.tun").c_str()));
    EXPECT_DOUBLE_EQ(map.cents[3], 300.0);
    EXPECT_STREQ(map.getName(), "none");
}

namespace {
int openDescriptors() {
    int count = 0;
    if (DIR* d = opendir("/proc/self/fd")) {
        while (readdir(d) != nullptr) {
            ++count;
        }
        closedir(d);
    }
    return count;
}
} // namespace

// Every way out of the reader closes the file.
TEST_F(CTunReaderOpen, ClosesTheFileOnEveryPath) {
    std::vector<std::string> paths = {dir, writeFile("ok.tun", "[tuning]\n")};
    for (const SFailingFile& c : kFailingFiles) {
        paths.push_back(writeFile(std::string(c.what) + ".tun", c.bytes));
    }
    const int before = openDescriptors();
    CTuningMap map;
    for (int round = 0; round < 3; ++round) {
        for (const std::string& path : paths) {
            map.loadFile(path.c_str());
        }
    }
    EXPECT_EQ(openDescriptors(), before);
}
