// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the competition engine around each jump: telling it a result (with the place so
// far), saving the season file through the one writer (temporary file, fsync, rename) as
// the game does after every jump, reading it back, and adding a results block.
// Usage: build/contest_bench [--dir PATH]  (PATH: where to make the game folder)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "contest/results_file.h"
#include "contest/season_file.h"

namespace {

using Clock = std::chrono::steady_clock;

double milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

JumpResult someJump(const Contest& c, int who) {
    ContestRandom r{c.competition() * 131u + c.round() * 17u + static_cast<unsigned>(who)};
    return {70 + r.below(70), 60 + r.below(120), r.below(25) == 0};
}

} // namespace

int main(int argc, char** argv) {
    std::string base = "/tmp";
    for (int i = 1; i + 1 < argc; i += 2)
        if (std::strcmp(argv[i], "--dir") == 0) base = argv[i + 1];
    std::string folder = base + "/valmora-contest-bench-XXXXXX";
    if (!mkdtemp(folder.data()) || chdir(folder.c_str()) != 0) {
        std::perror(folder.c_str());
        return 1;
    }
    std::filesystem::create_directory("Data");

    ContestSetup setup;
    setup.format = ContestFormat::WorldCup;
    setup.humanNames = {"Gracz"};
    setup.computers = 59;
    setup.seed = 1;
    Contest c = Contest::start(setup);
    int jumps = 0;
    size_t largest = 0;
    Clock::duration told{}, saved{}, loaded{};
    while (!c.seasonOver()) {
        if (c.competitionOver()) c.beginNextCompetition();
        auto t0 = Clock::now();
        c.record(someJump(c, c.nextStarter()));
        auto t1 = Clock::now();
        if (!saveSeason(c)) return 1;
        auto t2 = Clock::now();
        SeasonLoad load = loadSeason();
        auto t3 = Clock::now();
        if (load.read != SeasonRead::Loaded) return 1;
        told += t1 - t0, saved += t2 - t1, loaded += t3 - t2;
        largest = std::max(largest, seasonText(c).size());
        ++jumps;
    }
    const auto t0 = Clock::now();
    for (int i = 0; i < 10; ++i)
        appendResults(c, "bench");
    const double append = milliseconds(Clock::now() - t0) / 10;

    std::printf("World Cup season of 60 starters: %d jumps\n", jumps);
    std::printf("  result told, place so far  %8.4f ms per jump\n", milliseconds(told) / jumps);
    std::printf("  season file saved (fsync)  %8.4f ms per jump\n", milliseconds(saved) / jumps);
    std::printf("  season file read back      %8.4f ms per jump\n", milliseconds(loaded) / jumps);
    std::printf("  season file at its largest %8zu bytes\n", largest);
    std::printf("  results block appended     %8.4f ms\n", append);
    std::filesystem::current_path(base);
    std::filesystem::remove_all(folder);
    return 0;
}
