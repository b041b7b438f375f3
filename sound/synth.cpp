// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/synth.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr float kPi = 3.14159265f;
constexpr float kRate = static_cast<float>(kSynthRate);
constexpr float kPeak = 0.9f;

const SoundShape kShapes[kSoundCount] = {
    {"wind", true, 6.0f},   {"snow", true, 4.0f},   {"rain", true, 4.0f},   {"hiss", true, 2.0f},
    {"air", true, 4.0f},    {"murmur", true, 6.0f}, {"beep", false, 0.3f},  {"snap", false, 0.15f},
    {"thump", false, 0.5f}, {"fall", false, 1.6f},  {"cheer", false, 4.0f}, {"groan", false, 2.4f},
};

// Our own generator: the game's random numbers must not move when a sound is made.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed ? seed : 1) {}
    float next() { // -1 .. 1
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state) / 2147483648.0f - 1.0f;
    }
    float between(float lo, float hi) { return lo + (next() + 1.0f) * 0.5f * (hi - lo); }
};

// Second-order filter after the audio cookbook's formulas.
struct Biquad {
    float b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    float z1 = 0, z2 = 0;
    static Biquad make(float freq, float q, int kind) { // 0 low, 1 band, 2 high
        const float w = 2 * kPi * std::min(freq, kRate * 0.45f) / kRate;
        const float alpha = std::sin(w) / (2 * q), c = std::cos(w);
        Biquad f;
        float a0 = 1 + alpha;
        if (kind == 0) {
            f.b0 = f.b2 = (1 - c) / 2;
            f.b1 = 1 - c;
        } else if (kind == 1) {
            f.b0 = alpha;
            f.b1 = 0;
            f.b2 = -alpha;
        } else {
            f.b0 = f.b2 = (1 + c) / 2;
            f.b1 = -(1 + c);
        }
        f.a1 = -2 * c;
        f.a2 = 1 - alpha;
        f.b0 /= a0;
        f.b1 /= a0;
        f.b2 /= a0;
        f.a1 /= a0;
        f.a2 /= a0;
        return f;
    }
    float operator()(float x) {
        const float y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};
Biquad lowPass(float f, float q = 0.707f) {
    return Biquad::make(f, q, 0);
}
Biquad bandPass(float f, float q) {
    return Biquad::make(f, q, 1);
}
Biquad highPass(float f, float q = 0.707f) {
    return Biquad::make(f, q, 2);
}

int samples(float seconds) {
    return static_cast<int>(seconds * kRate);
}

// A slow swell that repeats exactly `period` samples: whole cycles only, so a loop stays
// seamless. Between 1 - depth and 1.
float swell(int i, int period, const int cycles[3], float depth) {
    float s = 0;
    for (int k = 0; k < 3; ++k)
        s += std::sin(2 * kPi * cycles[k] * static_cast<float>(i) / period + k * 1.7f);
    return 1 - depth * (s / 3 + 1) / 2;
}

// A loop made `extra` samples too long, its tail faded into its head (equal power, as the
// two are unrelated noise), so the end runs on into the start without a click.
std::vector<float> closeLoop(std::vector<float> v, int period) {
    const int extra = static_cast<int>(v.size()) - period;
    for (int i = 0; i < extra; ++i) {
        const float t = (i + 0.5f) / extra;
        v[i] = v[i] * std::sqrt(t) + v[period + i] * std::sqrt(1 - t);
    }
    v.resize(period);
    return v;
}

void normalise(std::vector<float>& v) {
    float peak = 0;
    for (float x : v)
        peak = std::max(peak, std::fabs(x));
    if (peak <= 0) return;
    const float k = kPeak / peak;
    for (float& x : v)
        x *= k;
}

float decay(float t, float tau) {
    return std::exp(-t / tau);
}

// Attack, then hold, then release, in seconds; 0 outside.
float envelope(float t, float attack, float hold, float release) {
    if (t < 0) return 0;
    if (t < attack) return t / attack;
    if (t < attack + hold) return 1;
    const float r = (t - attack - hold) / release;
    return r < 1 ? 1 - r : 0;
}

std::vector<float> wind(int period) {
    const int n = period + samples(0.5f);
    std::vector<float> v(n);
    Noise noise(11);
    Biquad body = lowPass(420), howl = bandPass(520, 3.0f);
    const int gusts[3] = {1, 2, 5};
    const int whistle[3] = {3, 4, 7};
    for (int i = 0; i < n; ++i) {
        const float x = noise.next();
        const float g = swell(i % period, period, gusts, 0.75f);
        const float h = swell(i % period, period, whistle, 0.9f);
        v[i] = g * body(x) + 0.6f * g * h * howl(x);
    }
    return closeLoop(v, period);
}

std::vector<float> snow(int period) {
    const int n = period + samples(0.3f);
    std::vector<float> v(n);
    Noise noise(23);
    Biquad hp = highPass(1800), lp = lowPass(5200);
    const int drift[3] = {2, 3, 5};
    for (int i = 0; i < n; ++i)
        v[i] = lp(hp(noise.next())) * swell(i % period, period, drift, 0.4f);
    return closeLoop(v, period);
}

std::vector<float> rain(int period) {
    const int n = period + samples(0.3f);
    std::vector<float> v(n);
    Noise noise(37);
    Biquad bed = bandPass(2600, 0.6f), drop = bandPass(3400, 2.0f);
    float dropLevel = 0;
    for (int i = 0; i < n; ++i) {
        // About 180 drops a second, each a tick that dies in a few milliseconds.
        if (noise.between(0, 1) < 180.0f / kRate) dropLevel = noise.between(0.4f, 1.6f);
        dropLevel *= 0.985f;
        const float x = noise.next();
        v[i] = 0.5f * bed(x) + dropLevel * drop(x);
    }
    return closeLoop(v, period);
}

std::vector<float> hiss(int period) {
    const int n = period + samples(0.2f);
    std::vector<float> v(n);
    Noise noise(41);
    Biquad edge = bandPass(3200, 0.8f), track = lowPass(160);
    const int chatter[3] = {7, 11, 13};
    for (int i = 0; i < n; ++i) {
        const float x = noise.next();
        // The skis in the track: a bright hiss over a low rumble that shudders a little.
        v[i] = edge(x) + 2.5f * track(x) * swell(i % period, period, chatter, 0.5f);
    }
    return closeLoop(v, period);
}

std::vector<float> air(int period) {
    const int n = period + samples(0.4f);
    std::vector<float> v(n);
    Noise noise(53);
    Biquad rush = lowPass(700, 0.9f), flutter = bandPass(1300, 1.5f);
    const int buffet[3] = {5, 9, 14};
    for (int i = 0; i < n; ++i) {
        const float x = noise.next();
        const float b = swell(i % period, period, buffet, 0.35f);
        v[i] = b * (rush(x) + 0.35f * flutter(x));
    }
    return closeLoop(v, period);
}

// Many voices far off: each a band of noise at a vowel's height, spoken in syllables.
std::vector<float> murmur(int period) {
    const int n = period + samples(0.5f);
    std::vector<float> v(n, 0.0f);
    Noise noise(67);
    for (int talker = 0; talker < 10; ++talker) {
        Biquad voice = bandPass(noise.between(300, 1100), 4.0f);
        float syllable = 0, target = 0;
        int change = 0;
        for (int i = 0; i < n; ++i) {
            if (--change <= 0) {
                change = samples(noise.between(0.08f, 0.3f));
                target = noise.between(0, 1) < 0.6f ? noise.between(0.3f, 1.0f) : 0;
            }
            syllable += (target - syllable) * 0.002f;
            v[i] += syllable * voice(noise.next());
        }
    }
    Biquad soften = lowPass(1400);
    for (float& x : v)
        x = soften(x);
    return closeLoop(v, period);
}

std::vector<float> beep(int length) {
    std::vector<float> v(length);
    for (int i = 0; i < length; ++i) {
        const float t = i / kRate;
        const float ph = 2 * kPi * 880 * t;
        v[i] = envelope(t, 0.005f, 0.2f, 0.06f) * (std::sin(ph) + 0.2f * std::sin(2 * ph));
    }
    return v;
}

std::vector<float> snap(int length) {
    std::vector<float> v(length);
    Noise noise(71);
    Biquad crack = highPass(900);
    for (int i = 0; i < length; ++i) {
        const float t = i / kRate;
        const float attack = std::min(1.0f, t / 0.001f);
        v[i] = attack * (crack(noise.next()) * decay(t, 0.012f) +
                         0.6f * std::sin(2 * kPi * 190 * t) * decay(t, 0.025f));
    }
    return v;
}

// A body meeting the snow: a falling low tone and a crunch. `weight` 1 for a landing.
void thud(std::vector<float>& v, int from, float weight, uint32_t seed) {
    Noise noise(seed);
    Biquad crunch = lowPass(900 / weight);
    float phase = 0;
    for (int i = from; i < static_cast<int>(v.size()); ++i) {
        const float t = (i - from) / kRate;
        const float freq = (45 + 70 * decay(t, 0.05f)) / weight;
        phase += 2 * kPi * freq / kRate;
        const float attack = std::min(1.0f, t / 0.002f);
        v[i] += attack * (std::sin(phase) * decay(t, 0.09f * weight) +
                          0.8f * crunch(noise.next()) * decay(t, 0.04f * weight));
    }
}

std::vector<float> thump(int length) {
    std::vector<float> v(length, 0.0f);
    thud(v, 0, 1.0f, 73);
    return v;
}

std::vector<float> fall(int length) {
    std::vector<float> v(length, 0.0f);
    thud(v, 0, 1.4f, 79);
    thud(v, samples(0.18f), 1.25f, 83);
    // Skis and body scraping down the slope, in uneven jerks.
    Noise noise(89);
    Biquad scrape = bandPass(1500, 1.2f), grit = highPass(3000);
    float jerk = 0;
    for (int i = samples(0.1f); i < length; ++i) {
        const float t = i / kRate;
        if (i % samples(0.04f) == 0) jerk = noise.between(0.3f, 1.0f);
        const float x = noise.next();
        v[i] += jerk * envelope(t - 0.1f, 0.05f, 0.6f, 0.8f) * (0.9f * scrape(x) + 0.3f * grit(x));
    }
    return v;
}

// A crowd's cry: voices on the vowel "a" rising, then fading; hand claps under it.
std::vector<float> cheer(int length) {
    std::vector<float> v(length, 0.0f);
    Noise noise(97);
    for (int voice = 0; voice < 8; ++voice) {
        const float lift = noise.between(0.9f, 1.15f);
        Biquad f1 = bandPass(750 * lift, 5), f2 = bandPass(1250 * lift, 6), f3 = bandPass(2600, 4);
        const float start = noise.between(0, 0.25f);
        for (int i = 0; i < length; ++i) {
            const float t = i / kRate;
            const float e = envelope(t - start, 0.35f, 1.2f, 2.0f);
            const float x = noise.next();
            v[i] += e * (f1(x) + 0.7f * f2(x) + 0.3f * f3(x));
        }
    }
    Biquad clap = bandPass(1800, 1.0f);
    float clapLevel = 0;
    for (int i = 0; i < length; ++i) {
        const float t = i / kRate;
        if (noise.between(0, 1) < 45.0f / kRate) clapLevel = noise.between(0.5f, 1.5f);
        clapLevel *= 0.99f;
        v[i] += 0.8f * envelope(t - 0.3f, 0.4f, 1.8f, 1.4f) * clapLevel * clap(noise.next());
    }
    return v;
}

// The crowd's "oh" at a fall: hummed voices sliding down, dark.
std::vector<float> groan(int length) {
    std::vector<float> v(length, 0.0f);
    Noise noise(101);
    for (int voice = 0; voice < 9; ++voice) {
        const float base = noise.between(140, 240);
        float phase = 0;
        const float start = noise.between(0, 0.2f);
        for (int i = 0; i < length; ++i) {
            const float t = i / kRate;
            phase += 2 * kPi * base * (1 - 0.25f * std::min(1.0f, t / 1.8f)) / kRate;
            // A few harmonics of a buzzing voice.
            const float tone = std::sin(phase) + 0.5f * std::sin(2 * phase) +
                               0.25f * std::sin(3 * phase) + 0.12f * std::sin(4 * phase);
            v[i] += envelope(t - start, 0.25f, 0.7f, 1.2f) * tone;
        }
    }
    Biquad oo = lowPass(520, 1.2f);
    Biquad breath = bandPass(600, 1.0f);
    for (int i = 0; i < length; ++i) {
        const float t = i / kRate;
        v[i] = oo(v[i]) + 1.5f * envelope(t, 0.2f, 0.8f, 1.0f) * breath(noise.next());
    }
    return v;
}

} // namespace

