// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The competition engine without a display: order, the cut, places, World Cup points, and
// the season and results files in a temporary game folder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>

#include "contest/contest.h"
#include "contest/field.h"
#include "contest/names.h"
#include "contest/results_file.h"
#include "contest/season_file.h"
#include "support/harness.h"
#include "support/text_files.h"

namespace {

using Results = std::function<JumpResult(const Contest&, int starter)>;

// Varied results from a hash; `coarse` totals tie often.
Results hashed(int coarse = 1) {
    return [coarse](const Contest& c, int who) {
        ContestRandom r{c.seed() * 977 + c.competition() * 131 + c.round() * 17 + who};
        return JumpResult{60 + r.below(80), r.below(200 / coarse) * coarse, r.below(20) == 0};
    };
}

Contest contest(ContestFormat format, int humans, int computers, uint64_t seed) {
    return Contest::start({format, 2, std::vector<std::string>(humans), computers, seed});
}

// Plays to the end of the competition; `each` sees the contest after every jump.
void play(Contest& c, const Results& results, const std::function<void(Contest&, int)>& each = {}) {
    while (!c.competitionOver()) {
        const int place = c.record(results(c, c.nextStarter()));
        if (each) each(c, place);
    }
}

Placing placingOf(const Contest& c, int starter) {
    for (const Placing& p : c.standings())
        if (p.starter == starter) return p;
    ADD_FAILURE() << "no standing for " << starter;
    return {};
}

// Places shared as 1, 2, 2, 4: 1 + the number ranked strictly above (more rounds, or more
// points in as many).
void expectSoundPlaces(const Contest& c) {
    const std::vector<Placing> all = c.standings();
    for (const Placing& p : all) {
        const int above = static_cast<int>(std::count_if(all.begin(), all.end(), [&](auto& q) {
            return q.jumps > p.jumps || (q.jumps == p.jumps && q.sum > p.sum);
        }));
        EXPECT_EQ(p.place, p.jumps ? 1 + above : 0) << c.starter(p.starter).name;
    }
}

struct Shape {
    ContestFormat format;
    int humans, computers;
    uint64_t seed;
    int coarse; // totals in steps of this: larger steps, more ties (at 30th too)
};
const Shape kShapes[] = {
    {ContestFormat::Single, 1, 49, 7, 1},    {ContestFormat::Single, 4, 59, 8, 40},
    {ContestFormat::Single, 2, 0, 9, 1},     {ContestFormat::Single, 1, 20, 10, 50},
    {ContestFormat::WorldCup, 3, 40, 11, 1}, {ContestFormat::WorldCup, 1, 29, 12, 30},
};

} // namespace

