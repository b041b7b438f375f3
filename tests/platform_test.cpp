// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The platform layer's message queue, and the built game as a person meets it: started in a
// game folder under the X display, one window at the configured size, ended by "q", by keys
// on the start screen and by the window's close box.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/default_data.h"
#include "platform/platform.h"
#include "setup/setup_test_support.h"
#include "support/game_process.h"
#include "support/harness.h"

// Xlib last: its macros (None, Bool, Status) must not meet the headers above.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

void drainMessages() {
    PlatformMessage m;
    while (platformPollMessage(&m)) {
    }
}

PlatformMessage message(MessageType type, int key = 0, int x = 0, int y = 0) {
    PlatformMessage m;
    m.type = type;
    m.key = key;
    m.x = x;
    m.y = y;
    return m;
}

struct Geometry {
    int x = -1, y = -1, width = -1, height = -1;
};

Geometry geometryOf(unsigned long window) {
    Geometry g;
    std::string out = run("xdotool getwindowgeometry " + std::to_string(window));
    std::size_t p = out.find("Position: ");
    if (p != std::string::npos) std::sscanf(out.c_str() + p, "Position: %d,%d", &g.x, &g.y);
    p = out.find("Geometry: ");
    if (p != std::string::npos)
        std::sscanf(out.c_str() + p, "Geometry: %dx%d", &g.width, &g.height);
    return g;
}

// What a window manager sends when the close box is pressed. (xdotool windowclose destroys
// the window instead, which no player can do.)
bool pressCloseBox(unsigned long window, bool* asksForIt) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return false;
    Atom protocols = XInternAtom(d, "WM_PROTOCOLS", False);
    Atom deleteWindow = XInternAtom(d, "WM_DELETE_WINDOW", False);
    Atom* list = nullptr;
    int n = 0;
    *asksForIt = false;
    if (XGetWMProtocols(d, window, &list, &n)) {
        for (int i = 0; i < n; ++i)
            if (list[i] == deleteWindow) *asksForIt = true;
        XFree(list);
    }
    XEvent ev = {};
    ev.xclient.type = ClientMessage;
    ev.xclient.window = window;
    ev.xclient.message_type = protocols;
    ev.xclient.format = 32;
    ev.xclient.data.l[0] = static_cast<long>(deleteWindow);
    ev.xclient.data.l[1] = CurrentTime;
    Status sent = XSendEvent(d, window, False, NoEventMask, &ev);
    XSync(d, False);
    XCloseDisplay(d);
    return sent != 0;
}

// Checks that the game has exactly one window, at the top left with the given client size.
unsigned long findTheWindow(const GameProcess& game, int width, int height) {
    std::vector<unsigned long> w = waitForWindows(game.pid());
    EXPECT_EQ(w.size(), 1u) << "windows named Valmora of the game";
    if (w.size() != 1) return 0;
    // A moment later there is still exactly one (mapped or not).
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_EQ(valmoraWindowsOf(game.pid(), false).size(), 1u);
    Geometry g = geometryOf(w[0]);
    EXPECT_EQ(g.width, width);
    EXPECT_EQ(g.height, height);
    EXPECT_EQ(g.x, 0);
    EXPECT_EQ(g.y, 0);
    return w[0];
}

void configureSize(const TempGameDir& dir, int width, int height) {
    dir.writeData("resx.dat", std::to_string(width));
    dir.writeData("resy.dat", std::to_string(height));
}

// The whole program runs on a display of its own: windows of tests running beside it would
// cover the game's window, whose pictures are read back from the X server, or take its keys.
class OnItsOwnDisplay : public ::testing::Environment {
  public:
    void SetUp() override { display_ = std::make_unique<OwnDisplay>(1280, 1024); }
    void TearDown() override { display_.reset(); }

  private:
    std::unique_ptr<OwnDisplay> display_;
};
::testing::Environment* const ownDisplay = ::testing::AddGlobalTestEnvironment(new OnItsOwnDisplay);

} // namespace

