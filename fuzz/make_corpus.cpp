// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the fuzz targets' seed inputs into fuzz/corpus/<target>/: pictures from our own
// encoder, and a few files each reader must refuse or read in a particular way.
//   make_corpus SOURCE_DIR/fuzz/corpus
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "camera/views.h"
#include "contest/season_file.h"
#include "render/texture_file.h"
#include "step_input_bytes.h"

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

// Sessions of play for step_fuzz, in its input's terms.
class Session {
  public:
    Session(uint8_t first, uint8_t second) : bytes_{first, second} {}
    Session& wait(int steps) {
        for (; steps > 0; steps -= 16)
            bytes_.push_back(static_cast<uint8_t>((std::min(steps, 16) - 1) << 4 | kEventWait));
        return *this;
    }
    Session& key(int code) {
        int i = 0;
        while (kStepKeys[i] != code)
            ++i;
        return add({kEventKey, static_cast<uint8_t>(i)});
    }
    Session& chars(const char* text) {
        for (; *text; ++text)
            add({kEventChar, static_cast<uint8_t>(std::strchr(kStepChars, *text) - kStepChars)});
        return *this;
    }
    Session& click(bool left) { return add({left ? kEventLeftClick : kEventRightClick, 100, 75}); }
    Session& move(int16_t x, int16_t y) {
        return add({kEventMouseMove, static_cast<uint8_t>(x), static_cast<uint8_t>(x >> 8),
                    static_cast<uint8_t>(y), static_cast<uint8_t>(y >> 8)});
    }
    Session& pad(int button) { return add({kEventPadButton, static_cast<uint8_t>(button)}); }
    Session& devices(int8_t stick, uint8_t cameraKeys) {
        return add({kEventDevices, static_cast<uint8_t>(stick), cameraKeys});
    }
    // Into the scene, off the gate, a take-off late in the window and a landing stance
    // held out: a whole jump on the first hill.
    Session& jump() {
        key(VK_RETURN).wait(2).key(VK_SPACE).wait(80).click(true);
        for (int i = 0; i < 60; ++i)
            wait(3).click(false);
        return wait(300);
    }
    void write(const char* name) { ::write("step", name, bytes_); }

  private:
    Session& add(std::initializer_list<uint8_t> event) {
        bytes_.insert(bytes_.end(), event);
        return *this;
    }
    Bytes bytes_;
};

void sessions() {
    // Hill 1 at normal speed, the chairlift; then with the town, snow and the night.
    for (uint8_t scenery : {2, 31}) {
        Session s(3, scenery);
        s.jump().chars("R").wait(300).move(300, 200).key(VK_SPACE).wait(100).chars("R");
        s.chars("T").wait(200).key(VK_RETURN).chars("P").wait(10).chars("3P").key(VK_F1).wait(5);
        s.key(VK_F1).key(VK_ESCAPE).key(VK_DOWN).key(VK_UP).key(VK_RETURN).wait(20).click(true);
        s.write(scenery == 2 ? "jump-replay-modes" : "jump-town-snow-night");
    }
    // The other hills and speeds, the same hands.
    Session(1, 2).jump().write("hill2-slow");
    Session(8, 6).jump().write("hill3-fast");
    // The controller and the free camera's keys.
    Session pad(3, 3);
    pad.pad(PAD_A).wait(2).pad(PAD_A).devices(-127, 0).wait(100).pad(PAD_B).pad(PAD_START);
    pad.pad(PAD_LEFT_SHOULDER).pad(PAD_RIGHT_SHOULDER).pad(PAD_START).devices(127, 0).wait(80);
    pad.chars("8").devices(0, kCameraKeyLeft | kCameraKeyForward | kCameraKeyPitchUp).wait(60);
    pad.pad(PAD_DPAD_DOWN).pad(PAD_BACK).pad(PAD_DPAD_UP).pad(PAD_A).wait(10).write("pad-camera");
    // Quitting allowed: the quit choice taken from the scene.
    Session(kQuitAllowed, 2).key(VK_RETURN).wait(30).key(VK_ESCAPE).key(VK_RETURN).write("quit");
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
    sessions();
    return 0;
}
