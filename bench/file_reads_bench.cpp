// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of the settings and record files the game touches on every 3-D frame: the nine
// colour files (each drawing of the jumper) and the record file (the HUD's record check),
// and of one record store (temporary file, fsync, rename) for comparison.
// Usage: build/file_reads_bench [--frames N] [--dir PATH]  (PATH: where to make the game folder)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "score/records.h"
#include "core/settings.h"
#include "game/game.h"
#include "support/harness.h"

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

void write(const std::string& name, const std::string& text) {
    std::ofstream("Data/" + name, std::ios::binary | std::ios::trunc) << text;
}

double microseconds(Clock::duration d) {
    return std::chrono::duration<double, std::micro>(d).count();
}

struct Figures {
    double median, p95;
};

// Median and 95th percentile of `batches` batches of `perBatch` calls, per call.
template <class F> Figures measure(int batches, int perBatch, F call) {
    std::vector<double> per;
    for (int b = 0; b < batches; ++b) {
        const auto start = Clock::now();
        for (int i = 0; i < perBatch; ++i)
            call();
        per.push_back(microseconds(Clock::now() - start) / perBatch);
    }
    std::sort(per.begin(), per.end());
    return {per[per.size() / 2], per[per.size() * 95 / 100]};
}

} // namespace

int main(int argc, char** argv) {
    int frames = 20000;
    std::string base = fs::temp_directory_path().string();
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0) frames = std::max(100, std::atoi(argv[++i]));
        if (std::strcmp(argv[i], "--dir") == 0) base = argv[++i];
    }
    std::string tmpl = base + "/valmora-reads-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) {
        std::perror("mkdtemp");
        return 1;
    }
    const fs::path root = name.data();
    fs::create_directories(root / "Data");
    fs::current_path(root);
    const char* colours[][2] = {{"suitR.dat", "199"}, {"suitG.dat", "0"},   {"suitB.dat", "0"},
                                {"helmR.dat", "199"}, {"helmG.dat", "199"}, {"helmB.dat", "199"},
                                {"skiR.dat", "0.0"},  {"skiG.dat", "0.0"},  {"skiB.dat", "199.0"}};
    for (auto& c : colours)
        write(c[0], c[1]);
    write("record1.dat", "95");

    const int batches = 50, perBatch = std::max(1, frames / batches);
    int32_t record = 0;
    // Warm the page cache and the allocator first.
    for (int i = 0; i < 1000; ++i) {
        readJumperColours(game().settings);
        readRecord(game().records, 1, record);
    }
    Figures colourReads = measure(batches, perBatch, [] { readJumperColours(game().settings); });
    Figures recordRead = measure(batches, perBatch, [&] { readRecord(game().records, 1, record); });
    Figures frame = measure(batches, perBatch, [&] {
        readJumperColours(game().settings);
        readRecord(game().records, 1, record);
    });
    int stores = 0;
    Figures store = measure(10, 20, [&] { storeRecord(2, 100 + stores++ % 50); });

    std::printf("file reads per 3-D frame, %d frames in %d batches, folder %s\n",
                batches * perBatch, batches, root.c_str());
    std::printf("  nine colour files          median %8.2f us   p95 %8.2f us\n", colourReads.median,
                colourReads.p95);
    std::printf("  record file                median %8.2f us   p95 %8.2f us\n", recordRead.median,
                recordRead.p95);
    std::printf(
        "  whole frame (10 files)     median %8.2f us   p95 %8.2f us   = %.2f%% of 1/60 s\n",
        frame.median, frame.p95, frame.median / (1e6 / 60) * 100);
    std::printf("  one record store (fsync)   median %8.2f us   p95 %8.2f us\n", store.median,
                store.p95);
    std::printf("  check: suit %d,%d,%d record %d\n", game().settings.suitColor[0],
                game().settings.suitColor[1], game().settings.suitColor[2], record);

    fs::current_path(base);
    std::error_code ec;
    fs::remove_all(root, ec);
    return 0;
}
