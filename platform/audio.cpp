// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// SDL2 audio out: one mono float stream, pulled by the game's mixer on SDL's audio thread.
#include <SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "platform/platform.h"

namespace {

SDL_AudioDeviceID device = 0;
int deviceRate = 0;
AudioFill fillSamples = nullptr;
void* fillUser = nullptr;

void pull(void*, Uint8* stream, int bytes) {
    fillSamples(fillUser, reinterpret_cast<float*>(stream),
                bytes / static_cast<int>(sizeof(float)));
}

// The sound libraries SDL tries in turn (ALSA above all) write their own complaints to
// standard error when there is no card; the game says it once, in its own words, instead.
class QuietStandardError {
  public:
    QuietStandardError() {
        std::fflush(stderr);
        saved_ = dup(2);
        const int none = open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ >= 0 && none >= 0) dup2(none, 2);
        if (none >= 0) close(none);
    }
    ~QuietStandardError() {
        std::fflush(stderr);
        if (saved_ < 0) return;
        dup2(saved_, 2);
        close(saved_);
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

  private:
    int saved_;
};

} // namespace

int platformOpenAudio(int rate, AudioFill fill, void* user) {
    if (device) return deviceRate;
    if (!fill || !platformStartInput()) return 0;
    QuietStandardError quiet;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
    fillSamples = fill;
    fillUser = user;
    SDL_AudioSpec want{}, have{};
    want.freq = rate;
    want.format = AUDIO_F32SYS;
    want.channels = 1;
    // About 20 ms a block: short enough that a landing is heard with it.
    want.samples = 1024;
    want.callback = pull;
    // The device's own rate is taken (the mixer plays at any rate); SDL converts the rest.
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
    if (!device) {
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return 0;
    }
    deviceRate = have.freq;
    SDL_PauseAudioDevice(device, 0);
    return deviceRate;
}

void platformCloseAudio() {
    if (!device) return;
    SDL_CloseAudioDevice(device);
    device = 0;
    deviceRate = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
