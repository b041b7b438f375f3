// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "contest/contest.h"

#include <algorithm>
#include <numeric>

#include "contest/field.h"
#include "contest/names.h"
#include "core/language.h"

namespace {

const int kPoints[kFinalists] = {100, 80, 60, 50, 45, 40, 36, 32, 29, 26, 24, 22, 20, 18, 16,
                                 15,  14, 13, 12, 11, 10, 9,  8,  7,  6,  5,  4,  3,  2,  1};

const char* const kHillNames[] = {N_("Finlandia K90"), N_("Polska K120"), N_("Czechy K180")};

// Places for entries already sorted best first: equal keys share the first one's place.
template <typename Entry, typename Same> void sharePlaces(std::vector<Entry>& entries, Same same) {
    for (size_t i = 0; i < entries.size(); ++i)
        entries[i].place = i > 0 && same(entries[i - 1], entries[i]) ? entries[i - 1].place
                                                                     : static_cast<int>(i) + 1;
}

} // namespace

int worldCupPoints(int place) {
    return place >= 1 && place <= kFinalists ? kPoints[place - 1] : 0;
}

int worldCupHill(int competition) {
    return competition % 3 + 1;
}

std::string formatName(ContestFormat format) {
    return format == ContestFormat::WorldCup ? _("Puchar Świata") : _("Konkurs");
}

std::string continueSeasonName() {
    return _("Kontynuuj Puchar Świata");
}

std::string hillName(int hill) {
    return _(kHillNames[std::clamp(hill, 1, 3) - 1]);
}

Contest Contest::start(const ContestSetup& setup) {
    Contest c;
    c.format_ =
        setup.format == ContestFormat::WorldCup ? ContestFormat::WorldCup : ContestFormat::Single;
    c.seed_ = setup.seed;
    c.singleHill_ = std::clamp(setup.hill, 1, 3);
    c.random_.state = setup.seed;
    const int humans = std::clamp(static_cast<int>(setup.humanNames.size()), 1, kMaxHumans);
    for (int i = 0; i < humans; ++i) {
        const std::string typed =
            i < static_cast<int>(setup.humanNames.size()) ? setup.humanNames[i] : "";
        c.starters_.push_back({true, i, playerName(typed, i), "---"});
    }
    for (int i = 0; i < std::clamp(setup.computers, 0, kFieldSize); ++i) {
        const FieldJumper& j = fieldJumper(i);
        c.starters_.push_back({false, i, j.name, j.nation});
    }
    c.pointsBefore_.assign(c.starters_.size(), 0);
    c.beginCompetition();
    return c;
}

int Contest::hill() const {
    return format_ == ContestFormat::WorldCup ? worldCupHill(competition_) : singleHill_;
}

int Contest::humans() const {
    return static_cast<int>(std::count_if(starters_.begin(), starters_.end(),
                                          [](const Starter& s) { return s.human; }));
}

void Contest::beginCompetition() {
    const size_t n = starters_.size();
    // A seeded shuffle, then the season standings reversed (lowest first, leader last); in
    // the first competition everyone has 0 points and the shuffle is the order.
    firstOrder_.resize(n);
    std::iota(firstOrder_.begin(), firstOrder_.end(), 0);
    for (size_t i = n; i > 1; --i)
        std::swap(firstOrder_[i - 1], firstOrder_[random_.below(static_cast<int>(i))]);
    std::stable_sort(firstOrder_.begin(), firstOrder_.end(),
                     [this](int a, int b) { return pointsBefore_[a] < pointsBefore_[b]; });
    formMilli_.assign(n, 0);
    for (size_t i = 0; i < n; ++i) {
        const int form = random_.between(-kFormRangeMilli, kFormRangeMilli);
        if (!starters_[i].human) formMilli_[i] = form;
    }
    finalOrder_.clear();
    round_ = 1;
    turn_ = 0;
    first_.assign(n, JumpResult{});
    final_.assign(n, JumpResult{});
    jumps_.assign(n, 0);
}

int Contest::round() const {
    return round_;
}

int Contest::nextStarter() const {
    if (round_ == 0) return -1;
    return order(round_)[turn_];
}

int Contest::record(JumpResult result) {
    const int who = nextStarter();
    if (who < 0) return 0;
    result.distance = std::clamp(result.distance, 0, kLongestDistance);
    result.total = std::clamp(result.total, kLowestTotal, kHighestTotal);
    (round_ == 1 ? first_ : final_)[who] = result;
    jumps_[who] = round_;
    if (++turn_ == static_cast<int>(order(round_).size())) {
        turn_ = 0;
        if (round_ == 1) {
            // The best 30 of the first round, all of those tied at 30th too; they start in
            // the reverse of their standing, the leader last (equal totals: the earlier
            // starter of the first round first).
            std::vector<int> ranked = firstOrder_;
            std::stable_sort(ranked.begin(), ranked.end(),
                             [this](int a, int b) { return first_[a].total > first_[b].total; });
            size_t cut = ranked.size();
            if (cut > static_cast<size_t>(kFinalists)) {
                const int line = first_[ranked[kFinalists - 1]].total;
                cut = kFinalists;
                while (cut < ranked.size() && first_[ranked[cut]].total == line)
                    ++cut;
            }
            finalOrder_ = std::vector<int>(ranked.begin(), ranked.begin() + cut);
            std::stable_sort(finalOrder_.begin(), finalOrder_.end(),
                             [this](int a, int b) { return first_[a].total < first_[b].total; });
            round_ = 2;
        } else {
            round_ = 0;
        }
    }
    for (const Placing& p : standings())
        if (p.starter == who) return p.place;
    return 0;
}

std::vector<Placing> Contest::standings() const {
    std::vector<Placing> out;
    for (int i = 0; i < starters(); ++i) {
        Placing p;
        p.starter = i;
        p.jumps = jumps_[i];
        p.first = first_[i];
        p.final = final_[i];
        p.sum = (p.jumps >= 1 ? p.first.total : 0) + (p.jumps >= 2 ? p.final.total : 0);
        out.push_back(p);
    }
    std::stable_sort(out.begin(), out.end(), [](const Placing& a, const Placing& b) {
        return a.jumps != b.jumps ? a.jumps > b.jumps : a.sum > b.sum;
    });
    sharePlaces(out, [](const Placing& a, const Placing& b) {
        return a.jumps == b.jumps && a.sum == b.sum;
    });
    for (Placing& p : out)
        if (p.jumps == 0) p.place = 0;
    return out;
}

bool Contest::beginNextCompetition() {
    if (!competitionOver() || seasonOver()) return false;
    pointsBefore_ = seasonPoints();
    ++competition_;
    beginCompetition();
    return true;
}

std::vector<int> Contest::seasonPoints() const {
    std::vector<int> points = pointsBefore_;
    if (competitionOver())
        for (const Placing& p : standings())
            points[p.starter] += worldCupPoints(p.place);
    return points;
}

std::vector<SeasonPlacing> Contest::seasonStandings() const {
    const std::vector<int> points = seasonPoints();
    std::vector<SeasonPlacing> out;
    for (int i = 0; i < starters(); ++i)
        out.push_back({i, 0, points[i]});
    std::stable_sort(out.begin(), out.end(), [](const SeasonPlacing& a, const SeasonPlacing& b) {
        return a.points > b.points;
    });
    sharePlaces(
        out, [](const SeasonPlacing& a, const SeasonPlacing& b) { return a.points == b.points; });
    return out;
}
