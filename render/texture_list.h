// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The 67 texture files in loading order, with the condition under which each is loaded.
// Pure data: the asset generator uses it too.
#pragma once

enum TextureCondition {
    LOAD_ALWAYS,
    LOAD_HILL3,   // hill 3
    LOAD_DETAIL2, // detail 2, 3 or 4
    LOAD_DETAIL3, // detail 3 or 4
    LOAD_DETAIL4, // detail 4
};

struct TextureEntry {
    const char* stem;
    TextureCondition condition;
};

constexpr TextureEntry kTextureList[] = {
    {"wall2", LOAD_ALWAYS},
    {"corner", LOAD_ALWAYS},
    {"corner2", LOAD_ALWAYS},
    {"windred", LOAD_ALWAYS},
    {"windgreen", LOAD_ALWAYS},
    {"nowind", LOAD_ALWAYS},
    {"redlight", LOAD_ALWAYS},
    {"greenlight", LOAD_ALWAYS},
    {"but1", LOAD_ALWAYS},
    {"but1light", LOAD_ALWAYS},
    {"but2", LOAD_ALWAYS},
    {"but2light", LOAD_ALWAYS},
    {"window", LOAD_ALWAYS},
    {"window2", LOAD_ALWAYS},
    {"spot1", LOAD_ALWAYS},
    {"rozbieg", LOAD_ALWAYS},
    {"snow", LOAD_ALWAYS},
    {"rain", LOAD_ALWAYS},
    {"siatkaochronna", LOAD_HILL3},
    {"swierk", LOAD_DETAIL2},
    {"audience", LOAD_DETAIL2},
    {"audience2", LOAD_DETAIL2},
    {"audience3", LOAD_DETAIL2},
    {"rozbieglato", LOAD_ALWAYS},
    {"sumer", LOAD_ALWAYS},
    {"ovlu", LOAD_ALWAYS},
    {"trawa", LOAD_ALWAYS},
    {"bramka", LOAD_DETAIL3},
    {"sheet", LOAD_DETAIL3},
    {"halogen", LOAD_DETAIL3},
    {"przod16", LOAD_DETAIL4},
    {"przod16noc", LOAD_DETAIL4},
    {"bloktyl16", LOAD_DETAIL4},
    {"bloktyl16noc", LOAD_DETAIL4},
    {"bokblok16", LOAD_DETAIL4},
    {"klatkaprzod16", LOAD_DETAIL4},
    {"bokklatka16", LOAD_DETAIL4},
    {"asfalt", LOAD_DETAIL4},
    {"budynek1przod", LOAD_DETAIL4},
    {"budynek1bok", LOAD_DETAIL4},
    {"budynek1tyl", LOAD_DETAIL4},
    {"budynek2przod", LOAD_DETAIL4},
    {"budynek2przodnoc", LOAD_DETAIL4},
    {"budynek3przod", LOAD_DETAIL4},
    {"budynek3przodnoc", LOAD_DETAIL4},
    {"budynek2bok", LOAD_DETAIL4},
    {"budynek2boknoc", LOAD_DETAIL4},
    {"budynek2tyl", LOAD_DETAIL4},
    {"budynek2tylnoc", LOAD_DETAIL4},
    {"budynek4przod", LOAD_DETAIL4},
    {"budynek4przodnoc", LOAD_DETAIL4},
    {"budynek4bok", LOAD_DETAIL4},
    {"budynek4tyl", LOAD_DETAIL4},
    {"budynek5przod", LOAD_DETAIL4},
    {"budynek5bok", LOAD_DETAIL4},
    {"budynek5bokgora", LOAD_DETAIL4},
    {"budynek5tyl", LOAD_DETAIL4},
    {"dach", LOAD_DETAIL4},
    {"busprzod", LOAD_DETAIL4},
    {"busbok", LOAD_DETAIL4},
    {"bustyl", LOAD_DETAIL4},
    {"busprzod2", LOAD_DETAIL4},
    {"busbok2", LOAD_DETAIL4},
    {"bustyl2", LOAD_DETAIL4},
    {"busprzod3", LOAD_DETAIL4},
    {"busbok3", LOAD_DETAIL4},
    {"bustyl3", LOAD_DETAIL4},
};

constexpr int kTextureCount = sizeof(kTextureList) / sizeof(kTextureList[0]);
static_assert(kTextureCount == 67, "the game ships 67 texture files");
