// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// What the launcher must write for each choice of each list, typed out from the launcher's
// published table of files and texts (independent of the writer's own table).
#pragma once

#include "setup/choice_lists.h"

#include <map>
#include <string>
#include <vector>

struct ExpectedChoice {
    ChoiceList list;
    std::string item;
    std::map<std::string, std::string> files; // file name in Data/ -> exact bytes
};

inline std::map<std::string, std::string> colourFiles(const std::string& prefix,
                                                      const std::string& r, const std::string& g,
                                                      const std::string& b) {
    return {{prefix + "R.dat", r}, {prefix + "G.dat", g}, {prefix + "B.dat", b}};
}

inline std::vector<ExpectedChoice> expectedChoices() {
    std::vector<ExpectedChoice> all{
        {ChoiceList::Resolution, "640x480", {{"resx.dat", "640"}, {"resy.dat", "480"}}},
        {ChoiceList::Resolution, "800x600", {{"resx.dat", "800"}, {"resy.dat", "600"}}},
        {ChoiceList::Resolution, "1024x768", {{"resx.dat", "1024"}, {"resy.dat", "768"}}},
        {ChoiceList::Speed, "Powolna", {{"tf.dat", "1"}}},
        {ChoiceList::Speed, "Normalna", {{"tf.dat", "2"}}},
        {ChoiceList::Speed, "Szybka", {{"tf.dat", "3"}}},
        {ChoiceList::Weather,
         "Mgła",
         {{"dR.dat", "4"}, {"dG.dat", "5"}, {"dB.dat", "6"}, {"fog.dat", "1"}}},
        {ChoiceList::Weather,
         "Dzień",
         {{"dR.dat", "4"}, {"dG.dat", "5"}, {"dB.dat", "6"}, {"fog.dat", "7"}}},
        {ChoiceList::Weather,
         "Noc",
         {{"dR.dat", "0"}, {"dG.dat", "0"}, {"dB.dat", "8"}, {"fog.dat", "9"}}},
        {ChoiceList::Season, "zima", {{"winsum.dat", "0"}}},
        {ChoiceList::Season, "lato", {{"winsum.dat", "1"}}},
        {ChoiceList::Precipitation, "brak", {{"opad.dat", "1"}}},
        {ChoiceList::Precipitation, "śnieg", {{"opad.dat", "2"}}},
        {ChoiceList::Precipitation, "deszcz", {{"opad.dat", "3"}}},
        {ChoiceList::Detail, "niski", {{"det.dat", "1"}}},
        {ChoiceList::Detail, "średni", {{"det.dat", "2"}}},
        {ChoiceList::Detail, "wysoki", {{"det.dat", "3"}}},
        {ChoiceList::Detail, "bardzo wysoki", {{"det.dat", "4"}}},
        {ChoiceList::Hill, "Finlandia K90", {{"hill.dat", "1"}}},
        {ChoiceList::Hill, "Polska K120", {{"hill.dat", "2"}}},
        {ChoiceList::Hill, "Czechy K180", {{"hill.dat", "3"}}},
        {ChoiceList::Skis, "czerwone", colourFiles("ski", "199.0", "0.0", "0.0")},
        {ChoiceList::Skis, "zielone", colourFiles("ski", "0.0", "199.0", "0.0")},
        {ChoiceList::Skis, "niebieskie", colourFiles("ski", "0.0", "0.0", "199.0")},
        {ChoiceList::Skis, "czarne", colourFiles("ski", "0.0", "0.0", "0.0")},
        {ChoiceList::Skis, "białe", colourFiles("ski", "199.0", "199.0", "199.0")},
        {ChoiceList::Skis, "żółte", colourFiles("ski", "199", "199", "0")},
    };
    // The helmet takes exactly the suit's texts.
    const std::vector<std::pair<std::string, std::vector<std::string>>> colours{
        {"czerwony", {"199", "0", "0"}},  {"zielony", {"0", "199", "0"}},
        {"niebieski", {"0", "0", "199"}}, {"czarny", {"0", "0", "0"}},
        {"biały", {"199", "199", "199"}}, {"żółty", {"199", "199", "0"}},
    };
    for (const auto& [item, rgb] : colours) {
        all.push_back({ChoiceList::Suit, item, colourFiles("suit", rgb[0], rgb[1], rgb[2])});
        all.push_back({ChoiceList::Helmet, item, colourFiles("helm", rgb[0], rgb[1], rgb[2])});
    }
    return all;
}

// The files in the order the launcher writes them when every list has a choice.
inline std::vector<std::string> writingOrderOfFiles() {
    return {"hill.dat",  "opad.dat",  "det.dat",   "winsum.dat", "resx.dat",
            "resy.dat",  "tf.dat",    "dR.dat",    "dG.dat",     "dB.dat",
            "fog.dat",   "suitR.dat", "suitG.dat", "suitB.dat",  "helmR.dat",
            "helmG.dat", "helmB.dat", "skiR.dat",  "skiG.dat",   "skiB.dat"};
}

inline const char* nightWarningWithoutStop() {
    return "Opcja nocy nie będzie aktywna ponieważ wybrano skocznie mamucią na której zawody "
           "rozgrywane są tylko w czasie dnia";
}

inline const char* snowWarning() {
    return "Opcja opadów śniegu nie będzie aktywna ponieważ wybraną porą roku jest lato.";
}
