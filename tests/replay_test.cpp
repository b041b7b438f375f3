// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Replays through the real game step and dispatch: a replay goes through the live jump's
// states bit for bit, and gives the live game back exactly as it left it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>

#include "camera/views.h"
#include "core/random.h"
#include "game/app.h"
#include "game/replay.h"
#include "jump_play.h"
#include "score/records.h"
#include "support/game_snapshot.h"
#include "game/game.h"
#include "support/harness.h"

namespace {

// Each call a new seed, as a clock that ticks between the judges' draws would give.
unsigned seedCount = 0;
unsigned countingSeed() {
    return 1000 + ++seedCount;
}

// Everything that moves, with the records as last read put aside (a replay never reads
// them) and the generator's state (a replay draws from the seeds it kept).
std::vector<unsigned char> movingState() {
    const RecordBook records = game().records;
    const unsigned randomState = game().random.state;
    game().records = RecordBook{};
    game().random.state = 0;
    auto state = snapshotGameState();
    game().records = records;
    game().random.state = randomState;
    return state;
}

std::vector<std::vector<unsigned char>> seen;
bool watching = false;
void watch() {
    if (watching) seen.push_back(movingState());
}

// Passes since the watch began, so that a replay can be sent the same keys at the same
// steps.
int passesWatched() {
    return static_cast<int>(seen.size());
}

struct Script {
    int hill;
    bool stance;
    bool cameras = true;
};

// A jump with lean changes and camera switches, on the hill's own course; every pass from
// the start on is kept in `seen`. Returns the passes at which '3' and '5' were pressed.
std::pair<int, int> playScriptedJump(TempGameDir& dir, const Script& s) {
    seedCount = 0;
    game().random.seedSource = countingSeed;
    enterHill(dir, s.hill);
    frames(5);
    seen.clear();
    watching = true;
    passObserver = watch;
    EXPECT_TRUE(runAndTakeOff());
    leanForward();
    const int three = passesWatched();
    s.cameras ? passChar('3') : pass();
    frames(4);
    passMouseMove(400, 200); // lean back a little
    const int five = passesWatched();
    s.cameras ? passChar('5') : pass();
    if (s.stance) {
        EXPECT_TRUE(takeLandingStance());
    }
    EXPECT_TRUE(waitForLanding());
    EXPECT_GE(framesUntil([] { return !recordingInProgress(game()); }, 4000), 0);
    watching = false;
    passChar('1'); // the view the jump started in
    return {three, five};
}

void endWatch() {
    watching = false;
    passObserver = nullptr;
    game().random.seedSource = nullptr;
}

// The same jump, then one pass where the other run took R (plain, or with the mouse moves
// the replay was given): the state a replay must give back.
std::vector<unsigned char> stateWithoutReplay(
    const Script& s, const std::function<void()>& lastPass = [] { frames(1); }) {
    resetGameState();
    TempGameDir dir(false);
    playScriptedJump(dir, s);
    lastPass();
    endWatch();
    return snapshotGameState();
}

class ReplayOnEachHill : public WholeJump, public ::testing::WithParamInterface<Script> {};

TEST_P(ReplayOnEachHill, GoesThroughTheLiveStatesAndGivesTheLiveGameBack) {
    const Script s = GetParam();
    const auto [three, five] = playScriptedJump(*dir, s);
    const auto live = seen;
    ASSERT_GT(live.size(), 200u);
    ASSERT_EQ(lastRecording(game()).steps + 1, live.size());

    seen.clear();
    watching = true;
    passChar('R');
    ASSERT_TRUE(replayRunning(game()));
    while (replayRunning(game()) && seen.size() < live.size() + 5) {
        const int j = passesWatched();
        if (j == three)
            passChar('3');
        else if (j == five)
            passChar('5');
        else
            pass();
    }
    EXPECT_FALSE(replayRunning(game()));
    const auto replayed = seen;
    const auto after = snapshotGameState();
    endWatch();

    // The replay's last pass gives the live game back; each one before it is a live state.
    ASSERT_EQ(replayed.size(), lastRecording(game()).steps + 2);
    for (size_t j = 0; j + 1 < replayed.size(); ++j)
        ASSERT_EQ(replayed[j], live[j]) << "parted at step " << j;
    EXPECT_EQ(after, stateWithoutReplay(s));
}

INSTANTIATE_TEST_SUITE_P(Jumps, ReplayOnEachHill,
                         ::testing::Values(Script{1, true}, Script{2, true}, Script{3, true},
                                           Script{2, false}),
                         [](const auto& info) {
                             return "Hill" + std::to_string(info.param.hill) +
                                    (info.param.stance ? "Landing" : "Fall");
                         });

TEST_F(WholeJump, SlowMotionShowsEveryStepTwiceAsLong) {
    playScriptedJump(*dir, {1, true, false});
    const auto live = seen;
    seen.clear();
    watching = true;
    passChar('R');
    passKey(VK_SPACE);
    EXPECT_TRUE(replaySlow(game()));
    while (replayRunning(game()) && seen.size() < 3 * live.size())
        pass();
    const auto replayed = seen;
    endWatch();
    // The same states in the same order, every one but the first two shown for two passes.
    std::vector<std::vector<unsigned char>> distinct;
    for (size_t j = 0; j + 1 < replayed.size(); ++j)
        if (distinct.empty() || distinct.back() != replayed[j]) distinct.push_back(replayed[j]);
    ASSERT_EQ(distinct.size(), live.size());
    for (size_t j = 0; j < live.size(); ++j)
        ASSERT_EQ(distinct[j], live[j]) << "parted at step " << j;
    EXPECT_GE(replayed.size(), 2 * live.size() - 4);
}

TEST(ReplayEnds, EveryEndingKeyGivesTheLiveGameBackAndDoesNothingElse) {
    const Script s{1, true};
    // The mouse moved during the replay: the live cursor is where it went.
    const auto reference = stateWithoutReplay(s, [] { passMouseMove(400, 100); });
    const std::vector<std::function<void()>> endings = {
        [] { passChar('R'); },
        [] { passKey(VK_RETURN); },
        [] { passKey(VK_ESCAPE); },
        [] { passLeftClick(); },
        [] { passKey(VK_CONTROL); },
        [] {
            PlatformMessage m;
            m.type = MSG_PADBUTTON;
            m.key = PAD_A;
            pass(&m);
        },
    };
    for (size_t e = 0; e < endings.size(); ++e) {
        resetGameState();
        TempGameDir dir(false);
        playScriptedJump(dir, s);
        endWatch();
        passChar('R');
        frames(100); // in the air
        passMouseMove(400, 100);
        passRightClick();
        ASSERT_TRUE(replayRunning(game()));
        endings[e]();
        EXPECT_FALSE(replayRunning(game())) << "ending " << e;
        EXPECT_EQ(snapshotGameState(), reference) << "ending " << e;
    }
}

// Paused or helped in the air, the player moves the mouse up; resumed, a little down. The
// cursor followed the stop, so that move leans forward, and the replay does the same.
TEST_F(WholeJump, AMoveWhileTheJumpStandsStillSetsTheCursorAndOnlyTheLeanWaits) {
    using Stop = void (*)();
    for (Stop stop : {Stop([] { passChar('P'); }), Stop([] { passKey(VK_F1); })}) {
        enterHill(*dir, 2);
        ASSERT_TRUE(runAndTakeOff());
        framesUntil([] { return game().jump.extendStep == 0; }, 100);
        passMouseMove(400, 300);
        const float lean = game().jump.flightLean;
        stop();
        passMouseMove(400, 100);
        EXPECT_EQ(game().jump.cursorY, 100);
        EXPECT_EQ(game().jump.flightLean, lean) << "no lean while it stands still";
        stop();
        passMouseMove(400, 150);
        EXPECT_GT(game().jump.flightLean, lean) << "down from where the cursor went: forward";

        ASSERT_TRUE(waitForLanding());
        ASSERT_GE(framesUntil([] { return !recordingInProgress(game()); }, 4000), 0);
        const auto result = [] {
            return std::pair{game().jump.flightLean, game().jump.jumpDistance};
        };
        const auto live = result();
        auto replayed = std::pair{0.0f, 0};
        for (passChar('R'); replayRunning(game()); pass())
            replayed = result();
        EXPECT_EQ(replayed, live);
    }
}

TEST_F(WholeJump, RNeedsAFinishedJumpAndTheJumperOnTheGround) {
    game().random.seedSource = countingSeed;
    enterHill(*dir, 1);
    passChar('R'); // no jump yet
    EXPECT_FALSE(replayRunning(game()));
    ASSERT_TRUE(runAndTakeOff());
    passChar('R'); // in the air
    EXPECT_FALSE(replayRunning(game()));
    ASSERT_TRUE(waitForLanding());
    passChar('R');
    EXPECT_TRUE(replayRunning(game())) << "on the ground, still sliding";
    passChar('R');
    resetOnTheGround();
    passChar('R'); // a new jump waits at the gate
    EXPECT_FALSE(replayRunning(game()));
    game().random.seedSource = nullptr;
}

TEST_F(WholeJump, ARecordJumpIsKeptAndTPlaysItWithTheSameDistance) {
    dir->writeDefaults();
    const std::string path = dir->path() + "/Data/replay1.dat";
    playScriptedJump(*dir, {1, true});
    endWatch();
    const int32_t distance = game().jump.jumpDistance;
    ASSERT_GT(distance, 0);
    EXPECT_EQ(dir->readData("record1.dat"), std::to_string(distance));
    ASSERT_TRUE(dir->dataExists("replay1.dat"));
    EXPECT_FALSE(dir->dataExists("replay1.dat.tmp"));

    // The next jump waits at the gate; T plays the record jump through to its standstill.
    resetOnTheGround();
    passChar('T');
    ASSERT_TRUE(replayRunning(game()));
    int32_t shown = 0;
    while (replayRunning(game())) {
        shown = game().jump.jumpDistance;
        pass();
    }
    EXPECT_EQ(shown, distance);
    EXPECT_EQ(game().jump.atGate, 1) << "back at the gate";
    EXPECT_EQ(dir->readData("record1.dat"), std::to_string(distance)) << "no record written";

    // No file for the hill: nothing plays, and the reason is told once.
    dir->removeData("replay1.dat");
    ::testing::internal::CaptureStderr();
    passChar('T');
    const std::string told = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(replayRunning(game()));
    EXPECT_NE(told.find("Data/replay1.dat: no such file"), std::string::npos) << told;
    EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1);
}

