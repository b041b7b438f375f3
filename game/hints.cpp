// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/hints.h"

#include <cstdio>

#include "core/file_io.h"
#include "core/language.h"
#include "core/settings.h"
#include "game/game.h"
#include "game/save_notices.h"
#include "jump/jump_state.h"

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

void show(Hints& h, const char* hint) {
    if (!h.wanted) return;
    h.shown = hint;
    h.stepsLeft = kHintSteps;
}

} // namespace

void toggleHelp(Game& g) {
    g.mode.help = !g.mode.help;
}

const char* currentHint(const Game& g) {
    return g.hints.shown;
}

void showNotice(Game& g, const std::string& text, int steps) {
    g.hints.notice = text;
    g.hints.noticeStepsLeft = steps;
}

const char* currentNotice(const Game& g) {
    return g.hints.noticeStepsLeft > 0 ? g.hints.notice.c_str() : nullptr;
}

bool hintsOn(const Game& g) {
    return g.hints.wanted;
}

void toggleHints(Game& g) {
    Hints& h = g.hints;
    h.wanted = !h.wanted;
    if (!h.wanted) h.shown = nullptr;
    // The band is seen only over the scene; on the start screen the choice speaks later.
    if (sceneShown(g))
        showNotice(g, h.wanted ? _("podpowiedzi włączone") : _("podpowiedzi wyłączone"),
                   kNoticeSteps);
    // A preference: if it cannot be kept, the game says so (over the notice above) and plays on
    // with it for this run.
    noteSave(g, N_("podpowiedzi"), kHintsFile, replaceFile(kHintsFile, h.wanted ? "1" : "0", 1));
}

void readHintsChoice(Game& g) {
    SettingFile file{kHintsFile, 4, {}};
    int32_t value = 1;
    g.hints.wanted = !readSettingFile(file, value) || value != 0;
}

void hintEarlyClick(Game& g) {
    show(g.hints, _("za wcześnie"));
}

void stepHints(Game& g) {
    Hints& s = g.hints;
    const Jump& j = g.jump;
    if (j.atGate == 1) s.toldLate = s.toldNoStance = false;
    const HillStart* h = hillStart(g.settings.hillNumber);
    // Past the end of the take-off window with no take-off: the click came too late (or
    // never).
    if (h && j.runStarted == 1 && j.takeoffDone == 0 && j.jumperZ >= h->takeoffWindow[1] &&
        !s.toldLate) {
        s.toldLate = true;
        show(s, _("spóźnione wybicie"));
    }
    // Down from a flight without the landing stance: a fall.
    if (j.takeoffDone == 1 && j.jumperY == j.groundY && j.landingStance == 0 && !s.toldNoStance) {
        s.toldNoStance = true;
        show(s, _("brak telemarku"));
    }
    if (s.stepsLeft > 0 && --s.stepsLeft == 0) s.shown = nullptr;
    if (s.noticeStepsLeft > 0) --s.noticeStepsLeft;
}
