// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The per-hill record files: format, reading rules, the replace-by-rename store that
// survives being killed, and the record check of real jumps.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <random>
#include <regex>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "score/records.h"
#include "jump/style_marks.h"
#include "score/points.h"
#include "core/file_io.h"
#include "core/settings.h"
#include "game/hints.h"
#include "jump_play.h"
#include "game/game.h"
#include "support/harness.h"

namespace fs = std::filesystem;

namespace {

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

ino_t inodeOf(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return 0;
    return info.st_ino;
}

class RecordFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::make_unique<TempGameDir>(false);
        game().records = RecordBook{};
        game().jump.jumperY = game().jump.groundY; // down on the ground: the distance stands
    }
    void TearDown() override { dir.reset(); }
    std::string path(int hill) const {
        return dir->path() + "/Data/record" + std::to_string(hill) + ".dat";
    }
    int leftoverTemporaries() const {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir->path() + "/Data"))
            if (e.path().filename().string().find(".dat.") != std::string::npos) ++n;
        return n;
    }
    std::unique_ptr<TempGameDir> dir;
};

TEST_F(RecordFiles, StoredAsAtLeastTwoDigitsWithoutLineEnd) {
    for (int hill = 1; hill <= 3; ++hill) {
        for (int value : {7, 0, 95, 140}) {
            ASSERT_TRUE(storeRecord(hill, value));
            EXPECT_EQ(dir->readData("record" + std::to_string(hill) + ".dat"), twoDigits(value));
            int32_t read = -1;
            ASSERT_TRUE(readRecord(game().records, hill, read));
            EXPECT_EQ(read, value);
        }
    }
    EXPECT_EQ(dir->readData("record1.dat"), "140");
    EXPECT_EQ(leftoverTemporaries(), 0);
    EXPECT_EQ(recordFilePath(0), nullptr);
    EXPECT_EQ(recordFilePath(4), nullptr);
    EXPECT_FALSE(storeRecord(4, 10));
}

// The leading digits are the record, and text that is no number is record 0, which the next
// jump heals; only what the game could never have written is corrupt: it shows the last good
// read, is never replaced, and is named once on standard error.
TEST_F(RecordFiles, LeadingDigitsAreTheRecordAndOnlyLongerRunsAreLeftAlone) {
    struct Case {
        const char* text;
        bool corrupt;
        int value; // what a read gives after a good read of 42
    };
    const Case cases[] = {
        {"07", false, 7},
        {"999", false, 999},
        {"5", false, 5},
        {"07\n", false, 7},
        {"120 \r\n", false, 120},
        {"95 m", false, 95},
        {"12a", false, 12},
        {"-5", false, 0},
        {"x95", false, 0},
        {"abc", false, 0},
        {" 12", false, 0},
        {"\n", false, 0},
        {"1063", true, 42},
        {"0000000000000000000000000012", true, 42},
        {"12                                        x", true, 42}, // longer than any record
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        dir->writeData("record1.dat", "42");
        int32_t value = -1;
        ASSERT_TRUE(readRecord(game().records, 1, value));
        dir->writeData("record1.dat", c.text);
        ::testing::internal::CaptureStderr();
        ASSERT_TRUE(readRecord(game().records, 1, value));
        ASSERT_TRUE(readRecord(game().records, 1, value));
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(recordCorrupt(game().records, 1), c.corrupt);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(told.find("Data/record1.dat"), c.corrupt ? 7u : std::string::npos) << told;
        EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), c.corrupt ? 1 : 0) << told;

        // A 107 m jump in stance: only a sound record below it is replaced.
        game().settings.hillNumber = 1;
        game().jump.jumpDistance = 107;
        game().jump.landingStanceTaken = 1;
        checkRecord(game().records, game().jump, game().settings.hillNumber);
        const bool beaten = !c.corrupt && c.value < 107;
        EXPECT_EQ(dir->readData("record1.dat"), beaten ? std::string("107") : c.text);
        game().jump.landingStanceTaken = 0;
    }
    EXPECT_EQ(leftoverTemporaries(), 0);
}

TEST_F(RecordFiles, LongerDistancesAreStoredAsTheLargestThreeDigitRecord) {
    ASSERT_TRUE(storeRecord(2, 1063));
    EXPECT_EQ(dir->readData("record2.dat"), "999");
    game().settings.hillNumber = 2;
    game().jump.jumpDistance = 2000000;
    game().jump.landingStanceTaken = 1;
    checkRecord(game().records, game().jump, game().settings.hillNumber);
    const ino_t stored = inodeOf(path(2));
    checkRecord(game().records, game().jump, game().settings.hillNumber);
    EXPECT_EQ(inodeOf(path(2)), stored) << "999 is not stored again and again";
    EXPECT_EQ(game().records.recordDistance, 999);
}

