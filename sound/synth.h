// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's sounds, made from filtered noise, envelopes and oscillators: no recordings.
#pragma once
#include <array>
#include <vector>

// The rate the sounds are made at; the mixer plays them at any device rate.
constexpr int kSynthRate = 22050;

enum class Sound {
    // Looped voices.
    Wind,
    Snow,
    Rain,
    Hiss,
    Air,
    Murmur,
    // One-shots.
    Beep,
    Snap,
    Thump,
    Fall,
    Cheer,
    Groan,
    Count
};
constexpr int kSoundCount = static_cast<int>(Sound::Count);

struct SoundShape {
    const char* name;
    bool looped;
    float seconds; // a loop's period, or a one-shot's whole length
};
const SoundShape& soundShape(Sound sound);

// One sound's samples at kSynthRate, peak at most 0.9. A loop's end joins its start.
std::vector<float> synthesise(Sound sound);

// Every sound, indexed by Sound.
using SoundBank = std::array<std::vector<float>, kSoundCount>;
SoundBank synthesiseAll();
