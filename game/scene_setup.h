// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Scene set-up: settings, time of day, lights, fog, textures, quadrics, jitter, fonts.
#pragma once

#include "render/textures.h"

struct Game;
struct Settings;

// Everything: the game state of a new scene, then its graphics.
void setupScene(Game& g);
// The game state of a new scene: settings, backdrop colour, the hill's start values, the
// fog mode, the jitter tables and the start wind. Needs no GL context.
void setupSceneState(Game& g);
// The same after the settings are read: what follows from them (a time demo sets the hill
// and speed of its file in between), and the camera placed for the scene's first frame.
void prepareSceneState(Game& g);
// The graphics of the scene the settings describe: time-of-day lights and clear colour,
// fixed state, lights, material, textures, fog, quadrics and fonts.
void setupSceneGraphics(const Settings& s);
// The time-of-day clear colour and lights of the settings.
void applyTimeOfDay(const Settings& s);
// The texture folder, language, hill and detail level the settings choose.
TextureChoice sceneTextures(const Settings& s);