TEST(Contest, OrderCutPlacesAndPointsFollowTheRules) {
    int tiedAtTheCut = 0;
    for (const Shape& s : kShapes) {
        SCOPED_TRACE(::testing::Message() << "seed " << s.seed);
        Contest c = contest(s.format, s.humans, s.computers, s.seed);
        ASSERT_EQ(c.starters(), s.humans + s.computers);
        std::vector<int> sorted = c.order(1);
        std::sort(sorted.begin(), sorted.end());
        for (int i = 0; i < c.starters(); ++i)
            EXPECT_EQ(sorted[i], i) << "everyone starts once";
        EXPECT_EQ(contest(s.format, s.humans, s.computers, s.seed).order(1), c.order(1));
        if (c.starters() > 5) {
            EXPECT_NE(contest(s.format, s.humans, s.computers, s.seed + 1).order(1), c.order(1));
        }

        std::vector<int> points(c.starters(), 0);
        for (int competition = 0; competition < c.competitions(); ++competition) {
            const std::vector<int> before = c.seasonPoints();
            EXPECT_EQ(before, points);
            for (size_t i = 1; i < c.order(1).size(); ++i)
                EXPECT_LE(before[c.order(1)[i - 1]], before[c.order(1)[i]]) << "leader last";
            play(c, hashed(s.coarse), [](Contest& now, int place) {
                EXPECT_GE(place, 1);
                expectSoundPlaces(now);
            });
            // The final: the best 30 and all tied with the 30th, the leader last.
            std::vector<int> totals;
            for (const Placing& p : c.standings())
                totals.push_back(p.first.total);
            std::sort(totals.rbegin(), totals.rend());
            const size_t cut = std::min<size_t>(kFinalists, totals.size());
            tiedAtTheCut += cut < totals.size() && totals[cut] == totals[cut - 1];
            const std::vector<int>& final = c.order(2);
            for (const Placing& p : c.standings()) {
                const bool in = std::count(final.begin(), final.end(), p.starter) == 1;
                EXPECT_EQ(in, p.first.total >= totals[cut - 1]);
                EXPECT_EQ(p.jumps, in ? 2 : 1);
                points[p.starter] += worldCupPoints(p.place);
            }
            for (size_t i = 1; i < final.size(); ++i)
                EXPECT_LE(placingOf(c, final[i - 1]).first.total,
                          placingOf(c, final[i]).first.total);
            EXPECT_EQ(c.seasonPoints(), points);
            if (competition + 1 < c.competitions()) {
                EXPECT_TRUE(c.beginNextCompetition());
            }
        }
        EXPECT_TRUE(c.seasonOver());
        EXPECT_FALSE(c.beginNextCompetition());
        std::vector<SeasonPlacing> season = c.seasonStandings();
        for (const SeasonPlacing& p : season)
            EXPECT_EQ(p.place, 1 + std::count_if(season.begin(), season.end(),
                                                 [&](auto& q) { return q.points > p.points; }));
    }
    EXPECT_GT(tiedAtTheCut, 0) << "a tie at 30th was tried";
}

TEST(Contest, WorldCupPointsAndHillsHaveTheirShape) {
    int sum = 0;
    for (int place = 1; place <= kFinalists; ++place) {
        EXPECT_GT(worldCupPoints(place), worldCupPoints(place + 1));
        sum += worldCupPoints(place);
    }
    EXPECT_EQ(worldCupPoints(0) + worldCupPoints(kFinalists + 1), 0);
    EXPECT_EQ(worldCupPoints(kFinalists), 1);
    std::multiset<int> hills;
    for (int i = 0; i < kWorldCupCompetitions; ++i) {
        hills.insert(worldCupHill(i));
        EXPECT_NE(worldCupHill(i), worldCupHill(i + 1));
    }
    for (int hill = 1; hill <= 3; ++hill)
        EXPECT_EQ(hills.count(hill), 2u);
    // Two equal second places both take second place's points.
    Contest c = contest(ContestFormat::Single, 4, 0, 1);
    play(c, [](const Contest&, int who) {
        return JumpResult{100, who == 0 ? 120 : who == 3 ? 80 : 100};
    });
    EXPECT_EQ(c.seasonPoints(), (std::vector<int>{worldCupPoints(1), worldCupPoints(2),
                                                  worldCupPoints(2), worldCupPoints(4)}));
}

TEST(Contest, FieldIsFixedAndSpreadFromStrongToWeak) {
    std::set<std::string> names;
    float strong = 0, weak = 0;
    for (int i = 0; i < kFieldSize; ++i) {
        const FieldJumper& j = fieldJumper(i);
        names.insert(j.name);
        EXPECT_EQ(playerName(j.name, 0), j.name) << "drawable and short";
        EXPECT_EQ(std::string(j.nation).size(), 3u);
        for (float skill : {j.takeOff, j.lean, j.landing}) {
            EXPECT_GE(skill, 0.0f);
            EXPECT_LE(skill, 1.0f);
            if (i < kFieldSize / 3) strong += skill;
            if (i >= 2 * kFieldSize / 3) weak += skill;
        }
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(kFieldSize));
    EXPECT_GT(strong, 2 * weak);
    // The form of the day: small, drawn per competition, the same again from the seed.
    Contest a = contest(ContestFormat::WorldCup, 1, 59, 5), b = a;
    play(a, hashed());
    a.beginNextCompetition();
    int changed = 0;
    for (int i = 0; i < a.starters(); ++i) {
        EXPECT_LE(std::abs(a.form(i)), kFormRangeMilli / 1000.0f);
        changed += a.form(i) != b.form(i);
    }
    EXPECT_GT(changed, kFieldSize / 2);
}

