// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The .stx picture format: an uncompressed 24-bit bitmap under another extension.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

struct TextureInfoHeader {
    int32_t headerSize = 0;
    int32_t width = 0;
    int32_t height = 0;
    uint16_t planes = 0;
    uint16_t bitsPerPixel = 0;
    uint32_t compression = 0;
    uint32_t imageSize = 0;
    int32_t xResolution = 0;
    int32_t yResolution = 0;
    uint32_t coloursUsed = 0;
    uint32_t importantColours = 0;
};

constexpr int32_t kMaxTextureSide = 8192;

// Bytes per stored row of an uncompressed 24-bit picture: padded to 4 as the format has
// them when the declared image size is 0 or says so, packed when it says that; 0 when the
// size fits neither.
uint64_t rowBytesFor(const TextureInfoHeader& info);

// Decodes a whole file's bytes into red, green, blue triples in file order (bottom row
// first, rows packed tight). Returns false, leaving `rgb` empty, for anything but a sound
// 24-bit file.
bool decodeBitmap(const uint8_t* bytes, size_t size, TextureInfoHeader* info,
                  std::vector<uint8_t>* rgb);
// Adds alpha: 0 for pure black, 255 for every other pixel.
std::vector<uint8_t> addCutoutAlpha(const std::vector<uint8_t>& rgb);

// File front-ends. Both return an empty vector on any failure. Only a regular file is
// read, without blocking, and only as much of it as its headers say the picture takes.
std::vector<uint8_t> readBitmapFile(const char* path, TextureInfoHeader* info);
std::vector<uint8_t> readBitmapFileWithAlpha(const char* path, TextureInfoHeader* info);

// Encodes a picture given as red, green, blue triples, bottom row first. Width must make
// rows without padding (3 x width a multiple of 4).
std::vector<uint8_t> encodeBitmap(int width, int height, const std::vector<uint8_t>& rgb);
