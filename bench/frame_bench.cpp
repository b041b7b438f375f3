// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Draws real frames of the 3-D scene (one game step and one frame each, not paced) and
// prints the frame times per case; then runs the real fixed-step loop for a few seconds and
// prints the steps and frames it made per second of real time, which stay at 60 steps a
// second while the frames are slower.
// Run under Xvfb: xvfb-run -a -s "-screen 0 1280x1024x24" build/frame_bench [--frames N]
//   --steps       also print, per case, where the time goes: the median of each step of the
//                 frame, each finished with glFinish (which keeps the rasteriser from
//                 overlapping steps, so their sum exceeds the plain frame time)
//   --fragments   with --steps, also count the fragments each step writes (a step slow for
//                 few fragments is bound by corners and draws, not by filling pixels); the
//                 counting itself slows the rasteriser, so its times do not compare
//   --size WxH    another window size (a small one shows which steps are fill-bound)
//   --loop S      seconds of the real loop per case (default 2, 0 for none)
//   --case H,D,L,P only this case (repeatable): hill, detail, day|night, none|snow
//   --no-flight   leave out the flight cases
// After the fixed cases, one whole jump per hill (detail 4, night, snow) is played through
// the real game step with mouse messages, and its frames are timed from the start at the
// gate to the touch-down, in-run and flight apart: the camera follows a real flight.
// The fragment count needs an occlusion query (OpenGL 1.5), for this measurement only.
#define GL_GLEXT_PROTOTYPES
#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <unistd.h>
#include <vector>

#include "game/game_step.h"
#include "game/input.h"
#include "game/main_loop.h"
#include "camera/views.h"
#include "game/app.h"
#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "game/frame.h"
#include "core/random.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "platform/platform.h"
#include "render/gl.h"
#include "game/game.h"
#include "support/harness.h"

namespace fs = std::filesystem;

