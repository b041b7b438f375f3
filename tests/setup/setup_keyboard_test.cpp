// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The built launcher program under a display, driven by the keyboard with xdotool as a
// person would use it.
#include "setup_test_support.h"

#include "core/default_data.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

std::string commandOutput(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[256];
        while (fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        pclose(pipe);
    }
    while (!output.empty() && (output.back() == '\n' || output.back() == ' '))
        output.pop_back();
    const std::size_t firstLine = output.find('\n');
    return firstLine == std::string::npos ? output : output.substr(0, firstLine);
}

// One run of a launcher program from the current working directory.
class LauncherRun {
  public:
    explicit LauncherRun(const std::string& program) {
        pid_ = fork();
        if (pid_ == 0) {
            setenv("NO_AT_BRIDGE", "1", 1);
            execl(program.c_str(), "setup", static_cast<char*>(nullptr));
            _exit(127);
        }
        // Looked up by process, so other tests' windows on the same display do not interfere.
        window_ = commandOutput("timeout 20 xdotool search --sync --onlyvisible --pid " +
                                std::to_string(pid_) + " --name '^setup$' 2>/dev/null");
        if (!window_.empty())
            std::system(("xdotool windowfocus --sync " + window_ + " 2>/dev/null").c_str());
    }

    ~LauncherRun() {
        if (!ended_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }

    bool hasWindow() const { return !window_.empty(); }

    void keys(const std::string& keys) { std::system(("xdotool key --delay 40 " + keys).c_str()); }

    // Whether the program ended by itself (within about twenty seconds), with status 0.
    bool ends() {
        for (int i = 0; i < 2000 && !ended_; ++i) {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) {
                ended_ = true;
                return WIFEXITED(status) && WEXITSTATUS(status) == 0;
            }
            usleep(10000);
        }
        return false;
    }

  private:
    pid_t pid_ = -1;
    std::string window_;
    bool ended_ = false;
};

// A display of our own when Xvfb is at hand: keys typed with xdotool go to the window that
// has the input focus, and other tests' windows on a shared display could take it.
class SetupKeyboard : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        // Should a copy ever take itself for an installed one, its files land here and not
        // in the home folder of whoever runs the tests.
        dataHome_ = new TempDir(false);
        setenv("XDG_DATA_HOME", dataHome_->path().c_str(), 1);
        display_ = new OwnDisplay(1024, 768);
    }

    static void TearDownTestSuite() {
        delete display_;
        display_ = nullptr;
        delete dataHome_;
        dataHome_ = nullptr;
    }

    void SetUp() override {
        if (!std::getenv("DISPLAY")) FAIL() << "needs Xvfb or a display (xvfb-run -a)";
    }

    static OwnDisplay* display_;
    static TempDir* dataHome_;
};

OwnDisplay* SetupKeyboard::display_ = nullptr;
TempDir* SetupKeyboard::dataHome_ = nullptr;

} // namespace

namespace {

// A portable copy of the launcher in a folder of its own, by default with an empty Data/
// (so no defaults are written and only the choices show).
class LauncherCopy {
  public:
    explicit LauncherCopy(bool withData = true) {
        const std::string command =
            "cp '" + std::string(SETUP_PROGRAM) + "' '" + dir_.path() + "/setup'";
        if (std::system(command.c_str()) != 0) ADD_FAILURE() << command;
        if (withData) mkdir((dir_.path() + "/Data").c_str(), 0777);
    }
    const std::string& path() const { return dir_.path(); }
    std::string program() const { return dir_.path() + "/setup"; }
    std::map<std::string, std::string> data() const { return dataFiles(dir_.path()); }

  private:
    TempDir dir_{false};
};

} // namespace

TEST_F(SetupKeyboard, FirstListHasFocusEndPicksItsLastItemAndAltOEnds) {
    LauncherCopy copy;
    TempDir stray;
    LauncherRun run(copy.program());
    ASSERT_TRUE(run.hasWindow());
    run.keys("End alt+o");
    ASSERT_TRUE(run.ends());
    EXPECT_EQ(copy.data(),
              (std::map<std::string, std::string>{{"resx.dat", "1024"}, {"resy.dat", "768"}}));
}

