// The launcher's settings writer and notes, without any window.
#include "expected_settings.h"
#include "setup_test_support.h"

#include "setup/settings_writer.h"
#include "setup/setup_warnings.h"

#include <gtest/gtest.h>

#include <climits>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

SettingsChoices everyListChosen() {
    SettingsChoices choices;
    choices.resolutionChoice = "800x600";
    choices.speedChoice = "Szybka";
    choices.weatherChoice = "Dzień";
    choices.suitChoice = "zielony";
    choices.helmetChoice = "biały";
    choices.skiChoice = "żółte";
    choices.seasonChoice = "zima";
    choices.detailChoice = "średni";
    choices.precipitationChoice = "deszcz";
    choices.hillChoice = "Polska K120";
    return choices;
}

} // namespace

TEST(SettingsWriter, EveryChoiceWritesExactlyItsFilesAndTexts) {
    for (const ExpectedChoice& expected : expectedChoices()) {
        TempDir dir;
        SettingsChoices choices;
        choices.of(expected.list) = expected.item;
        EXPECT_TRUE(writeSettingsFiles(choices).empty()) << expected.item;
        EXPECT_EQ(dataFiles(), expected.files) << expected.item;
    }
}

TEST(SettingsWriter, NoChoiceWritesNothingAndMakesNoDirectory) {
    TempDir dir;
    EXPECT_TRUE(writeSettingsFiles(SettingsChoices()).empty());
    EXPECT_FALSE(pathExists("Data"));
}

TEST(SettingsWriter, ComparisonIsExactAndCaseSensitive) {
    TempDir dir;
    SettingsChoices choices;
    choices.hillChoice = "czechy K180";
    choices.resolutionChoice = "1024x768 ";
    choices.weatherChoice = "Mgla";
    choices.seasonChoice = "Lato";
    choices.skiChoice = "Żółte";
    choices.detailChoice = "bardzo";
    EXPECT_TRUE(writeSettingsFiles(choices).empty());
    EXPECT_TRUE(dataFiles().empty());
}

TEST(SettingsWriter, GroupWithoutChoiceKeepsThePreviousFile) {
    TempDir dir;
    mkdir("Data", 0777);
    writeFile("Data/hill.dat", "1");
    writeFile("Data/tf.dat", "2222\n");
    SettingsChoices choices;
    choices.speedChoice = "Powolna";
    EXPECT_TRUE(writeSettingsFiles(choices).empty());
    EXPECT_EQ(readFile("Data/hill.dat"), "1");
    // The longer old text is replaced, not overwritten in place.
    EXPECT_EQ(readFile("Data/tf.dat"), "1");
}

TEST(SettingsWriter, FilesAreWrittenOneAtATimeInTheFixedOrder) {
    TempDir dir;
    mkdir("Data", 0777);
    const int watcher = inotify_init1(IN_NONBLOCK);
    ASSERT_GE(watcher, 0);
    ASSERT_GE(inotify_add_watch(watcher, "Data", IN_OPEN | IN_CLOSE_WRITE), 0);

    EXPECT_TRUE(writeSettingsFiles(everyListChosen()).empty());

    std::vector<std::string> events;
    alignas(inotify_event) char buffer[64 * 1024];
    ssize_t length;
    while ((length = read(watcher, buffer, sizeof buffer)) > 0) {
        for (char* at = buffer; at < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            events.push_back(std::string(event->mask & IN_OPEN ? "open " : "close ") + event->name);
            at += sizeof(inotify_event) + event->len;
        }
    }
    close(watcher);

    std::vector<std::string> expected;
    for (const std::string& name : writingOrderOfFiles()) {
        expected.push_back("open " + name);
        expected.push_back("close " + name);
    }
    EXPECT_EQ(events, expected);
}

TEST(SettingsWriter, MissingDataDirectoryIsCreated) {
    TempDir dir;
    SettingsChoices choices;
    choices.hillChoice = "Czechy K180";
    EXPECT_TRUE(writeSettingsFiles(choices).empty());
    EXPECT_TRUE(isDirectory("Data"));
    EXPECT_EQ(readFile("Data/hill.dat"), "3");
}

TEST(SettingsWriter, UnwritableFileIsReportedAndTheRestWritten) {
    TempDir dir;
    mkdir("Data", 0777);
    // A directory where the file belongs cannot be opened for writing, even by root.
    mkdir("Data/det.dat", 0777);
    const std::vector<std::string> failed = writeSettingsFiles(everyListChosen());
    EXPECT_EQ(failed, std::vector<std::string>{"Data/det.dat"});
    std::map<std::string, std::string> files = dataFiles();
    EXPECT_EQ(files.size(), writingOrderOfFiles().size());
    EXPECT_EQ(files["det.dat"], "<dir>");
    EXPECT_EQ(files["hill.dat"], "2");
    EXPECT_EQ(files["skiB.dat"], "0");
}

TEST(SettingsWriter, DataThatIsAFileFailsEveryFileInOrder) {
    TempDir dir;
    writeFile("Data", "not a directory");
    std::vector<std::string> expected;
    for (const std::string& name : writingOrderOfFiles())
        expected.push_back("Data/" + name);
    EXPECT_EQ(writeSettingsFiles(everyListChosen()), expected);
    EXPECT_EQ(readFile("Data"), "not a directory");
}

TEST(SettingsWarnings, NightOnTheBigHillAndSnowInSummer) {
    SettingsChoices choices;
    choices.hillChoice = "Czechy K180";
    choices.weatherChoice = "Noc";
    choices.seasonChoice = "lato";
    choices.precipitationChoice = "śnieg";
    const std::string night = nightWarningWithoutStop();
    EXPECT_EQ(settingsWarnings(choices, false), (std::vector<std::string>{night, snowWarning()}));
    EXPECT_EQ(settingsWarnings(choices, true),
              (std::vector<std::string>{night + ".", snowWarning()}));
    EXPECT_STREQ(warningCaption, "Uwagi:");
}

TEST(SettingsWarnings, EachNeedsBothItsChoices) {
    const struct {
        const char* hill;
        const char* weather;
        const char* season;
        const char* precipitation;
        std::size_t count;
    } cases[] = {
        {"Czechy K180", "Dzień", "lato", "deszcz", 0},
        {"Polska K120", "Noc", "zima", "śnieg", 0},
        {"Czechy K180", "Noc", "zima", "śnieg", 1},
        {"Finlandia K90", "Mgła", "lato", "śnieg", 1},
        {"", "Noc", "lato", "", 0},
        {"Czechy K180", "noc", "Lato", "śnieg", 0},
    };
    for (const auto& c : cases) {
        SettingsChoices choices;
        choices.hillChoice = c.hill;
        choices.weatherChoice = c.weather;
        choices.seasonChoice = c.season;
        choices.precipitationChoice = c.precipitation;
        EXPECT_EQ(settingsWarnings(choices, true).size(), c.count)
            << c.hill << " " << c.weather << " " << c.season << " " << c.precipitation;
    }
}

TEST(SettingsWarnings, UnwrittenFilesAreListedOnePerLine) {
    EXPECT_EQ(unwrittenFilesMessage({"Data/hill.dat", "Data/tf.dat"}),
              "Nie udało się zapisać plików:\nData/hill.dat\nData/tf.dat");
}
