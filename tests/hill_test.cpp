// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The three hills: what drawHill and drawInrunStructure put into a real GL context,
// checked against the hill tables written out again here.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/settings.h"
#include "render/gl.h"
#include "render/textures.h"
#include "support/harness.h"
#include "venue/hill.h"
#include "game/game.h"

namespace {

// ---- The hill tables, as the level designer gave them -------------------------------------

const float kKnots[3][5][2] = {
    {{-10, 6.5f}, {-5, 3}, {-3, 2}, {-1.7f, 1.65f}, {-0.5f, 1.5f}},
    {{-20.3f, 12.5f}, {-12, 6}, {-9, 4}, {-7, 3}, {-5, 2.8f}},
    {{-73, 20.1f}, {-50, 10}, {-40, 6.5f}, {-35, 5}, {-30, 4.4f}},
};
const float kRailX[3][2] = {{-0.01f, 2.01f}, {-0.01f, 2.01f}, {-0.1f, 2.1f}};
const float kLip[3][4] = {{0, 2, 1, 1.5f}, {0, 2, 2.5f, 3}, {-0.1f, 2.2f, 3.9f, 4.4f}};

// z, y, left x, right x
const float kRows[3][7][4] = {
    {{-0.5f, 1, 0, 2},
     {2, 0.7f, -0.3f, 2.3f},
     {4.5f, 0.3f, -0.5f, 2.5f},
     {7, -0.8f, -0.6f, 2.6f},
     {12.5f, -5.4f, -1.1f, 3.1f},
     {18, -8.8f, -1.7f, 3.7f},
     {25, -10.8f, -2.4f, 4.4f}},
    {{-5, 2.5f, 0, 2},
     {0, 1.6f, -0.4f, 2.4f},
     {5.5f, 0.3f, -0.5f, 2.5f},
     {8, -0.8f, -0.6f, 2.6f},
     {14.5f, -5.2f, -1.1f, 3.1f},
     {21, -8, -1.7f, 3.7f},
     {32, -10.8f, -2.4f, 4.4f}},
    {{-30, 3.9f, -1, 3},
     {-10, 2, -1.6f, 3.6f},
     {0, 0, -2.4f, 4.4f},
     {10, -3.5f, -3.4f, 5.4f},
     {20, -8, -4.4f, 6.4f},
     {27, -10, -5.5f, 7.5f},
     {37, -10.8f, -6.7f, 8.7f}},
};

// Side boundaries per row: inner, middle, outer as (left x, left y, right x, right y).
// Hills 1 and 2 mirror about x = 1 and share the heights.
struct Boundary {
    float lx, ly, rx, ry;
};
const Boundary kSides12[7][3] = {
    {{-3, -2, 5, -2}, {-8, -4, 10, -4}, {-20, -10.9f, 22, -10.9f}},
    {{-3.3f, -2.3f, 5.3f, -2.3f}, {-8.3f, -4.3f, 10.3f, -4.3f}, {-20.3f, -10.9f, 22.3f, -10.9f}},
    {{-3.5f, -2.7f, 5.5f, -2.7f}, {-8.5f, -4.7f, 10.5f, -4.7f}, {-20.5f, -10.9f, 22.5f, -10.9f}},
    {{-3.6f, -3.8f, 5.6f, -3.8f}, {-8.6f, -5.8f, 10.6f, -5.8f}, {-20.6f, -10.9f, 22.6f, -10.9f}},
    {{-4.1f, -8.4f, 6.1f, -8.4f}, {-9.1f, -10.4f, 11.1f, -10.4f}, {-21.1f, -10.9f, 23.1f, -10.9f}},
    {{-4.7f, -11.8f, 6.7f, -11.8f},
     {-9.7f, -13.8f, 11.7f, -13.8f},
     {-21.7f, -10.9f, 23.7f, -10.9f}},
    {{-5.4f, -13.8f, 7.4f, -13.8f}, {-10.4f, -15.8f, 12.4f, -15.8f}, {}},
};
const Boundary kSides3[7][3] = {
    {{-3, -2, 6, -2}, {-8, -6, 10, -4}, {-20, -10.9f, 22, -10.9f}},
    {{-3.3f, -2.3f, 6.3f, -2.3f}, {-8.3f, -6.3f, 10.3f, -4.3f}, {-20.3f, -10.9f, 22.3f, -10.9f}},
    {{-3.5f, -2.7f, 6.5f, -2.7f}, {-8.5f, -6.7f, 10.5f, -4.7f}, {-20.5f, -10.9f, 22.5f, -10.9f}},
    {{-4.6f, -4.8f, 6.6f, -3.8f}, {-8.6f, -6.8f, 10.6f, -5.8f}, {-20.6f, -10.9f, 22.6f, -10.9f}},
    {{-5.1f, -9.4f, 7.1f, -8.4f}, {-9.1f, -10.4f, 11.1f, -10.4f}, {-21.1f, -10.9f, 23.1f, -10.9f}},
    {{-6.7f, -12.8f, 8.7f, -11.8f},
     {-9.7f, -13.8f, 11.7f, -13.8f},
     {-21.7f, -10.9f, 23.7f, -10.9f}},
    {{-7.4f, -13.8f, 10.4f, -13.8f}, {-10.4f, -15.8f, 12.4f, -15.8f}, {}},
};

// Outrun outline (x, z) from the foot of the right edge round to the foot of the left edge.
const float kOutline[3][8][2] = {
    {{4.4f, 25},
     {5.8f, 28},
     {5.8f, 31},
     {4.4f, 34},
     {-2.4f, 34},
     {-3.8f, 31},
     {-3.8f, 28},
     {-2.4f, 25}},
    {{4.4f, 32},
     {5.9f, 36},
     {5.9f, 43},
     {4.4f, 46},
     {-2.4f, 46},
     {-3.9f, 43},
     {-3.9f, 36},
     {-2.4f, 32}},
    {{8.7f, 37},
     {11.7f, 42},
     {11.7f, 82},
     {8.7f, 87},
     {-6.7f, 87},
     {-9.7f, 82},
     {-9.7f, 42},
     {-6.7f, 37}},
};

constexpr float kGroundTop = -10.8f;
constexpr float kTol = 0.01f;

float lerp(float a, float b, float f) {
    return a + (b - a) * f;
}

// Height of the landing hill at z (level across each row, linear between rows).
float landingHeight(int hill, float z) {
    const auto& r = kRows[hill - 1];
    for (int i = 0; i < 6; ++i)
        if (z <= r[i + 1][0])
            return lerp(r[i][1], r[i + 1][1], (z - r[i][0]) / (r[i + 1][0] - r[i][0]));
    return kGroundTop;
}

float inrunHeight(int hill, float z) {
    const auto& k = kKnots[hill - 1];
    for (int i = 0; i < 4; ++i)
        if (z <= k[i + 1][0])
            return lerp(k[i][1], k[i + 1][1], (z - k[i][0]) / (k[i + 1][0] - k[i][0]));
    return k[4][1];
}

void enterHill(TempGameDir& dir, int hill, int seasonValue) {
    dir.writeDefaults();
    dir.configure(hill, 1, seasonValue, 6);
    startGame();
    leaveStartScreen();
    frames(1);
}

// ---- Feedback: every polygon drawn, back in venue coordinates -----------------------------

struct P3 {
    float x, y, z;
};
P3 operator-(P3 a, P3 b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
P3 cross(P3 a, P3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
bool near(P3 a, P3 b, float tol = kTol) {
    return std::fabs(a.x - b.x) < tol && std::fabs(a.y - b.y) < tol && std::fabs(a.z - b.z) < tol;
}

struct ST {
    float s, t;
};

// A drawn quad: Mesa hands each one back as two triangles in a row.
struct Quad {
    std::vector<P3> corners; // distinct corners, in drawing order
    std::vector<ST> st;      // the texture coordinate of each corner
    P3 normal;               // geometric, from the winding
};

constexpr float kBox = 2000; // the orthographic box is +-kBox on every axis

// Draws with identity model-view into a big orthographic box, so window coordinates map
// straight back to venue coordinates. Returns the number of feedback values written.
int feedback(const std::function<void()>& draw, std::vector<Quad>* quads) {
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-kBox, kBox, -kBox, kBox, -kBox, kBox);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    std::vector<GLfloat> buf(1 << 21);
    glFeedbackBuffer(static_cast<GLsizei>(buf.size()), GL_3D_COLOR_TEXTURE, buf.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    int used = glRenderMode(GL_RENDER);
    glEnable(GL_CULL_FACE);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();

    // Per vertex: window x, y, z, then RGBA, then s, t, r, q.
    constexpr int kStride = 11;
    std::vector<std::vector<P3>> tris;
    std::vector<std::vector<ST>> triST;
    for (int i = 0; i < used;) {
        int token = static_cast<int>(buf[i++]);
        EXPECT_EQ(token, GL_POLYGON_TOKEN);
        if (token != GL_POLYGON_TOKEN) break;
        int n = static_cast<int>(buf[i++]);
        std::vector<P3> t;
        std::vector<ST> st;
        for (int k = 0; k < n; ++k, i += kStride) {
            t.push_back({buf[i] / 800 * 2 * kBox - kBox, buf[i + 1] / 600 * 2 * kBox - kBox,
                         (1 - 2 * buf[i + 2]) * kBox});
            st.push_back({buf[i + 7], buf[i + 8]});
        }
        tris.push_back(t);
        triST.push_back(st);
    }
    if (quads) {
        quads->clear();
        EXPECT_EQ(tris.size() % 2, 0u);
        for (size_t i = 0; i + 1 < tris.size(); i += 2) {
            Quad q;
            for (size_t h : {i, i + 1})
                for (size_t v = 0; v < tris[h].size(); ++v)
                    if (std::none_of(q.corners.begin(), q.corners.end(),
                                     [&](P3 c) { return near(c, tris[h][v], 1e-3f); })) {
                        q.corners.push_back(tris[h][v]);
                        q.st.push_back(triST[h][v]);
                    }
            P3 n = cross(tris[i][1] - tris[i][0], tris[i][2] - tris[i][0]);
            float len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
            q.normal = {n.x / len, n.y / len, n.z / len};
            quads->push_back(q);
        }
    }
    return used;
}

bool hasCorner(const Quad& q, P3 p) {
    return std::any_of(q.corners.begin(), q.corners.end(), [&](P3 c) { return near(c, p); });
}

// ---- Probes: a tiny orthographic view straight at one point --------------------------------

struct Seen {
    bool hit;
    P3 at;
    int rgb[3];
};

// Looks along `dir` (a unit axis) at `target` through an 8 x 8 viewport 0.04 units wide and
// reports the surface under the centre pixel. Culling stays on, as in the game.
Seen probe(const std::function<void()>& draw, P3 target, P3 dir) {
    glViewport(0, 0, 8, 8);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-0.02, 0.02, -0.02, 0.02, 1, 120);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    const float back = 60;
    P3 up = dir.y != 0 ? P3{0, 0, -1} : P3{0, 1, 0};
    gluLookAt(target.x - back * dir.x, target.y - back * dir.y, target.z - back * dir.z, target.x,
              target.y, target.z, up.x, up.y, up.z);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glClearColor(0.2f, 0.4f, 0.6f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    draw();
    GLdouble model[16], proj[16];
    GLint view[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, view);
    GLfloat depth = 1;
    unsigned char rgb[3] = {};
    glReadPixels(4, 4, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    glReadPixels(4, 4, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    GLdouble x, y, z;
    gluUnProject(4.5, 4.5, depth, model, proj, view, &x, &y, &z);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    return {depth < 1, {float(x), float(y), float(z)}, {rgb[0], rgb[1], rgb[2]}};
}

const P3 kDown{0, -1, 0};

Seen fromAbove(float x, float z) {
    return probe([] { drawHill(game().settings); }, {x, 0, z}, kDown);
}

} // namespace

TEST(Hill, NumberOutsideOneToThreeDrawsNothing) {
    TempGameDir dir;
    enterHill(dir, 1, 0);
    // Hill 1 itself does draw, so the capture below would see it.
    ASSERT_GT(feedback([] { drawHill(game().settings); }, nullptr), 0);
    ASSERT_GT(feedback([] { drawInrunStructure(game().settings); }, nullptr), 0);
    for (int number : {0, 4, -1}) {
        game().settings.hillNumber = number;
        EXPECT_EQ(hillGeometry(number), nullptr);
        EXPECT_EQ(feedback([] { drawHill(game().settings); }, nullptr), 0) << number;
        EXPECT_EQ(feedback([] { drawInrunStructure(game().settings); }, nullptr), 0) << number;
    }
}

TEST(Hill, QuadsCountsWindingsRailsLipAndFence) {
    for (int hill = 1; hill <= 3; ++hill)
        for (int seasonValue : {0, 1}) {
            SCOPED_TRACE("hill " + std::to_string(hill) + " season " + std::to_string(seasonValue));
            TempGameDir dir;
            enterHill(dir, hill, seasonValue);
            std::vector<Quad> quads;
            feedback([] { drawHill(game().settings); }, &quads);

            const bool backStrip = hill != 3;
            const int tops = 4 + 6 + 2 * (6 + 6 + 5) + (backStrip ? 3 : 0);
            const int boardsPerSide = (hill == 3 ? 1 : 0) + 6 + 3;
            const int boards = 2 * boardsPerSide + 1;
            const int railPanels = 2 * 4;
            // Lip plate, both windings of every rail panel and board, and the ground box.
            EXPECT_EQ(quads.size(), size_t(tops + 1 + 2 * railPanels + 2 * boards + 6));

            std::vector<Quad> up, rails, lip, fence;
            for (const Quad& q : quads) {
                ASSERT_EQ(q.corners.size(), 4u);
                float minX = q.corners[0].x, maxX = minX, minZ = q.corners[0].z, maxZ = minZ;
                for (P3 c : q.corners) {
                    minX = std::min(minX, c.x), maxX = std::max(maxX, c.x);
                    minZ = std::min(minZ, c.z), maxZ = std::max(maxZ, c.z);
                }
                if (maxX - minX > 500 || maxZ - minZ > 500) continue; // the ground box
                const float* rx = kRailX[hill - 1];
                if (std::fabs(q.normal.y) > 0.01f) {
                    // Every lying surface is counter-clockwise seen from above.
                    EXPECT_GT(q.normal.y, 0);
                    up.push_back(q);
                } else if (std::fabs(minX - maxX) < kTol &&
                           (std::fabs(minX - rx[0]) < kTol || std::fabs(minX - rx[1]) < kTol)) {
                    rails.push_back(q);
                } else if (std::fabs(minX - kLip[hill - 1][0]) < kTol &&
                           std::fabs(maxX - kLip[hill - 1][1]) < kTol &&
                           std::all_of(q.corners.begin(), q.corners.end(), [&](P3 c) {
                               return std::fabs(c.z - kKnots[hill - 1][4][0]) < kTol;
                           })) {
                    lip.push_back(q);
                } else {
                    fence.push_back(q);
                }
            }
            EXPECT_EQ(up.size(), size_t(tops));

            // Lip plate: faces downhill, spans the table's x and y ranges at the take-off z.
            ASSERT_EQ(lip.size(), 1u);
            const float* l = kLip[hill - 1];
            const float edgeZ = kKnots[hill - 1][4][0];
            EXPECT_GT(lip[0].normal.z, 0);
            for (P3 c : {P3{l[0], l[2], edgeZ}, P3{l[1], l[2], edgeZ}, P3{l[1], l[3], edgeZ},
                         P3{l[0], l[3], edgeZ}})
                EXPECT_TRUE(hasCorner(lip[0], c));

            // Rails: per rail four panels facing out and four facing in, from 0.5 below each
            // knot to 0.3 above it.
            ASSERT_EQ(rails.size(), size_t(2 * railPanels));
            for (float x : kRailX[hill - 1]) {
                int facingMinus = 0, facingPlus = 0;
                std::vector<P3> expected;
                for (const auto& k : kKnots[hill - 1]) {
                    expected.push_back({x, k[1] - 0.5f, k[0]});
                    expected.push_back({x, k[1] + 0.3f, k[0]});
                }
                for (const Quad& q : rails) {
                    if (std::fabs(q.corners[0].x - x) > kTol) continue;
                    (q.normal.x < 0 ? facingMinus : facingPlus)++;
                    for (P3 c : q.corners)
                        EXPECT_TRUE(std::any_of(expected.begin(), expected.end(),
                                                [&](P3 e) { return near(e, c); }));
                }
                EXPECT_EQ(facingMinus, 4);
                EXPECT_EQ(facingPlus, 4);
            }

            // Fence: every board 0.5 high, drawn once in each winding.
            ASSERT_EQ(fence.size(), size_t(2 * boards));
            for (const Quad& q : fence) {
                int twins = 0;
                for (const Quad& o : fence) {
                    bool same = std::all_of(o.corners.begin(), o.corners.end(),
                                            [&](P3 c) { return hasCorner(q, c); });
                    if (same && o.normal.x * q.normal.x + o.normal.z * q.normal.z < 0) ++twins;
                }
                EXPECT_EQ(twins, 1);
                for (P3 c : q.corners)
                    EXPECT_TRUE(hasCorner(q, {c.x, c.y + 0.5f, c.z}) ||
                                hasCorner(q, {c.x, c.y - 0.5f, c.z}));
            }
            // The boards stand on the landing edges and on the outrun outline.
            auto board = [&](P3 bottom) {
                return std::any_of(fence.begin(), fence.end(),
                                   [&](const Quad& q) { return hasCorner(q, bottom); });
            };
            for (const auto& r : kRows[hill - 1]) {
                EXPECT_TRUE(board({r[2], r[1], r[0]}));
                EXPECT_TRUE(board({r[3], r[1], r[0]}));
            }
            for (const auto& p : kOutline[hill - 1])
                EXPECT_TRUE(board({p[0], kGroundTop, p[1]}));
            if (hill == 3) { // lip boards beside the narrower in-run
                for (float x : {-1.0f, 0.0f, 2.0f, 3.0f})
                    EXPECT_TRUE(board({x, 3.9f, -30}));
            }
        }
}

namespace {

// A lying surface as the hill tables give it: its corners in the order that carries the
// texture coordinates (0, 0), (s, 0), (s, t), (0, t).
struct LyingSurface {
    std::string what;
    P3 c[4];
    float s, t;
};

std::vector<LyingSurface> lyingSurfaces(int hill, bool winter) {
    std::vector<LyingSurface> out;
    const auto& k = kKnots[hill - 1];
    const auto& r = kRows[hill - 1];
    const float xl = hill == 3 ? 0 : 0.1f, xr = hill == 3 ? 2.1f : 2;
    // In-run and landing hill: downhill-left, downhill-right, uphill-right, uphill-left.
    for (int i = 0; i < 4; ++i)
        out.push_back({"in-run " + std::to_string(i + 1),
                       {{xl, k[i + 1][1], k[i + 1][0]},
                        {xr, k[i + 1][1], k[i + 1][0]},
                        {xr, k[i][1], k[i][0]},
                        {xl, k[i][1], k[i][0]}},
                       1,
                       i == 0 ? 5.0f : 1.0f});
    const int marked = hill == 3 ? 3 : 4;
    for (int i = 0; i < 6; ++i) {
        const auto& u = r[i];
        const auto& d = r[i + 1];
        float s = i < marked ? 5 : i == marked ? 1 : 16;
        float t = i < marked ? 7 : i == marked ? 1 : 20;
        out.push_back(
            {"landing strip " + std::to_string(i + 1),
             {{d[2], d[1], d[0]}, {d[3], d[1], d[0]}, {u[3], u[1], u[0]}, {u[2], u[1], u[0]}},
             s,
             t});
    }

    // Side bands: edge 0 is the landing edge, 1 inner, 2 middle, 3 outer boundary.
    const auto& sides = hill == 3 ? kSides3 : kSides12;
    auto edge = [&](int row, bool right, int e) -> P3 {
        const auto& rw = r[row];
        if (e == 0) return {right ? rw[3] : rw[2], rw[1], rw[0]};
        const Boundary& b = sides[row][e - 1];
        return {right ? b.rx : b.lx, right ? b.ry : b.ly, rw[0]};
    };
    const char* bandName[3] = {"inner", "middle", "outer"};
    for (int band = 0; band < 3; ++band)
        for (int i = 0; i < (band == 2 ? 5 : 6); ++i) {
            P3 iu = edge(i, true, band), id = edge(i + 1, true, band);
            P3 ou = edge(i, true, band + 1), od = edge(i + 1, true, band + 1);
            out.push_back({std::string("right ") + bandName[band] + " band",
                           {od, ou, iu, id},
                           winter ? 16.0f : 3.0f,
                           winter ? 20.0f : 1.0f});
        }
    const float summerBack[3][2] = {{3, 1}, {1, 1}, {1, 1}};
    const float summerBand[3][2] = {{1, 1}, {1, 1}, {1, 4}};
    const float backX[4] = {0, -3, -8, -20}, backY[4] = {1, -2, -4, -10.9f};
    for (int band = 0; band < 3; ++band) {
        if (hill != 3) {
            const float upZ = -25.5f, downZ = hill == 2 && band == 0 ? -5.5f : r[0][0];
            P3 iu{backX[band], backY[band], upZ}, id{backX[band], backY[band], downZ};
            P3 ou{backX[band + 1], backY[band + 1], upZ},
                od{backX[band + 1], backY[band + 1], downZ};
            out.push_back({std::string("back strip ") + bandName[band],
                           {ou, od, id, iu},
                           winter ? 16 : summerBack[band][0],
                           winter ? 20 : summerBack[band][1]});
        }
        for (int i = 0; i < (band == 2 ? 5 : 6); ++i) {
            P3 iu = edge(i, false, band), id = edge(i + 1, false, band);
            P3 ou = edge(i, false, band + 1), od = edge(i + 1, false, band + 1);
            out.push_back({std::string("left ") + bandName[band] + " band",
                           {ou, od, id, iu},
                           winter ? 16 : summerBand[band][0],
                           winter ? 20 : summerBand[band][1]});
        }
    }

    // The ground plane's top face: x -537 to 623.5, z 360.1 back to -803.9.
    const float g = winter ? 3 : 140;
    out.push_back({"ground plane",
                   {{-537, kGroundTop, 360.1f},
                    {623.5f, kGroundTop, 360.1f},
                    {623.5f, kGroundTop, -803.9f},
                    {-537, kGroundTop, -803.9f}},
                   g,
                   g});
    return out;
}

// A fence board from bottom point a to bottom point b, 0.5 high.
struct Board {
    P3 a, b;
    float repeat;
};

std::vector<Board> fenceBoards(int hill) {
    const float edgeRepeat[3][6] = {{1, 1, 1, 3, 3, 3}, {2, 2, 1, 3, 3, 3}, {6, 4, 4, 4, 3, 4}};
    const float outrunRepeat[3][3] = {{1.5f, 1.5f, 1.5f}, {1.5f, 1.5f, 1.5f}, {1.5f, 6, 1.5f}};
    const float acrossRepeat[3] = {4, 3, 5};
    const auto& r = kRows[hill - 1];
    const auto& o = kOutline[hill - 1];
    std::vector<Board> out;
    for (bool right : {true, false}) {
        if (hill == 3) {
            float x0 = right ? 2 : -1;
            out.push_back({{x0, 3.9f, -30}, {x0 + 1, 3.9f, -30}, 0.5f});
        }
        const int x = right ? 3 : 2;
        for (int i = 0; i < 6; ++i)
            out.push_back({{r[i][x], r[i][1], r[i][0]},
                           {r[i + 1][x], r[i + 1][1], r[i + 1][0]},
                           edgeRepeat[hill - 1][i]});
        // The outline runs from the right foot round to the left foot; the left boards go
        // from the left foot downhill.
        for (int i = 0; i < 3; ++i) {
            const auto& p = right ? o[i] : o[7 - i];
            const auto& q = right ? o[i + 1] : o[6 - i];
            out.push_back(
                {{p[0], kGroundTop, p[1]}, {q[0], kGroundTop, q[1]}, outrunRepeat[hill - 1][i]});
        }
    }
    out.push_back(
        {{o[3][0], kGroundTop, o[3][1]}, {o[4][0], kGroundTop, o[4][1]}, acrossRepeat[hill - 1]});
    return out;
}

// The drawn quads with exactly these four corners.
std::vector<const Quad*> quadsWithCorners(const std::vector<Quad>& quads, const P3 (&c)[4]) {
    std::vector<const Quad*> found;
    for (const Quad& q : quads)
        if (q.corners.size() == 4 &&
            std::all_of(std::begin(c), std::end(c), [&](P3 p) { return hasCorner(q, p); }))
            found.push_back(&q);
    return found;
}

ST stAt(const Quad& q, P3 p) {
    for (size_t i = 0; i < q.corners.size(); ++i)
        if (near(q.corners[i], p)) return q.st[i];
    return {-999, -999};
}

} // namespace

TEST(Hill, TextureRepeatsAndCornersOfEverySurfaceAndBoard) {
    for (int hill = 1; hill <= 3; ++hill)
        for (int seasonValue : {0, 1}) {
            SCOPED_TRACE("hill " + std::to_string(hill) + " season " + std::to_string(seasonValue));
            TempGameDir dir;
            enterHill(dir, hill, seasonValue);
            std::vector<Quad> quads;
            feedback([] { drawHill(game().settings); }, &quads);

            for (const LyingSurface& e : lyingSurfaces(hill, seasonValue == 0)) {
                std::vector<const Quad*> found = quadsWithCorners(quads, e.c);
                ASSERT_EQ(found.size(), 1u) << e.what;
                const ST want[4] = {{0, 0}, {e.s, 0}, {e.s, e.t}, {0, e.t}};
                for (int k = 0; k < 4; ++k) {
                    ST got = stAt(*found[0], e.c[k]);
                    EXPECT_NEAR(got.s, want[k].s, 1e-4) << e.what << ", corner " << k;
                    EXPECT_NEAR(got.t, want[k].t, 1e-4) << e.what << ", corner " << k;
                }
            }

            // Boards: t from 0 at the top edge to 1 at the bottom, s from 0 at one end to the
            // board's repeat at the other, in both windings.
            for (const Board& b : fenceBoards(hill)) {
                const P3 aTop{b.a.x, b.a.y + 0.5f, b.a.z}, bTop{b.b.x, b.b.y + 0.5f, b.b.z};
                const P3 corners[4] = {b.a, b.b, bTop, aTop};
                std::vector<const Quad*> found = quadsWithCorners(quads, corners);
                ASSERT_EQ(found.size(), 2u) << "board at " << b.a.x << ", " << b.a.z;
                for (const Quad* q : found) {
                    ST sa = stAt(*q, b.a), sb = stAt(*q, b.b), ta = stAt(*q, aTop),
                       tb = stAt(*q, bTop);
                    EXPECT_FLOAT_EQ(sa.t, 1);
                    EXPECT_FLOAT_EQ(sb.t, 1);
                    EXPECT_FLOAT_EQ(ta.t, 0);
                    EXPECT_FLOAT_EQ(tb.t, 0);
                    EXPECT_FLOAT_EQ(sa.s, ta.s);
                    EXPECT_FLOAT_EQ(sb.s, tb.s);
                    EXPECT_FLOAT_EQ(std::min(sa.s, sb.s), 0)
                        << "board at " << b.a.x << ", " << b.a.z;
                    EXPECT_FLOAT_EQ(std::max(sa.s, sb.s), b.repeat)
                        << "board at " << b.a.x << ", " << b.a.z;
                }
            }
        }
}

TEST(Hill, SurfaceHeightsSeenFromAboveMatchTheProfiles) {
    for (int hill = 1; hill <= 3; ++hill) {
        SCOPED_TRACE("hill " + std::to_string(hill));
        TempGameDir dir;
        enterHill(dir, hill, 0);
        const auto& knots = kKnots[hill - 1];
        const auto& rows = kRows[hill - 1];

        // In-run along its centre line.
        for (int i = 0; i < 4; ++i)
            for (float f : {0.02f, 0.5f, 0.98f}) {
                float z = lerp(knots[i][0], knots[i + 1][0], f);
                Seen s = fromAbove(1, z);
                ASSERT_TRUE(s.hit) << z;
                EXPECT_NEAR(s.at.y, inrunHeight(hill, s.at.z), kTol) << z;
            }

        // The landing hill at every row, across its whole width: the jumper's ground.
        for (int i = 0; i < 7; ++i) {
            float z = i == 0 ? rows[0][0] + 0.05f : rows[i][0];
            for (float f : {0.03f, 0.5f, 0.97f}) {
                Seen s = fromAbove(lerp(rows[i][2], rows[i][3], f), z);
                ASSERT_TRUE(s.hit);
                EXPECT_NEAR(s.at.y, landingHeight(hill, s.at.z), kTol) << "row " << i + 1;
            }
        }

        // Side terrain: every quad that lies wholly above the ground plane is seen at its
        // centre (wound the right way) at a height between its corners.
        const auto& sides = hill == 3 ? kSides3 : kSides12;
        for (int right = 0; right < 2; ++right)
            for (int band = 0; band < 3; ++band)
                for (int i = 0; i < (band == 2 ? 5 : 6); ++i) {
                    P3 c[4];
                    for (int k = 0; k < 2; ++k) {
                        const auto& row = rows[i + k];
                        P3 inner =
                            band == 0
                                ? P3{right ? row[3] : row[2], row[1], row[0]}
                                : P3{right ? sides[i + k][band - 1].rx : sides[i + k][band - 1].lx,
                                     right ? sides[i + k][band - 1].ry : sides[i + k][band - 1].ly,
                                     row[0]};
                        const Boundary& b = sides[i + k][band];
                        c[2 * k] = inner;
                        c[2 * k + 1] = {right ? b.rx : b.lx, right ? b.ry : b.ly, row[0]};
                    }
                    float lo = c[0].y, hi = c[0].y, cx = 0, cz = 0;
                    for (P3 p : c) {
                        lo = std::min(lo, p.y), hi = std::max(hi, p.y);
                        cx += p.x / 4, cz += p.z / 4;
                    }
                    if (lo < kGroundTop + 0.2f) continue;
                    Seen s = fromAbove(cx, cz);
                    ASSERT_TRUE(s.hit);
                    EXPECT_GE(s.at.y, lo - kTol) << "band " << band << " quad " << i;
                    EXPECT_LE(s.at.y, hi + kTol) << "band " << band << " quad " << i;
                }

        if (hill != 3) {
            // The back strip is level along z: x 0 (y 1), -3 (y -2), -8 (y -4), -20 (y -10.9).
            const float xs[4] = {0, -3, -8, -20}, ys[4] = {1, -2, -4, -10.9f};
            for (int q = 0; q < 3; ++q) {
                Seen s = fromAbove((xs[q] + xs[q + 1]) / 2, -15);
                ASSERT_TRUE(s.hit);
                EXPECT_NEAR(s.at.y, lerp(ys[q], ys[q + 1], (s.at.x - xs[q]) / (xs[q + 1] - xs[q])),
                            kTol);
            }
            // Beside the in-run end: hill 2 leaves a gap down to the ground plane, hill 1 not.
            Seen beside = fromAbove(-1.5f, rows[0][0] - 0.25f);
            EXPECT_NEAR(beside.at.y, hill == 2 ? kGroundTop : 1 + beside.at.x, kTol);
        }

        // Terrain beyond the foot of the landing hill sinks below the ground plane.
        Seen foot = fromAbove(rows[6][3] + 1.5f, rows[6][0] - 0.5f);
        EXPECT_NEAR(foot.at.y, kGroundTop, kTol);
        // The ground plane reaches far out on every side.
        for (P3 p : {P3{-500, 0, 300}, P3{600, 0, -780}, P3{0, 0, 200}})
            EXPECT_NEAR(fromAbove(p.x, p.z).at.y, kGroundTop, kTol);
    }
}

TEST(Hill, SummerChangesGroundTexturesButNotTheMetalOrTheFence) {
    struct Flat {
        GLuint* handle;
        unsigned char rgb[3];
    };
    for (int hill = 1; hill <= 3; ++hill)
        for (int seasonValue : {0, 1}) {
            SCOPED_TRACE("hill " + std::to_string(hill) + " season " + std::to_string(seasonValue));
            TempGameDir dir;
            enterHill(dir, hill, seasonValue);
            // One flat colour per texture, shown unlit and unfogged.
            std::vector<Flat> flats = {
                {&textures.window, {200, 20, 20}},  {&textures.window2, {20, 200, 20}},
                {&textures.rozbieg, {20, 20, 200}}, {&textures.rozbieglato, {200, 200, 20}},
                {&textures.sumer, {200, 20, 200}},  {&textures.ovlu, {20, 200, 200}},
                {&textures.trawa, {120, 60, 0}},    {&textures.spot1, {0, 60, 120}},
            };
            for (const Flat& f : flats) {
                ASSERT_NE(*f.handle, 0u);
                glBindTexture(GL_TEXTURE_2D, *f.handle);
                glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 1, 1, 0, GL_RGB, GL_UNSIGNED_BYTE, f.rgb);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
                glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
            }
            glDisable(GL_LIGHTING);
            glDisable(GL_FOG);
            glDisable(GL_BLEND);
            glDisable(GL_DITHER);
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
            auto seenAs = [&](Seen s, GLuint* expected, const char* what) {
                ASSERT_TRUE(s.hit) << what;
                const Flat* f = nullptr;
                for (const Flat& c : flats)
                    if (c.handle == expected) f = &c;
                ASSERT_NE(f, nullptr);
                for (int k = 0; k < 3; ++k)
                    EXPECT_NEAR(s.rgb[k], f->rgb[k], 2) << what;
            };
            const bool winter = seasonValue == 0;
            GLuint* ground = winter ? &textures.window : &textures.trawa;
            const auto& knots = kKnots[hill - 1];
            const auto& rows = kRows[hill - 1];
            const int marked = hill == 3 ? 3 : 4;

            seenAs(fromAbove(1, (knots[0][0] + knots[1][0]) / 2),
                   winter ? &textures.rozbieg : &textures.rozbieglato, "in-run");
            for (int i = 0; i < 6; ++i)
                seenAs(fromAbove(1, (rows[i][0] + rows[i + 1][0]) / 2),
                       i == marked ? (winter ? &textures.window2 : &textures.ovlu)
                                   : (winter ? &textures.window : &textures.sumer),
                       "landing strip");
            seenAs(fromAbove(rows[2][3] + 1.5f, rows[2][0]), ground, "right terrain");
            seenAs(fromAbove(rows[2][2] - 1.5f, rows[2][0]), ground, "left terrain");
            if (hill != 3) seenAs(fromAbove(-5, -15), ground, "back strip");
            seenAs(fromAbove(0, 200), ground, "ground plane");

            // Metal and boards look the same in both seasons.
            const float edgeZ = knots[4][0];
            seenAs(probe([] { drawHill(game().settings); },
                         {1, (kLip[hill - 1][2] + kLip[hill - 1][3]) / 2, edgeZ}, {0, 0, -1}),
                   &textures.window, "lip plate");
            float railZ = (knots[0][0] + knots[1][0]) / 2;
            float railY = inrunHeight(hill, railZ) - 0.2f;
            seenAs(probe([] { drawHill(game().settings); }, {kRailX[hill - 1][1], railY, railZ},
                         {-1, 0, 0}),
                   &textures.window, "right rail from outside");
            seenAs(probe([] { drawHill(game().settings); }, {kRailX[hill - 1][0], railY, railZ},
                         {1, 0, 0}),
                   &textures.window, "left rail from outside");
            const auto& across = kOutline[hill - 1][3];
            seenAs(probe([] { drawHill(game().settings); }, {1, kGroundTop + 0.25f, across[1]},
                         {0, 0, -1}),
                   &textures.spot1, "across board from the outrun");
            seenAs(probe([] { drawHill(game().settings); }, {1, kGroundTop + 0.25f, across[1]},
                         {0, 0, 1}),
                   &textures.spot1, "across board from the hill");

            // In-run structure: the base block follows the season, the supports do not.
            seenAs(probe([] { drawInrunStructure(game().settings); }, {1, 0, knots[0][0] - 0.9f},
                         kDown),
                   &textures.window, "start platform");
            // The front pillar of the first pair, seen from the left: y, z of its middle.
            const float pillar[3][2] = {{3, -11.25f}, {5, -21.25f}, {5, -74.25f}};
            seenAs(probe([] { drawInrunStructure(game().settings); },
                         {0, pillar[hill - 1][0], pillar[hill - 1][1]}, {1, 0, 0}),
                   &textures.window, "pillar");
            seenAs(
                probe([] { drawInrunStructure(game().settings); }, {1, 0, rows[0][0] - 3}, kDown),
                ground, "base block");
            glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
        }
}

TEST(Hill, EveryFrameShowsTheInrunAndTheFence) {
    for (int hill = 1; hill <= 3; ++hill) {
        SCOPED_TRACE("hill " + std::to_string(hill));
        TempGameDir dir;
        enterHill(dir, hill, 0);
        // Pure colours nothing else in the scene uses: the in-run cyan, the boards magenta.
        const unsigned char cyan[3] = {0, 255, 255}, magenta[3] = {255, 0, 255};
        for (auto [handle, rgb] : {std::pair{textures.rozbieg, cyan}, {textures.spot1, magenta}}) {
            glBindTexture(GL_TEXTURE_2D, handle);
            gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        }
        passChar('1');
        frames(1);
        Picture pic = lastFrame();
        int inrun = pic.count(0, 0, pic.width, pic.height,
                              [](int r, int g, int b) { return r < 60 && g > 120 && b > 120; });
        int boards = pic.count(0, 0, pic.width, pic.height,
                               [](int r, int g, int b) { return g < 60 && r > 120 && b > 120; });
        EXPECT_GT(inrun, 500);
        EXPECT_GT(boards, 200);
        if (HasFailure()) savePng(pic, "hill" + std::to_string(hill) + "_frame_failure");
    }
}

TEST(Hill, BaseBlockHangsBelowItsPlaceAndIsSeenFromOutside) {
    // Translate y and z of the block; it spans x -0.26 to 2.24 and reaches 3.1 down, 24 back.
    const float place[3][2] = {{0.6f, -1}, {1.6f, -1}, {3.5f, -30}};
    for (int hill = 1; hill <= 3; ++hill) {
        SCOPED_TRACE("hill " + std::to_string(hill));
        TempGameDir dir;
        enterHill(dir, hill, 0);
        const float top = place[hill - 1][0], front = place[hill - 1][1];
        const float midY = top - 1.55f, midZ = front - 3;
        Seen above = probe([] { drawInrunStructure(game().settings); }, {1, 0, midZ}, kDown);
        Seen right =
            probe([] { drawInrunStructure(game().settings); }, {0, midY, midZ}, {-1, 0, 0});
        Seen left = probe([] { drawInrunStructure(game().settings); }, {0, midY, midZ}, {1, 0, 0});
        Seen ahead = probe([] { drawInrunStructure(game().settings); }, {1, midY, 0}, {0, 0, -1});
        ASSERT_TRUE(above.hit && right.hit && left.hit && ahead.hit);
        EXPECT_NEAR(above.at.y, top, kTol);
        EXPECT_NEAR(right.at.x, 2.24f, kTol);
        EXPECT_NEAR(left.at.x, -0.26f, kTol);
        EXPECT_NEAR(ahead.at.z, front, kTol);
        GLint frontFace = 0;
        glGetIntegerv(GL_FRONT_FACE, &frontFace);
        EXPECT_EQ(frontFace, GL_CCW);
    }
}

TEST(Hill, LeavesSphereMappingAndColourAsTheFrameExpects) {
    TempGameDir dir;
    enterHill(dir, 2, 0);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glColor3f(0.5f, 0.5f, 0.5f);
    drawInrunStructure(game().settings);
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_T));
    GLint mode = 0;
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &mode);
    EXPECT_EQ(mode, GL_SPHERE_MAP);
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_NEAR(colour[0], 0.5f, 1e-3); // the hill's support colour
    EXPECT_NEAR(colour[1], 0.3f, 1e-3);
    EXPECT_NEAR(colour[2], 0.0f, 1e-3);

