// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/setup_warnings.h"

#include "core/language.h"

const char* const warningCaption = N_("Uwagi:");

std::vector<std::string> settingsWarnings(const SettingsChoices& choices, bool startingGame) {
    std::vector<std::string> warnings;
    if (choices.hillChoice == "Czechy K180" && choices.weatherChoice == "Noc") {
        std::string night = _("Opcja nocy nie będzie aktywna ponieważ wybrano skocznie mamucią "
                              "na której zawody rozgrywane są tylko w czasie dnia");
        if (startingGame) night += ".";
        warnings.push_back(night);
    }
    if (choices.seasonChoice == "lato" && choices.precipitationChoice == "śnieg") {
        warnings.push_back(
            _("Opcja opadów śniegu nie będzie aktywna ponieważ wybraną porą roku jest lato."));
    }
    return warnings;
}

std::string unwrittenFilesMessage(const std::vector<std::string>& paths,
                                  const std::vector<std::string>& causes) {
    std::string message = _("Nie udało się zapisać plików:");
    for (size_t i = 0; i < paths.size(); ++i) {
        message += "\n" + paths[i];
        if (i < causes.size()) message += ": " + causes[i];
    }
    return message;
}
