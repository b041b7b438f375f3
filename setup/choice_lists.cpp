#include "setup/choice_lists.h"

const std::vector<std::string>& choiceItems(ChoiceList list) {
    static const std::vector<std::string> resolution{"640x480", "800x600", "1024x768"};
    static const std::vector<std::string> speed{"Powolna", "Normalna", "Szybka"};
    static const std::vector<std::string> weather{"Mgła", "Dzień", "Noc"};
    static const std::vector<std::string> suit{"czerwony", "zielony", "niebieski",
                                               "czarny",   "biały",   "żółty"};
    static const std::vector<std::string> skis{"czerwone", "zielone", "niebieskie",
                                               "czarne",   "białe",   "żółte"};
    static const std::vector<std::string> season{"zima", "lato"};
    static const std::vector<std::string> detail{"niski", "średni", "wysoki", "bardzo wysoki"};
    static const std::vector<std::string> precipitation{"brak", "śnieg", "deszcz"};
    static const std::vector<std::string> hill{"Finlandia K90", "Polska K120", "Czechy K180"};
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
