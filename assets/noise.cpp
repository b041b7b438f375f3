// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/noise.h"

uint32_t Rng::next() {
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

float Rng::uniform(float lo, float hi) {
    return lo + (hi - lo) * static_cast<float>(next() >> 8) * (1.0f / 16777216.0f);
}

int Rng::range(int lo, int hi) {
    if (hi <= lo) return lo;
    return lo + static_cast<int>(next() % static_cast<uint32_t>(hi - lo + 1));
}

uint64_t seedFromName(const char* name) {
    uint64_t h = 1469598103934665603ull; // FNV-1a
    for (const char* p = name; *p; ++p) {
        h ^= static_cast<unsigned char>(*p);
        h *= 1099511628211ull;
    }
    return h;
}

float latticeValue(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
                 seed * 0xCB1AB31Fu;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return static_cast<float>(h >> 8) * (1.0f / 16777216.0f);
}

namespace {

int wrap(int i, int n) {
    int m = i % n;
    return m < 0 ? m + n : m;
}

float smooth(float t) {
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

float tileNoise(float u, float v, int cellsX, int cellsY, uint32_t seed) {
    float x = u * static_cast<float>(cellsX), y = v * static_cast<float>(cellsY);
    int x0 = static_cast<int>(x >= 0 ? x : x - 1.0f), y0 = static_cast<int>(y >= 0 ? y : y - 1.0f);
    float fx = smooth(x - static_cast<float>(x0)), fy = smooth(y - static_cast<float>(y0));
    int xa = wrap(x0, cellsX), xb = wrap(x0 + 1, cellsX);
    int ya = wrap(y0, cellsY), yb = wrap(y0 + 1, cellsY);
    float a = latticeValue(xa, ya, seed), b = latticeValue(xb, ya, seed);
    float c = latticeValue(xa, yb, seed), d = latticeValue(xb, yb, seed);
    float top = a + (b - a) * fx, bottom = c + (d - c) * fx;
    return top + (bottom - top) * fy;
}

float tileFbm(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed) {
    float sum = 0.0f, weight = 0.5f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * tileNoise(u, v, cellsX, cellsY, seed + 977u * static_cast<uint32_t>(o));
        total += weight;
        weight *= 0.5f;
        cellsX *= 2;
        cellsY *= 2;
    }
    return sum / total;
}
