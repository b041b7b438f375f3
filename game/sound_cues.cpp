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
#include "game/game.h"
#include "game/game_step.h"
#include "game/hints.h"
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

bool onInrun(const Jump& j, int32_t hill) {
    const HillStart* h = hillStart(hill);
    return h && j.runStarted == 1 && j.takeoffDone == 0 && j.jumperZ <= h->takeoffWindow[1];
}

bool airborne(const Jump& j, int32_t hill) {
    return j.runStarted == 1 && !onInrun(j, hill) && j.jumperY > j.groundY;
}

float unit(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

// 0 for a jump short of 60 % of the hill's record, up to 1 at the record and beyond (the first
// jump on a hill sets it).
float cheerSize(const Game& g) {
    if (g.records.recordDistance <= 0) return 1;
    const float best = static_cast<float>(g.records.recordDistance);
    return unit((static_cast<float>(g.jump.jumpDistance) / best - 0.6f) / 0.4f);
}

void silenceAll(Mixer& m) {
    for (int s = 0; s < kSoundCount; ++s)
        if (soundShape(static_cast<Sound>(s)).looped) m.setLoop(static_cast<Sound>(s), 0);
    m.stopOneShots();
}

void lookAgain(SoundSeen& seen, const Jump& j, int32_t hill, bool replay) {
    seen.valid = true;
    seen.replay = replay;
    seen.green = startAllowed(j);
    seen.tookOff = j.takeoffDone == 1;
    seen.landed = j.runStarted == 1 && !onInrun(j, hill) && j.jumperY == j.groundY;
    seen.fell = false;
    seen.reactionIn = 0;
    seen.z = j.jumperZ;
    seen.y = j.jumperY;
}

void saveChoice(Game& g) {
    // A choice that cannot be kept still holds for this run.
    const std::string text = soundChoiceText(g.sound.volume, g.sound.muted);
    noteSave(g, N_("ustawień dźwięku"), kSoundFile,
             replaceFile(kSoundFile, text.data(), text.size()));
}

void noticeLevel(Game& g) {
    showNotice(g,
               g.sound.muted
                   ? std::string(_("dźwięk wyłączony"))
                   : std::string(_("głośność")) + " " + std::to_string(g.sound.volume) + "%",
               kNoticeSteps);
}

} // namespace

void stepSound(Game& g) {
    SoundSeen& seen = g.sound.seen;
    const Jump& j = g.jump;
    Mixer& m = soundMixer();
    m.setMaster(g.sound.muted ? 0.0f : static_cast<float>(g.sound.volume) / 100.0f);
    if (!sceneShown(g)) {
        silenceAll(m);
        seen.valid = false;
        return;
    }
    const bool still = g.mode.paused || g.mode.help;
    const bool replay = replayRunning(g);
    const float hush = still ? kStillAmbience : 1.0f;
    m.setLoop(Sound::Wind,
              (g.settings.lightingMode == kLightingNight ? kWindNight : kWindDay) * hush);
    m.setLoop(Sound::Snow, snowFalls(g.settings) ? kSnowGain * hush : 0);
    m.setLoop(Sound::Rain, rainFalls(g.settings) ? kRainGain * hush : 0);
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
        lookAgain(seen, j, g.settings.hillNumber, replay);
        seen.green = false;
    } else if (seen.replay != replay) {
        m.stopOneShots();
        lookAgain(seen, j, g.settings.hillNumber, replay);
    }
    const float pitch = replay && replaySlow(g) ? kSlowPitch : 1.0f;

    const bool green = startAllowed(j);
    if (green && !seen.green) m.playOnce(Sound::Beep, kBeepGain, pitch);
    seen.green = green;

    const float run = unit(j.runSpeed / kFastestRun);
    if (onInrun(j, g.settings.hillNumber))
        m.setLoop(Sound::Hiss, kHissMost * (0.15f + 0.85f * run), (0.6f + 0.7f * run) * pitch);
    else
        m.setLoop(Sound::Hiss, 0, pitch);

    if (j.takeoffDone == 1 && !seen.tookOff) m.playOnce(Sound::Snap, kSnapGain, pitch);
    seen.tookOff = j.takeoffDone == 1;

    // The flight's speed from its travel; a slow replay stands still every other step.
    const float dz = j.jumperZ - seen.z, dy = j.jumperY - seen.y;
    if (dz != 0 || dy != 0)
        seen.speed = std::sqrt(dz * dz + dy * dy) / static_cast<float>(kStepSeconds);
    seen.z = j.jumperZ;
    seen.y = j.jumperY;
    if (airborne(j, g.settings.hillNumber)) {
        const float fast = unit(seen.speed / kFastestRun), lean = unit(j.flightLean / 20.0f);
        m.setLoop(Sound::Air, kAirMost * (0.35f + 0.45f * fast + 0.2f * lean),
                  (0.7f + 0.4f * fast + 0.15f * lean) * pitch);
    } else {
        m.setLoop(Sound::Air, 0, pitch);
    }

    if (j.atGate == 1) {
        seen.landed = seen.fell = false;
        seen.reactionIn = 0;
    }
    const bool down =
        j.runStarted == 1 && !onInrun(j, g.settings.hillNumber) && j.jumperY == j.groundY;
    if (down && !seen.landed) {
        seen.landed = true;
        seen.fell = j.landingStance == 0;
        m.playOnce(seen.fell ? Sound::Fall : Sound::Thump, seen.fell ? kFallGain : kThumpGain,
                   pitch);
        seen.reactionIn = kReactionDelaySteps;
    }
    if (seen.reactionIn > 0 && --seen.reactionIn == 0) {
        if (seen.fell)
            m.playOnce(Sound::Groan, kGroanGain, pitch);
        else
            m.playOnce(Sound::Cheer, 0.25f + 0.75f * cheerSize(g), pitch);
    }
}

bool soundMuted(const Game& g) {
    return g.sound.muted;
}

int soundVolume(const Game& g) {
    return g.sound.volume;
}

void toggleSoundMute(Game& g) {
    g.sound.muted = !g.sound.muted;
    noticeLevel(g);
    saveChoice(g); // a failure's notice goes over the level's
}

void changeSoundVolume(Game& g, int direction) {
    g.sound.volume =
        std::clamp(g.sound.volume + (direction < 0 ? -kVolumeStep : kVolumeStep), 0, 100);
    g.sound.muted = false;
    noticeLevel(g);
    saveChoice(g); // a failure's notice goes over the level's
}

std::string soundChoiceText(int level, bool off) {
    return std::to_string(level) + (off ? " 1\n" : " 0\n");
}

void readSoundChoice(Game& g) {
    bool& muted = g.sound.muted;
    int& volume = g.sound.volume;
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

void silenceSound() {
    Mixer& m = soundMixer();
    silenceAll(m);
    m.holdOneShots(false);
    m.setMaster(static_cast<float>(kDefaultVolume) / 100.0f);
}
