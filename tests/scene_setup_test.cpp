// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The scene set-up read back from a real GL context: time of day, fog, lights, fixed state,
// the random tables, and that repeated set-ups leave no GL or GLU objects behind.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <algorithm>
#include <cmath>
#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "game/app.h"
#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "core/random.h"
#include "core/settings.h"
#include "jump/jump_state.h"
#include "render/gl.h"
#include "render/text.h"
#include "render/texture_list.h"
#include "render/textures.h"
#include "platform/platform.h"
#include "support/harness.h"
#include "game/game.h"

// Live GLU quadric objects, counted by wrapping the library's own functions: the game's
// calls resolve to these first, and these hand on to GLU. A few GL state calls are wrapped
// the same way so that the order of the set-up's steps can be recorded.
namespace {
int liveQuadrics = 0;
std::vector<GLUquadric*> deletedQuadrics;
bool tracing = false;
std::vector<std::string> trace;

std::string nameOf(GLenum e) {
    static const std::pair<GLenum, const char*> names[] = {
        {GL_LIGHT0, "L0"},
        {GL_LIGHT1, "L1"},
        {GL_LIGHT2, "L2"},
        {GL_LIGHT3, "L3"},
        {GL_LIGHT4, "L4"},
        {GL_AMBIENT, "ambient"},
        {GL_DIFFUSE, "diffuse"},
        {GL_POSITION, "position"},
        {GL_SPOT_CUTOFF, "cutoff"},
        {GL_SPOT_EXPONENT, "exponent"},
        {GL_SPOT_DIRECTION, "direction"},
        {GL_DEPTH_TEST, "depth"},
        {GL_CULL_FACE, "cull"},
        {GL_POLYGON_SMOOTH, "polygonSmooth"},
        {GL_LINE_SMOOTH, "lineSmooth"},
        {GL_POINT_SMOOTH, "pointSmooth"},
        {GL_BLEND, "blend"},
        {GL_LIGHTING, "lighting"},
        {GL_COLOR_MATERIAL, "colorMaterial"},
        {GL_TEXTURE_2D, "texture2D"},
        {GL_FOG, "fog"},
        {GL_FOG_DENSITY, "density"},
        {GL_FOG_COLOR, "colour"},
        {GL_FOG_MODE, "mode"},
        {GL_FOG_START, "start"},
        {GL_FOG_END, "end"},
        {GL_LIGHT_MODEL_LOCAL_VIEWER, "localViewer"},
        {GL_LIGHT_MODEL_TWO_SIDE, "twoSide"},
        {GL_SPECULAR, "specular"},
        {GL_SHININESS, "shininess"},
    };
    for (const auto& n : names)
        if (n.first == e) return n.second;
    return "0x" + std::to_string(e);
}

void record(const std::string& call) {
    // Mipmap building makes one upload per level: one entry per run of uploads.
    if (tracing && !(call == "upload" && !trace.empty() && trace.back() == call))
        trace.push_back(call);
}

template <class Fn> Fn realGl(const char* name) {
    return reinterpret_cast<Fn>(dlsym(RTLD_NEXT, name));
}
} // namespace

extern "C" GLUquadric* gluNewQuadric(void) {
    using Fn = GLUquadric* (*)();
    static Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "gluNewQuadric"));
    GLUquadric* q = real();
    if (q) ++liveQuadrics;
    record("quadric");
    return q;
}

