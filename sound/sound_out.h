// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The game's one mixer and the device it plays on.
#pragma once
#include "sound/mixer.h"

Mixer& soundMixer();

// Begins making the sounds on a thread of their own, so the first frame does not wait.
void startMakingSounds();
// Opens the audio device (after the first frame: some sound systems take their time).
// Without a device the game plays on in silence: one line on standard error says so.
void openSoundDevice();
// Closes the device and waits for the sounds being made.
void stopSoundOutput();

// No device: the sounds made here and now, and render() pulled by the caller (tests, the
// recording of a jump).
void prepareSoundsHere();