TEST_F(SetupKeyboard, TabReachesEachListInTemplateOrder) {
    // Tab presses from the first list to each list, and what End then writes there.
    const struct {
        int tabs;
        std::map<std::string, std::string> files;
    } cases[] = {
        {1, {{"tf.dat", "3"}}},
        {2, {{"dR.dat", "0"}, {"dG.dat", "0"}, {"dB.dat", "8"}, {"fog.dat", "9"}}},
        {3, {{"suitR.dat", "199"}, {"suitG.dat", "199"}, {"suitB.dat", "0"}}},
        {4, {{"helmR.dat", "199"}, {"helmG.dat", "199"}, {"helmB.dat", "0"}}},
        {5, {{"skiR.dat", "199"}, {"skiG.dat", "199"}, {"skiB.dat", "0"}}},
        {7, {{"winsum.dat", "1"}}},
        {9, {{"det.dat", "4"}}},
        {10, {{"opad.dat", "2"}}}, // shown sorted: "śnieg" is last
        {11, {{"hill.dat", "3"}}},
    };
    for (const auto& c : cases) {
        LauncherCopy copy;
        TempDir stray;
        LauncherRun run(copy.program());
        ASSERT_TRUE(run.hasWindow());
        std::string keys;
        for (int i = 0; i < c.tabs; ++i)
            keys += "Tab ";
        run.keys(keys + "End alt+o");
        ASSERT_TRUE(run.ends()) << c.tabs << " tabs";
        EXPECT_EQ(copy.data(), c.files) << c.tabs << " tabs";
    }
}

TEST_F(SetupKeyboard, ShiftTabAndALetterPickTheHill) {
    LauncherCopy copy;
    TempDir stray;
    LauncherRun run(copy.program());
    ASSERT_TRUE(run.hasWindow());
    run.keys("shift+Tab p alt+o");
    ASSERT_TRUE(run.ends());
    EXPECT_EQ(copy.data(), (std::map<std::string, std::string>{{"hill.dat", "2"}}));
}

TEST_F(SetupKeyboard, EscapeClosesWithoutWriting) {
    LauncherCopy copy;
    TempDir stray;
    LauncherRun run(copy.program());
    ASSERT_TRUE(run.hasWindow());
    run.keys("End Escape");
    ASSERT_TRUE(run.ends());
    EXPECT_TRUE(copy.data().empty());
    EXPECT_FALSE(pathExists("Data"));
}

TEST_F(SetupKeyboard, FromAStrayFolderTheChoicesAndTheGameGoToTheLaunchersFolder) {
    // Started from elsewhere, as a menu or a file manager does: the stray folder gets
    // nothing, and the game beside the launcher starts in the launcher's folder.
    LauncherCopy copy;
    const std::string record = copy.path() + "/record";
    writeStandInGame(copy.path(), "game", record);
    TempDir stray;
    LauncherRun run(copy.program());
    ASSERT_TRUE(run.hasWindow());
    run.keys("Home alt+u");
    ASSERT_TRUE(run.ends());
    EXPECT_EQ(copy.data(),
              (std::map<std::string, std::string>{{"resx.dat", "640"}, {"resy.dat", "480"}}));
    ASSERT_TRUE(waitForFile(record));
    EXPECT_EQ(readFile(record), "game " + realPath(copy.path()) + "\n");
    EXPECT_TRUE(dataFiles(stray.path()).empty());
    EXPECT_FALSE(pathExists(stray.path() + "/Data"));
}

TEST_F(SetupKeyboard, FirstRunWritesTheDefaultsAndKeepsThemOnTheNextRun) {
    // A copy whose Data/ has gone (its textures/ still marks it as portable).
    LauncherCopy copy(false);
    mkdir((copy.path() + "/textures").c_str(), 0777);
    std::map<std::string, std::string> defaults;
    for (int i = 0; i < kDefaultDataCount; ++i)
        defaults[kDefaultData[i].name] = kDefaultData[i].text;
    ASSERT_EQ(defaults.size(), 23u) << "twenty settings files and three records";
    {
        TempDir stray;
        LauncherRun run(copy.program());
        ASSERT_TRUE(run.hasWindow());
        EXPECT_EQ(copy.data(), defaults) << "before any choice";
        run.keys("shift+Tab c alt+o");
        ASSERT_TRUE(run.ends());
    }
    std::map<std::string, std::string> chosen = defaults;
    chosen["hill.dat"] = "3";
    EXPECT_EQ(copy.data(), chosen);
    // A second run with the player's files, one of them gone: nothing is put back.
    writeFile(copy.path() + "/Data/record2.dat", "141");
    ASSERT_EQ(unlink((copy.path() + "/Data/det.dat").c_str()), 0);
    chosen["record2.dat"] = "141";
    chosen.erase("det.dat");
    TempDir stray;
    LauncherRun run(copy.program());
    ASSERT_TRUE(run.hasWindow());
    run.keys("Escape");
    ASSERT_TRUE(run.ends());
    EXPECT_EQ(copy.data(), chosen);
}

