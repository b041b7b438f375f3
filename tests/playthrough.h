// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// A scripted play-through on each hill: start screen, start, run, take-off, lean, landing
// stance, a fall, every view, nudges, resets, Esc and back. The state after every step must
// be the one recorded before the game step was split from the drawing, bit for bit, with
// frames drawn between the steps and without.
//
// PLAYTHROUGH_RECORD=1 writes the reference files instead of comparing;
// PLAYTHROUGH_DUMP=dir writes each step's state as text and its frame's checksum, and
// every 20th frame (and those listed in PLAYTHROUGH_STEPS=",n,m,") as a PNG, for finding
// where two runs part.
#pragma once
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "core/random.h"
#include "core/settings.h"
#include "jump_play.h"
#include "support/game_snapshot.h"
#include "support/harness.h"
#include "game/game.h"
#include "venue/animation.h"

namespace {

struct Recording {
    std::vector<uint64_t> states;
    std::ofstream dump;
    std::string frameDir;
};
Recording* recording = nullptr;

uint32_t frameChecksum(const Picture& p) {
    uint32_t h = 2166136261u;
    for (unsigned char b : p.rgb) {
        h ^= b;
        h *= 16777619u;
    }
    return h;
}

void observe() {
    Recording& r = *recording;
    r.states.push_back(hashGameState());
    if (!r.dump.is_open()) return;
    const size_t step = r.states.size();
    Picture p = lastFrame();
    r.dump << "step " << step << " frame " << std::hex << frameChecksum(p) << std::dec << "\n"
           << describeGameState();
    const char* wanted = std::getenv("PLAYTHROUGH_STEPS");
    const std::string key = "," + std::to_string(step) + ",";
    if (step % 20 == 0 || (wanted && std::string(wanted).find(key) != std::string::npos)) {
        char name[64];
        std::snprintf(name, sizeof name, "%s_%05zu", r.frameDir.c_str(), step);
        savePng(p, name);
    }
}

// A "clock" that moves on by one second per seed, so the marks differ from draw to draw.
unsigned seedClock = 0;
unsigned nextSeed() {
    return ++seedClock;
}

struct HillScript {
    int hill, detail, season, lighting, speed, precipitation;
    bool freeCamera;
};

void waitFrames(int n) {
    frames(n);
}

void everyView() {
    for (char v = '1'; v <= '8'; ++v) {
        passChar(v);
        waitFrames(6);
    }
    passChar('1');
}

void freeCameraWalk() {
    passChar('7');
    const int keys[] = {VK_LEFT, VK_UP, 'Z', VK_RIGHT, VK_DOWN, 'A'};
    for (int key : keys) {
        platformSimulateHeldKey(key, true);
        waitFrames(4);
        platformSimulateHeldKey(key, false);
    }
    passChar('1');
}

void leanChanges() {
    framesUntil([] { return game().jump.extendStep == 0; }, 100);
    int y = 300;
    for (int k = 0; k < 4; ++k)
        passMouseMove(400, y += 12);
    waitFrames(3);
    for (int k = 0; k < 2; ++k)
        passMouseMove(400, y -= 12);
}

void play(const HillScript& s) {
    TempGameDir dir;
    dir.writeDefaults();
    dir.configure(s.hill, s.detail, s.season, s.lighting, s.speed, s.precipitation);
    dir.writeData("suitR.dat", "0");
    dir.writeData("suitB.dat", "199");
    if (s.freeCamera) dir.writeData("kopytko.cfg", "846");

    seedClock = 1000u * static_cast<unsigned>(s.hill);
    game().random.seedSource = nextSeed;
    startGame();

    // Start screen: the highlight down and up, then into the scene.
    waitFrames(4);
    passKey(VK_DOWN);
    waitFrames(2);
    passKey(VK_UP);
    waitFrames(2);
    leaveStartScreen();
    waitFrames(10);
    for (char c : std::string("+++-"))
        passChar(c);
    everyView();
    if (s.freeCamera) freeCameraWalk();

    // A clean jump: take-off, lean changes, views in flight, landing stance.
    ASSERT_TRUE(runAndTakeOff()) << "hill " << s.hill;
    leanChanges();
    passChar('2');
    waitFrames(8);
    passChar('5');
    waitFrames(4);
    passChar('1');
    takeLandingStance();
    ASSERT_TRUE(waitForLanding());
    waitFrames(40);
    passChar('8');
    waitFrames(5);
    passChar('1');
    passLeftClick(); // next jump
    waitFrames(10);

    // A fall: no landing stance.
    ASSERT_TRUE(runAndTakeOff());
    ASSERT_TRUE(waitForLanding());
    waitFrames(60);
    passKey(VK_RETURN); // reset from the ground
    waitFrames(5);

    // The countdown runs out at the gate; the start key does nothing, Enter resets.
    framesUntil([] { return game().jump.startCountdown < 0; }, 400);
    waitFrames(3);
    passKey(VK_SPACE);
    passKey(VK_RETURN);
    waitFrames(5);

    // Esc to the start screen and back in.
    passKey(VK_ESCAPE);
    waitFrames(4);
    passKey(VK_UP);
    leaveStartScreen();
    waitFrames(5);

    // No take-off click: the jumper rolls over the edge.
    passKey(VK_SPACE);
    const HillStart* h = hillStart(s.hill);
    framesUntil([&] { return game().jump.jumperZ > h->takeoffWindow[1] + 3 && onGround(); }, 3000);
    waitFrames(20);
    passKey(VK_ESCAPE);
    waitFrames(3);
    game().random.seedSource = nullptr;
}

void runScript(const HillScript& s) {
    Recording r;
    recording = &r;
    if (const char* d = std::getenv("PLAYTHROUGH_DUMP")) {
        r.frameDir = "playthrough_hill" + std::to_string(s.hill);
        r.dump.open(std::string(d) + "/hill" + std::to_string(s.hill) + ".txt");
    }
    passObserver = observe;
    // Reading every frame back is only needed for the dump.
    if (!harnessWithoutWindow) platformCaptureFrames(r.dump.is_open());
    play(s);
    if (!harnessWithoutWindow) platformCaptureFrames(true);
    passObserver = nullptr;
    recording = nullptr;
    if (::testing::Test::HasFatalFailure()) return;

    const std::string path =
        std::string(PLAYTHROUGH_DIR) + "/playthrough_hill" + std::to_string(s.hill) + ".txt";
    if (std::getenv("PLAYTHROUGH_RECORD")) {
        std::ofstream out(path);
        for (uint64_t v : r.states)
            out << std::hex << v << "\n";
        return;
    }
    std::ifstream in(path);
    ASSERT_TRUE(in) << "no reference " << path;
    std::vector<uint64_t> expected;
    std::string line;
    while (std::getline(in, line))
        expected.push_back(std::stoull(line, nullptr, 16));
    ASSERT_EQ(r.states.size(), expected.size()) << "the script took another number of steps";
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_EQ(r.states[i], expected[i]) << "hill " << s.hill << ": first different state "
                                            << "after step " << i + 1;
}

} // namespace
