// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/harness.h"

#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "assets/png_file.h"
#include "camera/views.h"
#include "game/app.h"
#include "game/game.h"
#include "game/frame.h"
#include "game/game_step.h"
#include "game/scene_setup.h"
#include "core/default_data.h"
#include "core/game_folders.h"
#include "core/language.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "render/gl.h"

namespace fs = std::filesystem;

TempGameDir::TempGameDir(bool copyTextures) {
    char tmpl[] = "/tmp/valmora-test-XXXXXX";
    char* made = mkdtemp(tmpl);
    if (!made) std::abort();
    root_ = made;
    oldCwd_ = fs::current_path().string();
    fs::create_directories(root_ + "/Data");
    fs::create_directories(root_ + "/textures");
    fs::path built = fs::path(GAME_DIR) / "textures";
    if (copyTextures && fs::exists(built)) {
        // With the other languages' pictures, in folders of their own.
        fs::copy(built, fs::path(root_) / "textures", fs::copy_options::recursive);
        texturesCopied_ = !fs::is_empty(root_ + "/textures");
    }
    fs::current_path(root_);
}

TempGameDir::~TempGameDir() {
    fs::current_path(oldCwd_);
    std::error_code ec;
    fs::remove_all(root_, ec);
}

void TempGameDir::writeData(const std::string& name, const std::string& text) const {
    std::ofstream out(root_ + "/Data/" + name, std::ios::binary | std::ios::trunc);
    out << text;
}

