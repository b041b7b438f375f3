// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Frame-driving harness: a real window and GL context, a temporary game folder, and
// messages delivered between frames exactly as the main loop does.
#pragma once
#include <map>
#include <string>
#include <vector>

#include "platform/platform.h"

// A temporary working directory with Data/ and textures/. The process works inside it
// until the object goes away.
class TempGameDir {
  public:
    // copyTextures: take the generated textures of the built game folder, if there are any.
    explicit TempGameDir(bool copyTextures = true);
    ~TempGameDir();
    TempGameDir(const TempGameDir&) = delete;
    TempGameDir& operator=(const TempGameDir&) = delete;

    const std::string& path() const { return root_; }
    // Writes Data/<name> with exactly this text (no line end added).
    void writeData(const std::string& name, const std::string& text) const;
    std::string readData(const std::string& name) const;
    bool dataExists(const std::string& name) const;
    void removeData(const std::string& name) const;
    // The default choice: 800x600, normal speed, day, winter, no precipitation, detail 3,
    // hill 1, red suit, white helmet, blue skis.
    void writeDefaults() const;
    // Convenience for the scene batch.
    void configure(int hill, int detail, int seasonValue, int lighting /*6 or 8*/, int speed = 2,
                   int precipitationValue = 1) const;
    bool hasTextures() const { return texturesCopied_; }

  private:
    std::string root_;
    std::string oldCwd_;
    bool texturesCopied_ = false;
};

// The one game window of the test process (created on first use, 800 x 600).
void ensureGameWindow(int width = 800, int height = 600);
// Logic tests: no window and no GL at all. Passes then step the game without drawing,
// and a start-up sets up the scene's state only.
extern bool harnessWithoutWindow;

struct Game;
// The test process's one game, as the app owns one.
Game& game();

// The whole game back to its load values, as a fresh program.
void resetGameState();

// Start-up as the game does it once the window exists: scene set-up, start screen shown.
void startGame();
// The same start-up from whatever state the game is in now.
void startGameFromHere();

// One main-loop pass as the shipped loop runs it: the step with its message (if any), then a
// frame.
void pass(const PlatformMessage* msg = nullptr);
// Called after every pass when set (recording a play-through).
extern void (*passObserver)();
void frames(int count);
void passKey(int virtualKey);
void passChar(char c);
void passLeftClick(int x = 400, int y = 300);
void passRightClick(int x = 400, int y = 300);
void passMouseMove(int x, int y);

// From the start screen into the 3-D scene (confirm key with the start button).
void leaveStartScreen();
// The defaults with this hill at detail 4 in winter, by day or night (6 or 8), started and
// taken into the scene for one frame.
void startDetailedScene(TempGameDir& dir, int hill, int lighting);

// A 2 x 2 opaque texture of one colour in place of a loaded picture (GL texture name).
void paintTexture(unsigned int* handle, unsigned char r, unsigned char g, unsigned char b);
// The game window resized to this client size, the viewport and projection following.
void resizeGameWindow(int width, int height);

// The last drawn frame, read from the back buffer just before its swap.
struct Picture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb; // bottom row first
    // Pixel with the origin at the top left, as on screen.
    void at(int x, int yFromTop, int* r, int* g, int* b) const;
    // Count of pixels in a rectangle (top-left origin) for which pred(r, g, b) holds.
    template <class F> int count(int x0, int y0, int x1, int y1, F pred) const {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                int r, g, b;
                at(x, y, &r, &g, &b);
                if (pred(r, g, b)) ++n;
            }
        return n;
    }
};
Picture lastFrame();
// The game's present state drawn again, without a step.
Picture frameNow();
// Pixels whose colour differs between two pictures of one size; -1 for other sizes.
int differingPixels(const Picture& a, const Picture& b);
// The viewport's pixels in the back buffer now, RGB, bottom row first.
std::vector<unsigned char> backBufferPixels();
// Writes a PNG (for failing pictures and screenshots); returns the path written.
std::string savePng(const Picture& pic, const std::string& name);
// The same PNG at a path of the caller's choice; false when it could not be written.
bool savePngAt(const Picture& pic, const std::string& path);
