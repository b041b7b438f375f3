// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/choice_lists.h"

#include "core/language.h"

const std::vector<std::string>& choiceItems(ChoiceList list) {
    static const std::vector<std::string> resolution{"640x480", "800x600", "1024x768"};
    // TRANSLATORS: the launcher's list items; the settings files keep their own values.
    static const std::vector<std::string> speed{N_("Powolna"), N_("Normalna"), N_("Szybka")};
    static const std::vector<std::string> weather{N_("Mgła"), N_("Dzień"), N_("Noc")};
    static const std::vector<std::string> suit{N_("czerwony"), N_("zielony"), N_("niebieski"),
                                               N_("czarny"),   N_("biały"),   N_("żółty")};
    static const std::vector<std::string> skis{N_("czerwone"), N_("zielone"), N_("niebieskie"),
                                               N_("czarne"),   N_("białe"),   N_("żółte")};
    static const std::vector<std::string> season{N_("zima"), N_("lato")};
    static const std::vector<std::string> detail{N_("niski"), N_("średni"), N_("wysoki"),
                                                 N_("bardzo wysoki")};
    static const std::vector<std::string> precipitation{N_("brak"), N_("śnieg"), N_("deszcz")};
    static const std::vector<std::string> hill{N_("Finlandia K90"), N_("Polska K120"),
                                               N_("Czechy K180")};
    switch (list) {
    case ChoiceList::Resolution:
        return resolution;
    case ChoiceList::Speed:
        return speed;
    case ChoiceList::Weather:
        return weather;
    case ChoiceList::Suit:
    case ChoiceList::Helmet:
        return suit;
    case ChoiceList::Skis:
        return skis;
    case ChoiceList::Season:
        return season;
    case ChoiceList::Detail:
        return detail;
    case ChoiceList::Precipitation:
        return precipitation;
    case ChoiceList::Hill:
        break;
    }
    return hill;
}

bool isSortedList(ChoiceList list) {
    return list == ChoiceList::Precipitation;
}

std::string& SettingsChoices::of(ChoiceList list) {
    return const_cast<std::string&>(static_cast<const SettingsChoices&>(*this).of(list));
}

const std::string& SettingsChoices::of(ChoiceList list) const {
    switch (list) {
    case ChoiceList::Resolution:
        return resolutionChoice;
    case ChoiceList::Speed:
        return speedChoice;
    case ChoiceList::Weather:
        return weatherChoice;
    case ChoiceList::Suit:
        return suitChoice;
    case ChoiceList::Helmet:
        return helmetChoice;
    case ChoiceList::Skis:
        return skiChoice;
    case ChoiceList::Season:
        return seasonChoice;
    case ChoiceList::Detail:
        return detailChoice;
    case ChoiceList::Precipitation:
        return precipitationChoice;
    case ChoiceList::Hill:
        break;
    }
    return hillChoice;
}
