// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/competition_draw.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "contest/names.h"
#include "core/language.h"
#include "game/game.h"
#include "game/screen_layer.h"

namespace {

constexpr float kMargin = 16, kRowHeight = 24;

void panelBox(float left, float bottom, float width, float height) {
    glColor4f(0.04f, 0.07f, 0.2f, 0.92f);
    glRectf(left, bottom, left + width, bottom + height);
}

void gold() {
    glColor4f(1, 0.85f, 0.35f, 1);
}

void white() {
    glColor4f(1, 1, 1, 1);
}

std::string number(int n) {
    return std::to_string(n);
}

// The panel's lines as they read: a label and its value.
struct PanelRow {
    PanelLine line;
    std::string label, value;
};

std::vector<PanelRow> panelRows(const ContestPanel& p) {
    std::vector<PanelRow> rows;
    const std::string formats[3] = {formatName(ContestFormat::Single),
                                    formatName(ContestFormat::WorldCup), continueSeasonName()};
    rows.push_back({PanelLine::Format, _("Rodzaj"), formats[std::clamp(p.format, 0, 2)]});
    if (p.format == 2) return rows;
    rows.push_back({PanelLine::Humans, _("Gracze"), number(p.humans)});
    for (int i = 0; i < p.humans; ++i)
        rows.push_back({static_cast<PanelLine>(static_cast<int>(PanelLine::Name1) + i),
                        defaultPlayerName(i), p.names[i]});
    rows.push_back({PanelLine::Computers, _("Skoczkowie komputerowi"), number(p.computers)});
    return rows;
}

} // namespace

void drawContestPanel(const Game& g) {
    const ContestPanel& p = g.panel;
    if (!p.open) return;
    ScreenLayer layer;
    layer.dim(0.45f);
    const std::vector<PanelRow> rows = panelRows(p);
    const char* title = _("Konkurs");
    const char* keys = _("strzałki: wybór, Enter: start, Esc: zamknij");
    float labels = 0, values = 0;
    for (const PanelRow& r : rows) {
        labels = std::max(labels, textWidth(helpFont, (r.label + ":").c_str()));
        values = std::max(values, textWidth(helpFont, ("< " + r.value + " >_").c_str()));
    }
    values = std::max(values, textWidth(helpFont, "< Kontynuuj Puchar Świata >"));
    const float width =
        std::max(labels + values + 3 * kMargin, textWidth(helpFont, keys) + 2 * kMargin);
    const float height = 40 + (rows.size() + 1) * kRowHeight + 2 * kMargin;
    const float left = std::floor((layer.w - width) / 2),
                bottom = std::floor((layer.h - height) / 2);
    panelBox(left, bottom, width, height);
    float y = bottom + height - kMargin - 28;
    gold();
    layer.text(smallFont, title, layer.w / 2, y, true);
    y -= 40;
    for (const PanelRow& r : rows) {
        const bool chosen = r.line == p.line;
        const bool isName = r.line >= PanelLine::Name1 && r.line <= PanelLine::Name4;
        if (chosen)
            gold();
        else
            white();
        layer.text(helpFont, (r.label + ":").c_str(), left + kMargin, y);
        const std::string value =
            chosen ? (isName ? r.value + "_" : "< " + r.value + " >") : r.value;
        layer.text(helpFont, value.c_str(), left + 2 * kMargin + labels, y);
        y -= kRowHeight;
    }
    glColor4f(0.75f, 0.8f, 0.9f, 1);
    layer.text(helpFont, keys, layer.w / 2, bottom + kMargin, true);
}

