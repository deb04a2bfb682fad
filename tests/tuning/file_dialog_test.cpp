#include "tests/tuning/test_support.h"
#include "toolkit/platform/dialogs/chosen_path.h"
#include "toolkit/platform/dialogs/file_dialog.h"

#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr int kCapacity = 200;

// A path of exactly `length` characters naming a file in dir.
std::string pathOfLength(const std::string& dir, std::size_t length) {
    return dir + "/" + std::string(length - dir.size() - 1, 'p');
}
} // namespace

using CChosenPath = CTempDirTest;

TEST_F(CChosenPath, AcceptsOnlyWholeExistingFiles) {
    const std::string fits = pathOfLength(dir, kCapacity - 1);
    const std::string tooLong = pathOfLength(dir, kCapacity);
    std::ofstream(fits).put('x');
    std::ofstream(tooLong).put('x');
    struct SCase {
        std::string text;
        bool accepted;
        std::string chosen;
    };
    const SCase cases[] = {
        {fits + "\n", true, fits},
        {fits, true, fits},
        {tooLong + "\n", false, ""},
        {dir + "/missing.tun\n", false, ""},
        {dir + "\n", false, ""},
        {"\n", false, ""},
        {"", false, ""},
        {fits + "\n\n", false, ""},
        {std::string("/dev/null"), false, ""},
    };
    for (const SCase& c : cases) {
        char chosen[kCapacity];
        std::memset(chosen, 0, sizeof(chosen));
        EXPECT_EQ(acceptChosenPath(c.text.data(), c.text.size(), kCapacity, chosen), c.accepted)
            << c.text;
        EXPECT_EQ(std::string(chosen), c.chosen) << c.text;
    }
}

// The dialog program is looked up on PATH: a stand-in script records its arguments and
// answers like the real one.
class CDesktopDialog : public CTempDirTest {
protected:
    void SetUp() override {
        CTempDirTest::SetUp();
        for (const char* name : {"PATH", "DISPLAY", "WAYLAND_DISPLAY"}) {
            const char* value = std::getenv(name);
            saved.push_back({name, value != nullptr, value ? value : ""});
        }
        setenv("PATH", dir.c_str(), 1);
        setenv("DISPLAY", ":97", 1);
        unsetenv("WAYLAND_DISPLAY");
        file = writeFile("scale.tun", "[tuning]\n");
    }
    void TearDown() override {
        for (const SSaved& s : saved) {
            if (s.set) {
                setenv(s.name, s.value.c_str(), 1);
            } else {
                unsetenv(s.name);
            }
        }
        CTempDirTest::TearDown();
    }
    // A stand-in dialog that logs its arguments, prints `answer` and ends with `ending`.
    void installDialog(const char* program, const std::string& answer,
                       const std::string& ending = "exit 0") {
        const std::string path = writeFile(
            program, "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\" >> '" + dir + "/args'; done\n" +
                         "printf '%s\\n' '" + answer + "'\n" + ending + "\n");
        chmod(path.c_str(), 0755);
    }
    std::string loggedArguments() {
        std::ifstream in(dir + "/args");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool show(char* chosen) {
        const SOpenFileRequest request = {"Open a Scala .TUN File", "TUN files (*.tun)", "*.tun",
                                          "/start/old.tun", kCapacity};
        return showOpenFileDialog(request, chosen);
    }

    struct SSaved {
        const char* name;
        bool set;
        std::string value;
    };
    std::vector<SSaved> saved;
    std::string file;
    char chosen[kCapacity] = {};
};

TEST_F(CDesktopDialog, ZenityConfirmsAFile) {
    installDialog("zenity", file);
    installDialog("kdialog", "/not/used");
    ASSERT_TRUE(show(chosen));
    EXPECT_EQ(std::string(chosen), file);
    EXPECT_EQ(loggedArguments(), "--file-selection\n--title=Open a Scala .TUN File\n"
                                 "--filename=/start/old.tun\n"
                                 "--file-filter=TUN files (*.tun) | *.tun\n");
}

TEST_F(CDesktopDialog, KdialogWhenZenityIsMissing) {
    installDialog("kdialog", file);
    ASSERT_TRUE(show(chosen));
    EXPECT_EQ(std::string(chosen), file);
    EXPECT_EQ(loggedArguments(), "--getopenfilename\n/start/old.tun\n*.tun|TUN files (*.tun)\n"
                                 "--title\nOpen a Scala .TUN File\n");
}

TEST_F(CDesktopDialog, RefusedAnswers) {
    struct SCase {
        std::string answer;
        const char* ending;
    };
    const SCase cases[] = {
        {"", "exit 1"},                           // cancelled
        {file, "exit 1"},                         // printed something but did not confirm
        {file, "kill -9 $$"},                     // crashed
        {dir + "/gone.tun", "exit 0"},            // no such file
        {pathOfLength(dir, kCapacity), "exit 0"}, // too long to store
        {std::string(9000, 'x'), "exit 0"},       // more than any path
    };
    std::ofstream(pathOfLength(dir, kCapacity)).put('x');
    for (const SCase& c : cases) {
        installDialog("zenity", c.answer, c.ending);
        std::memset(chosen, 0, sizeof(chosen));
        EXPECT_FALSE(show(chosen)) << c.answer.substr(0, 80) << " " << c.ending;
        EXPECT_STREQ(chosen, "");
    }
}

TEST_F(CDesktopDialog, NothingRunsWithoutADisplay) {
    installDialog("zenity", file);
    unsetenv("DISPLAY");
    EXPECT_FALSE(show(chosen));
    EXPECT_EQ(loggedArguments(), "");
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    EXPECT_TRUE(show(chosen));
}

TEST_F(CDesktopDialog, NothingToRunAnswersCancelled) {
    EXPECT_FALSE(show(chosen));
}

TEST_F(CDesktopDialog, HookReplacesTheDialog) {
    installDialog("zenity", file);
    setOpenFileDialogHook([](const SOpenFileRequest& request, char* out) {
        std::snprintf(out, request.capacity, "%s", "/scripted.tun");
        return true;
    });
    EXPECT_TRUE(show(chosen));
    setOpenFileDialogHook(nullptr);
    EXPECT_STREQ(chosen, "/scripted.tun");
    EXPECT_EQ(loggedArguments(), "");
}

// The dialog gets only its three standard streams, never the host's other files.
TEST_F(CDesktopDialog, HostFilesStayWithTheHost) {
    // Inheritable on purpose, and above the few descriptors the shell opens itself.
    const int opened = open(file.c_str(), O_RDONLY);
    ASSERT_GE(opened, 0);
    const int hostFile = dup2(opened, 77);
    close(opened);
    ASSERT_EQ(hostFile, 77);
    installDialog("zenity", file,
                  "for f in /proc/$$/fd/*; do echo \"fd ${f##*/}\" >> '" + dir + "/args'; done");
    EXPECT_TRUE(show(chosen));
    close(hostFile);
    const std::string log = loggedArguments();
    EXPECT_NE(log.find("fd 1\n"), std::string::npos) << log;
    EXPECT_EQ(log.find("fd " + std::to_string(hostFile) + "\n"), std::string::npos) << log;
}
