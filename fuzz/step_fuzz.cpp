// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes as a session of play: messages of every kind, the stick and the free camera's
// keys, stepped from the program start as the app steps them, without a window. After every
// step the jump stays sound: finite, never under the ground, its marks and distance within
// what the judges and the measure can give, and the game in a mode it can be in. The same
// bytes played again end in the very same state.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <type_traits>

#include "core/default_data.h"
#include "core/settings.h"
#include "fuzz_support.h"
#include "game/game.h"
#include "game/game_step.h"
#include "game/replay.h"
#include "game/scene_setup.h"
#include "jump/motion.h"
#include "score/records.h"
#include "step_input_bytes.h"

namespace {

// A few thousand steps: more than one whole jump with its replay, at the slowest speed.
constexpr int kMaxSteps = 3000;

class Bytes {
  public:
    Bytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    int16_t next16() {
        const uint8_t low = next();
        return static_cast<int16_t>(low | next() << 8);
    }

  private:
    const uint8_t* data_;
    size_t size_, at_ = 0;
};

bool quitChar(int ch) {
    return ch == 'Q' || ch == 'q';
}

// The start screen's quit button would be taken: the session goes on with "start" instead.
bool takesQuitChoice(const Game& g, const PlatformMessage& m) {
    if (g.mode.screen != Screen::Start || !g.mode.quitChosen || g.mode.help) return false;
    if (m.type == MSG_PADBUTTON) return m.key == PAD_A || m.key == PAD_BACK;
    if (m.type != MSG_KEYDOWN) return false;
    return m.key == VK_RETURN || m.key == VK_SHIFT || m.key == VK_CONTROL || m.key == VK_MENU ||
           m.key == VK_ESCAPE;
}

struct Session {
    bool quitAllowed = false;
    StepInput devices; // the held stick and keys, without a message
    // The bounds of every range the judges could draw from so far.
    float lowestMark = INFINITY, highestMark = -INFINITY;
};

void writeSettings(Bytes& in, Session& s) {
    emptyScratchData();
    for (int i = 0; i < kDefaultDataCount; ++i) {
        const std::string path = std::string("Data/") + kDefaultData[i].name;
        const std::string text = kDefaultData[i].text;
        writeWholeFile(path.c_str(), reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }
    auto put = [](const char* name, int value) {
        const std::string text = std::to_string(value);
        writeWholeFile(name, reinterpret_cast<const uint8_t*>(text.data()), text.size());
    };
    const uint8_t first = in.next(), second = in.next();
    s.quitAllowed = first >= kQuitAllowed;
    put("Data/hill.dat", first % 3 + 1);
    put("Data/tf.dat", first / 3 % 3 + 1);
    put("Data/det.dat", second % 4 + 1);
    put("Data/opad.dat", second / 4 % 3 + 1);
    put("Data/winsum.dat", second / 12 % 2);
    if (second / 24 % 2) {
        put("Data/dR.dat", 0);
        put("Data/dG.dat", 0);
        put("Data/dB.dat", 8);
        put("Data/fog.dat", 9);
    }
}

// The next step's input; false when the bytes have run out.
bool nextEvent(Bytes& in, Session& s, int* repeat, StepInput* step) {
    if (in.empty()) return false;
    const uint8_t byte = in.next();
    const int kind = byte & 15;
    *repeat = 1;
    *step = s.devices;
    PlatformMessage& m = step->message;
    step->hasMessage = true;
    if (kind <= 3) {
        *repeat = 1 + (byte >> 4) * (1 << (2 * kind));
        step->hasMessage = false;
    } else if (kind <= 6) {
        const uint8_t b = in.next();
        m.type = MSG_KEYDOWN;
        m.key = b < kRawCode ? kStepKeys[b % std::size(kStepKeys)] : in.next16();
    } else if (kind <= 8) {
        const uint8_t b = in.next();
        m.type = MSG_CHAR;
        m.key = b < kRawCode ? kStepChars[b % (sizeof kStepChars - 1)] : in.next16();
        if (quitChar(m.key) && !s.quitAllowed) step->hasMessage = false;
    } else if (kind <= 10) {
        m.type = kind == kEventLeftClick ? MSG_LBUTTONDOWN : MSG_RBUTTONDOWN;
        m.x = in.next() * 4;
        m.y = in.next() * 4;
    } else if (kind <= 12) {
        m.type = MSG_MOUSEMOVE;
        m.x = in.next16();
        m.y = in.next16();
    } else if (kind == kEventPadButton) {
        m.type = MSG_PADBUTTON;
        m.key = in.next() % 12;
    } else if (kind == kEventDevices) {
        s.devices.stickY = std::clamp(static_cast<int8_t>(in.next()) / 127.0f, -1.0f, 1.0f);
        s.devices.cameraKeys = in.next() & 63;
        *step = s.devices;
    } else {
        m.type = MSG_QUIT;
        step->hasMessage = s.quitAllowed;
    }
    return true;
}

template <class Check> void eachFloat(Check&& check, const char* name, const float& v) {
    check(name, static_cast<double>(v));
}
template <class Check> void eachFloat(Check&& check, const char* name, const double& v) {
    check(name, v);
}
template <class Check, class T> void eachFloat(Check&& check, const char* name, const T& v) {
    if constexpr (std::is_array_v<T>)
        for (const auto& item : v)
            eachFloat(check, name, item);
}

void checkFinite(Game& g) {
    auto finite = [](const char*, double v) { FUZZ_CHECK(std::isfinite(v)); };
    auto visit = [&](const char* name, const auto& v) { eachFloat(finite, name, v); };
    g.jump.eachField(visit);
    g.camera.eachField(visit);
}

// The shortest distance the hill's measure gives anywhere between its measuring line and
// the take-off table's end, no higher than the gate: the third hill's measure falls below
// zero there. 0 is the distance before any jump.
int32_t shortestDistance(int32_t hill) {
    static int32_t shortest[kLastHill + 1];
    static bool known[kLastHill + 1];
    const HillMotion* m = hillMotion(hill);
    const HillStart* h = hillStart(hill);
    if (!m || !h) return 0;
    if (!known[hill]) {
        Jump probe;
        for (float z = m->distanceStartZ + 0.01f; z <= 0; z += 0.25f)
            for (float y : {0.0f, h->startY}) {
                probe.jumperZ = z;
                probe.jumperY = y;
                measureJump(probe, hill);
                shortest[hill] = std::min(shortest[hill], probe.jumpDistance);
            }
        known[hill] = true;
    }
    return shortest[hill];
}

void checkInvariants(Game& g, Session& s) {
    const Mode& mode = g.mode;
    FUZZ_CHECK(mode.screen == Screen::Start || mode.screen == Screen::Scene);
    // Pause and replay only ever stand over the scene; nothing here closes the window.
    FUZZ_CHECK(!mode.paused || mode.screen == Screen::Scene);
    FUZZ_CHECK(!replayRunning(g) || mode.screen == Screen::Scene);
    FUZZ_CHECK(!mode.windowClosed);

    const Jump& j = g.jump;
    checkFinite(g);
    // The step clamps the jumper onto the ground: equal is as low as he goes.
    FUZZ_CHECK(j.jumperY >= j.groundY);

    // Marks are drawn from the ranges the jump holds at the time, truncated toward zero; all
    // are 0 before the first award.
    for (const float* range : {j.goodMarkRange, j.fallMarkRange}) {
        s.lowestMark = std::min({s.lowestMark, range[0], range[1]});
        s.highestMark = std::max({s.highestMark, range[0], range[1]});
    }
    for (int32_t mark : j.styleMarks)
        FUZZ_CHECK(mark == 0 || (mark >= std::floor(s.lowestMark) && mark <= s.highestMark));
    // Nobody climbs above the gate.
    if (const HillStart* h = hillStart(g.settings.hillNumber)) FUZZ_CHECK(j.jumperY <= h->startY);
    // No jump reaches past the longest record the game can keep, and none measures shorter
    // than the measure gives on leaving the edge.
    FUZZ_CHECK(j.jumpDistance >= shortestDistance(g.settings.hillNumber) && j.jumpDistance <= kMaxRecord);
    FUZZ_CHECK(std::abs(j.jumpPoints) <= 2 * std::max(kMaxRecord, -shortestDistance(g.settings.hillNumber)));
    FUZZ_CHECK(g.records.recordDistance >= 0 && g.records.recordDistance <= kMaxRecord);
}

// FNV-1a over the moving values, member by member (no padding bytes).
struct Hash {
    uint64_t value = 1469598103934665603ull;
    void bytes(const void* p, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            value ^= static_cast<const unsigned char*>(p)[i];
            value *= 1099511628211ull;
        }
    }
    template <class T> void add(const T& v) {
        if constexpr (std::is_array_v<T>) {
            for (const auto& item : v)
                add(item);
        } else if constexpr (std::is_same_v<T, SeatPosition>) {
            add(v.x), add(v.y), add(v.z);
        } else if constexpr (std::is_same_v<T, CameraShot>) {
            add(v.placed), add(v.fromScratch), add(v.eye), add(v.target);
        } else {
            static_assert(std::is_arithmetic_v<T>, "a value the hash does not know");
            bytes(&v, sizeof v);
        }
    }
};

uint64_t finalHash(Game& g) {
    Hash h;
    auto visit = [&h](const char*, const auto& v) { h.add(v); };
    g.jump.eachField(visit);
    g.camera.eachField(visit);
    g.venue.eachField(visit);
    h.add(static_cast<uint8_t>(g.mode.screen));
    h.add(g.mode.quitChosen), h.add(g.mode.help), h.add(g.mode.paused), h.add(g.mode.quit);
    h.add(g.records.recordDistance);
    h.add(g.random.state);
    h.add(replayRunning(g));
    return h.value;
}

// Steps of every session of this process, told at its end: the steps a second follow from
// the fuzzer's own time.
unsigned long long totalSteps = 0;

void tellSteps() {
    std::fprintf(stderr, "step_fuzz: %llu steps\n", totalSteps);
}

Game& theGame() {
    static Game* game = new Game; // as long as the process, like the app's
    return *game;
}

// One whole session from the program start; the final hash.
uint64_t play(const uint8_t* data, size_t size, int* stepsTaken) {
    Bytes in(data, size);
    Session s;
    writeSettings(in, s);
    Game& g = theGame();
    resetToProgramStart(g);
    // Fixed seeds in place of the clock's, the same sequence every session. The game keeps
    // its seed source past the session (a replay's live game holds a copy): it owns its count.
    g.random.seedSource = [seeds = 0u]() mutable { return ++seeds * 2654435761u; };
    readWindowSize(g.settings);
    setupSceneState(g);

    int steps = 0;
    int repeat = 0;
    StepInput step;
    bool going = true;
    while (going && steps < kMaxSteps && nextEvent(in, s, &repeat, &step)) {
        if (step.hasMessage && !s.quitAllowed && takesQuitChoice(g, step.message)) {
            step.message = PlatformMessage{};
            step.message.type = MSG_KEYDOWN;
            step.message.key = VK_UP;
        }
        for (int i = 0; i < repeat && going && steps < kMaxSteps; ++i, ++steps) {
            going = stepGame(g, step) && !g.mode.quit;
            // The frame would set up the new scene's graphics here.
            g.sceneGraphicsPending = false;
            checkInvariants(g, s);
        }
    }
    *stepsTaken = steps;
    totalSteps += static_cast<unsigned long long>(steps);
    return finalHash(g);
}

} // namespace

// Every step opens and reads ten small files (the jumper's colours and the record, which the
// launcher may change meanwhile): with the default quarantine each of their buffers is fresh
// memory, and the session spends half its time in page faults.
extern "C" const char* __asan_default_options() {
    return "quarantine_size_mb=16";
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    enterScratchGameFolder(argc, argv);
    std::atexit(tellSteps);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int steps = 0, again = 0;
    const uint64_t first = play(data, size, &steps);
    const uint64_t second = play(data, size, &again);
    FUZZ_CHECK(steps == again);
    FUZZ_CHECK(first == second);
    return 0;
}