namespace {

std::string roundText(const Contest& c) {
    const int round = c.round();
    if (round == 0) return _("wyniki końcowe");
    return round == 1 ? _("1. seria") : _("seria finałowa");
}

void drawBand(const ScreenLayer& layer, const std::string& text, float y) {
    const float width = textWidth(smallFont, text.c_str());
    const float left = std::floor((layer.w - width) / 2);
    glColor4f(0.04f, 0.07f, 0.2f, 0.75f);
    glRectf(left - 12, y - 10, left + width + 12, y + 30);
    white();
    layer.text(smallFont, text.c_str(), left, y);
}

std::string distanceText(const JumpResult& r) {
    return number(r.distance) + " m";
}

struct Column {
    float at; // share of the board's width
    bool right;
};

void drawRoundBoard(const ScreenLayer& layer, const Competition& c) {
    const Contest& contest = *c.contest;
    const std::vector<Placing> standings = contest.standings();
    const float width = std::min(layer.w - 20, 760.0f), height = layer.h - 40;
    const float left = std::floor((layer.w - width) / 2), bottom = 20;
    panelBox(left, bottom, width, height);
    float y = bottom + height - kMargin - 28;
    gold();
    const std::string title =
        contest.competitionOver()
            ? std::string(_("Wyniki końcowe")) + " – " + hillName(contest.hill())
            : std::string(_("Wyniki po 1. serii")) + " – " + hillName(contest.hill());
    layer.text(smallFont, title.c_str(), layer.w / 2, y, true);
    y -= 36;
    const Column cols[8] = {{0.06f, true}, {0.08f, false}, {0.47f, false}, {0.62f, true},
                            {0.71f, true}, {0.81f, true},  {0.90f, true},  {0.98f, true}};
    const char* heads[8] = {"", _("Zawodnik"), "", _("1. seria"), "", _("finał"), "", _("suma")};
    auto cell = [&](int col, const std::string& text, float row) {
        float x = left + cols[col].at * width;
        if (cols[col].right) x -= textWidth(helpFont, text.c_str());
        layer.text(helpFont, text.c_str(), x, row);
    };
    glColor4f(0.75f, 0.8f, 0.9f, 1);
    for (int i = 0; i < 8; ++i)
        cell(i, heads[i], y);
    y -= kRowHeight;
    const int fits =
        std::max(1, static_cast<int>((y - bottom - kMargin - kRowHeight) / kRowHeight));
    const int first =
        std::clamp(c.boardScroll, 0, std::max(0, static_cast<int>(standings.size()) - 1));
    for (int i = first; i < static_cast<int>(standings.size()) && i < first + fits; ++i) {
        const Placing& p = standings[i];
        const Starter& s = contest.starter(p.starter);
        if (s.human)
            gold();
        else
            white();
        cell(0, p.place > 0 ? number(p.place) + "." : "-", y);
        cell(1, s.name, y);
        cell(2, s.nation, y);
        if (p.jumps >= 1) {
            cell(3, distanceText(p.first), y);
            cell(4, number(p.first.total), y);
        }
        cell(5, p.jumps >= 2 ? distanceText(p.final) : "-", y);
        cell(6, p.jumps >= 2 ? number(p.final.total) : "", y);
        cell(7, p.jumps >= 1 ? number(p.sum) : "", y);
        y -= kRowHeight;
    }
    glColor4f(0.75f, 0.8f, 0.9f, 1);
    layer.text(helpFont, _("Enter: dalej, strzałki i PgUp/PgDn: przewijanie"), layer.w / 2,
               bottom + kMargin, true);
}

void drawSeasonBoard(const ScreenLayer& layer, const Competition& c) {
    const Contest& contest = *c.contest;
    const std::vector<SeasonPlacing> standings = contest.seasonStandings();
    const float width = std::min(layer.w - 20, 560.0f), height = layer.h - 40;
    const float left = std::floor((layer.w - width) / 2), bottom = 20;
    panelBox(left, bottom, width, height);
    float y = bottom + height - kMargin - 28;
    gold();
    const std::string title = std::string(_("Puchar Świata")) + " – " +
                              std::to_string(contest.competition() + 1) + "/" +
                              std::to_string(contest.competitions());
    layer.text(smallFont, title.c_str(), layer.w / 2, y, true);
    y -= 36 + kRowHeight;
    const int fits =
        std::max(1, static_cast<int>((y - bottom - kMargin - kRowHeight) / kRowHeight));
    const int first =
        std::clamp(c.boardScroll, 0, std::max(0, static_cast<int>(standings.size()) - 1));
    for (int i = first; i < static_cast<int>(standings.size()) && i < first + fits; ++i) {
        const SeasonPlacing& p = standings[i];
        const Starter& s = contest.starter(p.starter);
        if (s.human)
            gold();
        else
            white();
        const std::string place = number(p.place) + ".";
        layer.text(helpFont, place.c_str(),
                   left + 0.09f * width - textWidth(helpFont, place.c_str()), y);
        layer.text(helpFont, s.name.c_str(), left + 0.12f * width, y);
        layer.text(helpFont, s.nation.c_str(), left + 0.66f * width, y);
        const std::string points = number(p.points);
        layer.text(helpFont, points.c_str(),
                   left + 0.95f * width - textWidth(helpFont, points.c_str()), y);
        y -= kRowHeight;
    }
    glColor4f(0.75f, 0.8f, 0.9f, 1);
    layer.text(helpFont, _("Enter: dalej, strzałki i PgUp/PgDn: przewijanie"), layer.w / 2,
               bottom + kMargin, true);
}

} // namespace

void drawCompetition(const Game& g) {
    const Competition& c = g.competition;
    if (!c.contest) return;
    ScreenLayer layer;
    const Contest& contest = *c.contest;
    switch (c.phase) {
    case ContestPhase::Jumping: {
        const int starter = contest.nextStarter();
        const std::string line = starterLabel(contest, starter) + " – " + roundText(contest) + " " +
                                 std::to_string(contest.turn() + 1) + "/" +
                                 std::to_string(contest.order(contest.round()).size());
        drawBand(layer, line, layer.h - 86);
        break;
    }
    case ContestPhase::Result: {
        drawBand(layer, starterLabel(contest, c.lastStarter), layer.h - 86);
        const std::string result = std::to_string(c.lastPlace) + ". " + _("miejsce") + ": " +
                                   distanceText(c.lastResult) + ", " +
                                   std::to_string(c.lastResult.total) + " " + _("pkt");
        drawBand(layer, result, layer.h - 132);
        break;
    }
    case ContestPhase::RoundBoard:
        layer.dim(0.4f);
        drawRoundBoard(layer, c);
        break;
    case ContestPhase::SeasonBoard:
        layer.dim(0.4f);
        drawSeasonBoard(layer, c);
        break;
    }
}

void drawContestKey() {
    ScreenLayer layer;
    // On the poster, under its "F1 – pomoc", in its colour; the poster fills the window.
    glColor4f(0.86f, 0.9f, 0.97f, 1);
    // TRANSLATORS: the start screen's key for the competition panel, under "F1 – help".
    layer.text(smallFont, _("K – konkurs"), layer.w * 0.069f, layer.h * 0.44f);
}
