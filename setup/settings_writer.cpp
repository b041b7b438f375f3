// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/settings_writer.h"

#include <cstdio>
#include <cstring>
#include <sys/stat.h>

#include "core/file_io.h"

namespace {

struct SettingsFile {
    const char* name;
    const char* text;
};

struct ChoiceFiles {
    const char* choice;
    std::vector<SettingsFile> files;
};

using GroupTable = std::vector<ChoiceFiles>;

// The game reads each of these texts with its own decimal parser, so "199.0" and "199" both
// mean 199; the texts are kept exactly as earlier launchers wrote them.
const GroupTable& groupTable(ChoiceList list) {
    static const GroupTable hill{
        {"Finlandia K90", {{"hill.dat", "1"}}},
        {"Polska K120", {{"hill.dat", "2"}}},
        {"Czechy K180", {{"hill.dat", "3"}}},
    };
    static const GroupTable precipitation{
        {"brak", {{"opad.dat", "1"}}},
        {"śnieg", {{"opad.dat", "2"}}},
        {"deszcz", {{"opad.dat", "3"}}},
    };
    static const GroupTable detail{
        {"niski", {{"det.dat", "1"}}},
        {"średni", {{"det.dat", "2"}}},
        {"wysoki", {{"det.dat", "3"}}},
        {"bardzo wysoki", {{"det.dat", "4"}}},
    };
    static const GroupTable season{
        {"zima", {{"winsum.dat", "0"}}},
        {"lato", {{"winsum.dat", "1"}}},
    };
    static const GroupTable resolution{
        {"640x480", {{"resx.dat", "640"}, {"resy.dat", "480"}}},
        {"800x600", {{"resx.dat", "800"}, {"resy.dat", "600"}}},
        {"1024x768", {{"resx.dat", "1024"}, {"resy.dat", "768"}}},
    };
    static const GroupTable speed{
        {"Powolna", {{"tf.dat", "1"}}},
        {"Normalna", {{"tf.dat", "2"}}},
        {"Szybka", {{"tf.dat", "3"}}},
    };
    static const GroupTable weather{
        {"Mgła", {{"dR.dat", "4"}, {"dG.dat", "5"}, {"dB.dat", "6"}, {"fog.dat", "1"}}},
        {"Dzień", {{"dR.dat", "4"}, {"dG.dat", "5"}, {"dB.dat", "6"}, {"fog.dat", "7"}}},
        {"Noc", {{"dR.dat", "0"}, {"dG.dat", "0"}, {"dB.dat", "8"}, {"fog.dat", "9"}}},
    };
    static const GroupTable suit{
        {"czerwony", {{"suitR.dat", "199"}, {"suitG.dat", "0"}, {"suitB.dat", "0"}}},
        {"zielony", {{"suitR.dat", "0"}, {"suitG.dat", "199"}, {"suitB.dat", "0"}}},
        {"niebieski", {{"suitR.dat", "0"}, {"suitG.dat", "0"}, {"suitB.dat", "199"}}},
        {"czarny", {{"suitR.dat", "0"}, {"suitG.dat", "0"}, {"suitB.dat", "0"}}},
        {"biały", {{"suitR.dat", "199"}, {"suitG.dat", "199"}, {"suitB.dat", "199"}}},
        {"żółty", {{"suitR.dat", "199"}, {"suitG.dat", "199"}, {"suitB.dat", "0"}}},
    };
    static const GroupTable helmet{
        {"czerwony", {{"helmR.dat", "199"}, {"helmG.dat", "0"}, {"helmB.dat", "0"}}},
        {"zielony", {{"helmR.dat", "0"}, {"helmG.dat", "199"}, {"helmB.dat", "0"}}},
        {"niebieski", {{"helmR.dat", "0"}, {"helmG.dat", "0"}, {"helmB.dat", "199"}}},
        {"czarny", {{"helmR.dat", "0"}, {"helmG.dat", "0"}, {"helmB.dat", "0"}}},
        {"biały", {{"helmR.dat", "199"}, {"helmG.dat", "199"}, {"helmB.dat", "199"}}},
        {"żółty", {{"helmR.dat", "199"}, {"helmG.dat", "199"}, {"helmB.dat", "0"}}},
    };
    static const GroupTable skis{
        {"czerwone", {{"skiR.dat", "199.0"}, {"skiG.dat", "0.0"}, {"skiB.dat", "0.0"}}},
        {"zielone", {{"skiR.dat", "0.0"}, {"skiG.dat", "199.0"}, {"skiB.dat", "0.0"}}},
        {"niebieskie", {{"skiR.dat", "0.0"}, {"skiG.dat", "0.0"}, {"skiB.dat", "199.0"}}},
        {"czarne", {{"skiR.dat", "0.0"}, {"skiG.dat", "0.0"}, {"skiB.dat", "0.0"}}},
        {"białe", {{"skiR.dat", "199.0"}, {"skiG.dat", "199.0"}, {"skiB.dat", "199.0"}}},
        {"żółte", {{"skiR.dat", "199"}, {"skiG.dat", "199"}, {"skiB.dat", "0"}}},
    };
    switch (list) {
    case ChoiceList::Hill:
        return hill;
    case ChoiceList::Precipitation:
        return precipitation;
    case ChoiceList::Detail:
        return detail;
    case ChoiceList::Season:
        return season;
    case ChoiceList::Resolution:
        return resolution;
    case ChoiceList::Speed:
        return speed;
    case ChoiceList::Weather:
        return weather;
    case ChoiceList::Suit:
        return suit;
    case ChoiceList::Helmet:
        return helmet;
    case ChoiceList::Skis:
        break;
    }
    return skis;
}

// The game reads the scene batch in its own order; the launcher has always written in this one.
const ChoiceList writingOrder[] = {
    ChoiceList::Hill,       ChoiceList::Precipitation, ChoiceList::Detail,  ChoiceList::Season,
    ChoiceList::Resolution, ChoiceList::Speed,         ChoiceList::Weather, ChoiceList::Suit,
    ChoiceList::Helmet,     ChoiceList::Skis,
};

const char* const dataDirectory = "Data";

} // namespace

std::vector<std::string> writeSettingsFiles(const SettingsChoices& choices,
                                            std::vector<std::string>* causes) {
    std::vector<const SettingsFile*> pending;
    for (ChoiceList list : writingOrder) {
        for (const ChoiceFiles& entry : groupTable(list)) {
            if (choices.of(list) == entry.choice) {
                for (const SettingsFile& file : entry.files)
                    pending.push_back(&file);
                break;
            }
        }
    }
    // A fresh copy without Data/ would otherwise lose every choice without a word.
    if (!pending.empty()) mkdir(dataDirectory, 0777);

    std::vector<std::string> failed;
    for (const SettingsFile* file : pending) {
        const std::string path = std::string(dataDirectory) + "/" + file->name;
        // Each file is closed and in place before the next is opened.
        const WriteResult result = replaceFile(path.c_str(), file->text, std::strlen(file->text));
        if (result.ok()) continue;
        std::fprintf(stderr, "setup: could not save %s\n",
                     writeFailureText(path.c_str(), result).c_str());
        failed.push_back(path);
        if (causes) causes->push_back(writeFailurePolish(result));
    }
    return failed;
}
