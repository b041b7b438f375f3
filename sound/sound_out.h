// The game's one mixer and the device it plays on.
#pragma once
#include "sound/mixer.h"

Mixer& soundMixer();

// Makes the sounds on a thread of their own, so the first frame does not wait for them, and
// opens the audio device. Without a device the game plays on in silence: one line on standard
// error says so.
void startSoundOutput();
// Closes the device and waits for the sounds being made.
void stopSoundOutput();

// No device: the sounds made here and now, and render() pulled by the caller (tests, the
// recording of a jump).
void prepareSoundsHere();
