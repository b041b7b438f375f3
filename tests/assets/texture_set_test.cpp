// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The generated texture set, read back the way the game reads it.
#include <gdk-pixbuf/gdk-pixbuf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <set>

#include "assets/canvas.h"
#include "assets/picture_set.h"
#include "assets/png_file.h"
#include "assets/program_icon.h"
#include "render/texture_file.h"
#include "render/texture_list.h"
#include "texgen_run.h"

namespace {

uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return static_cast<uint16_t>(b[at] | (b[at + 1] << 8));
}
bool powerOfTwo(int v) {
    return v > 0 && (v & (v - 1)) == 0;
}

// Pictures that must have holes: they are drawn with the alpha test or blending over
// whatever lies behind them. Every other picture is a solid surface.
const std::set<std::string> kCutouts = {
    "swierk",  "audience", "audience2",       "audience3", "siatkaochronna", "snow",
    "rain",    "but1",     "but1light",       "but2",      "but2light",      "busprzod",
    "busbok",  "bustyl",   "busprzod2",       "busbok2",   "bustyl2",        "busprzod3",
    "busbok3", "bustyl3",  "budynek5bokgora", "redlight",  "greenlight"};

struct Decoded {
    TextureInfoHeader info;
    std::vector<uint8_t> rgb; // bottom row first
    int w() const { return info.width; }
    int h() const { return info.height; }
    // Row counted from the top of the picture as one looks at it.
    const uint8_t* px(int x, int yFromTop) const {
        return &rgb[(static_cast<size_t>(h() - 1 - yFromTop) * w() + x) * 3];
    }
    bool hole(int x, int yFromTop) const {
        const uint8_t* p = px(x, yFromTop);
        return (p[0] | p[1] | p[2]) == 0;
    }
};

float luminance(const uint8_t* p) {
    return 0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2];
}

class TextureSet : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        first = new ScratchDir;
        second = new ScratchDir;
        firstStatus = runTexgen("pictures", first->path());
        secondStatus = runTexgen("pictures", second->path());
    }
    static void TearDownTestSuite() {
        delete first;
        delete second;
    }
    static fs::path texture(const std::string& stem) {
        return fs::path(first->path()) / "textures" / (stem + ".stx");
    }
    static Decoded decode(const std::string& stem) {
        Decoded d;
        d.rgb = readBitmapFile(texture(stem).c_str(), &d.info);
        return d;
    }
    static ScratchDir* first;
    static ScratchDir* second;
    static int firstStatus, secondStatus;
};

ScratchDir* TextureSet::first = nullptr;
ScratchDir* TextureSet::second = nullptr;
int TextureSet::firstStatus = -1;
int TextureSet::secondStatus = -1;

TEST_F(TextureSet, GeneratorSucceedsWithEveryStemOfTheLoadingListAndNothingElse) {
    ASSERT_EQ(firstStatus, 0);
    ASSERT_EQ(secondStatus, 0);
    std::set<std::string> expected;
    for (const TextureEntry& e : kTextureList)
        expected.insert(std::string(e.stem) + ".stx");
    EXPECT_EQ(expected.size(), 67u);
    // The list's stems at the top; another language's pictures, in a folder of their own,
    // stand in for stems of the list.
    const fs::path root = fs::path(first->path()) / "textures";
    std::set<std::string> found, languageFound, languageExpected;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file())
            (entry.path().parent_path() == root ? found : languageFound)
                .insert(fs::relative(entry.path(), root).string());
    EXPECT_EQ(found, expected);
    for (int i = 0; i < kLanguagePictureCount; ++i) {
        const LanguagePicture& p = kLanguagePictures[i];
        EXPECT_EQ(expected.count(std::string(p.stem) + ".stx"), 1u) << p.stem;
        languageExpected.insert(std::string(p.language) + "/" + p.stem + ".stx");
    }
    EXPECT_EQ(languageFound, languageExpected);
}

