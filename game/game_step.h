// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game clock's step: everything that moves the game on by 1/60 s.
#pragma once
#include <cstdint>

#include "platform/platform.h"

struct Game;

constexpr double kStepSeconds = 1.0 / 60.0;

// Everything one step takes from outside: the message the app took (if any) and the devices
// as they stood. The app builds it; a computer jumper or a test may build its own.
struct StepInput {
    bool hasMessage = false;
    PlatformMessage message{};
    // The left stick's push up (+) or down (-), -1..1.
    float stickY = 0;
    // The free camera's keys held down (CameraKey bits).
    uint8_t cameraKeys = 0;
};

// One step: the 3-D scene moves on (while it is shown), then the message, if any, is
// handled. Returns false for the quit message: the game ends without another step. Makes
// every change of the step to `g` and nothing else: no window, device or GL call.
bool stepGame(Game& g, const StepInput& in);
// One live scene step: the record check and the scene, the hints, and the jumper's input that
// is no message (the stick), or a computer jumper's own input.
void playSceneStep(Game& g, float stickY, uint8_t cameraKeys);
// The scene's part of a step, in the order the frame used to make these changes: record
// check, start countdown, precipitation, camera (seeing the jumper one step behind),
// chairlift, airship, jumper, buses, floodlight beams.
void stepScene(Game& g, uint8_t cameraKeys);
// All of it but the record check: what a replay moves on.
void advanceScene(Game& g, uint8_t cameraKeys);

// Every moving value of the game back to program start: shell, settings, jump, camera,
// records, venue, random generator. Tests begin from here.
void resetToProgramStart(Game& g);
