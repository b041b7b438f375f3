// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game clock's step: everything that moves the game on by 1/60 s.
#pragma once
#include "platform/platform.h"

constexpr double kStepSeconds = 1.0 / 60.0;

// One step: the 3-D scene moves on (while it is shown), then the message, if any, is
// handled. Returns false for the quit message: the game ends without another step.
bool stepGame(const PlatformMessage* msg);
// The scene's part of a step, in the order the frame used to make these changes: record
// check, start countdown, precipitation, camera (seeing the jumper one step behind),
// chairlift, airship, jumper, buses, floodlight beams.
void stepScene();
// All of it but the record check: what a replay moves on.
void advanceScene();

// Every moving value of the game back to program start: shell, settings, jump, camera,
// records, venue, random generator. Tests begin from here.
void resetToProgramStart();