TEST_F(RecordFiles, AFailedStoreWaitsForTheNextJump) {
    // A folder in the temporary file's place makes every store fail.
    fs::create_directory(path(3) + ".tmp");
    game().settings.hillNumber = 3;
    game().jump.jumpDistance = 50;
    game().jump.landingStanceTaken = 1;
    checkRecord(game().records, game().jump, game().settings.hillNumber);
    fs::remove(path(3) + ".tmp");
    for (int step = 0; step < 30; ++step)
        checkRecord(game().records, game().jump, game().settings.hillNumber);
    EXPECT_FALSE(dir->dataExists("record3.dat")) << "not tried again in the same jump";
    game().jump.landingStanceTaken = 0; // the next jump
    checkRecord(game().records, game().jump, game().settings.hillNumber);
    game().jump.landingStanceTaken = 1;
    checkRecord(game().records, game().jump, game().settings.hillNumber);
    EXPECT_EQ(dir->readData("record3.dat"), "50");
}

TEST_F(RecordFiles, OnlyTheGamesOwnTemporaryNamesAreRemovedAtStartUp) {
    dir->writeData("record1.dat.tmp", "4");
    dir->writeData("record2.dat", "61");
    // The player's files, whatever they look like.
    for (const char* name : {"record1.dat.backup", "record2.dat.Ab3xYz", "notes.dat.Ab3xYz"})
        dir->writeData(name, "a player's file");
    removeRecordLeftovers();
    EXPECT_FALSE(dir->dataExists("record1.dat.tmp"));
    EXPECT_EQ(leftoverTemporaries(), 3);
    EXPECT_EQ(dir->readData("record2.dat"), "61");
}

TEST_F(RecordFiles, AFileThatCannotBeReadIsNeverReplacedAndNamedOnce) {
    const std::function<void(const std::string&)> makers[] = {
        [](const std::string& p) { mkfifo(p.c_str(), 0644); },
        [](const std::string& p) { fs::create_directory(p); },
    };
    for (const auto& make : makers) {
        dir->writeData("record1.dat", "99");
        int32_t value = -1;
        ASSERT_TRUE(readRecord(game().records, 1, value));
        dir->removeData("record1.dat");
        make(path(1));
        game().settings.hillNumber = 1;
        game().jump.jumpDistance = 11;
        game().jump.landingStanceTaken = 1;
        ::testing::internal::CaptureStderr();
        for (int step = 0; step < 5; ++step)
            EXPECT_FALSE(checkRecord(game().records, game().jump, game().settings.hillNumber));
        const std::string told = ::testing::internal::GetCapturedStderr();
        EXPECT_TRUE(recordUnreadable(game().records, 1));
        EXPECT_EQ(game().records.recordDistance, 99) << "the last good read stands";
        EXPECT_FALSE(fs::is_regular_file(path(1))) << "never replaced";
        EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
        EXPECT_NE(told.find("Data/record1.dat cannot be read"), std::string::npos) << told;
        fs::remove(path(1));
        game().records = RecordBook{};
    }
}

TEST_F(RecordFiles, MissingFileIsRecordZeroAndIsCreatedByTheFirstRecord) {
    int32_t value = 55;
    dir->writeData("record3.dat", "88");
    ASSERT_TRUE(readRecord(game().records, 3, value));
    ASSERT_EQ(value, 88);
    dir->removeData("record3.dat");
    ASSERT_TRUE(readRecord(game().records, 3, value));
    EXPECT_EQ(value, 0);
    // An empty file appearing later keeps that 0, not the 88 read before.
    dir->writeData("record3.dat", "");
    ASSERT_TRUE(readRecord(game().records, 3, value));
    EXPECT_EQ(value, 0);
    dir->removeData("record3.dat");
    ASSERT_TRUE(storeRecord(3, 61));
    EXPECT_EQ(dir->readData("record3.dat"), "61");
}

TEST_F(RecordFiles, EmptyOrUnreadableFileKeepsThePreviousRead) {
    int32_t value = 0;
    dir->writeData("record1.dat", "42");
    ASSERT_TRUE(readRecord(game().records, 1, value));
    ASSERT_EQ(value, 42);
    dir->writeData("record1.dat", "");
    value = -1;
    ASSERT_TRUE(readRecord(game().records, 1, value));
    EXPECT_EQ(value, 42);
    // A directory in the file's place cannot be read as a record.
    dir->removeData("record1.dat");
    fs::create_directory(path(1));
    value = -1;
    ASSERT_TRUE(readRecord(game().records, 1, value));
    EXPECT_EQ(value, 42);
    EXPECT_FALSE(storeRecord(1, 50)) << "a directory is not replaced";
    EXPECT_TRUE(fs::is_directory(path(1)));
    EXPECT_EQ(leftoverTemporaries(), 0);
}

