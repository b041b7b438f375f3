// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The computer jumpers: a fixed field of invented names, each with his nation and skills.
#pragma once
#include <string>

constexpr int kFieldSize = 59;

struct FieldJumper {
    std::string name;
    const char* nation; // three letters
    // Each in [0, 1], 1 the best: how close to the best step he takes off, how well he
    // leans in flight, how reliably he takes the landing stance.
    float takeOff;
    float lean;
    float landing;
};

// The same 59 in every run, strongest first (index 0) down to the weakest (58): the skills
// fall with the index, each with a little spread of its own.
const FieldJumper& fieldJumper(int index);

// The form of the day is drawn per competition in thousandths, in this range either way.
constexpr int kFormRangeMilli = 60;