TEST(MessageQueue, MouseMovesAreCoalescedAndOtherMessagesKeepTheirOrder) {
    ensureGameWindow();
    drainMessages();
    platformPostMessage(message(MSG_KEYDOWN, 'A'));
    platformPostMessage(message(MSG_MOUSEMOVE, 0, 1, 1));
    platformPostMessage(message(MSG_CHAR, 'x'));
    platformPostMessage(message(MSG_MOUSEMOVE, 0, 2, 2));
    platformPostMessage(message(MSG_LBUTTONDOWN, 0, 5, 6));
    platformPostMessage(message(MSG_MOUSEMOVE, 0, 3, 4));

    struct Want {
        MessageType type;
        int key, x, y;
    };
    // One move, at the latest position, where the first pending move stood.
    const Want want[] = {{MSG_KEYDOWN, 'A', 0, 0},
                         {MSG_MOUSEMOVE, 0, 3, 4},
                         {MSG_CHAR, 'x', 0, 0},
                         {MSG_LBUTTONDOWN, 0, 5, 6}};
    for (const Want& w : want) {
        PlatformMessage m;
        ASSERT_TRUE(platformPollMessage(&m));
        EXPECT_EQ(m.type, w.type);
        EXPECT_EQ(m.key, w.key);
        EXPECT_EQ(m.x, w.x);
        EXPECT_EQ(m.y, w.y);
    }
    PlatformMessage m;
    EXPECT_FALSE(platformPollMessage(&m));

    // Once the pending move has been taken, the next move is queued afresh behind the rest.
    platformPostMessage(message(MSG_MOUSEMOVE, 0, 7, 7));
    ASSERT_TRUE(platformPollMessage(&m));
    platformPostMessage(message(MSG_RBUTTONDOWN, 0, 1, 1));
    platformPostMessage(message(MSG_MOUSEMOVE, 0, 8, 9));
    ASSERT_TRUE(platformPollMessage(&m));
    EXPECT_EQ(m.type, MSG_RBUTTONDOWN);
    ASSERT_TRUE(platformPollMessage(&m));
    EXPECT_EQ(m.type, MSG_MOUSEMOVE);
    EXPECT_EQ(m.x, 8);
    EXPECT_EQ(m.y, 9);
    EXPECT_FALSE(platformPollMessage(&m));
}

// The same with real input from the X server: a fast mouse gives one move message.
TEST(MessageQueue, RealPointerMotionArrivesAsOneMoveWithTheLatestPosition) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    ensureGameWindow();
    std::vector<unsigned long> mine = valmoraWindowsOf(getpid(), false);
    ASSERT_EQ(mine.size(), 1u);
    std::string w = std::to_string(mine[0]);
    drainMessages();
    run("xdotool mousemove --window " + w + " 10 10 key --window " + w +
        " Down mousemove --window " + w + " 20 20 mousemove --window " + w + " 30 35");
    std::this_thread::sleep_for(std::chrono::milliseconds(300));

    std::vector<PlatformMessage> got;
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < until) {
        PlatformMessage m;
        if (platformPollMessage(&m))
            got.push_back(m);
        else if (!got.empty())
            break;
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    int moves = 0, downs = 0;
    for (const PlatformMessage& m : got) {
        if (m.type == MSG_MOUSEMOVE) {
            ++moves;
            EXPECT_EQ(m.x, 30);
            EXPECT_EQ(m.y, 35);
        }
        if (m.type == MSG_KEYDOWN && m.key == VK_DOWN) ++downs;
    }
    EXPECT_EQ(moves, 1);
    EXPECT_EQ(downs, 1);
}

