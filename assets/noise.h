// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Fixed-seed randomness for the pictures: the same bytes on every run, on every machine
// that runs the same build. No clock, no global generator.
#pragma once
#include <cstdint>

// splitmix64: small, fast, and good enough to scatter windows and spectators.
struct Rng {
    uint64_t state;
    explicit Rng(uint64_t seed) : state(seed) {}
    uint32_t next();
    // Uniform in [lo, hi).
    float uniform(float lo, float hi);
    // Uniform integer in [lo, hi].
    int range(int lo, int hi);
    bool chance(float p) { return uniform(0.0f, 1.0f) < p; }
};

// Seed from a picture's stem, so each picture's randomness does not depend on the others.
uint64_t seedFromName(const char* name);

// Hash of a lattice point to [0, 1).
float latticeValue(int x, int y, uint32_t seed);

// Smooth value noise on a lattice of cellsX x cellsY cells that wraps around, sampled at
// (u, v) in [0, 1): a picture that repeats without seams. Result in [0, 1).
float tileNoise(float u, float v, int cellsX, int cellsY, uint32_t seed);
// Several octaves of tileNoise, each with twice the cells and half the weight; result
// roughly in [0, 1), mean 0.5.
float tileFbm(float u, float v, int cellsX, int cellsY, int octaves, uint32_t seed);