extern "C" void glEnable(GLenum cap) {
    static auto real = realGl<void (*)(GLenum)>("glEnable");
    record("enable " + nameOf(cap));
    real(cap);
}
extern "C" void glDisable(GLenum cap) {
    static auto real = realGl<void (*)(GLenum)>("glDisable");
    record("disable " + nameOf(cap));
    real(cap);
}
extern "C" void glClearColor(GLclampf r, GLclampf g, GLclampf b, GLclampf a) {
    static auto real = realGl<void (*)(GLclampf, GLclampf, GLclampf, GLclampf)>("glClearColor");
    record("clearColour");
    real(r, g, b, a);
}
extern "C" void glShadeModel(GLenum mode) {
    static auto real = realGl<void (*)(GLenum)>("glShadeModel");
    record("shadeModel");
    real(mode);
}
extern "C" void glFrontFace(GLenum mode) {
    static auto real = realGl<void (*)(GLenum)>("glFrontFace");
    record("frontFace");
    real(mode);
}
extern "C" void glBlendFunc(GLenum s, GLenum d) {
    static auto real = realGl<void (*)(GLenum, GLenum)>("glBlendFunc");
    record("blendFunc");
    real(s, d);
}
extern "C" void glAlphaFunc(GLenum f, GLclampf ref) {
    static auto real = realGl<void (*)(GLenum, GLclampf)>("glAlphaFunc");
    record("alphaFunc");
    real(f, ref);
}
extern "C" void glLightfv(GLenum light, GLenum pname, const GLfloat* v) {
    static auto real = realGl<void (*)(GLenum, GLenum, const GLfloat*)>("glLightfv");
    record(nameOf(light) + " " + nameOf(pname));
    real(light, pname, v);
}
extern "C" void glLightf(GLenum light, GLenum pname, GLfloat v) {
    static auto real = realGl<void (*)(GLenum, GLenum, GLfloat)>("glLightf");
    record(nameOf(light) + " " + nameOf(pname));
    real(light, pname, v);
}
extern "C" void glLightModeli(GLenum pname, GLint v) {
    static auto real = realGl<void (*)(GLenum, GLint)>("glLightModeli");
    record("model " + nameOf(pname));
    real(pname, v);
}
extern "C" void glColorMaterial(GLenum face, GLenum mode) {
    static auto real = realGl<void (*)(GLenum, GLenum)>("glColorMaterial");
    record("colorMaterialMode");
    real(face, mode);
}
extern "C" void glMaterialfv(GLenum face, GLenum pname, const GLfloat* v) {
    static auto real = realGl<void (*)(GLenum, GLenum, const GLfloat*)>("glMaterialfv");
    record("material " + nameOf(pname));
    real(face, pname, v);
}
extern "C" void glMaterialf(GLenum face, GLenum pname, GLfloat v) {
    static auto real = realGl<void (*)(GLenum, GLenum, GLfloat)>("glMaterialf");
    record("material " + nameOf(pname));
    real(face, pname, v);
}
extern "C" void glTexImage2D(GLenum target, GLint level, GLint internal, GLsizei w, GLsizei h,
                             GLint border, GLenum format, GLenum type, const GLvoid* pixels) {
    static auto real = realGl<void (*)(GLenum, GLint, GLint, GLsizei, GLsizei, GLint, GLenum,
                                       GLenum, const GLvoid*)>("glTexImage2D");
    record("upload");
    real(target, level, internal, w, h, border, format, type, pixels);
}
extern "C" void glFogf(GLenum pname, GLfloat v) {
    static auto real = realGl<void (*)(GLenum, GLfloat)>("glFogf");
    record("fog " + nameOf(pname));
    real(pname, v);
}
extern "C" void glFogi(GLenum pname, GLint v) {
    static auto real = realGl<void (*)(GLenum, GLint)>("glFogi");
    record("fog " + nameOf(pname));
    real(pname, v);
}
extern "C" void glFogfv(GLenum pname, const GLfloat* v) {
    static auto real = realGl<void (*)(GLenum, const GLfloat*)>("glFogfv");
    record("fog " + nameOf(pname));
    real(pname, v);
}
extern "C" GLuint glGenLists(GLsizei range) {
    static auto real = realGl<GLuint (*)(GLsizei)>("glGenLists");
    record("lists " + std::to_string(range));
    return real(range);
}

extern "C" void gluDeleteQuadric(GLUquadric* q) {
    using Fn = void (*)(GLUquadric*);
    static Fn real = reinterpret_cast<Fn>(dlsym(RTLD_NEXT, "gluDeleteQuadric"));
    if (q) {
        --liveQuadrics;
        deletedQuadrics.push_back(q);
    }
    real(q);
}

