// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The synthesiser and mixer without a device, and the sounds of whole jumps through the real
// step and dispatch, heard from the mixer as a recording would.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "core/random.h"
#include "game/app.h"
#include "game/hints.h"
#include "game/replay.h"
#include "game/sound_cues.h"
#include "jump_play.h"
#include "sound/sound_out.h"
#include "support/game_snapshot.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

const SoundBank& bank() {
    static const SoundBank made = synthesiseAll();
    return made;
}

// One block of a mixer's output after one block that lets its gains settle.
std::vector<float> settledBlock(Mixer& m, int frames = 4096) {
    std::vector<float> out(frames);
    m.render(out.data(), frames);
    m.render(out.data(), frames);
    return out;
}

float rms(const std::vector<float>& v) {
    double sum = 0;
    for (float x : v)
        sum += static_cast<double>(x) * x;
    return v.empty() ? 0.0f : static_cast<float>(std::sqrt(sum / v.size()));
}

unsigned fixedSeed() {
    return 77;
}

} // namespace

TEST(Synth, EverySoundIsFiniteUnclippedAndAsLongAsItShouldBe) {
    for (int s = 0; s < kSoundCount; ++s) {
        const SoundShape& shape = soundShape(static_cast<Sound>(s));
        const std::vector<float>& v = bank()[s];
        SCOPED_TRACE(shape.name);
        EXPECT_NEAR(static_cast<double>(v.size()), shape.seconds * kSynthRate, 1.0);
        float peak = 0, widestStep = 0;
        for (size_t i = 0; i < v.size(); ++i) {
            ASSERT_TRUE(std::isfinite(v[i])) << "sample " << i;
            peak = std::max(peak, std::fabs(v[i]));
            if (i > 0) widestStep = std::max(widestStep, std::fabs(v[i] - v[i - 1]));
        }
        EXPECT_LE(peak, 0.9f + 1e-6f);
        EXPECT_GT(rms(v), 0.02f) << "not silence";
        if (shape.looped)
            EXPECT_LE(std::fabs(v.front() - v.back()), widestStep) << "the loop's seam clicks";
        else
            EXPECT_LT(std::fabs(v.back()), 1e-3f) << "the one-shot ends in silence";
    }
}

TEST(Mixer, TheOutputIsTheSumOfItsVoicesWithGainsAndNeverBeyondFullScale) {
    struct Case {
        float windGain, murmurGain, thumpGain, master;
        bool clips;
    };
    for (const Case& c :
         {Case{0.3f, 0.2f, 0.5f, 0.8f, false}, Case{3.0f, 2.5f, 4.0f, 1.0f, true}}) {
        // Each voice alone, quiet enough never to clip, then scaled up: what it adds.
        constexpr float kQuiet = 0.05f;
        auto mixer = [&](bool wind, bool murmur, bool thump) {
            auto m = std::make_unique<Mixer>(44100);
            m->setBank(bank());
            m->setMaster(wind && murmur && thump ? c.master : kQuiet);
            if (wind) m->setLoop(Sound::Wind, c.windGain);
            if (murmur) m->setLoop(Sound::Murmur, c.murmurGain, 1.3f);
            if (thump) m->playOnce(Sound::Thump, c.thumpGain);
            return settledBlock(*m);
        };
        const auto wind = mixer(true, false, false), murmur = mixer(false, true, false);
        const auto thump = mixer(false, false, true), all = mixer(true, true, true);
        int clipped = 0;
        for (size_t i = 0; i < all.size(); ++i) {
            const float sum = (wind[i] + murmur[i] + thump[i]) * c.master / kQuiet;
            ASSERT_NEAR(all[i], std::clamp(sum, -1.0f, 1.0f), 1e-4f) << "sample " << i;
            clipped += std::fabs(sum) > 1;
        }
        EXPECT_EQ(clipped > 0, c.clips);
        EXPECT_GT(rms(all), rms(wind) * c.master / kQuiet) << "every voice is heard";
    }
    Mixer silent(44100);
    silent.setBank(bank());
    silent.setLoop(Sound::Wind, 1);
    silent.setMaster(0);
    EXPECT_EQ(rms(settledBlock(silent)), 0.0f);
}

// --- Through the real step ---

class Sounds : public WholeJump {
  protected:
    void SetUp() override {
        WholeJump::SetUp();
        prepareSoundsHere();
        game().random.seedSource = fixedSeed;
    }
    void TearDown() override {
        game().random.seedSource = nullptr;
        WholeJump::TearDown();
    }
};

