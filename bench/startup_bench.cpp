// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up cost: window to first frame, and one scene set-up with the full texture list.
// Run under Xvfb: xvfb-run -a -s "-screen 0 1280x1024x24" build/startup_bench [--runs N]
// Textures come from the built game folder (build/game/textures); without them the bench
// paints 256 x 256 stand-ins so the figures still mean something.
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

#include "game/app.h"
#include "game/game_step.h"
#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "game/frame.h"
#include "core/settings.h"
#include "platform/platform.h"
#include "render/gl.h"
#include "render/text.h"
#include "render/texture_file.h"
#include "render/texture_list.h"
#include "render/textures.h"
#include "sound/sound_out.h"
#include "game/game.h"
#include "support/harness.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

void write(const std::string& name, const std::string& text) {
    std::ofstream("Data/" + name, std::ios::binary | std::ios::trunc) << text;
}

void configure(int hill, int detail) {
    write("resx.dat", "800");
    write("resy.dat", "600");
    write("hill.dat", std::to_string(hill));
    write("det.dat", std::to_string(detail));
    write("tf.dat", "2");
    write("winsum.dat", "0");
    write("opad.dat", "1");
    write("dR.dat", "4");
    write("dG.dat", "5");
    write("dB.dat", "6");
    write("fog.dat", "7");
}

double ms(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

struct Stats {
    double median, min, max;
};

Stats stats(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    double median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
    return {median, v.front(), v.back()};
}

void print(const char* what, const std::vector<double>& v) {
    Stats s = stats(v);
    std::printf("%-52s median %8.1f ms   (min %.1f, max %.1f, %zu runs)\n", what, s.median, s.min,
                s.max, v.size());
}

// Stand-in pictures when the game folder has none: 256 x 256 noise, a little black.
void paintStandIns(const fs::path& dir) {
    uint32_t seed = 12345;
    for (const TextureEntry& e : kTextureList) {
        std::vector<uint8_t> rgb(256 * 256 * 3);
        for (uint8_t& c : rgb) {
            seed = seed * 1103515245u + 12345u;
            c = static_cast<uint8_t>(seed >> 24);
        }
        std::vector<uint8_t> file = encodeBitmap(256, 256, rgb);
        std::ofstream(dir / (std::string(e.stem) + ".stx"), std::ios::binary)
            .write(reinterpret_cast<const char*>(file.data()),
                   static_cast<std::streamsize>(file.size()));
    }
}

// What the game does from reading the window size to its first finished frame, in three
// stretches: window and context, scene set-up, first frame. The sounds are begun on their own
// thread first; the audio device is opened after the first frame, timed on its own.
struct StartUp {
    double window, setup, frame, total, device;
};

StartUp startToFirstFrame() {
    auto t0 = Clock::now();
    startMakingSounds();
    resetToProgramStart(game());
    readWindowSize(game().settings);
    if (!platformCreateWindow("Valmora", game().settings.windowWidth,
                              game().settings.windowHeight)) {
        std::fprintf(stderr, "no GL window (run under xvfb-run): %s\n", platformLastError());
        std::exit(1);
    }
    int w = 0, h = 0;
    platformClientSize(&w, &h);
    resizeViewport(w, h);
    glFinish();
    auto t1 = Clock::now();
    game().mode.quit = false;
    setupScene(game());
    glFinish();
    auto t2 = Clock::now();
    drawFrame(game());
    glFinish();
    auto t3 = Clock::now();
    openSoundDevice();
    auto t4 = Clock::now();
    stopSoundOutput();
    platformShutdown();
    return {ms(t0, t1), ms(t1, t2), ms(t2, t3), ms(t0, t3), ms(t3, t4)};
}

} // namespace

int main(int argc, char** argv) {
    int runs = 9;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));

    fs::path exeDir = fs::read_symlink("/proc/self/exe").parent_path();
    char tmpl[] = "/tmp/valmora-startup-XXXXXX";
    fs::path work = mkdtemp(tmpl);
    fs::create_directories(work / "Data");
    fs::create_directories(work / "textures");
    fs::path built = exeDir / "game" / "textures";
    int copied = 0;
    std::uintmax_t bytes = 0;
    if (fs::exists(built))
        for (const auto& e : fs::directory_iterator(built)) {
            // The Polish pictures the game loads; other languages' folders stay behind.
            if (!e.is_regular_file()) continue;
            fs::copy_file(e.path(), work / "textures" / e.path().filename());
            bytes += fs::file_size(e.path());
            ++copied;
        }
    const char* source = "the game folder";
    if (copied < kTextureCount) {
        paintStandIns(work / "textures");
        source = "256 x 256 stand-ins";
        bytes = 0;
        for (const auto& e : fs::directory_iterator(work / "textures"))
            bytes += fs::file_size(e.path());
    }
    fs::current_path(work);
    std::printf("startup_bench: %d textures from %s (%.1f MB), %d runs each\n", kTextureCount,
                source, bytes / 1048576.0, runs);

    // Start-up to the first frame: window, set-up, first start-screen frame.
    for (auto [hill, detail] : {std::pair<int, int>{1, 3}, {3, 4}}) {
        configure(hill, detail);
        startToFirstFrame(); // warm the file cache and the driver once
        std::vector<double> total, window, setup, sound, frame;
        for (int i = 0; i < runs; ++i) {
            StartUp s = startToFirstFrame();
            total.push_back(s.total);
            window.push_back(s.window);
            setup.push_back(s.setup);
            sound.push_back(s.device);
            frame.push_back(s.frame);
        }
        char what[96];
        std::snprintf(what, sizeof what, "start to first frame, hill %d detail %d:", hill, detail);
        print(what, total);
        print("  window and context:", window);
        print("  setupScene:", setup);
        print("  first frame (start screen):", frame);
        print("audio device, opened after the first frame:", sound);
    }

    // One scene set-up with every texture (as when the start screen is left), and its parts.
    configure(3, 4);
    if (!platformCreateWindow("Valmora", 800, 600)) return 1;
    resizeViewport(800, 600);
    setupScene(game());
    glFinish();
    std::vector<double> setup, textures, fonts;
    int loaded = 0;
    for (int i = 0; i < runs; ++i) {
        auto t0 = Clock::now();
        setupScene(game());
        glFinish();
        setup.push_back(ms(t0, Clock::now()));

        t0 = Clock::now();
        loaded = loadTextures(sceneTextures(game().settings));
        glFinish();
        textures.push_back(ms(t0, Clock::now()));

        t0 = Clock::now();
        releaseFont(smallFont);
        releaseFont(largeFont);
        smallFont = buildFont("Arial", 30);
        largeFont = buildFont("Arial", 50);
        glFinish();
        fonts.push_back(ms(t0, Clock::now()));
    }
    char what[96];
    std::snprintf(what, sizeof what, "setupScene, hill 3 detail 4 (%d textures):", loaded);
    print(what, setup);
    print("  loadTextures alone:", textures);
    print("  the two fonts alone:", fonts);
    platformShutdown();

    fs::current_path(exeDir);
    std::error_code ec;
    fs::remove_all(work, ec);
    return 0;
}