// One press of the close box is one close message, however the window system reports it.
TEST(MessageQueue, TheCloseBoxGivesOneCloseMessage) {
    ensureGameWindow();
    std::vector<unsigned long> mine = valmoraWindowsOf(getpid(), false);
    ASSERT_EQ(mine.size(), 1u);
    drainMessages();
    bool asks = false;
    ASSERT_TRUE(pressCloseBox(mine[0], &asks));
    int closes = 0;
    // Up to two seconds for the first, then a moment more for any second one.
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < until) {
        PlatformMessage m;
        if (platformPollMessage(&m)) {
            if (m.type == MSG_CLOSE && ++closes == 1)
                until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
        } else {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }
    EXPECT_EQ(closes, 1);
}

// At every shape the scene shows the wind at the top left, whole (at 5:4 it once fell out).
TEST(EndToEnd, OneWindowAtTheConfiguredSizeThatEndsOnQ) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    for (auto [w, h] : {std::pair{640, 480}, {1280, 1024}, {1280, 800}, {1280, 720}}) {
        const std::string name = std::to_string(w) + "x" + std::to_string(h);
        TempGameDir dir;
        dir.writeDefaults();
        configureSize(dir, w, h);
        GameProcess game;
        unsigned long window = findTheWindow(game, w, h);
        ASSERT_NE(window, 0u);
        typeKeys(window, "Return");
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const Picture pic = grabWindow(window);
        savePng(pic, "scene_" + name);
        const auto red = [](int r, int g, int b) { return r > 180 && g < 90 && b < 90; };
        EXPECT_GT(pic.count(2, 0, w / 5, h / 12, red), 60) << name;
        EXPECT_EQ(pic.count(0, 0, 2, h / 12, red), 0) << name << ": cut by the edge";
        typeKeys(window, "q");
        EXPECT_EQ(game.waitForExit(5), 0);
    }
}

TEST(EndToEnd, StartScreenKeysEndTheGame) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    TempGameDir dir;
    dir.writeDefaults();
    // Esc twice (the first runs a set-up and highlights quit), and Down then Enter.
    for (const char* keys : {"Escape Escape", "Down Return"}) {
        SCOPED_TRACE(keys);
        GameProcess game;
        unsigned long window = findTheWindow(game, 800, 600);
        ASSERT_NE(window, 0u);
        typeKeys(window, keys);
        EXPECT_EQ(game.waitForExit(5), 0);
    }
}

TEST(EndToEnd, ClosingTheWindowEndsTheGame) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    TempGameDir dir;
    dir.writeDefaults();
    configureSize(dir, 1024, 768);
    GameProcess game;
    unsigned long window = findTheWindow(game, 1024, 768);
    ASSERT_NE(window, 0u);
    bool asks = false;
    EXPECT_TRUE(pressCloseBox(window, &asks));
    EXPECT_TRUE(asks) << "the window takes part in the close-box protocol";
    EXPECT_EQ(game.waitForExit(5), 0);
}

// Missing resolution files: the game opens at 800 x 600.
TEST(EndToEnd, MissingResolutionFilesGiveEightHundredBySixHundred) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    TempGameDir dir;
    dir.writeDefaults();
    dir.removeData("resx.dat");
    dir.removeData("resy.dat");
    GameProcess game;
    unsigned long window = findTheWindow(game, 800, 600);
    ASSERT_NE(window, 0u);
    typeKeys(window, "q");
    EXPECT_EQ(game.waitForExit(5), 0);
}

// ---- Bad files: the game says what is wrong and does something sound, never a 1 x 1,
// white or hung window, nor a silent exit.

