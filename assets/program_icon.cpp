// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "assets/program_icon.h"

#include <filesystem>

#include "assets/png_file.h"

Canvas paintProgramIcon(int size) {
    // Drawn eight times larger and averaged down, so the small sizes keep clean edges.
    const int n = size * 8;
    const float k = static_cast<float>(n);
    Canvas cv = makeCutout(n, n);
    float r = 0.2f * k;
    fillShape(
        cv, 0, 0, k, k, [&](float px, float py) { return sdRoundBox(px, py, 0, 0, k, k, r); },
        [&](float, float py) { return mix(rgb(40, 110, 210), rgb(170, 214, 250), py / k); });
    // Landing hill falling to the right, inside the rounded square.
    std::vector<Point> hill = {
        {0, 0.56f * k}, {0.3f * k, 0.62f * k}, {0.62f * k, 0.84f * k}, {k, 0.94f * k}, {k, k},
        {0, k}};
    fillShape(
        cv, 0, 0.5f * k, k, k,
        [&](float px, float py) {
            return std::max(sdPolygon(px, py, hill), sdRoundBox(px, py, 0, 0, k, k, r));
        },
        [&](float, float py) {
            return mix(rgb(250, 252, 255), rgb(196, 214, 236), (py / k - 0.56f) / 0.44f);
        });
    // The jumper, in the game's default colours: red suit, white helmet, blue skis held in
    // a wide V, body stretched forward over them.
    float w = k / 32.0f; // one pixel of the 32-pixel icon
    drawLine(cv, 0.10f * k, 0.66f * k, 0.92f * k, 0.20f * k, 2.0f * w, rgb(20, 40, 200));
    drawLine(cv, 0.10f * k, 0.66f * k, 0.80f * k, 0.58f * k, 2.0f * w, rgb(20, 40, 200));
    drawLine(cv, 0.38f * k, 0.54f * k, 0.64f * k, 0.30f * k, 4.0f * w, rgb(210, 20, 24));
    fillEllipse(cv, 0.71f * k, 0.25f * k, 2.7f * w, 2.7f * w, rgb(60, 60, 70));
    fillEllipse(cv, 0.71f * k, 0.25f * k, 2.0f * w, 2.0f * w, rgb(250, 250, 250));
    return resampleArea(cv, size, size);
}

bool writeProgramIcons(const std::string& gameDir, std::string* error) {
    namespace fs = std::filesystem;
    for (int size : kProgramIconSizes) {
        const std::string pixels = std::to_string(size) + "x" + std::to_string(size);
        fs::path dir = fs::path(gameDir) / "icons" / "hicolor" / pixels / "apps";
        std::error_code ec;
        fs::create_directories(dir, ec);
        if (ec) {
            *error = "cannot create " + dir.string() + ": " + ec.message();
            return false;
        }
        Canvas cv = paintProgramIcon(size);
        std::vector<uint8_t> rgba;
        rgba.reserve(static_cast<size_t>(size) * size * 4);
        for (size_t i = 0; i < cv.color.size(); ++i) {
            auto ch = [](float v) {
                return static_cast<uint8_t>(std::lround(std::min(255.0f, std::max(0.0f, v))));
            };
            float a = cv.cover[i];
            rgba.push_back(a > 0 ? ch(cv.color[i].r) : 0);
            rgba.push_back(a > 0 ? ch(cv.color[i].g) : 0);
            rgba.push_back(a > 0 ? ch(cv.color[i].b) : 0);
            rgba.push_back(ch(a * 255.0f));
        }
        if (!writePngFile((dir / "valmora.png").string(), size, size, 4, rgba.data(), false, error))
            return false;
    }
    return true;
}