namespace {

// The launcher's three weather choices, as it writes them.
struct Weather {
    const char* name;
    int dR, dG, dB, fog;
};
const Weather kWeathers[] = {
    {"Mgła", 4, 5, 6, 1},
    {"Dzień", 4, 5, 6, 7},
    {"Noc", 0, 0, 8, 9},
};

void writeWeather(const TempGameDir& dir, const Weather& w) {
    dir.writeData("dR.dat", std::to_string(w.dR));
    dir.writeData("dG.dat", std::to_string(w.dG));
    dir.writeData("dB.dat", std::to_string(w.dB));
    dir.writeData("fog.dat", std::to_string(w.fog));
}

struct Expected {
    bool changesTimeOfDay = true;
    float clear[4] = {0, 0, 0, 0};
    bool lights[5] = {};
    float backdrop = 0;
    bool changesFog = true;
    float density = 0;
    float fogStart = 0;
};

// The time-of-day and fog rules, from the settings as written.
Expected expectedFor(int dR, int dG, int dB, int fog, int season, int hill) {
    Expected e;
    int skyGreen = dG == 5 ? 255 : dG;
    bool night = dB == 8 && (hill == 1 || hill == 2);
    bool day = dB == 6 || (dB == 8 && !night);
    if (day) {
        const float winter[4] = {0.98f, 1.0f, 1.0f, 1.0f}, summer[4] = {0.9f, 0.9f, 1.0f, 1.0f};
        std::copy(season == 0 ? winter : summer, (season == 0 ? winter : summer) + 4, e.clear);
        e.lights[0] = true;
        e.backdrop = 225;
    } else if (night) {
        e.clear[0] = static_cast<float>(dR);
        e.clear[1] = static_cast<float>(skyGreen);
        e.clear[2] = 0.2f;
        e.clear[3] = 1.0f;
        for (int l = 1; l <= 4; ++l)
            e.lights[l] = true;
        e.backdrop = 2.8f;
    } else {
        e.changesTimeOfDay = false;
    }
    switch (fog) {
    case 1:
        e.density = season == 0 ? 0.002f : 0.0001f;
        break;
    case 7:
        e.density = 0.00001f;
        break;
    case 9:
        e.density = 0;
        break;
    default:
        e.changesFog = false;
    }
    e.fogStart = season == 0 ? 10.0f : 100.0f;
    return e;
}

const float kSentinelClear[4] = {0.3f, 0.6f, 0.1f, 0.5f};
const float kSentinelDensity = 0.77f;

// State a set-up must overwrite: the opposite of what it should leave.
void setSentinels(const Expected& e) {
    glClearColor(kSentinelClear[0], kSentinelClear[1], kSentinelClear[2], kSentinelClear[3]);
    glFogf(GL_FOG_DENSITY, kSentinelDensity);
    for (int l = 0; l < 5; ++l) {
        if (e.lights[l])
            glDisable(GL_LIGHT0 + l);
        else
            glEnable(GL_LIGHT0 + l);
    }
    backdropColor[0] = backdropColor[1] = backdropColor[2] = 77;
}

void expectFloats(GLenum pname, std::vector<float> want, float tol = 1e-6f) {
    GLfloat got[16];
    glGetFloatv(pname, got);
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(got[i], want[i], tol) << "glGet 0x" << std::hex << pname << " [" << i << "]";
}

void expectLight(GLenum light, GLenum pname, std::vector<float> want) {
    GLfloat got[4];
    glGetLightfv(light, pname, got);
    for (size_t i = 0; i < want.size(); ++i)
        EXPECT_NEAR(got[i], want[i], 1e-4f) << "light " << light - GL_LIGHT0 << " parameter 0x"
                                            << std::hex << pname << " [" << i << "]";
}

int integer(GLenum pname) {
    GLint v = 0;
    glGetIntegerv(pname, &v);
    return v;
}

} // namespace