TEST_F(TextureSet, EveryFileHasTheExactHeaderLayoutAndAPowerOfTwoSize) {
    ASSERT_EQ(firstStatus, 0);
    for (const TextureEntry& e : kTextureList) {
        SCOPED_TRACE(e.stem);
        std::vector<uint8_t> b = readAll(texture(e.stem));
        ASSERT_GE(b.size(), 54u);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(le32(b, 2), b.size()); // file size
        EXPECT_EQ(le32(b, 10), 54u);     // pixels right after both headers
        EXPECT_EQ(le32(b, 14), 40u);     // info header size
        int w = static_cast<int32_t>(le32(b, 18)), h = static_cast<int32_t>(le32(b, 22));
        EXPECT_EQ(le16(b, 26), 1);          // planes
        EXPECT_EQ(le16(b, 28), 24);         // bits per pixel
        EXPECT_EQ(le32(b, 30), 0u);         // uncompressed
        EXPECT_EQ(le32(b, 34), 3u * w * h); // image size
        EXPECT_EQ(b.size(), 54u + 3u * w * h);
        EXPECT_EQ(w % 4, 0) << "rows would need padding";
        EXPECT_TRUE(powerOfTwo(w) && w >= 32 && w <= 512) << w;
        EXPECT_TRUE(powerOfTwo(h) && h >= 32 && h <= 512) << h;
        // And the game's own reader takes it.
        TextureInfoHeader info;
        std::vector<uint8_t> rgb = readBitmapFile(texture(e.stem).c_str(), &info);
        EXPECT_EQ(info.width, w);
        EXPECT_EQ(info.height, h);
        EXPECT_EQ(rgb.size(), 3u * w * h);
    }
}

TEST_F(TextureSet, OnlyCutoutPicturesHaveTransparentPixels) {
    ASSERT_EQ(firstStatus, 0);
    for (const TextureEntry& e : kTextureList) {
        SCOPED_TRACE(e.stem);
        TextureInfoHeader info;
        std::vector<uint8_t> rgba = readBitmapFileWithAlpha(texture(e.stem).c_str(), &info);
        ASSERT_FALSE(rgba.empty());
        size_t holes = 0, solid = 0;
        for (size_t i = 3; i < rgba.size(); i += 4)
            (rgba[i] == 0 ? holes : solid)++;
        if (kCutouts.count(e.stem)) {
            EXPECT_GT(holes, 0u);
            EXPECT_GT(solid, 0u);
        } else {
            EXPECT_EQ(holes, 0u) << "a solid surface must not contain pure black";
        }
    }
}

TEST_F(TextureSet, ButtonsAreBlackOutsideTheirShapeAndTheLightOnesAreBrighter) {
    ASSERT_EQ(firstStatus, 0);
    auto meanOpaque = [](const Decoded& d) {
        double sum = 0;
        int n = 0;
        for (int y = 0; y < d.h(); ++y)
            for (int x = 0; x < d.w(); ++x)
                if (!d.hole(x, y)) {
                    sum += luminance(d.px(x, y));
                    ++n;
                }
        return n ? sum / n : 0.0;
    };
    const char* plain[] = {"but1", "but2"};
    const char* lit[] = {"but1light", "but2light"};
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(plain[i]);
        Decoded a = decode(plain[i]), b = decode(lit[i]);
        for (const Decoded* d : {&a, &b}) {
            // The four corners lie outside the rounded shape; the middle is the button.
            EXPECT_TRUE(d->hole(0, 0));
            EXPECT_TRUE(d->hole(d->w() - 1, 0));
            EXPECT_TRUE(d->hole(0, d->h() - 1));
            EXPECT_TRUE(d->hole(d->w() - 1, d->h() - 1));
            EXPECT_FALSE(d->hole(d->w() / 2, d->h() / 2));
            EXPECT_FALSE(d->hole(8, d->h() / 2));
        }
        EXPECT_GT(meanOpaque(b), meanOpaque(a) + 40) << "the highlighted button must stand out";
    }
}

TEST_F(TextureSet, ButtonLabelsDifferSoTheWordsAreThere) {
    ASSERT_EQ(firstStatus, 0);
    // Same button shape, different words: the pictures differ only where the label is.
    Decoded a = decode("but1"), b = decode("but2");
    ASSERT_EQ(a.rgb.size(), b.rgb.size());
    int differing = 0, outsideMiddle = 0;
    for (int y = 0; y < a.h(); ++y)
        for (int x = 0; x < a.w(); ++x)
            if (std::memcmp(a.px(x, y), b.px(x, y), 3) != 0) {
                ++differing;
                if (x < a.w() / 8 || x > a.w() * 7 / 8) ++outsideMiddle;
            }
    EXPECT_GT(differing, 300);
    EXPECT_EQ(outsideMiddle, 0);
}

