// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// What the scene sounds like. Each step sets the mixer's targets from what it sees of the
// jump; nothing here changes the game. M mutes, 9 and 0 step the volume; the choice is
// kept in Data/sound.dat.
#pragma once
#include <string>

constexpr int kDefaultVolume = 80;
constexpr int kVolumeStep = 10;

struct Game;

// What the last step saw, to hear what changed.
struct SoundSeen {
    bool valid = false;
    bool replay = false;
    bool green = false;
    bool tookOff = false;
    bool landed = false;
    bool fell = false;
    int reactionIn = 0;
    float z = 0, y = 0;
    float speed = 0; // the flight's, from the steps' travel
};

struct SoundCues {
    bool muted = false;
    int volume = kDefaultVolume; // 0..100, in percent
    SoundSeen seen;
};

// After each step, its message handled (also paused, or behind the start screen): the
// mixer's targets follow what the step left. Nothing of the game changes.
void stepSound(Game& g);

bool soundMuted(const Game& g);
// 0..100, in percent.
int soundVolume(const Game& g);
// M: sound off, or on again at its level.
void toggleSoundMute(Game& g);
// 9 (-1) and 0 (+1): a step down or up; sound comes on again if it was off.
void changeSoundVolume(Game& g, int direction);

// The choice in Data/sound.dat's form: "<volume> <0 on | 1 muted>".
std::string soundChoiceText(int volume, bool muted);
// Reads Data/sound.dat without blocking: missing, junk, a FIFO or a folder give the
// default (kDefaultVolume, on).
void readSoundChoice(Game& g);

// The mixer's targets silent (program start).
void silenceSound();