TEST(SceneSetup, TimeOfDayAndFogForEveryWeatherSeasonAndHill) {
    TempGameDir dir(false);
    dir.writeDefaults();
    for (const Weather& w : kWeathers) {
        for (int season : {0, 1}) {
            for (int hill : {1, 3}) {
                SCOPED_TRACE(std::string(w.name) + (season ? " lato" : " zima") + " hill " +
                             std::to_string(hill));
                dir.configure(hill, 3, season, 6);
                writeWeather(dir, w);
                Expected e = expectedFor(w.dR, w.dG, w.dB, w.fog, season, hill);
                ASSERT_TRUE(e.changesTimeOfDay);
                ASSERT_TRUE(e.changesFog);
                resetGameState();
                setSentinels(e);
                startGameFromHere();

                expectFloats(GL_COLOR_CLEAR_VALUE,
                             {e.clear[0], e.clear[1], e.clear[2], e.clear[3]});
                for (int l = 0; l < 5; ++l)
                    EXPECT_EQ(glIsEnabled(GL_LIGHT0 + l), e.lights[l] ? GL_TRUE : GL_FALSE)
                        << "GL_LIGHT" << l;
                for (float c : backdropColor)
                    EXPECT_FLOAT_EQ(c, e.backdrop);
                expectFloats(GL_FOG_DENSITY, {e.density}, 1e-9f);
                expectFloats(GL_FOG_START, {e.fogStart});
                expectFloats(GL_FOG_END, {100000.0f});
                expectFloats(GL_FOG_COLOR, {1, 1, 1, 1});
                EXPECT_EQ(integer(GL_FOG_MODE), GL_EXP);
                EXPECT_TRUE(glIsEnabled(GL_FOG));
                EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
            }
        }
    }
}

// "Noc" on the big hill: the daylight set-up, yet the night's fog setting (none at all).
TEST(SceneSetup, NightOnHillThreeGivesDaylightWithoutFog) {
    TempGameDir dir(false);
    dir.writeDefaults();
    dir.configure(3, 3, 0, 8);
    Expected e = expectedFor(0, 0, 8, 9, 0, 3);
    resetGameState();
    setSentinels(e);
    startGameFromHere();
    EXPECT_EQ(game().settings.lightingMode, 8);
    expectFloats(GL_COLOR_CLEAR_VALUE, {0.98f, 1.0f, 1.0f, 1.0f});
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    for (GLenum l = GL_LIGHT1; l <= GL_LIGHT4; ++l)
        EXPECT_FALSE(glIsEnabled(l));
    expectFloats(GL_FOG_DENSITY, {0.0f}, 0);
}

// Values no launcher choice writes: the set-up leaves the previous decisions alone.
TEST(SceneSetup, UnknownLightingAndFogModesChangeNothing) {
    TempGameDir dir(false);
    dir.writeDefaults();
    dir.writeData("dB.dat", "7");
    dir.writeData("fog.dat", "3");
    Expected e = expectedFor(4, 5, 7, 3, 0, 1);
    ASSERT_FALSE(e.changesTimeOfDay);
    ASSERT_FALSE(e.changesFog);
    e.lights[0] = e.lights[2] = true; // some lights on, some off
    resetGameState();
    setSentinels(e);
    startGameFromHere();
    expectFloats(GL_COLOR_CLEAR_VALUE,
                 {kSentinelClear[0], kSentinelClear[1], kSentinelClear[2], kSentinelClear[3]});
    for (int l = 0; l < 5; ++l)
        EXPECT_EQ(glIsEnabled(GL_LIGHT0 + l), e.lights[l] ? GL_FALSE : GL_TRUE) << "GL_LIGHT" << l;
    for (float c : backdropColor)
        EXPECT_FLOAT_EQ(c, 77.0f);
    expectFloats(GL_FOG_DENSITY, {kSentinelDensity});
    EXPECT_FALSE(glIsEnabled(GL_FOG)) << "no white wall of GL's own fog";
}