TEST_F(WholeJump, WhenTheRecordOrItsJumpCannotBeKeptTPlaysNoOtherJump) {
    // The temporary file in the way of one of the two writes.
    for (const char* blocked : {"replay1.dat", "record1.dat"}) {
        SCOPED_TRACE(blocked);
        dir.reset();
        dir = std::make_unique<TempGameDir>(false);
        resetGameState();
        dir->writeDefaults();
        dir->writeData("replay1.dat", "an older jump");
        const std::string temporary = "Data/" + std::string(blocked) + ".tmp";
        std::filesystem::create_directory(dir->path() + "/" + temporary);
        ::testing::internal::CaptureStderr();
        playScriptedJump(*dir, {1, true});
        endWatch();
        const std::string told = ::testing::internal::GetCapturedStderr();
        const bool recordStored = std::string(blocked) == "replay1.dat";
        EXPECT_EQ(dir->readData("record1.dat"),
                  recordStored ? std::to_string(game().jump.jumpDistance) : "00");
        EXPECT_FALSE(dir->dataExists("replay1.dat"));
        EXPECT_NE(told.find("could not save Data/" + std::string(blocked) + ": " + temporary +
                            " is in the way"),
                  std::string::npos)
            << told;
        resetOnTheGround();
        ::testing::internal::CaptureStderr();
        passChar('T');
        EXPECT_NE(::testing::internal::GetCapturedStderr().find("no record jump to play"),
                  std::string::npos);
        EXPECT_FALSE(replayRunning(game()));
    }
}

