// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The launcher's settings writer and notes, without any window.
#include "expected_settings.h"
#include "setup_test_support.h"

#include "setup/settings_writer.h"
#include "setup/setup_warnings.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <random>
#include <sys/wait.h>
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
    ASSERT_GE(inotify_add_watch(watcher, "Data", IN_OPEN | IN_CLOSE_WRITE | IN_MOVED_TO), 0);

    EXPECT_TRUE(writeSettingsFiles(everyListChosen()).empty());

    std::vector<std::string> events;
    alignas(inotify_event) char buffer[64 * 1024];
    ssize_t length;
    while ((length = read(watcher, buffer, sizeof buffer)) > 0) {
        for (char* at = buffer; at < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(at);
            at += sizeof(inotify_event) + event->len;
            if (event->len == 0) continue; // Data itself, synced after each rename
            const char* what = event->mask & IN_OPEN       ? "open "
                               : event->mask & IN_MOVED_TO ? "in place "
                                                           : "close ";
            events.push_back(what + std::string(event->name));
        }
    }
    close(watcher);

    std::vector<std::string> expected;
    // Each file is written whole under its temporary name and put in place before the next.
    for (const std::string& name : writingOrderOfFiles()) {
        expected.push_back("open " + name + ".tmp");
        expected.push_back("close " + name + ".tmp");
        expected.push_back("in place " + name);
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
    // A directory where the file belongs cannot be opened for writing, even by root; a FIFO
    // would block a plain open until a reader came.
    mkdir("Data/det.dat", 0777);
    mkfifo("Data/tf.dat", 0644);
    std::vector<std::string> causes;
    testing::internal::CaptureStderr();
    const std::vector<std::string> failed = writeSettingsFiles(everyListChosen(), &causes);
    const std::string told = testing::internal::GetCapturedStderr();
    EXPECT_EQ(failed, (std::vector<std::string>{"Data/det.dat", "Data/tf.dat"}));
    EXPECT_EQ(causes, std::vector<std::string>(2, "to nie jest plik"));
    EXPECT_EQ(told, "setup: could not save Data/det.dat: not a regular file\n"
                    "setup: could not save Data/tf.dat: not a regular file\n");
    EXPECT_EQ(unwrittenFilesMessage(failed, causes),
              "Nie udało się zapisać plików:\nData/det.dat: to nie jest plik\n"
              "Data/tf.dat: to nie jest plik");
    std::map<std::string, std::string> files = dataFiles();
    EXPECT_EQ(files.size(), writingOrderOfFiles().size());
    EXPECT_EQ(files["det.dat"], "<dir>");
    EXPECT_EQ(files["tf.dat"], "<fifo>");
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

TEST(SettingsWriter, EveryFileIsWholeWhenKilledWhileWriting) {
    // A child writes two choices by turns as fast as it can and is killed at random moments:
    // every file must hold one of its two texts, never nothing or a part.
    TempDir dir;
    SettingsChoices other;
    for (const auto& [list, item] :
         std::vector<std::pair<ChoiceList, const char*>>{{ChoiceList::Resolution, "1024x768"},
                                                         {ChoiceList::Speed, "Powolna"},
                                                         {ChoiceList::Weather, "Noc"},
                                                         {ChoiceList::Suit, "czarny"},
                                                         {ChoiceList::Helmet, "czerwony"},
                                                         {ChoiceList::Skis, "białe"},
                                                         {ChoiceList::Season, "lato"},
                                                         {ChoiceList::Detail, "bardzo wysoki"},
                                                         {ChoiceList::Precipitation, "brak"},
                                                         {ChoiceList::Hill, "Czechy K180"}})
        other.of(list) = item;
    ASSERT_TRUE(writeSettingsFiles(other).empty());
    const std::map<std::string, std::string> second = dataFiles();
    ASSERT_TRUE(writeSettingsFiles(everyListChosen()).empty());
    const std::map<std::string, std::string> first = dataFiles();
    std::mt19937 rng(2026);
    std::uniform_int_distribution<int> pause(0, 3000);
    for (int round = 0; round < 150; ++round) {
        std::fflush(nullptr);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0)
            for (;;) {
                writeSettingsFiles(other);
                writeSettingsFiles(everyListChosen());
            }
        usleep(static_cast<useconds_t>(pause(rng)));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        for (const auto& [name, text] : dataFiles()) {
            // At most a fixed temporary name per file, replaced by that file's next write.
            const std::string file =
                name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0
                    ? name.substr(0, name.size() - 4)
                    : name;
            ASSERT_TRUE(first.count(file)) << name;
            if (file != name) continue;
            ASSERT_TRUE(text == first.at(name) || text == second.at(name))
                << "round " << round << ": " << name << " holds \"" << text << '"';
        }
    }
    EXPECT_TRUE(writeSettingsFiles(everyListChosen()).empty());
    EXPECT_EQ(dataFiles(), first) << "the next save leaves no temporary file";
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
