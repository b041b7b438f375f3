// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The sound's cost and levels, without a device.
//   build/sound_bench              making the sounds; mixing 10 s of the busiest moment
//   build/sound_bench --wav DIR    also a whole jump per hill (and a fall on hill 1) through the
//                                  real step, recorded from the mixer into DIR/jump-N.wav,
//                                  with the level of each phase of the jump
#include <time.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "core/random.h"
#include "game/sound_cues.h"
#include "jump_play.h"
#include "sound/sound_out.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

constexpr int kRate = 48000;

double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec * 1e-9;
}

void busiestMoment() {
    double t0 = cpuSeconds();
    SoundBank bank = synthesiseAll();
    std::printf("making every sound (%d, on their own thread at start-up): %.1f ms CPU\n",
                kSoundCount, (cpuSeconds() - t0) * 1000);
    // In-run at full speed with the crowd, the wind and rain, and a landing and a cheer
    // started each second.
    Mixer m(kRate);
    m.setBank(std::move(bank));
    m.setLoop(Sound::Wind, 0.3f);
    m.setLoop(Sound::Rain, 0.22f);
    m.setLoop(Sound::Snow, 0.14f);
    m.setLoop(Sound::Murmur, 0.12f);
    m.setLoop(Sound::Hiss, 0.5f, 1.27f);
    m.setLoop(Sound::Air, 0.3f, 0.9f);
    constexpr int kBlock = 1024, kSeconds = 10;
    std::vector<float> out(kBlock);
    t0 = cpuSeconds();
    int done = 0, nextShot = 0;
    while (done < kSeconds * kRate) {
        if (done >= nextShot) {
            m.playOnce(Sound::Thump, 0.8f);
            m.playOnce(Sound::Cheer, 1.0f);
            m.playOnce(Sound::Beep, 0.35f);
            nextShot += kRate;
        }
        m.render(out.data(), kBlock);
        done += kBlock;
    }
    const double cpu = cpuSeconds() - t0;
    std::printf("mixing %d s of the busiest moment (6 loops, 3 one-shots a second) at %d Hz: "
                "%.1f ms CPU, %.3f %% of one core\n",
                kSeconds, kRate, cpu * 1000, 100 * cpu / kSeconds);
}

void writeWav(const std::string& path, const std::vector<float>& samples) {
    std::ofstream f(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    const uint32_t bytes = static_cast<uint32_t>(samples.size() * 2);
    f.write("RIFF", 4);
    u32(36 + bytes);
    f.write("WAVEfmt ", 8);
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    f.write("data", 4);
    u32(bytes);
    for (float x : samples)
        u16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(x * 32767.0f))));
    if (!f) std::fprintf(stderr, "sound_bench: %s could not be written\n", path.c_str());
}

const char* const kPhases[] = {"gate", "in-run", "flight", "landing", "crowd"};
constexpr int kPhaseCount = 5;
int phase = 0;
int stepsDown = 0;
std::vector<float> recorded;
std::vector<int> phaseOf; // per step
void record() {
    const HillStart* h = hillStart(game().settings.hillNumber);
    if (game().jump.atGate == 1)
        phase = 0;
    else if (game().jump.takeoffDone == 0 && h && game().jump.jumperZ <= h->takeoffWindow[1])
        phase = 1;
    else if (game().jump.jumperY > game().jump.groundY && stepsDown == 0)
        phase = 2;
    else
        phase = ++stepsDown < 40 ? 3 : 4;
    const size_t at = recorded.size();
    recorded.resize(at + kRate / 60);
    soundMixer().render(recorded.data() + at, kRate / 60);
    phaseOf.push_back(phase);
}

double decibels(double level) {
    return level > 0 ? 20 * std::log10(level) : -999;
}

// A jump on a fresh folder breaks the hill's record (the crowd's biggest cheer) unless
// `standing` (a record already there) is longer.
void recordJump(const std::string& folder, int hill, bool stance, int standing = 0) {
    TempGameDir dir(false);
    recorded.clear();
    phaseOf.clear();
    stepsDown = 0;
    enterHill(dir, hill);
    if (standing > 0)
        dir.writeData("record" + std::to_string(hill) + ".dat", std::to_string(standing));
    passObserver = record;
    frames(60);
    // A good jump: leaning forward once the legs are stretched.
    bool played = runAndTakeOff();
    if (played) leanForward();
    if (played && stance) played = takeLandingStance();
    played = played && waitForLanding();
    frames(240); // the crowd's answer
    passObserver = nullptr;
    const std::string name = folder + "/jump-" + std::to_string(hill) + (stance ? "" : "-fall") +
                             (standing > 0 ? "-short" : "") + ".wav";
    writeWav(name, recorded);
    std::printf("hill %d%s%s: %s, %.1f s, %d m, take-off at %.1f%s\n", hill,
                stance ? "" : " (fall)", standing > 0 ? " (short of the record)" : "", name.c_str(),
                recorded.size() / static_cast<double>(kRate),
                static_cast<int>(game().jump.jumpDistance),
                static_cast<double>(game().jump.takeoffSpeed),
                played ? "" : " (the jump did not go as planned)");
    const int block = kRate / 60;
    for (int p = 0; p < kPhaseCount; ++p) {
        double sum = 0, peak = 0;
        int n = 0;
        for (size_t step = 0; step < phaseOf.size(); ++step) {
            if (phaseOf[step] != p) continue;
            for (int i = 0; i < block; ++i) {
                const double x = recorded[step * block + i];
                sum += x * x;
                peak = std::max(peak, std::fabs(x));
                ++n;
            }
        }
        if (n == 0) continue;
        std::printf("  %-8s %5.2f s  RMS %6.1f dBFS  peak %6.1f dBFS\n", kPhases[p],
                    n / static_cast<double>(kRate), decibels(std::sqrt(sum / n)), decibels(peak));
    }
    resetGameState();
}

unsigned fixedSeed() {
    return 5;
}

} // namespace

int main(int argc, char** argv) {
    busiestMoment();
    std::string folder;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--wav") == 0) folder = argv[i + 1];
    if (folder.empty()) return 0;
    harnessWithoutWindow = true;
    game().random.seedSource = fixedSeed;
    soundMixer().setOutputRate(kRate);
    prepareSoundsHere();
    for (int hill = 1; hill <= 3; ++hill)
        recordJump(folder, hill, true);
    recordJump(folder, 1, false);
    recordJump(folder, 1, true, 40);
    return 0;
}