TEST(SceneSetup, FixedStateLightTableAndMaterial) {
    TempGameDir dir(false);
    dir.writeDefaults();
    startGame(); // model-view is the identity, as after the first resize

    EXPECT_EQ(integer(GL_SHADE_MODEL), GL_SMOOTH);
    for (GLenum cap : {GL_DEPTH_TEST, GL_CULL_FACE, GL_BLEND, GL_LIGHTING, GL_COLOR_MATERIAL,
                       GL_TEXTURE_2D, GL_FOG})
        EXPECT_TRUE(glIsEnabled(cap)) << "capability 0x" << std::hex << cap;
    EXPECT_EQ(integer(GL_FRONT_FACE), GL_CCW);
    EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_EQ(integer(GL_ALPHA_TEST_FUNC), GL_GREATER);
    expectFloats(GL_ALPHA_TEST_REF, {0});
    EXPECT_EQ(integer(GL_LIGHT_MODEL_LOCAL_VIEWER), 1);
    EXPECT_EQ(integer(GL_LIGHT_MODEL_TWO_SIDE), 1);
    EXPECT_EQ(integer(GL_COLOR_MATERIAL_FACE), GL_FRONT);
    EXPECT_EQ(integer(GL_COLOR_MATERIAL_PARAMETER), GL_AMBIENT_AND_DIFFUSE);
    GLfloat specular[4], shin = 0;
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shin);
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(specular[i], 0.01f, 1e-6f);
    EXPECT_EQ(shin, 10.0f);

    // GL_LIGHT0: the day light, a plain directional light at its default position.
    expectLight(GL_LIGHT0, GL_AMBIENT, {0.2f, 0.2f, 0.2f, 1});
    expectLight(GL_LIGHT0, GL_DIFFUSE, {1, 1, 1, 1});
    expectLight(GL_LIGHT0, GL_SPECULAR, {1, 1, 1, 1});
    expectLight(GL_LIGHT0, GL_POSITION, {0, 0, 1, 0});
    expectLight(GL_LIGHT0, GL_SPOT_DIRECTION, {0, 0, -1});
    expectLight(GL_LIGHT0, GL_SPOT_EXPONENT, {1});
    expectLight(GL_LIGHT0, GL_SPOT_CUTOFF, {180});
    // The floodlights.
    struct Flood {
        GLenum light;
        float ambient;
        float pos[4];
        float dir[3];
        float exponent, cutoff;
    };
    const Flood floods[] = {
        {GL_LIGHT1, 1.2f, {-4.15f, 100.3f, -97.1f, 1}, {0, -1, 0}, 110, 20},
        {GL_LIGHT2, 1.2f, {-2.15f, 100.3f, -27.1f, 1}, {0, -1, 0}, 110, 25},
        {GL_LIGHT3, 1.2f, {-2.15f, 60.3f, 127.1f, 1}, {0, -1, 0}, 20, 30},
        {GL_LIGHT4, 100.2f, {0, 150.3f, 25.1f, 10}, {0, -1, 25}, 0, 0},
    };
    for (const Flood& f : floods) {
        expectLight(f.light, GL_AMBIENT, {f.ambient, f.ambient, f.ambient, 1});
        expectLight(f.light, GL_DIFFUSE, {1, 1, 1, 1});
        expectLight(f.light, GL_SPECULAR, {0, 0, 0, 1});
        expectLight(f.light, GL_POSITION, {f.pos[0], f.pos[1], f.pos[2], f.pos[3]});
        expectLight(f.light, GL_SPOT_DIRECTION, {f.dir[0], f.dir[1], f.dir[2]});
        expectLight(f.light, GL_SPOT_EXPONENT, {f.exponent});
        expectLight(f.light, GL_SPOT_CUTOFF, {f.cutoff});
        expectLight(f.light, GL_CONSTANT_ATTENUATION, {1});
        expectLight(f.light, GL_LINEAR_ATTENUATION, {0});
        expectLight(f.light, GL_QUADRATIC_ATTENUATION, {0});
    }
    EXPECT_NE(sceneryQuadric, nullptr);
    EXPECT_NE(figureQuadric, nullptr);
    EXPECT_NE(sceneryQuadric, figureQuadric);
}