TEST(Contest, NamesAreTrimmedCutOrReplaced) {
    const struct {
        const char* typed;
        int slot;
        const char* name;
    } kCases[] = {
        {"  Ala Kot \t", 0, "Ala Kot"},
        {"", 1, "Gracz 2"},
        {"   ", 2, "Gracz 3"},
        {"Zażółć GĘŚLĄ jaźń ĆŃ", 0, "Zażółć GĘŚLĄ jaźń ĆŃ"},
        {"Abcdefghijklmnopqrstuvwxyz", 0, "Abcdefghijklmnopqrst"},
        {"Jürgen 日本", 3, "Jrgen"},
        {"日本", 3, "Gracz 4"},
        {"Ala\xff", 0, "Gracz 1"},
        {"\xc3\x28", 1, "Gracz 2"},     // a lead byte without its continuation
        {"\xc0\xaf", 1, "Gracz 2"},     // an overlong '/'
        {"\xed\xa0\x80", 1, "Gracz 2"}, // a surrogate
        {"Ala\xc5", 1, "Gracz 2"},      // cut in a letter
        {"ĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄ", 0, "ĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄĄ"},
        {"Ala                   x", 0, "Ala"}, // the cut leaves no blank at the end
    };
    for (const auto& k : kCases) {
        const std::string name = playerName(k.typed, k.slot);
        EXPECT_EQ(name, k.name) << k.typed;
        EXPECT_LE(nameLength(name), kLongestName);
        EXPECT_EQ(playerName(name, k.slot), name) << "a sound name stays as it is";
    }
}

TEST(SeasonFile, ResumingAfterEveryJumpEndsAsPlayingOn) {
    TempGameDir dir(false);
    for (const Shape& s : kShapes) {
        // Through the file for one shape (each save is synced to the disk), the rest through
        // its text.
        const bool onDisk = &s == &kShapes[0];
        Contest straight = contest(s.format, s.humans, s.computers, s.seed);
        Contest resumed = straight;
        for (int k = 0; k < straight.competitions(); ++k) {
            play(straight, hashed(s.coarse));
            straight.beginNextCompetition();
        }
        for (;;) {
            std::optional<Contest> load;
            if (onDisk) {
                ASSERT_TRUE(saveSeason(resumed));
                load = loadSeason().contest;
            } else {
                load = parseSeasonText(seasonText(resumed));
            }
            ASSERT_TRUE(load);
            resumed = *load;
            if (resumed.seasonOver()) break;
            if (resumed.competitionOver())
                resumed.beginNextCompetition();
            else
                resumed.record(hashed(s.coarse)(resumed, resumed.nextStarter()));
        }
        EXPECT_EQ(seasonText(resumed), seasonText(straight));
        EXPECT_EQ(resultsBlock(resumed, "d"), resultsBlock(straight, "d"));
    }
}

