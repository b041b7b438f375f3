// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/hints.h"

#include <cstdio>

#include "core/file_io.h"
#include "core/language.h"
#include "core/settings.h"
#include "game/app.h"
#include "game/save_notices.h"
#include "jump/jump_state.h"

bool helpShown = false;

const char* const kHelpLines[] = {
    // TRANSLATORS: the F1 panel; its widest line must fit a 640-pixel window in a 20-pixel
    // font.
    N_("Enter: start z ekranu startowego"),
    N_("Spacja lub lewy przycisk: start przy zielonym świetle"),
    N_("Lewy przycisk tuż przed progiem: wybicie"),
    N_("Mysz w dół: pochyl się do przodu, w górę: do tyłu"),
    N_("Prawy przycisk przed lądowaniem: telemark"),
    N_("Lewy przycisk lub Enter po skoku: następny skok"),
    N_("1–8: kamery, + i -: kamera bliżej i dalej"),
    N_("R: powtórka (Spacja: wolniej), T: skok rekordowy"),
    N_("P: pauza, F11: pełny ekran, H: podpowiedzi"),
    N_("M: dźwięk, 9 i 0: ciszej i głośniej"),
    N_("Esc: ekran startowy, Q: koniec gry"),
    N_("F1: zamknij pomoc"),
};
const int kHelpLineCount = sizeof(kHelpLines) / sizeof(kHelpLines[0]);

namespace {

constexpr const char* kHintsFile = "Data/hints.dat";
// About two seconds a hint.
constexpr int kHintSteps = 120;
// About a second for the game's word on the player's own choice.
constexpr int kNoticeSteps = 60;

bool hintsWanted = true;
const char* shown = nullptr;
int stepsLeft = 0;
// What this jump has been told already, so a hint comes once.
bool toldLate = false, toldNoStance = false;
std::string notice;
int noticeStepsLeft = 0;

void show(const char* hint) {
    if (!hintsWanted) return;
    shown = hint;
    stepsLeft = kHintSteps;
}

} // namespace

void toggleHelp() {
    helpShown = !helpShown;
}

const char* currentHint() {
    return shown;
}

void showNotice(const std::string& text, int steps) {
    notice = text;
    noticeStepsLeft = steps;
}

const char* currentNotice() {
    return noticeStepsLeft > 0 ? notice.c_str() : nullptr;
}

bool hintsOn() {
    return hintsWanted;
}

void toggleHints() {
    hintsWanted = !hintsWanted;
    if (!hintsWanted) shown = nullptr;
    // The band is seen only over the scene; on the start screen the choice speaks later.
    if (sceneShown())
        showNotice(hintsWanted ? _("podpowiedzi włączone") : _("podpowiedzi wyłączone"),
                   kNoticeSteps);
    // A preference: if it cannot be kept, the game says so (over the notice above) and plays on
    // with it for this run.
    noteSave(N_("podpowiedzi"), kHintsFile, replaceFile(kHintsFile, hintsWanted ? "1" : "0", 1));
}

void readHintsChoice() {
    SettingFile file{kHintsFile, 4, {}};
    int32_t value = 1;
    hintsWanted = !readSettingFile(file, value) || value != 0;
}

void hintEarlyClick() {
    show(_("za wcześnie"));
}

void stepHints() {
    if (atGate == 1) toldLate = toldNoStance = false;
    const HillStart* h = hillStart(hillNumber);
    // Past the end of the take-off window with no take-off: the click came too late (or
    // never).
    if (h && runStarted == 1 && takeoffDone == 0 && jumperZ >= h->takeoffWindow[1] && !toldLate) {
        toldLate = true;
        show(_("spóźnione wybicie"));
    }
    // Down from a flight without the landing stance: a fall.
    if (takeoffDone == 1 && jumperY == groundY && landingStance == 0 && !toldNoStance) {
        toldNoStance = true;
        show(_("brak telemarku"));
    }
    if (stepsLeft > 0 && --stepsLeft == 0) shown = nullptr;
    if (noticeStepsLeft > 0) --noticeStepsLeft;
}

void resetHints() {
    helpShown = false;
    hintsWanted = true;
    shown = nullptr;
    stepsLeft = 0;
    toldLate = toldNoStance = false;
    notice.clear();
    noticeStepsLeft = 0;
}