namespace {

// The share of a window's pixels that are (almost) white.
double whiteShare(unsigned long window) {
    Display* d = XOpenDisplay(nullptr);
    if (!d) return -1;
    XWindowAttributes a;
    XGetWindowAttributes(d, window, &a);
    XImage* image = XGetImage(d, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    long white = 0;
    for (int y = 0; y < a.height; y += 2)
        for (int x = 0; x < a.width; x += 2) {
            const unsigned long p = XGetPixel(image, x, y);
            white += ((p >> 16) & 255) > 235 && ((p >> 8) & 255) > 235 && (p & 255) > 235;
        }
    XDestroyImage(image);
    XCloseDisplay(d);
    return static_cast<double>(white) / ((a.width / 2) * (a.height / 2));
}

std::string saidOnStandardError(const TempGameDir& dir) {
    std::ifstream in(dir.path() + "/stderr.txt");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace

// A size larger than the screen falls back as a pair, to the largest launcher size.
TEST(BadInput, WindowSizesThatCannotBeUsedFallBackToEightHundredBySixHundred) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    struct Case {
        const char* x;
        const char* y;
        const char* named; // the file the game names on standard error
        int width = 800, height = 600;
    };
    // The virtual screen is 1280 x 1024.
    const Case cases[] = {{"0", "600", "resx.dat"},
                          {"-5", "600", "resx.dat"},
                          {"abc", "600", "resx.dat"},
                          {"", "600", "resx.dat"},
                          {"800", "100", "resy.dat"},
                          {"99999", "600", "resx.dat", 1024, 768},
                          {"5000", "4000", "resy.dat", 1024, 768},
                          {"1280", "1100", "resy.dat", 1024, 768}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.x) + " x " + c.y);
        TempGameDir dir;
        dir.writeDefaults();
        dir.writeData("resx.dat", c.x);
        dir.writeData("resy.dat", c.y);
        GameProcess game;
        unsigned long window = findTheWindow(game, c.width, c.height);
        ASSERT_NE(window, 0u);
        EXPECT_NE(saidOnStandardError(dir).find(std::string("Data/") + c.named), std::string::npos)
            << saidOnStandardError(dir);
        typeKeys(window, "q");
        EXPECT_EQ(game.waitForExit(5), 0);
    }
}

TEST(BadInput, NoWindowAndNoTexturesAreFailuresWithTheirReason) {
    {
        TempGameDir dir;
        dir.writeDefaults();
        GameProcess game(":97"); // no X server there
        EXPECT_EQ(game.waitForExit(10), 1);
        EXPECT_NE(saidOnStandardError(dir).find("orbel: no game window:"), std::string::npos);
    }
    {
        TempGameDir dir(false);
        dir.writeDefaults();
        GameProcess game;
        EXPECT_EQ(game.waitForExit(15), 1);
        EXPECT_NE(saidOnStandardError(dir).find("no textures could be loaded"), std::string::npos)
            << saidOnStandardError(dir);
    }
}

TEST(BadInput, ATextureThatIsAFifoNeitherHangsNorStopsTheGame) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    TempGameDir dir;
    dir.writeDefaults();
    const std::string picture = dir.path() + "/textures/wall2.stx";
    ASSERT_EQ(unlink(picture.c_str()), 0);
    ASSERT_EQ(mkfifo(picture.c_str(), 0600), 0);
    GameProcess game;
    unsigned long window = findTheWindow(game, 800, 600);
    ASSERT_NE(window, 0u);
    EXPECT_NE(saidOnStandardError(dir).find("textures/wall2.stx"), std::string::npos);
    typeKeys(window, "q");
    EXPECT_EQ(game.waitForExit(5), 0);
}

// ALSA without a card (or a card, where there is one): the sound library's own complaints stay
// off standard error; the game says it at most once and plays on.
TEST(BadInput, WithoutASoundCardTheGamePlaysOnSayingSoOnceAtMost) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    TempGameDir dir;
    dir.writeDefaults();
    const std::string before = std::getenv("SDL_AUDIODRIVER") ? std::getenv("SDL_AUDIODRIVER") : "";
    setenv("SDL_AUDIODRIVER", "alsa", 1);
    GameProcess game;
    setenv("SDL_AUDIODRIVER", before.c_str(), 1);
    unsigned long window = findTheWindow(game, 800, 600);
    ASSERT_NE(window, 0u);
    typeKeys(window, "Return space");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    typeKeys(window, "q");
    EXPECT_EQ(game.waitForExit(5), 0);
    const std::string said = saidOnStandardError(dir);
    EXPECT_LE(std::count(said.begin(), said.end(), '\n'), 1) << said;
    EXPECT_TRUE(said.empty() || said.rfind("orbel: no sound: ", 0) == 0) << said;
}

