// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The competition engine: who starts, in which order, the cut to the final round, places,
// and the World Cup season over the three hills. It plays no jump: the game tells it each
// jump's result and asks it who is next.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "contest/contest_random.h"

enum class ContestFormat : int { Single = 0, WorldCup = 1 };

constexpr int kMaxHumans = 4;
constexpr int kFinalists = 30;
constexpr int kWorldCupCompetitions = 6;
// The bounds of a jump's result the engine keeps (and the season file holds).
constexpr int kLongestDistance = 999;
constexpr int kLowestTotal = -9999, kHighestTotal = 9999;

// World Cup points for a place (0 outside 1..30).
int worldCupPoints(int place);
// The hill of a season's competition 0..5: 1, 2, 3, 1, 2, 3.
int worldCupHill(int competition);
// "Konkurs" or "Puchar Świata", in the player's language.
std::string formatName(ContestFormat format);
// The panel's choice that goes on with a saved season.
std::string continueSeasonName();
// "Finlandia K90", ... for hill 1..3, in the player's language.
std::string hillName(int hill);

struct JumpResult {
    int distance = 0; // metres
    int total = 0;    // the game's points, marks included
    bool fell = false;
};

struct Starter {
    bool human = false;
    int slot = 0; // the player 0..3, or the computer jumper's index in the field
    std::string name;
    std::string nation; // "---" for a human player
};

// A starter's standing in the competition. place 0: he has not jumped yet.
struct Placing {
    int starter = 0;
    int place = 0;
    int jumps = 0; // rounds jumped
    JumpResult first, final;
    int sum = 0;
};

struct SeasonPlacing {
    int starter = 0;
    int place = 0;
    int points = 0;
};

struct ContestSetup {
    ContestFormat format = ContestFormat::Single;
    int hill = 1;                        // a single competition's hill
    std::vector<std::string> humanNames; // 1..4, made sound with playerName
    int computers = 49;                  // the first ones of the field, 0..59
    uint64_t seed = 0;
};

class Contest {
  public:
    // Starters: the human players first, then the strongest `computers` of the field.
    // Out-of-range counts are clamped; the first competition begins at once.
    static Contest start(const ContestSetup& setup);

    ContestFormat format() const { return format_; }
    uint64_t seed() const { return seed_; }
    int competitions() const {
        return format_ == ContestFormat::WorldCup ? kWorldCupCompetitions : 1;
    }
    int competition() const { return competition_; } // 0-based
    int hill() const;
    int starters() const { return static_cast<int>(starters_.size()); }
    const Starter& starter(int index) const { return starters_.at(index); }
    int humans() const;
    int computers() const { return starters() - humans(); }
    // The form of the day of this competition, a small +/- (0 for human players).
    float form(int index) const { return formMilli_.at(index) / 1000.0f; }

    // 1 or 2; 0 once the competition is over.
    int round() const;
    // Whose turn it is in the round (an index into order(round())), and who that is (-1
    // when the competition is over).
    int turn() const { return turn_; }
    int nextStarter() const;
    // The starting order of a round; the final's once the first round is over.
    const std::vector<int>& order(int round) const {
        return round == 2 ? finalOrder_ : firstOrder_;
    }

    // The next starter's jump; out-of-range values are kept at the bounds above. Returns his
    // place so far. Does nothing (returns 0) once the competition is over.
    int record(JumpResult result);

    // Everyone, best first: those with more rounds jumped above, then by the sum; equal sums
    // share a place (1, 2, 2, 4), and starters yet to jump come last with place 0.
    std::vector<Placing> standings() const;
    bool competitionOver() const { return round() == 0; }
    bool seasonOver() const { return competitionOver() && competition_ + 1 >= competitions(); }
    // The next competition of the season, its order from the season standings. False (and
    // nothing done) until the competition is over, or when the season is.
    bool beginNextCompetition();

    // World Cup points per starter, the running competition's included once it is over.
    std::vector<int> seasonPoints() const;
    // Everyone, most points first; equal points share a place.
    std::vector<SeasonPlacing> seasonStandings() const;

  private:
    friend struct ContestFile;
    Contest() = default;
    void beginCompetition();

    ContestFormat format_ = ContestFormat::Single;
    uint64_t seed_ = 0;
    int singleHill_ = 1;
    int competition_ = 0;
    std::vector<Starter> starters_;
    ContestRandom random_;
    // World Cup points before the running competition.
    std::vector<int> pointsBefore_;
    std::vector<int> formMilli_;
    std::vector<int> firstOrder_, finalOrder_;
    int round_ = 1, turn_ = 0;
    std::vector<JumpResult> first_, final_;
    std::vector<int> jumps_; // rounds jumped per starter
};