std::string TempGameDir::readData(const std::string& name) const {
    std::ifstream in(root_ + "/Data/" + name, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

bool TempGameDir::dataExists(const std::string& name) const {
    return fs::exists(root_ + "/Data/" + name);
}

void TempGameDir::removeData(const std::string& name) const {
    std::error_code ec;
    fs::remove(root_ + "/Data/" + name, ec);
}

void TempGameDir::writeDefaults() const {
    // Overwrites: a test may have changed any of them.
    for (int i = 0; i < kDefaultDataCount; ++i)
        writeData(kDefaultData[i].name, kDefaultData[i].text);
}

void TempGameDir::configure(int hill, int detail, int seasonValue, int lighting, int speed,
                            int precipitationValue) const {
    writeData("hill.dat", std::to_string(hill));
    writeData("det.dat", std::to_string(detail));
    writeData("winsum.dat", std::to_string(seasonValue));
    writeData("tf.dat", std::to_string(speed));
    writeData("opad.dat", std::to_string(precipitationValue));
    if (lighting == 8) {
        writeData("dR.dat", "0");
        writeData("dG.dat", "0");
        writeData("dB.dat", "8");
        writeData("fog.dat", "9");
    } else {
        writeData("dR.dat", "4");
        writeData("dG.dat", "5");
        writeData("dB.dat", "6");
        writeData("fog.dat", "7");
    }
}

bool harnessWithoutWindow = false;

void ensureGameWindow(int width, int height) {
    if (harnessWithoutWindow) return;
    static bool made = false;
    if (!made) {
        if (!platformCreateWindow("Valmora", width, height)) {
            std::fprintf(stderr, "no GL window: is DISPLAY set (run under xvfb-run)?\n");
            std::abort();
        }
        made = true;
        platformCaptureFrames(true);
        // The build's catalogues, in the language the environment names: Polish in every test
        // but the English ones, which ask for it.
        setUpLanguage(std::string(GAME_DIR) + "/locale");
        setTextureLanguage(catalogueLanguage());
    }
    int w, h;
    platformClientSize(&w, &h);
    resizeViewport(w, h);
}

Game& game() {
    static Game* theGame = new Game; // lives as long as the process, like the app's
    return *theGame;
}

void resetGameState() {
    resetToProgramStart(game());
}

void startGame() {
    ensureGameWindow();
    resetGameState();
    startGameFromHere();
}

void startGameFromHere() {
    if (harnessWithoutWindow) {
        readWindowSize(game().settings);
        setupSceneState(game());
        return;
    }
    ensureGameWindow();
    readWindowSize(game().settings);
    int w, h;
    platformClientSize(&w, &h);
    resizeViewport(w, h);
    setupScene(game());
}

void (*passObserver)() = nullptr;

void pass(const PlatformMessage* msg) {
    mainLoopPass(game(), msg);
    if (passObserver) passObserver();
}

void frames(int count) {
    for (int i = 0; i < count; ++i)
        pass(nullptr);
}

void passKey(int virtualKey) {
    PlatformMessage m;
    m.type = MSG_KEYDOWN;
    m.key = virtualKey;
    pass(&m);
}

void passChar(char c) {
    PlatformMessage m;
    m.type = MSG_CHAR;
    m.key = static_cast<unsigned char>(c);
    pass(&m);
}

void passLeftClick(int x, int y) {
    PlatformMessage m;
    m.type = MSG_LBUTTONDOWN;
    m.x = x;
    m.y = y;
    pass(&m);
}

void passRightClick(int x, int y) {
    PlatformMessage m;
    m.type = MSG_RBUTTONDOWN;
    m.x = x;
    m.y = y;
    pass(&m);
}

void passMouseMove(int x, int y) {
    PlatformMessage m;
    m.type = MSG_MOUSEMOVE;
    m.x = x;
    m.y = y;
    pass(&m);
}

void leaveStartScreen() {
    passKey(VK_RETURN);
}

void startDetailedScene(TempGameDir& dir, int hill, int lighting) {
    dir.writeDefaults();
    dir.configure(hill, 4, 0, lighting);
    startGame();
    leaveStartScreen();
    frames(1);
}

void paintTexture(unsigned int* handle, unsigned char r, unsigned char g, unsigned char b) {
    const unsigned char texels[16] = {r, g, b, 255, r, g, b, 255, r, g, b, 255, r, g, b, 255};
    glGenTextures(1, handle);
    glBindTexture(GL_TEXTURE_2D, *handle);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 2, 2, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels);
}

void resizeGameWindow(int width, int height) {
    ensureGameWindow();
    platformSetWindowSize(width, height);
    // The X server's turn; the size messages are the window's, not the game's.
    PlatformMessage m;
    int w = 0, h = 0;
    for (int tries = 0; tries < 50 && (w != width || h != height); ++tries, usleep(20000)) {
        while (platformPollMessage(&m)) {
        }
        platformClientSize(&w, &h);
    }
    ensureGameWindow();
}

void Picture::at(int x, int yFromTop, int* r, int* g, int* b) const {
    int row = height - 1 - yFromTop;
    const unsigned char* p = &rgb[(static_cast<size_t>(row) * width + x) * 3];
    *r = p[0];
    *g = p[1];
    *b = p[2];
}

Picture lastFrame() {
    Picture pic;
    const unsigned char* data = platformCapturedFrame(&pic.width, &pic.height);
    if (data) pic.rgb.assign(data, data + static_cast<size_t>(pic.width) * pic.height * 3);
    return pic;
}

Picture frameNow() {
    drawFrame(game());
    return lastFrame();
}

int differingPixels(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size()) return -1;
    int n = 0;
    for (size_t i = 0; i + 2 < a.rgb.size(); i += 3)
        if (std::memcmp(&a.rgb[i], &b.rgb[i], 3) != 0) ++n;
    return n;
}

std::vector<unsigned char> backBufferPixels() {
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);
    std::vector<unsigned char> px(static_cast<size_t>(vp[2]) * vp[3] * 3);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(vp[0], vp[1], vp[2], vp[3], GL_RGB, GL_UNSIGNED_BYTE, px.data());
    return px;
}

std::string savePng(const Picture& pic, const std::string& name) {
    fs::create_directories(TEST_OUTPUT_DIR);
    std::string path = std::string(TEST_OUTPUT_DIR) + "/" + name + ".png";
    savePngAt(pic, path);
    return path;
}

bool savePngAt(const Picture& pic, const std::string& path) {
    std::string error;
    if (writePngFile(path, pic.width, pic.height, 3, pic.rgb.data(), true, &error)) return true;
    std::fprintf(stderr, "savePng: %s\n", error.c_str());
    return false;
}