TEST_F(TextureSet, NightFacadesAreDarkWithSomeWarmLitWindows) {
    ASSERT_EQ(firstStatus, 0);
    const char* pairs[][2] = {{"przod16", "przod16noc"},
                              {"bloktyl16", "bloktyl16noc"},
                              {"budynek2przod", "budynek2przodnoc"},
                              {"budynek3przod", "budynek3przodnoc"},
                              {"budynek2bok", "budynek2boknoc"},
                              {"budynek2tyl", "budynek2tylnoc"},
                              {"budynek4przod", "budynek4przodnoc"}};
    for (auto& p : pairs) {
        SCOPED_TRACE(p[1]);
        Decoded day = decode(p[0]), night = decode(p[1]);
        ASSERT_EQ(day.w(), night.w());
        ASSERT_EQ(day.h(), night.h());
        double dayMean = 0, nightMean = 0;
        int warm = 0, dark = 0;
        for (int y = 0; y < night.h(); ++y)
            for (int x = 0; x < night.w(); ++x) {
                dayMean += luminance(day.px(x, y));
                const uint8_t* q = night.px(x, y);
                nightMean += luminance(q);
                if (q[0] > 200 && q[1] > 140 && q[2] < 180 && q[0] > q[2] + 60) ++warm;
                if (luminance(q) < 60) ++dark;
            }
        int n = night.w() * night.h();
        EXPECT_LT(nightMean / n, dayMean / n * 0.6);
        EXPECT_GT(warm, n / 200) << "lit windows";
        EXPECT_GT(dark, n / 2) << "walls and unlit windows in the dark";
    }
}

TEST_F(TextureSet, SnowIsLightBlueGreyAndSoft) {
    ASSERT_EQ(firstStatus, 0);
    Decoded d = decode("window");
    double sum = 0, sum2 = 0, red = 0, blue = 0;
    int n = d.w() * d.h();
    for (int y = 0; y < d.h(); ++y)
        for (int x = 0; x < d.w(); ++x) {
            float l = luminance(d.px(x, y));
            sum += l;
            sum2 += l * l;
            red += d.px(x, y)[0];
            blue += d.px(x, y)[2];
        }
    double mean = sum / n, sd = std::sqrt(sum2 / n - mean * mean);
    EXPECT_GT(mean, 200);
    EXPECT_LT(sd, 12) << "soft noise, not a pattern";
    EXPECT_GT(sd, 1) << "not a flat colour";
    EXPECT_GT(blue / n, red / n + 5) << "slightly blue";
}

// How different neighbouring columns (or rows) are: the mean over the picture, the largest
// mean of any one pair inside it (grid lines, tile courses), and the mean across the seam
// where the picture meets its own repeat.
struct SeamFigures {
    double inside = 0, strongestInside = 0, seam = 0;
};

SeamFigures seamContrast(const Decoded& d, bool acrossColumns) {
    SeamFigures f;
    int lines = acrossColumns ? d.w() : d.h(), along = acrossColumns ? d.h() : d.w();
    // Luminance averaged over 8 pixels along each line, so fine grain cancels out and a
    // broad step at the seam stays.
    std::vector<double> lum(static_cast<size_t>(lines) * along);
    for (int i = 0; i < lines; ++i)
        for (int j = 0; j < along; ++j) {
            double sum = 0;
            for (int k = 0; k < 8; ++k) {
                int jj = (j + k) % along;
                sum += luminance(acrossColumns ? d.px(i, jj) : d.px(jj, i));
            }
            lum[static_cast<size_t>(i) * along + j] = sum / 8;
        }
    double total = 0;
    for (int i = 0; i < lines; ++i) {
        int k = (i + 1) % lines;
        double pair = 0;
        for (int j = 0; j < along; ++j)
            pair += std::fabs(lum[static_cast<size_t>(i) * along + j] -
                              lum[static_cast<size_t>(k) * along + j]);
        pair /= along;
        if (k == 0) {
            f.seam = pair;
        } else {
            total += pair;
            f.strongestInside = std::max(f.strongestInside, pair);
        }
    }
    f.inside = total / (lines - 1);
    return f;
}

TEST_F(TextureSet, RepeatedSurfacesHaveNoVisibleSeam) {
    ASSERT_EQ(firstStatus, 0);
    struct Case {
        const char* stem;
        bool columns, rows;
    } cases[] = {
        {"window", true, true},    {"window2", true, false},  {"trawa", true, true},
        {"sumer", true, true},     {"rozbieg", false, true},  {"rozbieglato", false, true},
        {"asfalt", false, true},   {"dach", true, true},      {"siatkaochronna", true, true},
        {"spot1", true, false},    {"audience", true, false}, {"audience2", true, false},
        {"audience3", true, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stem);
        Decoded d = decode(c.stem);
        for (bool across : {true, false}) {
            if ((across && !c.columns) || (!across && !c.rows)) continue;
            SeamFigures f = seamContrast(d, across);
            // A seam may be as strong as a line the picture draws on purpose (mat joints,
            // tile courses, board edges), never stronger; soft pictures have none.
            EXPECT_LE(f.seam, std::max(f.inside * 2.5 + 1, f.strongestInside * 1.25))
                << (across ? "left/right" : "top/bottom") << " seam";
        }
    }
}