namespace {

// A tiny tmpfs on a folder for as long as the object lives, when this process may mount one.
class TinyDisk {
  public:
    explicit TinyDisk(const std::string& at) : at_(at) {
        mounted_ =
            std::system(
                ("mount -t tmpfs -o size=64k valmora-full '" + at + "' 2>/dev/null").c_str()) == 0;
    }
    ~TinyDisk() {
        if (mounted_) std::system(("umount '" + at_ + "'").c_str());
    }
    bool mounted() const { return mounted_; }
    // Writes filler until the disk takes no more.
    void fill() const {
        FILE* f = std::fopen((at_ + "/filler").c_str(), "wb");
        if (!f) return;
        const std::string block(4096, 'x');
        while (std::fwrite(block.data(), 1, block.size(), f) == block.size() &&
               std::fflush(f) == 0) {
        }
        std::fclose(f);
    }

  private:
    std::string at_;
    bool mounted_ = false;
};

} // namespace

TEST_F(SetupKeyboard, OnAFullDiskTheOldSettingsStayAndTheDialogSaysWhy) {
    LauncherCopy copy;
    TinyDisk disk(copy.path() + "/Data");
    if (!disk.mounted()) GTEST_SKIP() << "cannot mount a tmpfs here (needs root)";
    writeFile(copy.path() + "/Data/resx.dat", "800");
    writeFile(copy.path() + "/Data/resy.dat", "600");
    disk.fill();
    const std::string told = copy.path() + "/told.txt";
    {
        TempDir stray;
        // The launcher's standard error, kept.
        const int saved = dup(2);
        const int out = open(told.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(out, 0);
        dup2(out, 2);
        close(out);
        LauncherRun run(copy.program());
        dup2(saved, 2);
        close(saved);
        ASSERT_TRUE(run.hasWindow());
        run.keys("End alt+o");
        // The warning names each file and the cause; Enter closes it, then the launcher ends.
        const std::string note =
            commandOutput("timeout 10 xdotool search --sync --onlyvisible --name '^Uwagi:$'");
        ASSERT_FALSE(note.empty()) << "no warning shown";
        // For looking at (import, or convert where only that is at hand).
        const std::string png = std::string(TEST_OUTPUT_DIR) + "/setup_full_disk.png";
        std::system(("mkdir -p '" TEST_OUTPUT_DIR "' && (import -window " + note + " '" + png +
                     "' || convert x:" + note + " '" + png + "') 2>/dev/null")
                        .c_str());
        std::system(("xdotool windowfocus --sync " + note + " key Return").c_str());
        ASSERT_TRUE(run.ends());
    }
    const std::map<std::string, std::string> files = copy.data();
    EXPECT_EQ(files.at("resx.dat"), "800");
    EXPECT_EQ(files.at("resy.dat"), "600");
    EXPECT_EQ(files.count("resx.dat.tmp") + files.count("resy.dat.tmp"), 0u);
    EXPECT_NE(readFile(told).find("setup: could not save Data/resx.dat: No space left on device"),
              std::string::npos)
        << readFile(told);
}

TEST(SetupArguments, AnUnknownArgumentGetsTheUsageAndStatusTwo) {
    const std::string out = commandOutput("'" + std::string(SETUP_PROGRAM) + "' --bogus 2>&1");
    EXPECT_EQ(out, "setup: unknown argument --bogus");
    EXPECT_EQ(commandOutput("'" + std::string(SETUP_PROGRAM) + "' --bogus 2>/dev/null; echo $?"),
              "2");
}