// Leaving the start screen runs the set-up under the start screen's camera, a translation by
// (-8.3, -6.8, -12): the floodlights keep that offset (times w) in the 3-D scene.
TEST(SceneSetup, LightsSetWhenLeavingTheStartScreenCarryTheStartCamera) {
    TempGameDir dir(false);
    dir.writeDefaults();
    dir.configure(1, 3, 0, 8);
    startGame();
    frames(2);
    leaveStartScreen();
    ASSERT_EQ(game().mode.screen, Screen::Scene);
    const float move[3] = {-8.3f, -6.8f, -12.0f};
    struct Placed {
        GLenum light;
        float pos[4];
    };
    const Placed lights[] = {{GL_LIGHT1, {-4.15f, 100.3f, -97.1f, 1}},
                             {GL_LIGHT2, {-2.15f, 100.3f, -27.1f, 1}},
                             {GL_LIGHT3, {-2.15f, 60.3f, 127.1f, 1}},
                             {GL_LIGHT4, {0, 150.3f, 25.1f, 10}}};
    for (const Placed& p : lights) {
        float w = p.pos[3];
        expectLight(p.light, GL_POSITION,
                    {p.pos[0] + w * move[0], p.pos[1] + w * move[1], p.pos[2] + w * move[2], w});
    }
    expectLight(GL_LIGHT4, GL_SPOT_DIRECTION, {0, -1, 25});
    expectLight(GL_LIGHT1, GL_SPOT_DIRECTION, {0, -1, 0});
    // The night set-up itself is the same as at start-up.
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT4));
}

// The set-up's steps in their order, as the GL calls they make: time of day, fixed state,
// every light's colours before any spot shape, lighting model, textures, fog, quadrics and
// the two fonts last.
TEST(SceneSetup, StepsAndLightCallsComeInTheirOrder) {
    TempGameDir dir(false);
    dir.writeDefaults();
    dir.configure(1, 3, 0, 8);
    startGame();
    trace.clear();
    tracing = true;
    setupScene(game());
    tracing = false;
    // Three fonts (small, large, help), each a list per letter: ASCII and the extra ones.
    const std::string fontLists = "lists " + std::to_string(128 + kExtraGlyphCount);
    const std::vector<std::string> want = {
        "clearColour", "disable L0", "enable L1", "enable L2", "enable L3", "enable L4",
        "shadeModel", "enable depth", "enable cull", "frontFace", "enable polygonSmooth",
        "enable lineSmooth", "enable pointSmooth", "blendFunc", "enable blend", "alphaFunc",
        "enable lighting",
        // Colours: ambient, diffuse for the day light; position, diffuse, ambient for the rest.
        "L0 ambient", "L0 diffuse", "L1 position", "L1 diffuse", "L1 ambient", "L2 position",
        "L2 diffuse", "L2 ambient", "L3 position", "L3 diffuse", "L3 ambient", "L4 position",
        "L4 diffuse", "L4 ambient",
        // Then cut-off, exponent and direction light by light (the day light has no cut-off).
        "L0 exponent", "L0 direction", "L1 cutoff", "L1 exponent", "L1 direction", "L2 cutoff",
        "L2 exponent", "L2 direction", "L3 cutoff", "L3 exponent", "L3 direction", "L4 cutoff",
        "L4 exponent", "L4 direction", "model localViewer", "model twoSide", "enable colorMaterial",
        "colorMaterialMode", "material specular", "material shininess", "enable texture2D",
        "upload", "fog density", "enable fog", "fog colour", "fog mode", "fog start", "fog end",
        "quadric", "quadric", fontLists, fontLists, fontLists};
    // One line per call, so a failure shows a readable diff.
    auto lines = [](const std::vector<std::string>& calls) {
        std::string out;
        for (const std::string& c : calls)
            out += c + "\n";
        return out;
    };
    EXPECT_EQ(lines(trace), lines(want));
}

