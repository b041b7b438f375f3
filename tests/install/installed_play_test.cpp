// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The installed game as a new player meets it: a fresh home folder, the commands started
// from the root folder as a desktop menu might, the launcher driven with xdotool, and the
// game's window looked at. Installs into a temporary DESTDIR, or uses the prefix named by
// VALMORA_INSTALLED_PREFIX (CI: /usr, after installing the .deb).
#include "setup_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "core/default_data.h"
#include "support/game_process.h"

namespace fs = std::filesystem;

namespace {

std::string firstLine(const std::string& command) {
    std::string output;
    if (FILE* pipe = popen((command + " 2>/dev/null").c_str(), "r")) {
        char buffer[256];
        while (std::fgets(buffer, sizeof buffer, pipe))
            output += buffer;
        pclose(pipe);
    }
    const size_t end = output.find('\n');
    return end == std::string::npos ? output : output.substr(0, end);
}

bool white(int r, int g, int b) {
    return r > 235 && g > 235 && b > 235;
}

// The start screen of an 800 x 600 window: the poster's night sky all round, its light
// title at the top, and the start button highlighted in orange below it.
bool showsThePoster(const Picture& s) {
    if (s.width != 800 || s.height != 600) return false;
    auto navy = [](int r, int g, int b) { return b > 60 && b > r + 30 && b > g + 15; };
    auto title = [](int r, int g, int b) { return r > 180 && g > 200 && b > 220; };
    auto orange = [](int r, int g, int b) { return r > 200 && g > 110 && g < 235 && b < 130; };
    return s.count(0, 0, 800, 600, white) < 800 * 600 / 50 &&
           s.count(0, 0, 800, 600, navy) > 800 * 600 / 4 &&
           s.count(260, 40, 620, 130, title) > 2000 && s.count(0, 0, 800, 600, orange) > 3000;
}

bool until(const std::function<bool()>& done, int seconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return done();
}

std::map<std::string, std::string> defaults() {
    std::map<std::string, std::string> files;
    for (int i = 0; i < kDefaultDataCount; ++i)
        files[kDefaultData[i].name] = kDefaultData[i].text;
    return files;
}

class InstalledGame : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        display_ = new OwnDisplay(1280, 1024);
        if (const char* given = std::getenv("VALMORA_INSTALLED_PREFIX")) {
            prefix_ = new std::string(given);
            return;
        }
        destdir_ = new TempDir(false);
        const std::string command = "DESTDIR='" + destdir_->path() +
                                    "' '" CMAKE_COMMAND "' --install '" BUILD_DIR
                                    "' --prefix /usr > /dev/null";
        installStatus_ = std::system(command.c_str());
        prefix_ = new std::string(destdir_->path() + "/usr");
    }
    static void TearDownTestSuite() {
        delete destdir_;
        delete prefix_;
        delete display_;
        destdir_ = nullptr;
        prefix_ = nullptr;
        display_ = nullptr;
    }

    void SetUp() override {
        ASSERT_EQ(installStatus_, 0);
        ASSERT_TRUE(std::getenv("DISPLAY")) << "needs Xvfb";
        ASSERT_FALSE(pathExists("/Data")) << "a Data folder in / would hide a stray one";
        dataRoot_ = home_.path() + "/.local/share/valmora";
    }

    void TearDown() override {
        for (pid_t pid : started_)
            if (pid > 0 && kill(pid, 0) == 0) kill(pid, SIGKILL);
        for (pid_t pid : children_)
            waitpid(pid, nullptr, 0);
        if (HasFailure()) std::fprintf(stderr, "standard error:\n%s\n", said().c_str());
    }

    // Starts <prefix>/bin/<command> from the root folder, as a fresh player would.
    pid_t start(const std::string& command) {
        const std::string program = *prefix_ + "/bin/" + command;
        const std::string errors = home_.path() + "/stderr.txt";
        const pid_t pid = fork();
        if (pid == 0) {
            const int err = open(errors.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
            if (err >= 0) dup2(err, 2);
            setenv("HOME", home_.path().c_str(), 1);
            unsetenv("XDG_DATA_HOME");
            setenv("NO_AT_BRIDGE", "1", 1);
            // Silent, with or without a sound card, however the test is run.
            setenv("SDL_AUDIODRIVER", "dummy", 0);
            if (chdir("/") != 0) _exit(126);
            execl(program.c_str(), command.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        children_.push_back(pid);
        started_.push_back(pid);
        return pid;
    }

    // Exit status if the child ends within the time, else -1.
    int waitForExit(pid_t pid, int seconds) {
        int status = 0;
        const bool ended = until([&] { return waitpid(pid, &status, WNOHANG) == pid; }, seconds);
        if (!ended) return -1;
        children_.erase(std::remove(children_.begin(), children_.end(), pid), children_.end());
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    std::string said() const { return readFile(home_.path() + "/stderr.txt"); }

    // The game's window once it shows the start screen; its picture in shot.
    unsigned long gameOnItsStartScreen(Picture* shot) {
        const std::string window =
            firstLine("timeout 20 xdotool search --sync --onlyvisible --name '^Valmora$'");
        if (window.empty()) return 0;
        const unsigned long id = std::stoul(window);
        until(
            [&] {
                *shot = grabWindow(id);
                return showsThePoster(*shot);
            },
            20);
        return id;
    }

    static OwnDisplay* display_;
    static TempDir* destdir_;
    static std::string* prefix_;
    static int installStatus_;
    TempDir home_{false};
    std::string dataRoot_;
    std::vector<pid_t> children_, started_;
};

OwnDisplay* InstalledGame::display_ = nullptr;
TempDir* InstalledGame::destdir_ = nullptr;
std::string* InstalledGame::prefix_ = nullptr;
int InstalledGame::installStatus_ = 0;

} // namespace

TEST_F(InstalledGame, TheLauncherFromTheRootFolderStartsTheChosenHillOnFirstRunData) {
    const pid_t launcher = start("valmora");
    const std::string dialog = firstLine("timeout 20 xdotool search --sync --onlyvisible --pid " +
                                         std::to_string(launcher) + " --name '^setup$'");
    ASSERT_FALSE(dialog.empty()) << "no launcher window";
    // The first run has made the player's folder with the defaults before any choice.
    EXPECT_EQ(dataFiles(dataRoot_), defaults());
    std::system(("xdotool windowfocus --sync " + dialog).c_str());
    Picture launcherPicture = grabWindow(std::stoul(dialog));
    savePng(launcherPicture, "installed_launcher");
    // The hill list (before "Uruchom grę" in the reverse tab order), "Czechy K180" by its
    // first letter, then the button by its mnemonic.
    std::system("xdotool key --delay 60 shift+Tab c alt+u");
    ASSERT_EQ(waitForExit(launcher, 20), 0) << "the launcher closes after starting the game";

    Picture start;
    const unsigned long window = gameOnItsStartScreen(&start);
    ASSERT_NE(window, 0u) << "no game window";
    const std::string path = savePng(start, "installed_game_start_screen");
    EXPECT_TRUE(showsThePoster(start)) << "see " << path;
    // It is the installed game, working in the player's folder.
    const std::string game = firstLine("xdotool getwindowpid " + std::to_string(window));
    ASSERT_FALSE(game.empty());
    const pid_t gamePid = std::stoi(game);
    started_.push_back(gamePid);
    const std::string proc = "/proc/" + game;
    EXPECT_EQ(fs::read_symlink(proc + "/exe"), fs::canonical(*prefix_ + "/libexec/valmora/orbel"));
    EXPECT_EQ(fs::read_symlink(proc + "/cwd"), fs::canonical(dataRoot_));

    // Into the chosen hill: the venue, not a white or black window.
    std::system(("xdotool windowfocus --sync " + std::to_string(window) + " key Return").c_str());
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const Picture hill = grabWindow(window);
    savePng(hill, "installed_game_hill");
    const int area = hill.width * hill.height;
    EXPECT_LT(hill.count(0, 0, hill.width, hill.height, white), area * 8 / 10);
    EXPECT_LT(hill.count(0, 0, hill.width, hill.height,
                         [](int r, int g, int b) { return r + g + b < 30; }),
              area / 2);
    std::system(("xdotool key --window " + std::to_string(window) + " q").c_str());
    EXPECT_TRUE(until([&] { return kill(gamePid, 0) != 0; }, 10)) << "q ends the game";

    std::map<std::string, std::string> chosen = defaults();
    chosen["hill.dat"] = "3";
    EXPECT_EQ(dataFiles(dataRoot_), chosen);
    EXPECT_FALSE(pathExists("/Data"));
}

TEST_F(InstalledGame, TheGameStartedDirectlyMakesTheDefaultsAndOpensOnItsPoster) {
    const pid_t game = start("valmora-play");
    Picture shot;
    const std::string window = firstLine("timeout 20 xdotool search --sync --onlyvisible --pid " +
                                         std::to_string(game) + " --name '^Valmora$'");
    ASSERT_FALSE(window.empty()) << "no game window";
    until(
        [&] {
            shot = grabWindow(std::stoul(window));
            return showsThePoster(shot);
        },
        20);
    const std::string path = savePng(shot, "installed_play_start_screen");
    EXPECT_TRUE(showsThePoster(shot)) << "see " << path;
    EXPECT_EQ(dataFiles(dataRoot_), defaults());
    std::system(("xdotool key --window " + window + " q").c_str());
    EXPECT_EQ(waitForExit(game, 10), 0);
    EXPECT_EQ(said(), "") << "nothing to complain about";
}
