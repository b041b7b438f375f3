// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// How step_fuzz reads its input, shared with make_corpus, which writes seeds in it.
//   byte 0: hill (b % 3 + 1), speed (b / 3 % 3 + 1); from kQuitAllowed on, quitting may end
//           the run
//   byte 1: detail (b % 4 + 1), precipitation (b / 4 % 3 + 1), summer (b / 12 % 2),
//           night (b / 24 % 2)
//   then events, each one byte whose low four bits are its kind, with its own bytes after it.
#pragma once
#include <cstdint>

#include "platform/platform.h"

constexpr uint8_t kQuitAllowed = 240;

enum StepEvent : uint8_t {
    // Steps without a message: 1 + (byte >> 4) * 4^kind of them.
    kEventWait = 0, // .. 3
    // A key: one byte, below kRawCode one of the game's keys, else two more bytes: any code.
    kEventKey = 4, // .. 6
    // A character: the same, with the game's characters.
    kEventChar = 7, // .. 8
    // Clicks: a byte each for x and y (times 4).
    kEventLeftClick = 9,
    kEventRightClick = 10,
    // A mouse move: x and y, two bytes each, signed.
    kEventMouseMove = 11, // .. 12
    // A controller button: one byte (modulo 12, so unknown ones come too).
    kEventPadButton = 13,
    // The held devices from now on: the stick (signed byte / 127) and the camera keys.
    kEventDevices = 14,
    // The quit message when quitting is allowed, else a step without a message.
    kEventQuit = 15,
};

constexpr uint8_t kRawCode = 192;

// The keys and characters the game answers to, and a few it does not; Q quits.
constexpr int kStepKeys[] = {VK_RETURN, VK_SHIFT, VK_CONTROL, VK_MENU, VK_ESCAPE, VK_SPACE, VK_LEFT,
                             VK_UP,     VK_RIGHT, VK_DOWN,    VK_F1,   VK_F11,    'R',      'A'};
constexpr char kStepChars[] = "+-12345678RrTtPpHhMm90 Qq";
