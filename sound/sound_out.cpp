// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/sound_out.h"

#include <cstdio>
#include <thread>

#include "platform/platform.h"

namespace {

// The rate asked of the device; it may give another.
constexpr int kDeviceRate = 48000;

Mixer mixer;
std::thread maker;

void fill(void* user, float* out, int frames) {
    static_cast<Mixer*>(user)->render(out, frames);
}

void joinMaker() {
    if (maker.joinable()) maker.join();
}

// The maker thread must be done before the mixer goes away at exit.
struct JoinAtExit {
    ~JoinAtExit() { joinMaker(); }
} joinAtExit;

} // namespace

Mixer& soundMixer() {
    return mixer;
}

void startMakingSounds() {
    if (!mixer.hasBank() && !maker.joinable())
        maker = std::thread([] { mixer.setBank(synthesiseAll()); });
}

void openSoundDevice() {
    const int rate = platformOpenAudio(kDeviceRate, fill, &mixer);
    if (rate <= 0) {
        std::fprintf(stderr, "orbel: no sound: %s\n", platformLastError());
        return;
    }
    mixer.setOutputRate(rate);
}

void stopSoundOutput() {
    platformCloseAudio();
    joinMaker();
}

void prepareSoundsHere() {
    joinMaker();
    if (!mixer.hasBank()) mixer.setBank(synthesiseAll());
}
