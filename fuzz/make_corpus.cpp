// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fuzz targets' seed inputs into fuzz/corpus/<target>/: pictures from our own
// encoder, and a few files each reader must refuse or read in a particular way.
//   make_corpus SOURCE_DIR/fuzz/corpus
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "contest/season_file.h"
#include "render/texture_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

std::string root;

void put32(Bytes& b, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<uint8_t>(x >> (8 * i));
}

void write(const std::string& target, const std::string& name, const Bytes& bytes) {
    const std::string folder = root + "/" + target;
    mkdir(folder.c_str(), 0755);
    const std::string path = folder + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f || std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() ||
        std::fclose(f) != 0) {
        std::perror(path.c_str());
        std::exit(1);
    }
}

void writeText(const std::string& target, const std::string& name, const std::string& text) {
    write(target, name, Bytes(text.begin(), text.end()));
}

// A small picture with every pixel different, so that a swapped channel or row shows.
Bytes picture(int width, int height) {
    Bytes rgb;
    for (int i = 0; i < width * height; ++i) {
        rgb.push_back(static_cast<uint8_t>(40 * i + 1));
        rgb.push_back(static_cast<uint8_t>(90 + i));
        rgb.push_back(static_cast<uint8_t>(255 - 7 * i));
    }
    return encodeBitmap(width, height, rgb);
}

// The same picture with its rows padded to 4 bytes, as most writers store them.
Bytes padded(int width, int height, uint32_t declaredSize) {
    const Bytes tight = picture(width, height);
    const size_t packed = 3 * static_cast<size_t>(width), stride = (packed + 3) & ~size_t{3};
    Bytes out(tight.begin(), tight.begin() + 54);
    for (int y = 0; y < height; ++y) {
        out.insert(out.end(), tight.begin() + 54 + y * packed,
                   tight.begin() + 54 + (y + 1) * packed);
        out.resize(out.size() + stride - packed, 0);
    }
    put32(out, 2, static_cast<uint32_t>(out.size()));
    put32(out, 34, declaredSize);
    return out;
}

void texturePictures(const std::string& target) {
    write(target, "ok-1x1", picture(1, 1));
    write(target, "ok-4x3", picture(4, 3));
    write(target, "ok-3x2-padded", padded(3, 2, 24)); // two rows of 9 bytes padded to 12
    write(target, "ok-5x2-padded-size0", padded(5, 2, 0));
    Bytes cutout = picture(4, 1);
    cutout[54] = cutout[55] = cutout[56] = 0; // a black pixel, transparent with alpha
    write(target, "ok-cutout", cutout);

    Bytes b = picture(4, 2);
    b[0] = 'P';
    write(target, "bad-magic", b);
    b = picture(4, 2);
    b.resize(b.size() - 1);
    write(target, "bad-truncated", b);
    b = picture(4, 2);
    b[28] = 32;
    write(target, "bad-32bit", b);
    b = picture(4, 2);
    put32(b, 18, 100000);
    write(target, "bad-too-wide", b);
    b = picture(4, 2);
    put32(b, 22, 0xFFFFFFFEu); // height -2: top-down rows
    write(target, "bad-top-down", b);
    b = picture(4, 2);
    put32(b, 10, 0xFFFFFFF0u);
    write(target, "bad-offset", b);
    write(target, "bad-header-only", Bytes(b.begin(), b.begin() + 54));
}

// The settings target's first byte picks the buffer size as 2 + byte % 127.
void setting(const std::string& name, int bufferSize, const std::string& text) {
    writeText("settings", name, std::string(1, static_cast<char>(bufferSize - 2)) + text);
}

// Season files as the game writes them at a few points of a season, and spoilt ones.
void seasons() {
    ContestSetup setup;
    setup.humanNames = {"Ala", "Zażółć"};
    setup.computers = 33;
    setup.seed = 42;
    Contest single = Contest::start(setup);
    writeText("season", "fresh", seasonText(single));
    setup.format = ContestFormat::WorldCup;
    Contest cup = Contest::start(setup);
    for (int jump = 0; !cup.competitionOver(); ++jump)
        cup.record({80 + jump % 40, 100 + jump % 7 * 10, jump % 13 == 0});
    writeText("season", "competition-over", seasonText(cup));
    cup.beginNextCompetition();
    for (int jump = 0; jump < 45; ++jump)
        cup.record({90 + jump % 30, 110 + jump % 5 * 10, false});
    const std::string final = seasonText(cup);
    writeText("season", "in-the-final", final);
    writeText("season", "cut", final.substr(0, final.size() / 2));
    std::string later = final;
    later.replace(later.find(' '), 2, " 2");
    writeText("season", "later-version", later);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR\n", argv[0]);
        return 2;
    }
    root = argv[1];
    mkdir(root.c_str(), 0755);
    texturePictures("texture_decode");
    texturePictures("texture_read");

    // As the launcher writes them, and as a hand or a broken disk might leave them.
    setting("resx", 100, "1024\n");
    setting("hill", 4, "2\n");
    setting("switch", 7, "587");
    setting("colour", 4, "255");
    setting("empty", 4, "");
    setting("long-line", 4, "12345678\n");
    setting("wraps", 100, "99999999999999999999");
    setting("not-a-number", 7, "x95\n");
    setting("signed", 4, "-5");
    setting("nul-inside", 7,
            std::string("4\0"
                        "2",
                        3));
    setting("past-buffer", 128, std::string(120, '7'));

    writeText("records", "plain", "140");
    writeText("records", "two-digits", "07");
    writeText("records", "line-end", "07\n");
    writeText("records", "too-long", "1234");
    writeText("records", "empty", "");
    writeText("records", "letters", "x95");
    writeText("records", "blank-first", " 88");
    writeText("records", "blanks-after", "88 \t\r\n");

    seasons();
    return 0;
}
