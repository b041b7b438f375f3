// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Reading of the settings files, with real files in a temporary directory.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "core/settings.h"

namespace fs = std::filesystem;

namespace {

class SettingsDir : public ::testing::Test {
  protected:
    void SetUp() override {
        char tmpl[] = "/tmp/valmora-settings-XXXXXX";
        root = mkdtemp(tmpl);
        old = fs::current_path();
        fs::create_directories(root / "Data");
        fs::current_path(root);
        resetSettings(settings);
    }
    void TearDown() override {
        fs::current_path(old);
        fs::remove_all(root);
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream(root / "Data" / name, std::ios::binary | std::ios::trunc) << text;
    }
    fs::path root, old;
    Settings settings;
};

} // namespace

TEST(ParseDecimal, LeadingDigitsOnly) {
    EXPECT_EQ(parseDecimal("199.0"), 199);
    EXPECT_EQ(parseDecimal("0.0"), 0);
    EXPECT_EQ(parseDecimal("1024"), 1024);
    EXPECT_EQ(parseDecimal("2\n"), 2);
    EXPECT_EQ(parseDecimal(" 5"), 0);
    EXPECT_EQ(parseDecimal("-3"), 0);
    EXPECT_EQ(parseDecimal("abc"), 0);
    EXPECT_EQ(parseDecimal(""), 0);
    EXPECT_EQ(parseDecimal(nullptr), 0);
    EXPECT_EQ(parseDecimal("0846"), 846);
}

TEST(ParseDecimal, SaturatesAtTheLargest32BitInteger) {
    EXPECT_EQ(parseDecimal("2147483647"), INT32_MAX);
    EXPECT_EQ(parseDecimal("2147483648"), INT32_MAX);
    EXPECT_EQ(parseDecimal("4294968576"), INT32_MAX) << "not 1280";
    EXPECT_EQ(parseDecimal("00000000000000000000640"), 640);
    // 99 nines, as many as the resolution buffer takes: no overflow trap under UBSan.
    EXPECT_EQ(parseDecimal(std::string(99, '9').c_str()), INT32_MAX);
}

TEST_F(SettingsDir, SceneBatchUsesEachFilesBufferSize) {
    write("hill.dat", "2222");
    write("tf.dat", "199.0");
    write("opad.dat", "3\n");
    write("det.dat", " 4");
    write("winsum.dat", "1");
    write("dR.dat", "4");
    write("dG.dat", "5");
    write("dB.dat", "8");
    write("kopytko.cfg", "000587"); // six characters are used
    readSceneBatch(settings);
    EXPECT_EQ(settings.hillNumber, 222);
    EXPECT_EQ(settings.gameSpeed, 199);
    EXPECT_EQ(settings.precipitation, 3);
    EXPECT_EQ(settings.detailLevel, 0);
    EXPECT_EQ(settings.season, 1);
    EXPECT_EQ(settings.skyRed, 4);
    EXPECT_EQ(settings.skyGreen, 255); // 5 stands for full green
    EXPECT_EQ(settings.lightingMode, 8);
    EXPECT_EQ(settings.hiddenSwitch, kAltWindCode);

    write("kopytko.cfg", "0000846"); // the seventh character is cut off
    readSceneBatch(settings);
    EXPECT_EQ(settings.hiddenSwitch, 84);
}

TEST_F(SettingsDir, MissingFilesKeepValuesAndEmptyFilesRepeatThePreviousRead) {
    write("hill.dat", "3");
    readSceneBatch(settings);
    EXPECT_EQ(settings.hillNumber, 3);
    EXPECT_EQ(settings.hiddenSwitch, 0); // no hidden switch file

    write("hill.dat", "");
    settings.hillNumber = 77;
    readSceneBatch(settings);
    EXPECT_EQ(settings.hillNumber, 3) << "an empty file yields the previous read of the same file";

    fs::remove(root / "Data" / "hill.dat");
    settings.hillNumber = 2;
    readSceneBatch(settings);
    EXPECT_EQ(settings.hillNumber, 2) << "a missing file keeps the current value";

    write("kopytko.cfg", "846");
    readSceneBatch(settings);
    EXPECT_EQ(settings.hiddenSwitch, kFreeCameraCode);
    fs::remove(root / "Data" / "kopytko.cfg");
    readSceneBatch(settings);
    EXPECT_EQ(settings.hiddenSwitch, 0) << "a removed hidden switch turns both modes off";
}

// A name that opens but cannot be read (here a directory) counts as missing.
TEST_F(SettingsDir, UnreadableFilesCountAsMissing) {
    fs::create_directory(root / "Data" / "resx.dat");
    write("resy.dat", "768");
    readWindowSize(settings);
    EXPECT_EQ(settings.windowWidth, 800);
    EXPECT_EQ(settings.windowHeight, 768);

    write("hill.dat", "3");
    readSceneBatch(settings);
    ASSERT_EQ(settings.hillNumber, 3);
    fs::remove(root / "Data" / "hill.dat");
    fs::create_directory(root / "Data" / "hill.dat");
    settings.hillNumber = 2;
    readSceneBatch(settings);
    EXPECT_EQ(settings.hillNumber, 2) << "the current value stays";

    fs::create_directory(root / "Data" / "kopytko.cfg");
    settings.hiddenSwitch = kFreeCameraCode;
    readSceneBatch(settings);
    EXPECT_EQ(settings.hiddenSwitch, 0) << "an unreadable hidden switch leaves both modes off";

    // A FIFO in its place is no file to wait on.
    fs::remove(root / "Data" / "hill.dat");
    ASSERT_EQ(mkfifo((root / "Data" / "hill.dat").c_str(), 0600), 0);
    readSceneBatch(settings);
    EXPECT_EQ(settings.hillNumber, 2) << "read at once, as unreadable";

    // Once the file is back, the read goes on from the text it holds.
    fs::remove(root / "Data" / "hill.dat");
    write("hill.dat", "1");
    readSceneBatch(settings);
    EXPECT_EQ(settings.hillNumber, 1);
}