TEST(SeasonFile, EveryCutOrDamagedFileIsRefusedAndKeptAside) {
    TempGameDir dir(false);
    Contest c = contest(ContestFormat::WorldCup, 2, 35, 3);
    play(c, hashed());
    c.beginNextCompetition();
    for (int i = 0; i < 40; ++i)
        c.record(hashed()(c, c.nextStarter()));
    const std::string text = seasonText(c);
    auto loadOf = [&](const std::string& bytes) {
        writeText(kSeasonPath, bytes);
        ::testing::internal::CaptureStderr();
        SeasonLoad load = loadSeason();
        const std::string told = ::testing::internal::GetCapturedStderr();
        if (load.read == SeasonRead::Loaded) {
            EXPECT_EQ(seasonText(*load.contest), bytes) << "read whole, as written";
            EXPECT_EQ(told, "");
        } else {
            EXPECT_EQ(load.read, SeasonRead::Refused);
            EXPECT_EQ(std::count(told.begin(), told.end(), '\n'), 1) << told;
            EXPECT_FALSE(std::filesystem::exists(kSeasonPath));
            EXPECT_EQ(readText(load.keptAs), bytes) << "kept aside as it was";
            std::filesystem::remove(load.keptAs);
        }
        return load.read;
    };
    EXPECT_EQ(loadOf(text), SeasonRead::Loaded);
    for (size_t length = 0; length < text.size(); ++length)
        EXPECT_EQ(loadOf(text.substr(0, length)), SeasonRead::Refused) << length;
    for (size_t at = 0; at < text.size(); at += 3) {
        std::string damaged = text;
        damaged[at] ^= 0x04;
        EXPECT_EQ(loadOf(damaged), SeasonRead::Refused) << at;
    }
    // A later version's file, twice: the second is kept beside the first.
    std::string later = text;
    later.replace(later.find(' '), 2, " 2");
    writeText(kSeasonPath, later);
    ::testing::internal::CaptureStderr();
    const SeasonLoad first = loadSeason();
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("later version"), std::string::npos);
    writeText(kSeasonPath, later + "x");
    ::testing::internal::CaptureStderr();
    const SeasonLoad second = loadSeason();
    ::testing::internal::GetCapturedStderr();
    EXPECT_NE(first.keptAs, second.keptAs);
    EXPECT_EQ(readText(first.keptAs), later);
    EXPECT_EQ(readText(second.keptAs), later + "x");
    EXPECT_EQ(loadSeason().read, SeasonRead::Missing);
    // What cannot be read may be the player's season: it stays where it is.
    std::filesystem::create_directory(kSeasonPath);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loadSeason().read, SeasonRead::Unreadable);
    EXPECT_NE(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(std::filesystem::is_directory(kSeasonPath));
}

TEST(ResultsFile, BlocksAreAddedInPlaceOrderAndEarlierOnesKept) {
    TempGameDir dir(false);
    writeText(kResultsPath, "earlier text, no line end");
    for (const Shape& s : {kShapes[0], kShapes[3]}) {
        Contest c = contest(s.format, s.humans, s.computers, s.seed);
        play(c, hashed(s.coarse));
        const std::string before = readText(kResultsPath);
        ASSERT_TRUE(appendResults(c, "2026-12-10 09:00"));
        const std::string after = readText(kResultsPath);
        ASSERT_EQ(after.compare(0, before.size(), before), 0);
        const std::string block = resultsBlock(c, "2026-12-10 09:00");
        EXPECT_EQ(after.substr(after.size() - block.size()), block);
        EXPECT_EQ(block.substr(0, block.find('\n')),
                  "2026-12-10 09:00  " + hillName(c.hill()) + "  " + formatName(c.format()));
        EXPECT_EQ(std::count(block.begin(), block.end(), '\n'), c.starters() + 1);
        int lastPlace = 0, dashes = 0;
        std::istringstream lines(block.substr(block.find('\n') + 1));
        for (std::string line; std::getline(lines, line);) {
            const int place = std::stoi(line);
            EXPECT_GE(place, lastPlace);
            lastPlace = place;
            dashes += line.find(" - ") != std::string::npos;
        }
        EXPECT_EQ(dashes, c.starters() - static_cast<int>(c.order(2).size()));
    }
    EXPECT_EQ(readText(kResultsPath).find("earlier text, no line end\n\n"), 0u);
    std::filesystem::remove(kResultsPath);
    std::filesystem::create_directory(kResultsPath);
    Contest c = contest(ContestFormat::Single, 1, 3, 1);
    play(c, hashed());
    EXPECT_FALSE(appendResults(c, "d"));
    EXPECT_TRUE(std::filesystem::is_directory(kResultsPath));
}
