// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The default Data folder: one complete launcher choice, and a player's files untouched.
#include <gtest/gtest.h>

#include <map>

#include "setup/settings_writer.h"
#include "texgen_run.h"

namespace {

// The launcher with its first choices: "800x600", "Normalna", "Dzień", "zima", "brak",
// "wysoki", "Finlandia K90", suit "czerwony", helmet "biały", skis "niebieskie".
SettingsChoices launcherDefaults() {
    SettingsChoices c;
    c.resolutionChoice = "800x600";
    c.speedChoice = "Normalna";
    c.weatherChoice = "Dzień";
    c.seasonChoice = "zima";
    c.precipitationChoice = "brak";
    c.detailChoice = "wysoki";
    c.hillChoice = "Finlandia K90";
    c.suitChoice = "czerwony";
    c.helmetChoice = "biały";
    c.skiChoice = "niebieskie";
    return c;
}

// Every Data file of a folder with its text.
std::map<std::string, std::string> dataTexts(const fs::path& root) {
    std::map<std::string, std::string> texts;
    for (const auto& e : fs::directory_iterator(root / "Data"))
        texts[e.path().filename().string()] = readText(e.path());
    return texts;
}

// The texts the launcher writes for those choices, from a folder of its own.
std::map<std::string, std::string> launcherTexts() {
    ScratchDir dir;
    const fs::path back = fs::current_path();
    fs::current_path(dir.path());
    const std::vector<std::string> failed = writeSettingsFiles(launcherDefaults());
    fs::current_path(back);
    EXPECT_TRUE(failed.empty());
    return dataTexts(dir.path());
}

TEST(DefaultData, AFreshFolderHoldsWhatTheLauncherWritesForItsFirstChoices) {
    ScratchDir dir;
    ASSERT_EQ(runTexgen("data", dir.path()), 0);
    std::map<std::string, std::string> expected = launcherTexts();
    ASSERT_EQ(expected.size(), 20u) << "every list writes its files";
    // And empty records, written as "%02d" of 0.
    for (int hill = 1; hill <= 3; ++hill)
        expected["record" + std::to_string(hill) + ".dat"] = "00";
    EXPECT_EQ(dataTexts(dir.path()), expected); // no line ends, no other file
    // "data" alone paints nothing.
    EXPECT_FALSE(fs::exists(fs::path(dir.path()) / "textures"));
}

TEST(DefaultData, ExistingFilesSurviveEveryLaterRun) {
    ScratchDir dir;
    fs::path data = fs::path(dir.path()) / "Data";
    fs::create_directories(data);
    // A player's choices and records, a changed file and an emptied one among them.
    writeText(data / "hill.dat", "3");
    writeText(data / "record1.dat", "141");
    writeText(data / "skiB.dat", "");
    writeText(data / "kopytko.cfg", "846");
    ASSERT_EQ(runTexgen("data", dir.path()), 0);
    ASSERT_EQ(runTexgen("all", dir.path()), 0); // as a rebuild does after a generator change
    EXPECT_EQ(readText(data / "hill.dat"), "3");
    EXPECT_EQ(readText(data / "record1.dat"), "141");
    EXPECT_EQ(readText(data / "skiB.dat"), "");
    EXPECT_EQ(readText(data / "kopytko.cfg"), "846");
    // The missing ones are filled in.
    EXPECT_EQ(readText(data / "record2.dat"), "00");
    EXPECT_EQ(readText(data / "resx.dat"), "800");
    EXPECT_TRUE(fs::exists(fs::path(dir.path()) / "textures" / "window.stx"));
}

TEST(DefaultData, ADeletedFileComesBackOnTheNextRun) {
    ScratchDir dir;
    ASSERT_EQ(runTexgen("data", dir.path()), 0);
    fs::path data = fs::path(dir.path()) / "Data";
    writeText(data / "det.dat", "4");
    fs::remove(data / "record3.dat");
    ASSERT_EQ(runTexgen("data", dir.path()), 0);
    EXPECT_EQ(readText(data / "record3.dat"), "00");
    EXPECT_EQ(readText(data / "det.dat"), "4");
}

TEST(DefaultData, AFolderThatCannotBeMadeIsReportedAsAFailure) {
    ScratchDir dir;
    // A plain file where the Data folder should be.
    writeText(fs::path(dir.path()) / "Data", "not a folder");
    EXPECT_NE(runTexgen("data", dir.path()), 0);
    EXPECT_EQ(readText(fs::path(dir.path()) / "Data"), "not a folder");
}

TEST(DefaultData, TheBuiltGameFolderHasACompleteDataSet) {
    ScratchDir fresh;
    ASSERT_EQ(runTexgen("data", fresh.path()), 0);
    for (const auto& [name, text] : dataTexts(fresh.path())) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(fs::exists(fs::path(GAME_DIR) / "Data" / name));
    }
}

TEST(DefaultData, UsageErrorsDoNotWriteAnything) {
    ScratchDir dir;
    EXPECT_NE(runTexgen("paint", dir.path()), 0);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

} // namespace
