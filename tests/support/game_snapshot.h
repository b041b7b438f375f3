// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Every value that moves while the game runs, serialised in a fixed order, so that two runs
// can be compared state by state.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The raw bytes of every moving value.
std::vector<unsigned char> snapshotGameState();
// FNV-1a of the snapshot.
uint64_t hashGameState();
struct Jump;
// FNV-1a of one jump's values alone.
uint64_t hashJump(Jump& j);
// The same values as readable text, one per line (for finding where two runs part).
std::string describeGameState();
