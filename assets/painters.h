// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// One painter per picture. Each returns the finished picture at its own size; sizes are
// powers of two between 32 and 512, chosen for how large the picture shows in the game.
#pragma once
#include "assets/canvas.h"
#include "assets/noise.h"

// Start screen and on-screen layers.
Canvas paintPoster(const char* helpCaption);     // wall2, with "F1 – pomoc" in Polish
Canvas paintButton(const char* label, bool lit); // but1, but1light, but2, but2light
Canvas paintPanel();                             // corner
Canvas paintTallPanel();                         // corner2
Canvas paintWindSign(int direction);             // windred (-1), windgreen (+1), nowind (0)
Canvas paintStartLight(bool green);              // redlight, greenlight
Canvas paintSnowflake();                         // snow
Canvas paintRainStreak();                        // rain

// Hill surfaces.
Canvas paintSnow(const char* stem); // window
Canvas paintMarkedSnow();           // window2
Canvas paintMats(const char* stem); // sumer
Canvas paintMarkedMats();           // ovlu
Canvas paintGrass();                // trawa
Canvas paintIceTrack();             // rozbieg
Canvas paintPorcelainTrack();       // rozbieglato
Canvas paintBoards();               // spot1

// Crowd and scenery.
Canvas paintCrowd(int variant);  // audience, audience2, audience3
Canvas paintSpruce();            // swierk
Canvas paintNet();               // siatkaochronna
Canvas paintLattice();           // bramka
Canvas paintLampPanel(bool lit); // halogen (off), sheet (lit)

// Town.
Canvas paintTownPicture(const char* stem); // blocks of flats, houses, gable
Canvas paintRoof();                        // dach
Canvas paintAsphalt();                     // asfalt
Canvas paintBus(int kind, char face);      // face 'f' front, 's' side, 'b' back; kind 1..3

// Shared touches.
// Adds fine per-pixel grain of +-amount to every opaque pixel (seeded).
void addGrain(Canvas& cv, float amount, uint32_t seed);