    // Called with generation still on, the hill switches it off for good.
    drawHill(game().settings);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
    glGetFloatv(GL_CURRENT_COLOR, colour);
    for (int k = 0; k < 3; ++k)
        EXPECT_FLOAT_EQ(colour[k], 3.0f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

namespace {

// Without the generated textures every surface is plain white and the snow shows no shape;
// give the hill's textures a tinted grid with a dark mark in the (0, 0) corner instead, which
// also shows how each texture is laid on.
void gridTextures() {
    struct Tint {
        GLuint* handle;
        unsigned char r, g, b;
    };
    const Tint tints[] = {
        {&textures.window, 235, 240, 250},  {&textures.window2, 250, 220, 220},
        {&textures.rozbieg, 220, 230, 250}, {&textures.rozbieglato, 230, 200, 160},
        {&textures.sumer, 150, 210, 120},   {&textures.ovlu, 210, 230, 120},
        {&textures.trawa, 90, 170, 80},     {&textures.spot1, 200, 120, 60},
    };
    const int n = 64;
    std::vector<unsigned char> px(n * n * 3);
    for (const Tint& t : tints) {
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                bool line = x < 2 || y < 2 || x % 16 == 0 || y % 16 == 0;
                bool mark = x < 16 && y < 16 && x + y < 16;
                float k = mark ? 0.3f : line ? 0.7f : 1.0f;
                unsigned char* p = &px[(y * n + x) * 3];
                p[0] = static_cast<unsigned char>(t.r * k);
                p[1] = static_cast<unsigned char>(t.g * k);
                p[2] = static_cast<unsigned char>(t.b * k);
            }
        glBindTexture(GL_TEXTURE_2D, *t.handle);
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, n, n, GL_RGB, GL_UNSIGNED_BYTE, px.data());
    }
}

} // namespace

