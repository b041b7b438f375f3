// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Text rasterised into a grey coverage image, for pictures made outside a GL context.
#pragma once
#include <cstdint>
#include <vector>

// Renders one line of UTF-8 text with the face the game's fonts use. pixelHeight is the
// character cell height (ascent plus descent), as for the bitmap fonts. The image is w x h
// bytes of coverage (0 empty, 255 full ink), top row first; the baseline lies at the
// face's ascent from the top. Returns false, leaving the outputs empty, if no face is found.
bool platformRenderText(const char* face, int pixelHeight, bool bold, const char* utf8,
                        std::vector<uint8_t>* coverage, int* w, int* h);
