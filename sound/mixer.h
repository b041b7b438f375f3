// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the sounds: looped voices with a gain and a pitch, and one-shots. The game sets
// targets; render() mixes, on the audio thread or into a recording. Neither waits on the
// other: render takes the latest targets only when they are not being written.
#pragma once
#include <atomic>
#include <mutex>

#include "sound/synth.h"

class Mixer {
  public:
    static constexpr int kMaxOneShots = 12;

    explicit Mixer(int outputRate = 48000);

    // The sounds to play; render gives silence until they are set. Only once, from any thread.
    void setBank(SoundBank bank);
    bool hasBank() const { return bankReady_.load(std::memory_order_acquire); }
    // The rate render produces: the device's.
    void setOutputRate(int rate) {
        if (rate > 0) outputRate_.store(rate);
    }
    int outputRate() const { return outputRate_.load(); }

    // --- Targets (the game) ---
    // A loop at this gain and pitch (1 = as made); gain 0 stops it.
    void setLoop(Sound sound, float gain, float pitch = 1.0f);
    void playOnce(Sound sound, float gain, float pitch = 1.0f);
    // Ends every one-shot now.
    void stopOneShots();
    // Held one-shots stand still, silent, and go on where they were when let go.
    void holdOneShots(bool held);
    // Over everything: the volume (0 is silence).
    void setMaster(float gain);

    float loopGain(Sound sound) const;
    float loopPitch(Sound sound) const;
    float master() const;
    // One-shots of this sound asked for since the mixer was made.
    int oneShotsPlayed(Sound sound) const;

    // --- Output (the audio thread, or a recording) ---
    // Mono samples in -1..1: the sum of the voices, each with its gain, times the master gain.
    // Gains move from their last values to the targets across the block, without clicks.
    void render(float* out, int frames);

  private:
    struct Loop {
        float gain = 0, pitch = 1;
    };
    struct Start {
        Sound sound;
        float gain, pitch;
    };
    struct Targets {
        Loop loops[kSoundCount];
        float master = 1;
        bool held = false;
        unsigned stops = 0;
        Start starts[kMaxOneShots];
        int startCount = 0;
    };
    struct Playing {
        Sound sound;
        double position;
        float gain, pitch;
    };

    void takeTargets();
    void addLoop(float* out, int frames, int s, float ratio);

    // Written by the game under lock_; render copies them when it can take the lock at once.
    mutable std::mutex lock_;
    Targets wanted_;
    int played_[kSoundCount] = {};

    // The audio side's own state.
    Targets live_;
    Loop heard_[kSoundCount];
    double loopPosition_[kSoundCount] = {};
    float heardMaster_ = 0;
    unsigned stopsSeen_ = 0;
    Playing playing_[kMaxOneShots];
    int playingCount_ = 0;

    std::atomic<int> outputRate_;
    SoundBank bank_;
    std::atomic<bool> bankReady_{false};
};
