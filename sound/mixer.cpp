// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/mixer.h"

#include <algorithm>
#include <cmath>

namespace {

int index(Sound sound) {
    return static_cast<int>(sound);
}

bool valid(Sound sound) {
    return index(sound) >= 0 && index(sound) < kSoundCount;
}

// A gain or pitch the mixer can use: finite and not negative.
float sane(float value, float most) {
    return std::isfinite(value) ? std::clamp(value, 0.0f, most) : 0.0f;
}

// The sample at a fractional position, between its two neighbours.
float sampleAt(const std::vector<float>& v, double position, bool wraps) {
    const size_t n = v.size();
    const size_t i = static_cast<size_t>(position);
    const float frac = static_cast<float>(position - static_cast<double>(i));
    const float a = v[i % n];
    const float b = i + 1 < n ? v[i + 1] : wraps ? v[0] : 0.0f;
    return a + (b - a) * frac;
}

} // namespace

Mixer::Mixer(int outputRate) : outputRate_(outputRate > 0 ? outputRate : 48000) {}

void Mixer::setBank(SoundBank bank) {
    if (hasBank()) return;
    bank_ = std::move(bank);
    bankReady_.store(true, std::memory_order_release);
}

void Mixer::setLoop(Sound sound, float gain, float pitch) {
    if (!valid(sound) || !soundShape(sound).looped) return;
    std::lock_guard<std::mutex> hold(lock_);
    wanted_.loops[index(sound)] = {sane(gain, 4), sane(pitch, 4)};
}

void Mixer::playOnce(Sound sound, float gain, float pitch) {
    if (!valid(sound) || soundShape(sound).looped) return;
    std::lock_guard<std::mutex> hold(lock_);
    ++played_[index(sound)];
    // More asked for than render has taken: the oldest request gives way.
    if (wanted_.startCount == kMaxOneShots) {
        std::move(wanted_.starts + 1, wanted_.starts + kMaxOneShots, wanted_.starts);
        --wanted_.startCount;
    }
    wanted_.starts[wanted_.startCount++] = {sound, sane(gain, 4), sane(pitch, 4)};
}

void Mixer::stopOneShots() {
    std::lock_guard<std::mutex> hold(lock_);
    ++wanted_.stops;
    wanted_.startCount = 0;
}

void Mixer::holdOneShots(bool held) {
    std::lock_guard<std::mutex> hold(lock_);
    wanted_.held = held;
}

void Mixer::setMaster(float gain) {
    std::lock_guard<std::mutex> hold(lock_);
    wanted_.master = sane(gain, 1);
}

float Mixer::loopGain(Sound sound) const {
    std::lock_guard<std::mutex> hold(lock_);
    return valid(sound) ? wanted_.loops[index(sound)].gain : 0.0f;
}

float Mixer::loopPitch(Sound sound) const {
    std::lock_guard<std::mutex> hold(lock_);
    return valid(sound) ? wanted_.loops[index(sound)].pitch : 0.0f;
}

float Mixer::master() const {
    std::lock_guard<std::mutex> hold(lock_);
    return wanted_.master;
}

int Mixer::oneShotsPlayed(Sound sound) const {
    std::lock_guard<std::mutex> hold(lock_);
    return valid(sound) ? played_[index(sound)] : 0;
}

void Mixer::takeTargets() {
    // The audio thread never waits: while the game writes, the last targets stand.
    std::unique_lock<std::mutex> taken(lock_, std::try_to_lock);
    if (!taken) return;
    live_ = wanted_;
    wanted_.startCount = 0;
    taken.unlock();

    if (live_.stops != stopsSeen_) {
        stopsSeen_ = live_.stops;
        playingCount_ = 0;
    }
    for (int k = 0; k < live_.startCount; ++k) {
        const Start& s = live_.starts[k];
        // Full: the one-shot closest to its end makes room.
        if (playingCount_ == kMaxOneShots) {
            int last = 0;
            double mostDone = -1;
            for (int p = 0; p < playingCount_; ++p) {
                const double done = playing_[p].position / bank_[index(playing_[p].sound)].size();
                if (done > mostDone) {
                    mostDone = done;
                    last = p;
                }
            }
            playing_[last] = playing_[--playingCount_];
        }
        playing_[playingCount_++] = {s.sound, 0.0, s.gain, s.pitch};
    }
}

void Mixer::addLoop(float* out, int frames, int s, float ratio) {
    const std::vector<float>& v = bank_[s];
    Loop& heard = heard_[s];
    const Loop& want = live_.loops[s];
    if (v.empty() || (heard.gain == 0 && want.gain == 0)) return;
    const double length = static_cast<double>(v.size());
    double position = loopPosition_[s];
    for (int i = 0; i < frames; ++i) {
        const float t = static_cast<float>(i + 1) / frames;
        const float gain = heard.gain + (want.gain - heard.gain) * t;
        const float pitch = heard.pitch + (want.pitch - heard.pitch) * t;
        out[i] += gain * sampleAt(v, position, true);
        position += pitch * ratio;
        if (position >= length) position = std::fmod(position, length);
    }
    loopPosition_[s] = position;
    heard = want;
}

void Mixer::render(float* out, int frames) {
    if (frames <= 0) return;
    std::fill(out, out + frames, 0.0f);
    if (!hasBank()) return;
    takeTargets();
    const float ratio = static_cast<float>(kSynthRate) / static_cast<float>(outputRate_.load());

    for (int s = 0; s < kSoundCount; ++s)
        if (soundShape(static_cast<Sound>(s)).looped) addLoop(out, frames, s, ratio);

    if (!live_.held) {
        for (int p = 0; p < playingCount_;) {
            Playing& one = playing_[p];
            const std::vector<float>& v = bank_[index(one.sound)];
            const double length = static_cast<double>(v.size());
            const double step = static_cast<double>(one.pitch) * ratio;
            for (int i = 0; i < frames && one.position < length && step > 0; ++i) {
                out[i] += one.gain * sampleAt(v, one.position, false);
                one.position += step;
            }
            if (one.position >= length || step <= 0)
                one = playing_[--playingCount_];
            else
                ++p;
        }
    }

    const float from = heardMaster_, to = live_.master;
    for (int i = 0; i < frames; ++i) {
        const float gain = from + (to - from) * static_cast<float>(i + 1) / frames;
        out[i] = std::clamp(out[i] * gain, -1.0f, 1.0f);
    }
    heardMaster_ = to;
}