// Pictures to look at, not assertions: run with --gtest_also_run_disabled_tests.
TEST(Hill, EveryViewLooksAtTheHillUnderTheSky) {
    for (int hill = 1; hill <= 3; ++hill)
        for (int seasonValue : {0, 1}) {
            TempGameDir dir;
            dir.writeDefaults();
            dir.configure(hill, 1, seasonValue, 6);
            startGame();
            leaveStartScreen();
            if (!dir.hasTextures()) gridTextures();
            // The clear colour of the season's day sky.
            const int skyR = seasonValue ? 229 : 250, skyG = seasonValue ? 229 : 255, skyB = 255;
            for (char view : {'1', '3', '4', '6'}) {
                SCOPED_TRACE(std::string("hill ") + std::to_string(hill) + " season " +
                             std::to_string(seasonValue) + " view " + view);
                passChar(view);
                frames(2);
                const Picture pic = lastFrame();
                savePng(pic, "hill" + std::to_string(hill) + (seasonValue ? "_summer" : "_winter") +
                                 "_view" + view);
                // Below the panels and the start light: some sky, and mostly the venue.
                const int top = pic.height / 4, area = pic.width * (pic.height - top);
                const int sky = pic.count(0, top, pic.width, pic.height, [&](int r, int g, int b) {
                    return std::abs(r - skyR) <= 3 && std::abs(g - skyG) <= 3 &&
                           std::abs(b - skyB) <= 3;
                });
                EXPECT_GT(sky, area / 50);
                EXPECT_GT(area - sky, area / 4);
            }
        }
}
