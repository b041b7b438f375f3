// A minimal PNG writer (8-bit RGBA, stored deflate blocks): enough for the launcher's icon
// without pulling in zlib.
#pragma once
#include <cstdint>
#include <vector>

// rgba: width x height pixels, 4 bytes each, top row first.
std::vector<uint8_t> encodePng(int width, int height, const std::vector<uint8_t>& rgba);