TEST_F(SettingsDir, EmptyFileOnFirstReadGivesZero) {
    write("det.dat", "");
    settings.detailLevel = 9;
    readSceneBatch(settings);
    EXPECT_EQ(settings.detailLevel, 0);
}

TEST_F(SettingsDir, WindowSizeFallsBackTo800x600) {
    readWindowSize(settings);
    EXPECT_EQ(settings.windowWidth, 800);
    EXPECT_EQ(settings.windowHeight, 600);
    write("resx.dat", "1024");
    write("resy.dat", "768\r\n");
    readWindowSize(settings);
    EXPECT_EQ(settings.windowWidth, 1024);
    EXPECT_EQ(settings.windowHeight, 768);
}

TEST_F(SettingsDir, ColoursAndFog) {
    const char* names[9] = {"suitR.dat", "suitG.dat", "suitB.dat", "helmR.dat", "helmG.dat",
                            "helmB.dat", "skiR.dat",  "skiG.dat",  "skiB.dat"};
    const char* texts[9] = {"0", "0", "199", "199", "199", "0", "199.0", "0.0", "199"};
    for (int i = 0; i < 9; ++i)
        write(names[i], texts[i]);
    write("fog.dat", "9");
    readJumperColours(settings);
    readFogMode(settings);
    EXPECT_EQ(settings.suitColor[2], 199);
    EXPECT_EQ(settings.suitColor[0], 0);
    EXPECT_EQ(settings.helmetColor[1], 199);
    EXPECT_EQ(settings.helmetColor[2], 0);
    EXPECT_EQ(settings.skiColor[0], 199);
    EXPECT_EQ(settings.skiColor[2], 199);
    EXPECT_EQ(settings.fogMode, 9);
}

// Values that cannot be used fall back, each dimension or choice on its own, with a line
// naming the file; usable ones stay as read. A size beyond the desktop falls back as a pair
// to a launcher size, so its shape stays.
TEST_F(SettingsDir, UnusableWindowSizesAndChoicesFallBackToTheDefaults) {
    struct Size {
        const char *x, *y;
        int desktopW, desktopH;
        int wantW, wantH;
    };
    const Size sizes[] = {
        {"1024", "768", 1920, 1080, 1024, 768},   {"0", "768", 1920, 1080, 800, 768},
        {"-5", "abc", 1920, 1080, 800, 600},      {"319", "239", 1920, 1080, 800, 600},
        {"320", "240", 1920, 1080, 320, 240},     {"99999", "600", 1920, 1080, 1024, 768},
        {"1920", "1080", 1920, 1080, 1920, 1080}, {"1921", "1081", 1920, 1080, 1024, 768},
        {"5000", "4000", 0, 0, 5000, 4000},   // no desktop to ask: only the least size holds
        {"2000", "2000", 640, 480, 640, 480}, // a desktop smaller than the fallback
        {"1024", "768", 1366, 740, 800, 600}, // a panel takes the height: not 1024 x 600
        {"1024", "768", 1000, 768, 800, 600},     {"800", "600", 799, 2000, 640, 480},
        {"abc", "900", 1920, 800, 1024, 768}, // 800 x 900 is too tall
        {"800", "600", 600, 400, 800, 600},   // no launcher size fits
    };
    for (const Size& c : sizes) {
        SCOPED_TRACE(std::string(c.x) + " x " + c.y);
        resetSettings(settings);
        write("resx.dat", c.x);
        write("resy.dat", c.y);
        readWindowSize(settings);
        fitWindowSize(settings, c.desktopW, c.desktopH);
        EXPECT_EQ(settings.windowWidth, c.wantW);
        EXPECT_EQ(settings.windowHeight, c.wantH);
    }

    struct Choice {
        const char *hill, *speed;
        int wantHill, wantSpeed;
    };
    const Choice choices[] = {{"2", "3", 2, 3},
                              {"0", "0", 1, 2},
                              {"4", "9", 1, 2},
                              {"abc", "-1", 1, 2},
                              {"3", "1", 3, 1}};
    for (const Choice& c : choices) {
        SCOPED_TRACE(std::string("hill ") + c.hill + " speed " + c.speed);
        resetSettings(settings);
        write("hill.dat", c.hill);
        write("tf.dat", c.speed);
        readSceneBatch(settings);
        fitSceneChoices(settings);
        EXPECT_EQ(settings.hillNumber, c.wantHill);
        EXPECT_EQ(settings.gameSpeed, c.wantSpeed);
    }
}