TEST_F(RecordFiles, StoreReplacesTheFileInOneStep) {
    dir->writeData("record1.dat", "10");
    const ino_t before = inodeOf(path(1));
    ASSERT_TRUE(storeRecord(1, 11));
    EXPECT_NE(inodeOf(path(1)), before) << "a new file took the old one's place";
    struct stat info {};
    ASSERT_EQ(stat(path(1).c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0644u);
}

TEST_F(RecordFiles, NeverEmptyOrPartialWhenKilledWhileWriting) {
    // A child stores records as fast as it can; it is killed at random moments. Every
    // time the file must hold one whole record the child wrote, never nothing or a part.
    const std::regex whole("[0-9]{2,3}");
    std::mt19937 rng(12345);
    std::uniform_int_distribution<int> pause(0, 3000);
    ASSERT_TRUE(storeRecord(1, 10));
    int kills = 0;
    for (int round = 0; round < 150; ++round) {
        std::fflush(nullptr);
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Values 10..999 alternate between two and three digits.
            for (int i = 0;; i = (i + 1) % 990)
                storeRecord(1, 10 + i * 7 % 990);
        }
        usleep(static_cast<useconds_t>(pause(rng)));
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        if (WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) ++kills;
        const std::string text = dir->readData("record1.dat");
        ASSERT_TRUE(std::regex_match(text, whole)) << "round " << round << ": \"" << text << '"';
        int32_t value = -1;
        ASSERT_TRUE(readRecord(game().records, 1, value));
        EXPECT_GE(value, 10);
        EXPECT_LE(value, 999);
    }
    EXPECT_EQ(kills, 150);
    // One fixed temporary name: at most one leftover, gone at the next start.
    EXPECT_LE(leftoverTemporaries(), 1);
    removeRecordLeftovers();
    EXPECT_EQ(leftoverTemporaries(), 0);
}

// --- The record check of whole jumps ---------------------------------------------------

class RecordJumps : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::make_unique<TempGameDir>(false);
        game().records = RecordBook{};
    }
    void TearDown() override { dir.reset(); }
    std::string path(int hill) const {
        return dir->path() + "/Data/record" + std::to_string(hill) + ".dat";
    }
    std::unique_ptr<TempGameDir> dir;
};

TEST_F(RecordJumps, AFallNeverChangesTheRecord) {
    enterHill(*dir, 1);
    const ino_t before = inodeOf(path(1));
    ASSERT_TRUE(playJump(false));
    frames(40);
    EXPECT_EQ(game().jump.fallen, 1);
    EXPECT_GT(game().jump.jumpDistance, 0);
    EXPECT_EQ(dir->readData("record1.dat"), "00");
    EXPECT_EQ(inodeOf(path(1)), before);

    // Nor does it create a missing file.
    // A fallen jumper thrown off the knoll is in the air again for a while, and the click
    // resets only on the ground: click until it takes.
    for (int tries = 0; tries < 50 && game().jump.atGate == 0; ++tries) {
        framesUntil(onGround, 200);
        passLeftClick();
    }
    ASSERT_EQ(game().jump.atGate, 1);
    dir->removeData("record1.dat");
    ASSERT_TRUE(playJump(false));
    frames(20);
    EXPECT_FALSE(dir->dataExists("record1.dat"));
    EXPECT_EQ(game().records.recordDistance, 0);
}

TEST_F(RecordJumps, ALandingInStanceSetsTheRecordOnlyWhenBeaten) {
    for (int hill = 1; hill <= 3; ++hill) {
        dir.reset();
        dir = std::make_unique<TempGameDir>(false);
        game().records = RecordBook{};
        enterHill(*dir, hill);
        ASSERT_TRUE(playJump(true)) << "hill " << hill;
        frames(2);
        const int distance = game().jump.jumpDistance;
        ASSERT_GT(distance, 1) << "hill " << hill;
        const std::string name = "record" + std::to_string(hill) + ".dat";
        EXPECT_EQ(dir->readData(name), twoDigits(distance));
        EXPECT_EQ(game().records.recordDistance, distance);

        // Exactly the record: the file is left alone.
        dir->writeData(name, twoDigits(distance));
        const ino_t same = inodeOf(path(hill));
        frames(5);
        EXPECT_EQ(inodeOf(path(hill)), same) << "hill " << hill;
        EXPECT_EQ(dir->readData(name), twoDigits(distance));

        // One metre less on file: the jump beats it by one and is written.
        dir->writeData(name, twoDigits(distance - 1));
        const ino_t lower = inodeOf(path(hill));
        frames(1);
        EXPECT_NE(inodeOf(path(hill)), lower) << "hill " << hill;
        EXPECT_EQ(dir->readData(name), twoDigits(distance));

        // A higher record on file is never lowered.
        dir->writeData(name, twoDigits(distance + 1));
        frames(3);
        EXPECT_EQ(dir->readData(name), twoDigits(distance + 1));
        EXPECT_EQ(game().records.recordDistance, distance + 1);
    }
}

