// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The ten drop-down lists of the launcher, in the dialog's tab order.
enum class ChoiceList {
    Resolution,
    Speed,
    Weather,
    Suit,
    Helmet,
    Skis,
    Season,
    Detail,
    Precipitation,
    Hill,
};

constexpr int choiceListCount = 10;

// The items of a list in list order, in Polish; these texts are also the values the writer
// compares, whatever the language the lists show them in.
const std::vector<std::string>& choiceItems(ChoiceList list);

// Only the precipitation list is shown sorted.
bool isSortedList(ChoiceList list);

// One text value per list, empty while the list has no selection.
struct SettingsChoices {
    std::string resolutionChoice;
    std::string speedChoice;
    std::string weatherChoice;
    std::string suitChoice;
    std::string helmetChoice;
    std::string skiChoice;
    std::string seasonChoice;
    std::string detailChoice;
    std::string precipitationChoice;
    std::string hillChoice;

    std::string& of(ChoiceList list);
    const std::string& of(ChoiceList list) const;
};
