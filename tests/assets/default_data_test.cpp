// The default Data folder: one complete launcher choice, and a player's files untouched.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "texgen_run.h"

namespace {

// The settings texts the launcher writes for "800x600", "Normalna", "Dzień", "zima",
// "brak", "wysoki", "Finlandia K90", suit "czerwony", helmet "biały", skis "niebieskie";
// and empty records, written as "%02d" of 0.
const std::map<std::string, std::string> kExpected = {
    {"resx.dat", "800"},   {"resy.dat", "600"},   {"tf.dat", "2"},       {"dR.dat", "4"},
    {"dG.dat", "5"},       {"dB.dat", "6"},       {"fog.dat", "7"},      {"winsum.dat", "0"},
    {"opad.dat", "1"},     {"det.dat", "3"},      {"hill.dat", "1"},     {"suitR.dat", "199"},
    {"suitG.dat", "0"},    {"suitB.dat", "0"},    {"helmR.dat", "199"},  {"helmG.dat", "199"},
    {"helmB.dat", "199"},  {"skiR.dat", "0.0"},   {"skiG.dat", "0.0"},   {"skiB.dat", "199.0"},
    {"record1.dat", "00"}, {"record2.dat", "00"}, {"record3.dat", "00"},
};

std::set<std::string> listData(const std::string& root) {
    std::set<std::string> names;
    for (const auto& e : fs::directory_iterator(fs::path(root) / "Data"))
        names.insert(e.path().filename().string());
    return names;
}

TEST(DefaultData, AFreshFolderGetsExactlyTheDefaultTexts) {
    ScratchDir dir;
    ASSERT_EQ(runTexgen("data", dir.path()), 0);
    std::set<std::string> expectedNames;
    for (const auto& [name, text] : kExpected) {
        SCOPED_TRACE(name);
        expectedNames.insert(name);
        EXPECT_EQ(readText(fs::path(dir.path()) / "Data" / name), text); // no line end
    }
    EXPECT_EQ(listData(dir.path()), expectedNames);
    EXPECT_FALSE(fs::exists(fs::path(dir.path()) / "Data" / "kopytko.cfg"));
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
    for (const auto& [name, text] : kExpected) {
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