namespace {

// What the mixer was told by one step.
struct Heard {
    int played[kSoundCount];
    float hiss, air, wind;
    bool green, tookOff, down;
};
std::vector<Heard> heard;
int playedBefore[kSoundCount];
void listen() {
    Mixer& m = soundMixer();
    Heard h{};
    for (int s = 0; s < kSoundCount; ++s)
        h.played[s] = m.oneShotsPlayed(static_cast<Sound>(s)) - playedBefore[s];
    h.hiss = m.loopGain(Sound::Hiss);
    h.air = m.loopGain(Sound::Air);
    h.wind = m.loopGain(Sound::Wind);
    h.green = game().jump.awaitingStart == 1 && game().jump.startCountdown >= 0;
    h.tookOff = game().jump.takeoffDone == 1;
    h.down = game().jump.takeoffDone == 1 && onGround();
    heard.push_back(h);
}
void startListening() {
    heard.clear();
    for (int s = 0; s < kSoundCount; ++s)
        playedBefore[s] = soundMixer().oneShotsPlayed(static_cast<Sound>(s));
    passObserver = listen;
}

// The first step at which pred holds, or -1.
template <class F> int firstStep(F pred) {
    for (size_t i = 0; i < heard.size(); ++i)
        if (pred(heard[i])) return static_cast<int>(i);
    return -1;
}

int played(const Heard& h, Sound s) {
    return h.played[static_cast<int>(s)];
}

} // namespace

TEST_F(Sounds, AJumpStartsAndStopsTheVoicesAtTheRightSteps) {
    for (bool stance : {true, false}) {
        SCOPED_TRACE(stance ? "landing" : "fall");
        startListening();
        enterHill(*dir, 1);
        ASSERT_TRUE(playJump(stance));
        frames(60);
        passObserver = nullptr;
        // The light turns green as the scene comes: one beep, then no more.
        const int green = firstStep([](const Heard& h) { return h.green; });
        ASSERT_GE(green, 0);
        EXPECT_EQ(firstStep([](const Heard& h) { return played(h, Sound::Beep) > 0; }), green);
        EXPECT_EQ(played(heard.back(), Sound::Beep), 1);
        // The hiss runs from the start to the take-off, where the snap comes and the air.
        const int run = firstStep([](const Heard& h) { return h.hiss > 0; });
        const int takeoff = firstStep([](const Heard& h) { return h.tookOff; });
        ASSERT_GT(run, 0);
        ASSERT_GT(takeoff, run);
        EXPECT_EQ(firstStep([&](const Heard& h) { return played(h, Sound::Snap) > 0; }), takeoff);
        EXPECT_EQ(heard[takeoff].hiss, 0.0f);
        EXPECT_GT(heard[takeoff - 1].hiss, 0.0f);
        EXPECT_GT(heard[takeoff].air, 0.0f);
        // Down: a thump, or the fall's heavier sound; the air stops; the crowd answers.
        const int down = firstStep([](const Heard& h) { return h.down; });
        ASSERT_GT(down, takeoff);
        const Sound impact = stance ? Sound::Thump : Sound::Fall;
        const Sound other = stance ? Sound::Fall : Sound::Thump;
        EXPECT_EQ(firstStep([&](const Heard& h) { return played(h, impact) > 0; }), down);
        EXPECT_EQ(played(heard.back(), impact), 1);
        EXPECT_EQ(played(heard.back(), other), 0);
        EXPECT_EQ(heard[down].air, 0.0f);
        const Sound answer = stance ? Sound::Cheer : Sound::Groan;
        const int answered = firstStep([&](const Heard& h) { return played(h, answer) > 0; });
        EXPECT_GT(answered, down);
        EXPECT_LT(answered, down + 60);
        EXPECT_EQ(played(heard.back(), stance ? Sound::Groan : Sound::Cheer), 0);
        EXPECT_GT(heard.back().wind, 0.0f) << "the venue's wind goes on";
        resetGameState();
    }
}

namespace {
float highestHiss = 0;
void noteHiss() {
    if (soundMixer().loopGain(Sound::Hiss) > 0)
        highestHiss = std::max(highestHiss, soundMixer().loopPitch(Sound::Hiss));
}
} // namespace

TEST_F(Sounds, AReplaySoundsTheJumpAgainInSlowMotionLower) {
    enterHill(*dir, 1);
    Mixer& m = soundMixer();
    highestHiss = 0;
    passObserver = noteHiss;
    ASSERT_TRUE(playJump(true));
    const float live = highestHiss;
    ASSERT_GT(framesUntil([] { return !recordingInProgress(game()); }), 0);
    const int snaps = m.oneShotsPlayed(Sound::Snap), thumps = m.oneShotsPlayed(Sound::Thump);
    passChar('R');
    ASSERT_TRUE(replayRunning(game()));
    passKey(VK_SPACE);
    highestHiss = 0;
    framesUntil([] { return !replayRunning(game()); }, 5000);
    passObserver = nullptr;
    EXPECT_EQ(m.oneShotsPlayed(Sound::Snap), snaps + 1);
    EXPECT_EQ(m.oneShotsPlayed(Sound::Thump), thumps + 1);
    EXPECT_GT(highestHiss, 0.0f);
    EXPECT_LE(highestHiss, live * 0.5f + 1e-6f);
}