TEST_F(TextureSet, TwoRunsGiveIdenticalBytes) {
    ASSERT_EQ(firstStatus, 0);
    ASSERT_EQ(secondStatus, 0);
    int compared = 0;
    for (const char* sub : {"textures", "icons"}) {
        for (const auto& entry : fs::recursive_directory_iterator(fs::path(first->path()) / sub)) {
            if (entry.is_directory()) continue;
            SCOPED_TRACE(entry.path().string());
            fs::path other =
                fs::path(second->path()) / fs::relative(entry.path(), fs::path(first->path()));
            ASSERT_TRUE(fs::exists(other));
            EXPECT_TRUE(readAll(entry.path()) == readAll(other));
            ++compared;
        }
    }
    EXPECT_EQ(compared, 67 + kLanguagePictureCount + kProgramIconCount);
}

TEST_F(TextureSet, TheBuiltGameFolderHoldsTheSamePictures) {
    ASSERT_EQ(firstStatus, 0);
    for (const TextureEntry& e : kTextureList) {
        SCOPED_TRACE(e.stem);
        fs::path built = fs::path(GAME_DIR) / "textures" / (std::string(e.stem) + ".stx");
        ASSERT_TRUE(fs::exists(built));
        EXPECT_TRUE(readAll(built) == readAll(texture(e.stem)));
    }
}

// Decoded by gdk-pixbuf, the decoder the desktop itself uses.
GdkPixbuf* loadPixbuf(const fs::path& path) {
    GError* error = nullptr;
    GdkPixbuf* pb = gdk_pixbuf_new_from_file(path.c_str(), &error);
    if (!pb) ADD_FAILURE() << path << ": " << (error ? error->message : "");
    if (error) g_error_free(error);
    return pb;
}

TEST_F(TextureSet, IconsInEveryThemeSizeWithTransparentCornersAndTheSamePicture) {
    ASSERT_EQ(firstStatus, 0);
    // The jumper's red suit, counted as a share of the icon: the same drawing at every size.
    std::vector<double> redShare;
    for (int size : kProgramIconSizes) {
        SCOPED_TRACE(size);
        const std::string pixels = std::to_string(size) + "x" + std::to_string(size);
        GdkPixbuf* pb =
            loadPixbuf(fs::path(first->path()) / "icons/hicolor" / pixels / "apps/valmora.png");
        ASSERT_NE(pb, nullptr);
        EXPECT_EQ(gdk_pixbuf_get_width(pb), size);
        EXPECT_EQ(gdk_pixbuf_get_height(pb), size);
        ASSERT_TRUE(gdk_pixbuf_get_has_alpha(pb));
        const guchar* p = gdk_pixbuf_get_pixels(pb);
        int stride = gdk_pixbuf_get_rowstride(pb);
        EXPECT_LT(p[3], 16) << "top-left corner outside the rounded square";
        EXPECT_LT(p[(size - 1) * stride + (size - 1) * 4 + 3], 16) << "bottom-right corner";
        EXPECT_EQ(p[(size / 2) * stride + (size / 2) * 4 + 3], 255);
        int red = 0;
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x) {
                const guchar* q = p + y * stride + x * 4;
                red += q[3] > 128 && q[0] > 150 && q[1] < 90 && q[2] < 90;
            }
        redShare.push_back(static_cast<double>(red) / (size * size));
        g_object_unref(pb);
    }
    // 16 pixels blur the thin suit the most; from 32 up the share hardly changes.
    for (size_t i = 1; i < redShare.size(); ++i) {
        EXPECT_GT(redShare[i], 0.01) << kProgramIconSizes[i];
        EXPECT_NEAR(redShare[i], redShare.back(), 0.4 * redShare.back()) << kProgramIconSizes[i];
    }
}

