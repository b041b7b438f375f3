// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/game_snapshot.h"

#include <cstring>
#include <sstream>

#include <type_traits>

#include "game/game.h"
#include "support/harness.h"

namespace {

// Every value as its bytes and as text, in the order of the game's own field lists.
struct Collector {
    std::vector<unsigned char> bytes;
    std::ostringstream text;
    template <class T> void add(const char* name, const T* values, int count) {
        const auto* p = reinterpret_cast<const unsigned char*>(values);
        bytes.insert(bytes.end(), p, p + sizeof(T) * count);
        text << name << ":";
        for (int i = 0; i < count; ++i)
            text << " " << +values[i];
        text << "\n";
    }
    template <class T> void operator()(const char* name, const T& v) {
        if constexpr (std::is_array_v<T>)
            add(name, &v[0], static_cast<int>(sizeof v / sizeof v[0]));
        else if constexpr (std::is_enum_v<T>)
            add(name, reinterpret_cast<const std::underlying_type_t<T>*>(&v), 1);
        else
            add(name, &v, 1);
    }
    template <class T, size_t N, size_t M> void operator()(const char* name, const T (&v)[N][M]) {
        add(name, &v[0][0], static_cast<int>(N * M));
    }
    void operator()(const char* name, const SeatPosition& seat) {
        const float xyz[3] = {seat.x, seat.y, seat.z};
        add(name, xyz, 3);
    }
    // Its members only: the padding between them is no value.
    void operator()(const char*, const CameraShot& shot) {
        const uint8_t flags[2] = {shot.placed, shot.fromScratch};
        add("shotFlags", flags, 2);
        add("shotEye", shot.eye, 3);
        add("shotTarget", shot.target, 3);
    }
};

void collect(Collector& c) {
    Game& g = game();
    g.mode.eachField(c);
    // Settings as read.
    g.settings.eachField(c);
    g.jump.eachField(c);
    g.records.eachField(c);
    g.camera.eachField(c);
    g.venue.eachField(c);
    c("randomState", g.random.state);
}

} // namespace

std::vector<unsigned char> snapshotGameState() {
    Collector c;
    collect(c);
    return c.bytes;
}

namespace {
uint64_t fnv1a(const std::vector<unsigned char>& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (unsigned char b : bytes) {
        h ^= b;
        h *= 1099511628211ull;
    }
    return h;
}
} // namespace

uint64_t hashGameState() {
    return fnv1a(snapshotGameState());
}

uint64_t hashJump(Jump& j) {
    Collector c;
    j.eachField(c);
    return fnv1a(c.bytes);
}

std::string describeGameState() {
    Collector c;
    collect(c);
    return c.text.str();
}