// --- The file format ---

class ReplayFile : public WholeJump {
  protected:
    void SetUp() override {
        WholeJump::SetUp();
        playScriptedJump(*dir, {2, true});
        endWatch();
        recording = lastRecording(game());
        bytes = encodeReplay(recording);
    }
    Recording recording;
    std::vector<uint8_t> bytes;
    std::string why;
};

TEST_F(ReplayFile, RoundTripsAndStaysSmall) {
    Recording back;
    ASSERT_TRUE(decodeReplay(bytes, 2, back, why)) << why;
    EXPECT_EQ(encodeReplay(back), bytes);
    EXPECT_EQ(back.seeds, recording.seeds);
    EXPECT_LT(bytes.size(), 4096u) << "a whole jump in a few kilobytes";
    ASSERT_TRUE(writeReplayFile("Data/replay2.dat", recording));
    EXPECT_TRUE(readReplayFile("Data/replay2.dat", 2, back, why)) << why;
    // The replay fuzz target's seed input is this file.
    if (const char* seed = std::getenv("REPLAY_SEED_OUT")) writeReplayFile(seed, recording);
}

TEST_F(ReplayFile, RefusesTruncatedLongFlippedAndForeignFiles) {
    Recording out;
    for (size_t n = 0; n < bytes.size(); ++n) {
        const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
        EXPECT_FALSE(decodeReplay(cut, 2, out, why)) << n << " bytes";
    }
    auto longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(decodeReplay(longer, 2, out, why));
    EXPECT_NE(why.find("too long"), std::string::npos) << why;
    for (size_t bit = 0; bit < bytes.size() * 8; bit += 7) {
        auto flipped = bytes;
        flipped[bit / 8] ^= static_cast<uint8_t>(1u << (bit % 8));
        EXPECT_FALSE(decodeReplay(flipped, 2, out, why)) << "bit " << bit;
    }
    EXPECT_FALSE(decodeReplay(bytes, 1, out, why));
    EXPECT_EQ(why, "a jump on hill 2, not hill 1");
    auto newer = bytes;
    newer[4] = 2;
    EXPECT_FALSE(decodeReplay(newer, 2, out, why));
    EXPECT_NE(why.find("version 2"), std::string::npos) << why;
}

TEST_F(ReplayFile, RefusesValuesNoJumpHasEvenWithAGoodChecksum) {
    Recording out;
    auto bad = recording;
    const float inf = std::numeric_limits<float>::infinity();
    std::memcpy(bad.start.data(), &inf, 4);
    EXPECT_FALSE(decodeReplay(encodeReplay(bad), 2, out, why));
    bad = recording;
    bad.commands.push_back({recording.steps + 1, JumpCommand::Start, 0});
    EXPECT_FALSE(decodeReplay(encodeReplay(bad), 2, out, why));
    bad = recording;
    bad.hill = 7;
    EXPECT_FALSE(decodeReplay(encodeReplay(bad), 0, out, why));
    // A file that is no regular file, or far too large, is never read whole.
    std::ofstream("Data/replay2.dat", std::ios::binary) << std::string(4 << 20, 'x');
    EXPECT_FALSE(readReplayFile("Data/replay2.dat", 2, out, why));
    EXPECT_EQ(why, "larger than any replay");
}

} // namespace
