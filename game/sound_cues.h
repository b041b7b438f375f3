// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// What the scene sounds like. Each step sets the mixer's targets from what it sees of the
// jump; nothing here changes the game. M mutes, 9 and 0 step the volume; the choice is
// kept in Data/sound.dat.
#pragma once
#include <string>

constexpr int kDefaultVolume = 80;
constexpr int kVolumeStep = 10;

// After each step, its message handled (also paused, or behind the start screen).
void stepSound();

bool soundMuted();
// 0..100, in percent.
int soundVolume();
// M: sound off, or on again at its level.
void toggleSoundMute();
// 9 (-1) and 0 (+1): a step down or up; sound comes on again if it was off.
void changeSoundVolume(int direction);

// The choice in Data/sound.dat's form: "<volume> <0 on | 1 muted>".
std::string soundChoiceText(int volume, bool muted);
// Reads Data/sound.dat without blocking: missing, junk, a FIFO or a folder give the
// default (kDefaultVolume, on).
void readSoundChoice();

// The default choice, the mixer's targets silent, nothing remembered of a jump.
void resetSound();
