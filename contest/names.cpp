// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "contest/names.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/language.h"

namespace {

const char* const kDefaultNames[] = {N_("Gracz 1"), N_("Gracz 2"), N_("Gracz 3"), N_("Gracz 4")};

// The Polish letters the game's fonts draw beside printable ASCII.
const char32_t kPolish[] = U"ąćęłńóśźżĄĆĘŁŃÓŚŹŻ";

bool drawable(char32_t c) {
    if (c >= 0x20 && c < 0x7F) return true;
    return std::find(std::begin(kPolish), std::end(kPolish) - 1, c) != std::end(kPolish) - 1;
}

// Code points of valid UTF-8 (shortest forms, no surrogates), or false.
bool decode(const std::string& text, std::vector<char32_t>& out) {
    for (size_t i = 0; i < text.size();) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        int extra;
        char32_t c;
        if (b < 0x80) {
            extra = 0, c = b;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, c = b & 0x1F;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, c = b & 0x0F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, c = b & 0x07;
        } else {
            return false;
        }
        if (text.size() - i <= static_cast<size_t>(extra)) return false;
        for (int k = 1; k <= extra; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            c = (c << 6) | (next & 0x3F);
        }
        static const char32_t kLeast[] = {0, 0x80, 0x800, 0x10000};
        if (c < kLeast[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
        out.push_back(c);
        i += 1 + extra;
    }
    return true;
}

void encode(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string defaultPlayerName(int slot) {
    return _(kDefaultNames[std::clamp(slot, 0, 3)]);
}

int nameLength(const std::string& utf8) {
    std::vector<char32_t> points;
    return decode(utf8, points) ? static_cast<int>(points.size()) : 0;
}

std::string playerName(const std::string& typed, int slot) {
    std::vector<char32_t> points;
    if (!decode(typed, points)) return defaultPlayerName(slot);
    points.erase(
        std::remove_if(points.begin(), points.end(), [](char32_t c) { return !drawable(c); }),
        points.end());
    // Blanks at the ends go before and after the cut, so the cut never ends in one.
    auto trim = [&points] {
        while (!points.empty() && points.back() == U' ')
            points.pop_back();
        size_t lead = 0;
        while (lead < points.size() && points[lead] == U' ')
            ++lead;
        points.erase(points.begin(), points.begin() + lead);
    };
    trim();
    if (points.size() > static_cast<size_t>(kLongestName)) points.resize(kLongestName);
    trim();
    if (points.empty()) return defaultPlayerName(slot);
    std::string name;
    for (char32_t c : points)
        encode(c, name);
    return name;
}
