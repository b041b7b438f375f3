// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Any bytes into the picture decoder. Besides reading nothing outside the input, a picture
// it accepts must be whole, hold the file's own pixels and come back unchanged through our
// encoder.
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "render/texture_file.h"

namespace {

uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TextureInfoHeader info;
    // Left over from an earlier picture: a refusal must not hand it back.
    std::vector<uint8_t> rgb = {1, 2, 3};
    if (!decodeBitmap(data, size, &info, &rgb)) {
        FUZZ_CHECK(rgb.empty());
        return 0;
    }

    FUZZ_CHECK(info.bitsPerPixel == 24 && info.compression == 0);
    FUZZ_CHECK(info.width >= 1 && info.width <= kMaxTextureSide);
    FUZZ_CHECK(info.height >= 1 && info.height <= kMaxTextureSide);
    const size_t pixels = static_cast<size_t>(info.width) * static_cast<size_t>(info.height);
    FUZZ_CHECK(rgb.size() == 3 * pixels);
    // Every pixel comes out of the input, so there cannot be more of them than bytes.
    FUZZ_CHECK(rgb.size() <= size);

    // The first stored pixel is blue, green, red at the pixel offset, whatever the rows.
    const uint32_t offset = le32(data + 10);
    FUZZ_CHECK(static_cast<uint64_t>(offset) + 3 <= size);
    FUZZ_CHECK(rgb[0] == data[offset + 2] && rgb[1] == data[offset + 1] && rgb[2] == data[offset]);

    const std::vector<uint8_t> rgba = addCutoutAlpha(rgb);
    FUZZ_CHECK(rgba.size() == 4 * pixels);
    for (size_t i = 0; i < pixels; ++i) {
        const bool black = (rgb[3 * i] | rgb[3 * i + 1] | rgb[3 * i + 2]) == 0;
        FUZZ_CHECK(rgba[4 * i] == rgb[3 * i] && rgba[4 * i + 1] == rgb[3 * i + 1] &&
                   rgba[4 * i + 2] == rgb[3 * i + 2]);
        FUZZ_CHECK(rgba[4 * i + 3] == (black ? 0 : 255));
    }

    // The encoder writes rows without padding only, so only such widths go round.
    if ((3 * info.width) % 4 == 0) {
        const std::vector<uint8_t> again = encodeBitmap(info.width, info.height, rgb);
        TextureInfoHeader info2;
        std::vector<uint8_t> rgb2;
        FUZZ_CHECK(decodeBitmap(again.data(), again.size(), &info2, &rgb2));
        FUZZ_CHECK(info2.width == info.width && info2.height == info.height);
        FUZZ_CHECK(rgb2 == rgb);
    }
    return 0;
}