namespace {

void write(const std::string& name, const std::string& text) {
    std::ofstream("Data/" + name, std::ios::binary | std::ios::trunc) << text;
}

void configure(int hill, int detail, bool night, bool snow) {
    write("hill.dat", std::to_string(hill));
    write("det.dat", std::to_string(detail));
    write("tf.dat", "2");
    write("winsum.dat", "0");
    write("opad.dat", snow ? "2" : "1");
    write("dR.dat", night ? "0" : "4");
    write("dG.dat", night ? "0" : "5");
    write("dB.dat", night ? "8" : "6");
    write("fog.dat", night ? "9" : "7");
    const char* colours[][2] = {{"suitR.dat", "199"}, {"suitG.dat", "0"},   {"suitB.dat", "0"},
                                {"helmR.dat", "199"}, {"helmG.dat", "199"}, {"helmB.dat", "199"},
                                {"skiR.dat", "0.0"},  {"skiG.dat", "0.0"},  {"skiB.dat", "199.0"}};
    for (auto& c : colours)
        write(c[0], c[1]);
    for (int i = 1; i <= 3; ++i)
        write("record" + std::to_string(i) + ".dat", "00");
}

// CPU time of the whole process (the rasteriser's threads too), in ms: on a shared
// machine it tells the work a frame takes apart from the waiting for a core.
double processCpuMs() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Per-step times of the frame being drawn, in the order the steps come: real time and the
// process's CPU time.
struct StepTimes {
    std::string step;
    std::vector<double> ms, cpuMs, fragments;
};
std::vector<StepTimes> stepTimes;
std::chrono::steady_clock::time_point stepStart;
double stepCpuStart;
// Counts the fragments that pass the depth test from one step's end to the next; 0 where
// the context has no occlusion queries.
GLuint fragmentQuery = 0;

void startFragmentCount() {
    if (fragmentQuery != 0) glBeginQuery(GL_SAMPLES_PASSED, fragmentQuery);
}

double endFragmentCount() {
    if (fragmentQuery == 0) return 0;
    glEndQuery(GL_SAMPLES_PASSED);
    GLuint count = 0;
    glGetQueryObjectuiv(fragmentQuery, GL_QUERY_RESULT, &count);
    return count;
}

void timeStep(const char* step) {
    glFinish();
    const double fragments = endFragmentCount();
    startFragmentCount();
    const auto now = std::chrono::steady_clock::now();
    const double cpu = processCpuMs();
    const double ms = std::chrono::duration<double, std::milli>(now - stepStart).count();
    const double cpuMs = cpu - stepCpuStart;
    stepStart = now;
    stepCpuStart = cpu;
    for (auto& entry : stepTimes)
        if (entry.step == step) {
            entry.ms.push_back(ms);
            entry.cpuMs.push_back(cpuMs);
            entry.fragments.push_back(fragments);
            return;
        }
    stepTimes.push_back({step, {ms}, {cpuMs}, {fragments}});
}

// Every run places the forests and the flakes alike, so runs compare.
unsigned fixedSeed() {
    return 1;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    size_t i = static_cast<size_t>(p * (v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

void printSteps() {
    for (const auto& entry : stepTimes) {
        std::printf("  step=\"%s\" median_ms=%.2f cpu_ms=%.2f", entry.step.c_str(),
                    percentile(entry.ms, 0.5), percentile(entry.cpuMs, 0.5));
        if (fragmentQuery != 0) std::printf(" fragments=%.0f", percentile(entry.fragments, 0.5));
        std::printf("\n");
    }
}

struct Case {
    int hill, detail;
    bool night, snow;
};

bool parseCase(const char* text, Case* c) {
    char light[8] = {}, fall[8] = {};
    if (std::sscanf(text, "%d,%d,%7[a-z],%7[a-z]", &c->hill, &c->detail, light, fall) != 4)
        return false;
    c->night = std::strcmp(light, "night") == 0;
    c->snow = std::strcmp(fall, "snow") == 0;
    return (c->night || std::strcmp(light, "day") == 0) &&
           (c->snow || std::strcmp(fall, "none") == 0);
}

// One step and one frame, timed; the step gets the message, if any.
double timedFrame(const PlatformMessage* msg) {
    glFinish();
    const auto t0 = std::chrono::steady_clock::now();
    stepStart = t0;
    stepCpuStart = processCpuMs();
    if (sceneStepProbe) startFragmentCount();
    loopStep(game(), msg);
    drawFrame(game());
    glFinish();
    if (sceneStepProbe) endFragmentCount();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

PlatformMessage mouseMessage(MessageType type, int x, int y) {
    PlatformMessage m;
    m.type = type;
    m.x = x;
    m.y = y;
    return m;
}

// A whole jump from the gate, played as a player would: the start key, the take-off click
// just before the window closes, a full lean forward once the legs are stretched, the
// landing click close above the snow. Frame times go to inrun until the take-off and to
// flight from then until the touch-down (or a limit of frames).
void playTimedJump(std::vector<double>& inrun, std::vector<double>& flight) {
    const HillStart* h = hillStart(game().settings.hillNumber);
    if (!h) return;
    PlatformMessage space;
    space.type = MSG_KEYDOWN;
    space.key = VK_SPACE;
    inrun.push_back(timedFrame(&space));
    const float late = h->takeoffWindow[1] - 1.0f;
    for (int n = 0; n < 3000 && game().jump.jumperZ <= late && game().jump.atGate == 0; ++n)
        inrun.push_back(timedFrame(nullptr));
    const PlatformMessage click = mouseMessage(MSG_LBUTTONDOWN, 400, 300);
    flight.push_back(timedFrame(&click));
    if (game().jump.inFlight != 1) return;
    int leans = 0;
    bool stance = false;
    for (int n = 0; n < 3000 && game().jump.jumperY != game().jump.groundY; ++n) {
        const PlatformMessage* msg = nullptr;
        PlatformMessage m;
        const float from = game().settings.hillNumber == 2 ? 2.0f : h->landingWindow[0] + 1;
        if (!stance &&
            ((game().jump.jumperZ > from && game().jump.jumperY - game().jump.groundY < 0.6f) ||
             game().jump.jumperZ > h->landingWindow[1] - 2)) {
            m = mouseMessage(MSG_RBUTTONDOWN, 400, 300);
            msg = &m;
            stance = true;
        } else if (game().jump.extendStep == 0 && leans < 5) {
            ++leans;
            m = mouseMessage(MSG_MOUSEMOVE, 400, 300 + 10 * leans);
            msg = &m;
        }
        flight.push_back(timedFrame(msg));
    }
}

} // namespace

int main(int argc, char** argv) {
    int frames = 600;
    double loopSeconds = 2;
    int width = 1024, height = 768;
    bool steps = false, flightCases = true, countFragments = false;
    std::vector<Case> only;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--steps") == 0) steps = true;
        if (std::strcmp(argv[i], "--no-flight") == 0) flightCases = false;
        if (std::strcmp(argv[i], "--fragments") == 0) countFragments = true;
        if (i + 1 >= argc) continue;
        if (std::strcmp(argv[i], "--case") == 0) {
            Case c;
            if (!parseCase(argv[i + 1], &c)) {
                std::fprintf(stderr, "--case wants HILL,DETAIL,day|night,none|snow\n");
                return 1;
            }
            only.push_back(c);
        }
        if (std::strcmp(argv[i], "--frames") == 0) frames = std::max(10, std::atoi(argv[i + 1]));
        if (std::strcmp(argv[i], "--loop") == 0)
            loopSeconds = std::max(0.0, std::atof(argv[i + 1]));
        if (std::strcmp(argv[i], "--size") == 0 &&
            std::sscanf(argv[i + 1], "%dx%d", &width, &height) != 2) {
            std::fprintf(stderr, "--size wants WxH\n");
            return 1;
        }
    }

    fs::path exeDir = fs::read_symlink("/proc/self/exe").parent_path();
    char tmpl[] = "/tmp/valmora-bench-XXXXXX";
    fs::path work = mkdtemp(tmpl);
    fs::create_directories(work / "Data");
    fs::create_directories(work / "textures");
    fs::path textures = exeDir / "game" / "textures";
    if (fs::exists(textures))
        fs::copy(textures, work / "textures", fs::copy_options::recursive);
    else
        std::fprintf(stderr, "no generated textures in %s: white stand-ins\n", textures.c_str());
    fs::current_path(work);

    if (!platformCreateWindow("Valmora", width, height)) {
        std::fprintf(stderr, "no GL window (run under xvfb-run)\n");
        return 1;
    }
    int w, h;
    platformClientSize(&w, &h);
    resizeViewport(w, h);
    int major = 0, minor = 0;
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (steps && countFragments && version && std::sscanf(version, "%d.%d", &major, &minor) == 2 &&
        (major > 1 || minor >= 5))
        glGenQueries(1, &fragmentQuery);
    game().random.seedSource = fixedSeed;

    for (int hill = 1; hill <= 3; ++hill)
        for (int detail : {1, 4})
            for (bool night : {false, true})
                for (bool snow : {false, true}) {
                    if (!only.empty() && std::none_of(only.begin(), only.end(), [&](const Case& c) {
                            return c.hill == hill && c.detail == detail && c.night == night &&
                                   c.snow == snow;
                        }))
                        continue;
                    configure(hill, detail, night, snow);
                    resetToProgramStart(game());
                    setupScene(game());
                    game().mode.screen = Screen::Scene;
                    handleJumpKey(game(),
                                  VK_SPACE); // the jumper runs, so figure and shadow are drawn
                    std::vector<double> ms;
                    ms.reserve(frames);
                    stepTimes.clear();
                    sceneStepProbe = steps ? timeStep : nullptr;
                    const double cpuStart = processCpuMs();
                    for (int f = 0; f < frames; ++f) {
                        ms.push_back(timedFrame(nullptr));
                        // Keep the jumper in play: a new run whenever he has come to rest.
                        if (f % 400 == 399) {
                            resetJumpAndCamera(game());
                            game().jump.startCountdown = 1600;
                            handleJumpKey(game(), VK_SPACE);
                        }
                    }
                    const double cpuPerFrame = (processCpuMs() - cpuStart) / frames;
                    sceneStepProbe = nullptr;
                    // The real loop on the real clock: steps and frames per second.
                    int loopSteps = 0, loopFrames = 0;
                    if (loopSeconds > 0) {
                        const double end = platformSeconds() + loopSeconds;
                        FrameLoop loop;
                        loop.now = platformSeconds;
                        loop.sleepUntil = platformSleepUntil;
                        loop.step = [&] {
                            if (platformSeconds() >= end) return false;
                            ++loopSteps;
                            return loopStep(game(), nullptr);
                        };
                        loop.draw = [&] {
                            ++loopFrames;
                            drawFrame(game());
                        };
                        runFrameLoop(loop);
                    }
                    std::printf("hill=%d detail=%d lighting=%s precipitation=%s width=%d "
                                "height=%d frames=%d median_ms=%.2f p95_ms=%.2f",
                                hill, detail, night ? "night" : "day", snow ? "snow" : "none", w, h,
                                frames, percentile(ms, 0.5), percentile(ms, 0.95));
                    std::printf(" cpu_ms_per_frame=%.2f", cpuPerFrame);
                    if (loopSeconds > 0)
                        std::printf(" loop_steps_per_s=%.1f loop_frames_per_s=%.1f",
                                    loopSteps / loopSeconds, loopFrames / loopSeconds);
                    std::printf("\n");
                    printSteps();
                    std::fflush(stdout);
                }
    // Whole jumps, the camera following the flight.
    for (int hill = 1; hill <= 3 && flightCases && only.empty(); ++hill) {
        configure(hill, 4, true, true);
        resetToProgramStart(game());
        setupScene(game());
        game().mode.screen = Screen::Scene;
        std::vector<double> inrun, flight;
        stepTimes.clear();
        sceneStepProbe = steps ? timeStep : nullptr;
        playTimedJump(inrun, flight);
        sceneStepProbe = nullptr;
        for (int phase = 0; phase < 2; ++phase) {
            const std::vector<double>& ms = phase == 0 ? inrun : flight;
            std::printf("case=jump phase=%s hill=%d detail=4 lighting=night precipitation=snow "
                        "width=%d height=%d frames=%zu median_ms=%.2f p95_ms=%.2f max_ms=%.2f "
                        "distance_m=%d\n",
                        phase == 0 ? "inrun" : "flight", hill, w, h, ms.size(), percentile(ms, 0.5),
                        percentile(ms, 0.95), percentile(ms, 1),
                        static_cast<int>(game().jump.jumpDistance));
        }
        printSteps();
        std::fflush(stdout);
    }
    platformShutdown();
    fs::current_path("/");
    fs::remove_all(work);
    return 0;
}