TEST_F(RecordJumps, TheRecordIsTheDistanceThatStandsOnceHeIsDown) {
    for (int hill = 1; hill <= 3; ++hill) {
        dir.reset();
        dir = std::make_unique<TempGameDir>(false);
        game().records = RecordBook{};
        enterHill(*dir, hill);
        ASSERT_TRUE(runAndTakeOff());
        ASSERT_TRUE(takeLandingStance()) << "hill " << hill;
        // In the air after the stance the distance may still change: nothing is stored.
        framesUntil([&] {
            if (!onGround()) {
                EXPECT_EQ(dir->readData("record" + std::to_string(hill) + ".dat"), "00");
            }
            return onGround();
        });
        frames(60);
        const std::string stored = dir->readData("record" + std::to_string(hill) + ".dat");
        EXPECT_EQ(stored, twoDigits(game().jump.jumpDistance)) << "hill " << hill;
        EXPECT_EQ(game().records.recordDistance, game().jump.jumpDistance)
            << "the HUD's record is the distance shown";
    }
}

ssize_t diskFull(int, const void*, size_t) {
    errno = ENOSPC;
    return -1;
}

TEST_F(RecordJumps, AFullDiskIsSaidOnceAndTheOldRecordAndNoOtherJumpStand) {
    enterHill(*dir, 1);
    dir->writeData("replay1.dat", "an older jump");
    setWriteCall(diskFull);
    ::testing::internal::CaptureStderr();
    const bool jumped = playJump(true);
    frames(200);
    const std::string told = ::testing::internal::GetCapturedStderr();
    const char* notice = currentNotice(game());
    setWriteCall(nullptr);
    ASSERT_TRUE(jumped);
    ASSERT_GT(game().jump.jumpDistance, 0);
    EXPECT_EQ(dir->readData("record1.dat"), "00");
    EXPECT_EQ(game().records.recordDistance, 0) << "the HUD keeps the old record";
    EXPECT_FALSE(dir->dataExists("replay1.dat")) << "T must not play another jump";
    // One line per file and cause, however many steps and writes.
    const std::regex lines("orbel: could not save Data/record1\\.dat: No space left on device\n");
    EXPECT_EQ(std::distance(std::sregex_iterator(told.begin(), told.end(), lines),
                            std::sregex_iterator()),
              1)
        << told;
    EXPECT_NE(told.find("could not save Data/replay1.dat: No space left"), std::string::npos);
    EXPECT_EQ(notice, nullptr) << "two seconds are over";
    // The notice itself, while it lasts: the next record jump fails the same way.
    resetOnTheGround();
    setWriteCall(diskFull);
    ::testing::internal::CaptureStderr();
    ASSERT_TRUE(playJump(true));
    frames(2);
    const std::string again = ::testing::internal::GetCapturedStderr();
    setWriteCall(nullptr);
    ASSERT_NE(currentNotice(game()), nullptr);
    EXPECT_STREQ(currentNotice(game()), "nie zapisano rekordu: brak miejsca na dysku");
    EXPECT_EQ(again.find("record1.dat"), std::string::npos) << "said once per cause: " << again;
}

TEST_F(RecordJumps, SevenMetresAreStoredAsZeroSeven) {
    enterHill(*dir, 1);
    ASSERT_TRUE(playJump(true));
    frames(2);
    game().jump.jumpDistance = 7;
    dir->writeData("record1.dat", "05");
    frames(1);
    EXPECT_EQ(dir->readData("record1.dat"), "07");
    frames(1);
    EXPECT_EQ(game().records.recordDistance, 7);
}

TEST_F(RecordJumps, MissingRecordFileIsCreatedByTheFirstRecord) {
    enterHill(*dir, 2);
    dir->removeData("record2.dat");
    frames(3);
    EXPECT_EQ(game().records.recordDistance, 0);
    EXPECT_FALSE(dir->dataExists("record2.dat"));
    ASSERT_TRUE(playJump(true));
    frames(2);
    ASSERT_GT(game().jump.jumpDistance, 0);
    EXPECT_EQ(dir->readData("record2.dat"), twoDigits(game().jump.jumpDistance));
}

} // namespace