const SoundShape& soundShape(Sound sound) {
    return kShapes[static_cast<int>(sound)];
}

std::vector<float> synthesise(Sound sound) {
    const int n = samples(soundShape(sound).seconds);
    std::vector<float> v;
    switch (sound) {
    case Sound::Wind:
        v = wind(n);
        break;
    case Sound::Snow:
        v = snow(n);
        break;
    case Sound::Rain:
        v = rain(n);
        break;
    case Sound::Hiss:
        v = hiss(n);
        break;
    case Sound::Air:
        v = air(n);
        break;
    case Sound::Murmur:
        v = murmur(n);
        break;
    case Sound::Beep:
        v = beep(n);
        break;
    case Sound::Snap:
        v = snap(n);
        break;
    case Sound::Thump:
        v = thump(n);
        break;
    case Sound::Fall:
        v = fall(n);
        break;
    case Sound::Cheer:
        v = cheer(n);
        break;
    case Sound::Groan:
        v = groan(n);
        break;
    case Sound::Count:
        break;
    }
    normalise(v);
    // One-shots end in silence: no click when the last sample is dropped.
    if (!soundShape(sound).looped) {
        const int fade = std::min(static_cast<int>(v.size()), samples(0.01f));
        for (int i = 0; i < fade; ++i)
            v[v.size() - 1 - i] *= static_cast<float>(i) / fade;
    }
    return v;
}

SoundBank synthesiseAll() {
    SoundBank bank;
    for (int s = 0; s < kSoundCount; ++s)
        bank[s] = synthesise(static_cast<Sound>(s));
    return bank;
}