TEST(SceneSetup, SmoothingComesWithDetailAndStaysOnWhenTheDetailDrops) {
    TempGameDir dir(false);
    dir.writeDefaults();
    const GLenum smooth[] = {GL_POLYGON_SMOOTH, GL_LINE_SMOOTH, GL_POINT_SMOOTH};
    // As in a fresh context: all three off; detail 1 does not turn them on.
    for (GLenum s : smooth)
        glDisable(s);
    dir.configure(1, 1, 0, 6);
    startGame();
    for (GLenum s : smooth)
        EXPECT_FALSE(glIsEnabled(s)) << "detail 1, capability 0x" << std::hex << s;

    for (int detail : {2, 3, 4}) {
        for (GLenum s : smooth)
            glDisable(s);
        dir.configure(1, detail, 0, 6);
        startGame();
        for (GLenum s : smooth)
            EXPECT_TRUE(glIsEnabled(s)) << "detail " << detail << ", 0x" << std::hex << s;
    }

    // The player lowers the detail to 1 in the launcher and leaves the start screen again.
    dir.configure(1, 3, 0, 6);
    startGame();
    frames(1);
    dir.configure(1, 1, 0, 6);
    leaveStartScreen();
    ASSERT_EQ(game().settings.detailLevel, 1);
    for (GLenum s : smooth)
        EXPECT_TRUE(glIsEnabled(s)) << "after dropping to detail 1, 0x" << std::hex << s;
}

namespace {

// One set-up whose clock did not move on meanwhile; returns that second.
std::time_t setupWithinOneSecond() {
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::time_t before = std::time(nullptr);
        setupScene(game());
        if (std::time(nullptr) == before) return before;
    }
    ADD_FAILURE() << "clock kept moving during the set-up";
    return 0;
}

} // namespace

TEST(SceneSetup, JitterTablesAndStartWindComeFromTheClockSeed) {
    TempGameDir dir(false);
    dir.writeDefaults();
    startGame();
    for (const char* hidden : {"", "587", "0587", "846"}) {
        SCOPED_TRACE(std::string("kopytko.cfg \"") + hidden + "\"");
        if (*hidden)
            dir.writeData("kopytko.cfg", hidden);
        else
            dir.removeData("kopytko.cfg");
        std::time_t t = setupWithinOneSecond();

        game().random.seed(static_cast<unsigned>(t));
        for (int i = 0; i < kForestJitterCount; ++i) {
            double want = -10.0 + game().random.next() * 20.0 / 32768.0;
            EXPECT_NEAR(forestJitter[i], want, 1e-5) << "forest " << i;
            EXPECT_GE(forestJitter[i], -10.0f);
            EXPECT_LT(forestJitter[i], 10.0f);
        }
        game().random.seed(static_cast<unsigned>(t));
        for (int row = 0; row < kPrecipitationRows; ++row)
            for (int col = 0; col < kPrecipitationColumns; ++col) {
                double want = -0.3 + game().random.next() * 0.6 / 32768.0;
                float got = precipitationJitterAt(row, col);
                EXPECT_NEAR(got, want, 1e-6) << "precipitation " << row << ", " << col;
                EXPECT_GE(got, -0.3f);
                EXPECT_LT(got, 0.3f);
            }
        // The start wind is the generator's next draw after the tables.
        bool alternative = parseDecimal(hidden) == 587;
        const float* range =
            alternative ? game().jump.windStartRangeAlt : game().jump.windStartRange;
        int r = game().random.next();
        int32_t want =
            static_cast<int32_t>(std::trunc(range[0] + r * (range[1] - range[0]) / 32768.0));
        EXPECT_EQ(game().jump.windSpeed, want);
        EXPECT_GE(game().jump.windSpeed, static_cast<int32_t>(range[0]));
        EXPECT_LE(game().jump.windSpeed, static_cast<int32_t>(range[1]));
    }

    // Two set-ups in the same second give the same tables and the same wind.
    std::vector<float> forest, precip;
    int32_t wind = 0;
    for (int attempt = 0; attempt < 5; ++attempt) {
        std::time_t before = std::time(nullptr);
        setupScene(game());
        forest.assign(forestJitter, forestJitter + kForestJitterCount);
        precip.assign(precipitationJitter,
                      precipitationJitter + kPrecipitationRows * kPrecipitationColumns);
        wind = game().jump.windSpeed;
        setupScene(game());
        if (std::time(nullptr) == before) break;
    }
    EXPECT_TRUE(std::equal(forest.begin(), forest.end(), forestJitter));
    EXPECT_TRUE(std::equal(precip.begin(), precip.end(), precipitationJitter));
    EXPECT_EQ(game().jump.windSpeed, wind);
}