TEST_F(Sounds, TheHissGetsLouderAndHigherWithSpeed) {
    enterHill(*dir, 3);
    passKey(VK_SPACE);
    std::vector<std::pair<float, float>> targets; // gain, pitch along the in-run
    while (game().jump.takeoffDone == 0 && soundMixer().loopGain(Sound::Hiss) > 0 &&
           targets.size() < 2000) {
        targets.emplace_back(soundMixer().loopGain(Sound::Hiss),
                             soundMixer().loopPitch(Sound::Hiss));
        frames(20);
    }
    ASSERT_GE(targets.size(), 3u);
    float last = 0;
    for (auto [gain, pitch] : targets) {
        Mixer m(44100);
        m.setBank(bank());
        m.setLoop(Sound::Hiss, gain, pitch);
        const float level = rms(settledBlock(m));
        EXPECT_GT(level, last) << "gain " << gain << ", pitch " << pitch;
        last = level;
    }
}

TEST_F(Sounds, PauseHelpAndMuteSilenceTheStepsSounds) {
    enterHill(*dir, 2);
    passKey(VK_SPACE);
    frames(30);
    Mixer& m = soundMixer();
    const float wind = m.loopGain(Sound::Wind);
    ASSERT_GT(m.loopGain(Sound::Hiss), 0.0f);
    for (auto [press, release] : {std::pair<int, int>{'P', 'P'}, {VK_F1, VK_F1}}) {
        if (press == 'P')
            passChar('P');
        else
            passKey(press);
        EXPECT_EQ(m.loopGain(Sound::Hiss), 0.0f);
        EXPECT_GT(m.loopGain(Sound::Wind), 0.0f);
        EXPECT_LT(m.loopGain(Sound::Wind), wind) << "the venue goes on, quieter";
        if (release == 'P')
            passChar('P');
        else
            passKey(release);
        EXPECT_GT(m.loopGain(Sound::Hiss), 0.0f);
    }
    passChar('M');
    std::vector<float> out = settledBlock(m);
    EXPECT_EQ(rms(out), 0.0f);
    ASSERT_NE(currentNotice(game()), nullptr);
    EXPECT_STREQ(currentNotice(game()), "dźwięk wyłączony");
    passChar('M');
    EXPECT_GT(rms(settledBlock(m)), 0.0f);
}

TEST_F(Sounds, TheGameStateIsTheSameWithSoundOnAndOff) {
    std::vector<uint64_t> hashes[2];
    for (int off = 0; off < 2; ++off) {
        dir->writeData("sound.dat", off ? "80 1" : "80 0");
        enterHill(*dir, 2);
        readSoundChoice(game());
        ASSERT_EQ(soundMuted(game()), off == 1);
        std::vector<float> out(800);
        passObserver = [] {};
        for (int step = 0; step < 900; ++step) {
            if (step == 20) passKey(VK_SPACE);
            if (step == 200) passLeftClick();
            if (step == 260) passRightClick();
            pass();
            soundMixer().render(out.data(), static_cast<int>(out.size()));
            hashes[off].push_back(hashGameState());
        }
        passObserver = nullptr;
        resetGameState();
    }
    EXPECT_EQ(hashes[0], hashes[1]);
}

TEST_F(Sounds, TheChoiceIsKeptAndAnythingButOneReadsAsTheDefault) {
    struct Case {
        const char* text; // nullptr: a FIFO; "" with folder: a folder
        bool folder;
        int volume;
        bool muted;
    };
    const Case cases[] = {
        {"30 1\n", false, 30, true},  {"  60 0 ", false, 60, false}, {"junk", false, 80, false},
        {"", false, 80, false},       {"101 0", false, 80, false},   {"50 2", false, 80, false},
        {"50 0 9", false, 80, false}, {"-10 0", false, 80, false},   {nullptr, false, 80, false},
        {"", true, 80, false},
    };
    const std::string path = dir->path() + "/Data/sound.dat";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "a FIFO");
        std::filesystem::remove_all(path);
        if (c.folder)
            std::filesystem::create_directory(path);
        else if (!c.text)
            ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
        else
            dir->writeData("sound.dat", c.text);
        readSoundChoice(game());
        EXPECT_EQ(soundVolume(game()), c.volume);
        EXPECT_EQ(soundMuted(game()), c.muted);
    }
    // A folder in its place: the keys still act for this run, and the folder stays.
    enterHill(*dir, 1);
    passChar('0');
    EXPECT_EQ(soundVolume(game()), 90);
    EXPECT_TRUE(std::filesystem::is_directory(path));
    std::filesystem::remove_all(path);
    // The keys step the level, say it, and keep it.
    for (char key : {'9', '9', 'M'})
        passChar(key);
    EXPECT_STREQ(currentNotice(game()), "dźwięk wyłączony");
    passChar('9');
    EXPECT_STREQ(currentNotice(game()), "głośność 60%");
    passChar('M');
    const int volume = soundVolume(game());
    const bool muted = soundMuted(game());
    resetGameState();
    readSoundChoice(game());
    EXPECT_EQ(soundVolume(game()), volume);
    EXPECT_EQ(soundMuted(game()), muted);
    EXPECT_EQ(dir->readData("sound.dat"), soundChoiceText(volume, muted));
}