TEST(PngFiles, WhatIsWrittenDecodesToTheSamePixelsTheRightWayUp) {
    ScratchDir dir;
    // 3 x 2, every pixel different; RGBA given top row first.
    const std::vector<uint8_t> rgba = {255, 0,  0,  255, 0,  255, 0,  128, 0,  0,  255, 0,
                                       10,  20, 30, 255, 40, 50,  60, 255, 70, 80, 90,  255};
    std::string error;
    ASSERT_TRUE(writePngFile(dir.path() + "/a.png", 3, 2, 4, rgba.data(), false, &error)) << error;
    // RGB given bottom row first, as OpenGL reads a frame back: the first row given is the
    // lowest one in the file.
    const std::vector<uint8_t> rgbBottomUp = {1,  2,  3,  4,  5,  6,  7,  8,  9,
                                              11, 12, 13, 14, 15, 16, 17, 18, 19};
    ASSERT_TRUE(writePngFile(dir.path() + "/b.png", 3, 2, 3, rgbBottomUp.data(), true, &error))
        << error;

    GdkPixbuf* a = loadPixbuf(dir.path() + "/a.png");
    GdkPixbuf* b = loadPixbuf(dir.path() + "/b.png");
    ASSERT_TRUE(a && b);
    ASSERT_TRUE(gdk_pixbuf_get_has_alpha(a));
    ASSERT_FALSE(gdk_pixbuf_get_has_alpha(b));
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const guchar* pa = gdk_pixbuf_get_pixels(a) + y * gdk_pixbuf_get_rowstride(a) + x * 4;
            EXPECT_EQ(std::vector<uint8_t>(pa, pa + 4),
                      std::vector<uint8_t>(&rgba[(y * 3 + x) * 4], &rgba[(y * 3 + x) * 4] + 4));
            const guchar* pb = gdk_pixbuf_get_pixels(b) + y * gdk_pixbuf_get_rowstride(b) + x * 3;
            const uint8_t* given = &rgbBottomUp[((1 - y) * 3 + x) * 3];
            EXPECT_EQ(std::vector<uint8_t>(pb, pb + 3), std::vector<uint8_t>(given, given + 3));
        }
    g_object_unref(a);
    g_object_unref(b);
}

TEST(PngFiles, NothingToEncodeOrNowhereToWriteIsAFailureThatLeavesNoFile) {
    ScratchDir dir;
    const std::vector<uint8_t> pixel = {1, 2, 3, 4};
    std::string error;
    EXPECT_TRUE(encodePng(0, 1, 4, pixel.data(), false, &error).empty());
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(encodePng(1, 1, 2, pixel.data(), false, &error).empty());
    error.clear();
    EXPECT_FALSE(writePngFile(dir.path() + "/missing/x.png", 1, 1, 4, pixel.data(), false, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(PictureEncoding, BlackOnlyWhereUncoveredAndRowsBottomUp) {
    // An opaque picture painted pure black must not turn into a hole.
    Canvas dark = makeCanvas(4, 2, rgb(0, 0, 0));
    std::vector<uint8_t> bytes = toBitmapRgb(dark);
    for (uint8_t v : bytes)
        EXPECT_EQ(v, 1);

    // A cut-out: a white disc on nothing. Outside is pure black, inside never darkens
    // towards black at its soft edge (the game would show a dark rim there).
    Canvas cut = makeCutout(32, 32);
    fillEllipse(cut, 16, 16, 9.3f, 9.3f, rgb(255, 255, 255));
    std::vector<uint8_t> out = toBitmapRgb(cut);
    int holes = 0, solid = 0;
    for (size_t i = 0; i < out.size(); i += 3) {
        if ((out[i] | out[i + 1] | out[i + 2]) == 0) {
            ++holes;
        } else {
            ++solid;
            EXPECT_EQ(out[i], 255);
        }
    }
    // The disc covers about pi r^2 pixels.
    EXPECT_NEAR(solid, 3.14159 * 9.3 * 9.3, 12);
    EXPECT_EQ(holes + solid, 32 * 32);

    // Row 0 as painted is the top of the picture: it is stored last.
    Canvas strip = makeCanvas(4, 3, rgb(10, 10, 10));
    fillRect(strip, 0, 0, 4, 1, rgb(200, 100, 50));
    std::vector<uint8_t> rows = toBitmapRgb(strip);
    EXPECT_EQ(rows[0], 10);
    EXPECT_EQ(rows[2 * 4 * 3 + 0], 200);
    EXPECT_EQ(rows[2 * 4 * 3 + 1], 100);
    EXPECT_EQ(rows[2 * 4 * 3 + 2], 50);
}

} // namespace