namespace {

GLuint largestHandle() {
    GLuint m = 0;
    for (const TextureEntry& e : kTextureList)
        m = std::max(m, *textureHandle(e.stem));
    return m;
}

int liveTextures(GLuint upTo) {
    int n = 0;
    for (GLuint name = 1; name <= upTo; ++name)
        if (glIsTexture(name)) ++n;
    return n;
}

int liveLists(GLuint upTo) {
    int n = 0;
    for (GLuint name = 1; name <= upTo; ++name)
        if (glIsList(name)) ++n;
    return n;
}

bool inFont(GLuint name, GLuint font) {
    return font != 0 && name >= font && name < font + 96;
}

} // namespace

// Every set-up makes 67 textures, 192 font lists and two quadrics; after 50 more set-ups the
// same number must be alive, and every object of a previous run must be gone (or its name
// handed out again to the new run).
TEST(SceneSetup, FiftyReRunsLeakNoGlOrGluObjects) {
    TempGameDir dir(false); // no files: every texture is the 1 x 1 stand-in, quick to make
    dir.writeDefaults();
    dir.configure(3, 4, 0, 6);
    startGame();

    GLuint maxTexture = largestHandle() + 256;
    GLuint maxList = std::max(smallFont, largeFont) + 96 + 256;
    const int textures0 = liveTextures(maxTexture);
    const int lists0 = liveLists(maxList);
    const int quadrics0 = liveQuadrics;
    EXPECT_GE(textures0, kTextureCount);
    EXPECT_GE(lists0, 2 * 96);
    EXPECT_GE(quadrics0, 2); // the wrappers see the game's quadrics

    for (int run = 1; run <= 50; ++run) {
        SCOPED_TRACE("re-run " + std::to_string(run));
        std::vector<GLuint> oldTextures;
        for (const TextureEntry& e : kTextureList)
            oldTextures.push_back(*textureHandle(e.stem));
        GLuint oldSmall = smallFont, oldLarge = largeFont;
        GLUquadric* oldScenery = sceneryQuadric;
        GLUquadric* oldFigure = figureQuadric;
        deletedQuadrics.clear();

        // Alternate the weather so that the runs are not all alike.
        writeWeather(dir, kWeathers[run % 3]);
        setupScene(game());

        std::set<GLuint> current;
        for (const TextureEntry& e : kTextureList)
            current.insert(*textureHandle(e.stem));
        for (GLuint old : oldTextures)
            EXPECT_TRUE(!glIsTexture(old) || current.count(old)) << "texture " << old << " kept";
        for (GLuint font : {oldSmall, oldLarge})
            for (GLuint name = font; name < font + 96; ++name)
                EXPECT_TRUE(!glIsList(name) || inFont(name, smallFont) || inFont(name, largeFont))
                    << "font list " << name << " kept";
        EXPECT_NE(std::find(deletedQuadrics.begin(), deletedQuadrics.end(), oldScenery),
                  deletedQuadrics.end());
        EXPECT_NE(std::find(deletedQuadrics.begin(), deletedQuadrics.end(), oldFigure),
                  deletedQuadrics.end());

        maxTexture = std::max(maxTexture, largestHandle() + 256);
        maxList = std::max(maxList, std::max(smallFont, largeFont) + 96 + 256);
        EXPECT_EQ(liveTextures(maxTexture), textures0);
        EXPECT_EQ(liveLists(maxList), lists0);
        EXPECT_EQ(liveQuadrics, quadrics0);
        if (HasFailure()) break;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
