// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/game_snapshot.h"

#include <cstring>
#include <sstream>

#include <type_traits>

#include "game/game.h"
#include "support/harness.h"

namespace {

struct Collector {
    std::vector<unsigned char> bytes;
    std::ostringstream text;
    template <class T> void add(const char* name, const T* values, int count = 1) {
        const auto* p = reinterpret_cast<const unsigned char*>(values);
        bytes.insert(bytes.end(), p, p + sizeof(T) * count);
        text << name << ":";
        for (int i = 0; i < count; ++i)
            text << " " << +values[i];
        text << "\n";
    }
};

#define ADD(c, v) c.add(#v, &(v))
#define ADDN(c, v, n) c.add(#v, v, n)
// A setting under its own name, as the snapshot always named it.
#define ADDS(c, v) c.add(#v, &g.settings.v)
#define ADDSN(c, v, n) c.add(#v, g.settings.v, n)

void collect(Collector& c) {
    Game& g = game();
    // Shell.
    const uint8_t quitRequested = g.mode.quit, startScreenActive = g.mode.screen == Screen::Start,
                  startButtonSelected = !g.mode.quitChosen, quitButtonSelected = g.mode.quitChosen;
    ADD(c, quitRequested);
    ADD(c, startScreenActive);
    ADD(c, startButtonSelected);
    ADD(c, quitButtonSelected);
    // Settings as read.
    ADDS(c, hillNumber);
    ADDS(c, gameSpeed);
    ADDS(c, precipitation);
    ADDS(c, hiddenSwitch);
    ADDS(c, detailLevel);
    ADDS(c, season);
    ADDS(c, lightingMode);
    ADDS(c, fogMode);
    ADDSN(c, suitColor, 3);
    ADDSN(c, helmetColor, 3);
    ADDSN(c, skiColor, 3);
    // The jump.
    g.jump.eachField([&](const char* name, auto& v) {
        if (std::string(name) == "armSwing") return;
        using T = std::remove_reference_t<decltype(v)>;
        if constexpr (std::is_array_v<T>)
            c.add(name, v, static_cast<int>(std::extent_v<T>));
        else
            c.add(name, &v);
    });
    ADD(c, g.records.recordDistance);
    // Cameras.
    Camera& cam = g.camera;
    ADDN(c, cam.cameraViewFlags, 8);
    ADD(c, cam.cameraNudge);
    ADD(c, cam.cameraRise);
    ADD(c, cam.trailOffset);
    ADD(c, cam.towerDrop);
    ADD(c, cam.chaseShift);
    ADD(c, cam.freeCamX);
    ADD(c, cam.freeCamY);
    ADD(c, cam.freeCamZ);
    ADD(c, cam.freeCamYaw);
    ADD(c, cam.freeCamPitch);
    ADDN(c, cam.freeCamTarget, 3);
    // The venue's moving parts.
    VenueAnimation& v = g.venue;
    ADD(c, v.airshipTravel);
    ADDN(c, v.busPositions, 11);
    const float seats[6] = {v.downSeat.x, v.downSeat.y, v.downSeat.z,
                            v.upSeat.x,   v.upSeat.y,   v.upSeat.z};
    ADDN(c, seats, 6);
    ADD(c, v.precipitationFall);
}

} // namespace

std::vector<unsigned char> snapshotGameState() {
    Collector c;
    collect(c);
    return c.bytes;
}

uint64_t hashGameState() {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char b : snapshotGameState()) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}

std::string describeGameState() {
    Collector c;
    collect(c);
    return c.text.str();
}
