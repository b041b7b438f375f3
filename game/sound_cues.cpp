// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/sound_cues.h"

#include "core/language.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "core/file_io.h"
#include "core/settings.h"
#include "game/app.h"
#include "game/game_step.h"
#include "game/hints.h"
#include "game/pause.h"
#include "game/replay.h"
#include "game/save_notices.h"
#include "jump/controls.h"
#include "jump/jump_state.h"
#include "score/records.h"
#include "sound/sound_out.h"
#include "venue/animation.h"

namespace {

constexpr const char* kSoundFile = "Data/sound.dat";
constexpr int kNoticeSteps = 120;
// The crowd takes a breath before it answers a landing.
constexpr int kReactionDelaySteps = 25;
// Slow motion (half speed) sounds an octave down, as a tape played slower would.
constexpr float kSlowPitch = 0.5f;
// A pause or the help panel: the venue goes on, quieter.
constexpr float kStillAmbience = 0.4f;
// About the take-off speed on the highest hill, in the motion's units a second.
constexpr float kFastestRun = 14.0f;

// The levels of each voice at full volume.
constexpr float kWindDay = 0.30f, kWindNight = 0.18f;
constexpr float kSnowGain = 0.14f, kRainGain = 0.22f;
constexpr float kMurmurGain = 0.12f;
constexpr float kHissMost = 0.55f, kAirMost = 0.50f;
constexpr float kBeepGain = 0.35f, kSnapGain = 0.6f, kThumpGain = 0.8f, kFallGain = 0.9f;
constexpr float kGroanGain = 0.55f;

bool muted = false;
int volume = kDefaultVolume;

// What the last step saw, to hear what changed.
struct Seen {
    bool valid = false;
    bool replay = false;
    bool green = false;
    bool tookOff = false;
    bool landed = false;
    bool fell = false;
    int reactionIn = 0;
    float z = 0, y = 0;
    float speed = 0; // the flight's, from the steps' travel
};
Seen seen;

bool onInrun() {
    const HillStart* h = hillStart(hillNumber);
    return h && runStarted == 1 && takeoffDone == 0 && jumperZ <= h->takeoffWindow[1];
}

bool airborne() {
    return runStarted == 1 && !onInrun() && jumperY > groundY;
}

float unit(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// 0 for a jump short of 60 % of the hill's record, up to 1 at the record and beyond (the first
// jump on a hill sets it).
float cheerSize() {
    if (recordDistance <= 0) return 1;
    const float best = static_cast<float>(recordDistance);
    return unit((static_cast<float>(jumpDistance) / best - 0.6f) / 0.4f);
}

void silenceAll(Mixer& m) {
    for (int s = 0; s < kSoundCount; ++s)
        if (soundShape(static_cast<Sound>(s)).looped) m.setLoop(static_cast<Sound>(s), 0);
    m.stopOneShots();
}

void lookAgain(bool replay) {
    seen.valid = true;
    seen.replay = replay;
    seen.green = startAllowed();
    seen.tookOff = takeoffDone == 1;
    seen.landed = runStarted == 1 && !onInrun() && jumperY == groundY;
    seen.fell = false;
    seen.reactionIn = 0;
    seen.z = jumperZ;
    seen.y = jumperY;
}

void saveChoice() {
    // A choice that cannot be kept still holds for this run.
    const std::string text = soundChoiceText(volume, muted);
    noteSave(N_("ustawień dźwięku"), kSoundFile, replaceFile(kSoundFile, text.data(), text.size()));
}

void noticeLevel() {
    showNotice(muted ? std::string(_("dźwięk wyłączony"))
                     : std::string(_("głośność")) + " " + std::to_string(volume) + "%",
               kNoticeSteps);
}

} // namespace

void stepSound() {
    Mixer& m = soundMixer();
    m.setMaster(muted ? 0.0f : static_cast<float>(volume) / 100.0f);
    if (!sceneShown()) {
        silenceAll(m);
        seen.valid = false;
        return;
    }
    const bool still = gamePaused || helpShown;
    const bool replay = replayRunning();
    const float hush = still ? kStillAmbience : 1.0f;
    m.setLoop(Sound::Wind, (lightingMode == kLightingNight ? kWindNight : kWindDay) * hush);
    m.setLoop(Sound::Snow, snowFalls() ? kSnowGain * hush : 0);
    m.setLoop(Sound::Rain, rainFalls() ? kRainGain * hush : 0);
    m.setLoop(Sound::Murmur, kMurmurGain * hush);
    m.holdOneShots(still);
    if (still) {
        m.setLoop(Sound::Hiss, 0);
        m.setLoop(Sound::Air, 0);
        return;
    }
    // A replay's start or end puts the scene elsewhere at once: nothing happened there.
    if (!seen.valid) {
        // The scene has just come: its start light turns green now.
        lookAgain(replay);
        seen.green = false;
    } else if (seen.replay != replay) {
        m.stopOneShots();
        lookAgain(replay);
    }
    const float pitch = replay && replaySlow() ? kSlowPitch : 1.0f;

    const bool green = startAllowed();
    if (green && !seen.green) m.playOnce(Sound::Beep, kBeepGain, pitch);
    seen.green = green;

    const float run = unit(runSpeed / kFastestRun);
    if (onInrun())
        m.setLoop(Sound::Hiss, kHissMost * (0.15f + 0.85f * run), (0.6f + 0.7f * run) * pitch);
    else
        m.setLoop(Sound::Hiss, 0, pitch);

    if (takeoffDone == 1 && !seen.tookOff) m.playOnce(Sound::Snap, kSnapGain, pitch);
    seen.tookOff = takeoffDone == 1;

    // The flight's speed from its travel; a slow replay stands still every other step.
    const float dz = jumperZ - seen.z, dy = jumperY - seen.y;
    if (dz != 0 || dy != 0)
        seen.speed = std::sqrt(dz * dz + dy * dy) / static_cast<float>(kStepSeconds);
    seen.z = jumperZ;
    seen.y = jumperY;
    if (airborne()) {
        const float fast = unit(seen.speed / kFastestRun), lean = unit(flightLean / 20.0f);
        m.setLoop(Sound::Air, kAirMost * (0.35f + 0.45f * fast + 0.2f * lean),
                  (0.7f + 0.4f * fast + 0.15f * lean) * pitch);
    } else {
        m.setLoop(Sound::Air, 0, pitch);
    }

    if (atGate == 1) {
        seen.landed = seen.fell = false;
        seen.reactionIn = 0;
    }
    const bool down = runStarted == 1 && !onInrun() && jumperY == groundY;
    if (down && !seen.landed) {
        seen.landed = true;
        seen.fell = landingStance == 0;
        m.playOnce(seen.fell ? Sound::Fall : Sound::Thump, seen.fell ? kFallGain : kThumpGain,
                   pitch);
        seen.reactionIn = kReactionDelaySteps;
    }
    if (seen.reactionIn > 0 && --seen.reactionIn == 0) {
        if (seen.fell)
            m.playOnce(Sound::Groan, kGroanGain, pitch);
        else
            m.playOnce(Sound::Cheer, 0.25f + 0.75f * cheerSize(), pitch);
    }
}

bool soundMuted() {
    return muted;
}

int soundVolume() {
    return volume;
}

void toggleSoundMute() {
    muted = !muted;
    noticeLevel();
    saveChoice(); // a failure's notice goes over the level's
}

void changeSoundVolume(int direction) {
    volume = std::clamp(volume + (direction < 0 ? -kVolumeStep : kVolumeStep), 0, 100);
    muted = false;
    noticeLevel();
    saveChoice(); // a failure's notice goes over the level's
}

std::string soundChoiceText(int level, bool off) {
    return std::to_string(level) + (off ? " 1\n" : " 0\n");
}

void readSoundChoice() {
    muted = false;
    volume = kDefaultVolume;
    std::vector<uint8_t> bytes;
    if (readWholeFile(kSoundFile, 32, bytes) != FileRead::Read) return;
    const std::string text(bytes.begin(), bytes.end());
    // Exactly the form we write, with any white space around it; nothing else counts.
    int level = -1, off = -1, used = 0;
    if (std::sscanf(text.c_str(), " %3d %1d %n", &level, &off, &used) != 2 ||
        used != static_cast<int>(text.size()) || text.find('\0') != std::string::npos)
        return;
    if (level < 0 || level > 100 || (off != 0 && off != 1)) return;
    volume = level;
    muted = off == 1;
}

void resetSound() {
    muted = false;
    volume = kDefaultVolume;
    seen = Seen{};
    Mixer& m = soundMixer();
    silenceAll(m);
    m.holdOneShots(false);
    m.setMaster(static_cast<float>(volume) / 100.0f);
}