TEST(BadInput, AHintsFileThatIsAFifoIsRefusedAndTheGameAnswersHAndThenQ) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    TempGameDir dir;
    dir.writeDefaults();
    const std::string hints = dir.path() + "/Data/hints.dat";
    ASSERT_EQ(mkfifo(hints.c_str(), 0600), 0);
    configureSize(dir, 640, 480); // the narrowest window: the notice must still fit
    GameProcess game;
    unsigned long window = findTheWindow(game, 640, 480);
    ASSERT_NE(window, 0u);
    typeKeys(window, "Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    typeKeys(window, "h");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    // The notice, for looking at: "nie zapisano podpowiedzi: to nie jest plik".
    savePng(grabWindow(window), "hints_fifo_notice");
    EXPECT_NE(
        saidOnStandardError(dir).find("orbel: could not save Data/hints.dat: not a regular file\n"),
        std::string::npos)
        << saidOnStandardError(dir);
    typeKeys(window, "q");
    EXPECT_EQ(game.waitForExit(5), 0) << "the game still answers";
    struct stat st {};
    EXPECT_TRUE(lstat(hints.c_str(), &st) == 0 && S_ISFIFO(st.st_mode)) << "left as it was";
}

TEST(BadInput, WithoutTheFogFileTheSceneIsNotAWhiteWall) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    for (bool fogFile : {true, false}) {
        SCOPED_TRACE(fogFile ? "fog file" : "no fog file");
        TempGameDir dir;
        dir.writeDefaults();
        if (!fogFile) dir.removeData("fog.dat");
        GameProcess game;
        unsigned long window = findTheWindow(game, 800, 600);
        ASSERT_NE(window, 0u);
        typeKeys(window, "Return");
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const double white = whiteShare(window);
        EXPECT_GE(white, 0);
        EXPECT_LT(white, 0.8) << "most of the picture is the venue, not fog";
        typeKeys(window, "q");
        EXPECT_EQ(game.waitForExit(5), 0);
    }
}

// ---- Started from anywhere: the game works in its own folder, and makes a first Data/.

TEST(AnyFolder, FromAStrayFolderTheGameReadsItsOwnData) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    TempGameDir dir;
    dir.writeDefaults();
    configureSize(dir, 640, 480);
    char pattern[] = "/tmp/valmora-stray-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string stray = pattern;
    GameProcess game(nullptr, {}, stray.c_str());
    unsigned long window = findTheWindow(game, 640, 480);
    EXPECT_NE(window, 0u) << saidOnStandardError(dir);
    if (window) typeKeys(window, "q");
    EXPECT_EQ(game.waitForExit(5), 0);
    std::error_code ec;
    EXPECT_TRUE(std::filesystem::is_empty(stray, ec)) << "nothing is written where it started";
    std::filesystem::remove_all(stray, ec);
}

TEST(AnyFolder, WithoutDataTheGameStartsOnTheDefaultsItWrites) {
    if (!haveXdotool()) GTEST_SKIP() << "xdotool is not installed";
    TempGameDir dir;
    std::filesystem::remove_all(dir.path() + "/Data");
    GameProcess game;
    unsigned long window = findTheWindow(game, 800, 600);
    ASSERT_NE(window, 0u) << saidOnStandardError(dir);
    // The start screen: the poster and its buttons, not a white window.
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const double white = whiteShare(window);
    EXPECT_GE(white, 0);
    EXPECT_LT(white, 0.05);
    typeKeys(window, "q");
    EXPECT_EQ(game.waitForExit(5), 0);
    for (int i = 0; i < kDefaultDataCount; ++i) {
        SCOPED_TRACE(kDefaultData[i].name);
        EXPECT_EQ(dir.readData(kDefaultData[i].name), kDefaultData[i].text);
    }
    EXPECT_EQ(saidOnStandardError(dir), "") << "no missing file to speak of";
}
