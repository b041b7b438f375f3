// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The shared primitives in a real GL context: the sphere cache (one display list per exact
// radius, kept across scene set-ups) and the textured box (winding, normals, coordinates).
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/environment.h"
#include "game/scene_setup.h"
#include "render/quadrics.h"
#include "render/gl.h"
#include "render/batch.h"
#include "render/primitives.h"
#include "support/harness.h"
#include "game/game.h"

namespace {

// Plain white drawing on black in an orthographic view of [-1, 1] x [-1, 1]; everything the
// scene set-up enables that would colour the pixels is off.
class FlatView {
  public:
    FlatView() {
        ensureGameWindow();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glDisable(GL_FOG);
        glDisable(GL_BLEND);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_POLYGON_SMOOTH);
        glDisable(GL_CULL_FACE);
        glColor3f(1, 1, 1);
    }
    ~FlatView() {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
    }
    void clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // Lit pixels in the back buffer (read before any swap).
    int litPixels() {
        const std::vector<unsigned char> px = backBufferPixels();
        int n = 0;
        for (size_t i = 0; i < px.size(); i += 3)
            if (px[i] > 128) ++n;
        return n;
    }
    double viewportArea() {
        GLint vp[4];
        glGetIntegerv(GL_VIEWPORT, vp);
        return static_cast<double>(vp[2]) * vp[3];
    }
};

int drawnSpherePixels(FlatView& view, double radius) {
    view.clear();
    solidSphere(radius);
    return view.litPixels();
}

GLuint sphereList(double radius) {
    double p[1] = {radius};
    return findCachedShape(SHAPE_SOLID_SPHERE, p, 1);
}

} // namespace

TEST(SphereCache, OneListPerRadiusReplayedOnTheSecondCall) {
    FlatView view;
    const double r = 0.5;
    int before = cachedShapeCount(SHAPE_SOLID_SPHERE);
    EXPECT_EQ(sphereList(r), 0u);

    int first = drawnSpherePixels(view, r); // compiled and drawn at once
    EXPECT_EQ(cachedShapeCount(SHAPE_SOLID_SPHERE), before + 1);
    GLuint list = sphereList(r);
    ASSERT_NE(list, 0u);
    EXPECT_TRUE(glIsList(list));

    int second = drawnSpherePixels(view, r);
    EXPECT_EQ(cachedShapeCount(SHAPE_SOLID_SPHERE), before + 1);
    EXPECT_EQ(sphereList(r), list);
    EXPECT_EQ(second, first);

    // The 16-slice outline seen along its axis is a regular 16-gon of the radius: its area in
    // pixels, with the view's 2 x 2 units over the whole viewport.
    double polygon = 8.0 * std::sin(2.0 * M_PI / 16.0) * r * r;
    double expected = polygon / 4.0 * view.viewportArea();
    EXPECT_NEAR(first, expected, expected * 0.02);

    // Replaying the list directly draws the same picture.
    view.clear();
    glCallList(list);
    EXPECT_EQ(view.litPixels(), first);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(SphereCache, SinglePrecisionRadiusWidenedIsADifferentRadius) {
    FlatView view;
    const double exact = 0.6;
    const double widened = static_cast<double>(0.6f);
    ASSERT_NE(exact, widened);
    EXPECT_FALSE(sameParams(&exact, &widened, 1));
    EXPECT_TRUE(sameParams(&exact, &exact, 1));

    int before = cachedShapeCount(SHAPE_SOLID_SPHERE);
    drawnSpherePixels(view, exact);
    drawnSpherePixels(view, widened);
    EXPECT_EQ(cachedShapeCount(SHAPE_SOLID_SPHERE), before + 2);
    GLuint a = sphereList(exact), b = sphereList(widened);
    EXPECT_NE(a, 0u);
    EXPECT_NE(b, 0u);
    EXPECT_NE(a, b);
    drawnSpherePixels(view, exact);
    drawnSpherePixels(view, widened);
    EXPECT_EQ(cachedShapeCount(SHAPE_SOLID_SPHERE), before + 2);
}

TEST(SphereCache, LookupComparesCountAndMeetsTheNewestEntryFirst) {
    ensureGameWindow();
    double* one = new double[2]{123.0, 4.0};
    GLuint older = addCachedShape(SHAPE_SOLID_SPHERE, one, 2);
    double* two = new double[2]{123.0, 4.0};
    GLuint newer = addCachedShape(SHAPE_SOLID_SPHERE, two, 2);
    EXPECT_NE(older, newer);
    double probe[2] = {123.0, 4.0};
    EXPECT_EQ(findCachedShape(SHAPE_SOLID_SPHERE, probe, 2), newer);
    // Same first value, other count: a different shape.
    EXPECT_EQ(findCachedShape(SHAPE_SOLID_SPHERE, probe, 1), 0u);
    double off[2] = {123.0, 4.0000001};
    EXPECT_EQ(findCachedShape(SHAPE_SOLID_SPHERE, off, 2), 0u);
}

TEST(SphereCache, ListsSurviveSceneSetUpAndAreReplayed) {
    TempGameDir dir(false);
    dir.writeDefaults();
    startGame();
    int first, count;
    GLuint list;
    {
        FlatView view;
        first = drawnSpherePixels(view, 0.3);
        count = cachedShapeCount(SHAPE_SOLID_SPHERE);
        list = sphereList(0.3);
    }
    ASSERT_NE(list, 0u);
    ASSERT_GT(first, 0);

    // Two more set-ups, one with other settings: textures, fonts and quadrics are renewed.
    dir.configure(3, 4, 1, 8);
    setupScene(game());
    setupScene(game());

    EXPECT_TRUE(glIsList(list));
    EXPECT_EQ(sphereList(0.3), list);
    FlatView view;
    EXPECT_EQ(drawnSpherePixels(view, 0.3), first);
    EXPECT_EQ(cachedShapeCount(SHAPE_SOLID_SPHERE), count);
}

namespace {

struct FeedbackPolygon {
    struct Vertex {
        float x, y, z;
        float rgba[4];
        float str[4];
    };
    std::vector<Vertex> vertices;
};

// Runs texturedBox in feedback mode and returns the polygons that reached rasterisation.
std::vector<FeedbackPolygon> boxPolygons(GLenum type, float x, float y, float z, float s, float t) {
    std::vector<GLfloat> buf(8192);
    glFeedbackBuffer(static_cast<GLsizei>(buf.size()), type, buf.data());
    glRenderMode(GL_FEEDBACK);
    texturedBox(x, y, z, s, t);
    GLint used = glRenderMode(GL_RENDER);
    EXPECT_GT(used, 0);
    bool hasColour = type == GL_3D_COLOR || type == GL_3D_COLOR_TEXTURE;
    bool hasTexture = type == GL_3D_COLOR_TEXTURE;
    std::vector<FeedbackPolygon> out;
    for (GLint i = 0; i < used;) {
        GLint token = static_cast<GLint>(buf[i++]);
        if (token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        int n = static_cast<int>(buf[i++]);
        FeedbackPolygon p;
        for (int k = 0; k < n; ++k) {
            FeedbackPolygon::Vertex v{};
            v.x = buf[i++];
            v.y = buf[i++];
            v.z = buf[i++];
            if (hasColour)
                for (float& c : v.rgba)
                    c = buf[i++];
            if (hasTexture)
                for (float& c : v.str)
                    c = buf[i++];
            p.vertices.push_back(v);
        }
        out.push_back(p);
    }
    return out;
}

// The box's faces in drawing order with their outward directions, from its extent
// x 0..1, y 0..1, z 0..-1.
const float kOutward[6][3] = {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, 0, -1}, {0, -1, 0}};

// z of a direction after rotating by ax about x after ay about y (glRotate order x then y).
float rotatedZ(const float n[3], float axDeg, float ayDeg) {
    float ax = axDeg * static_cast<float>(M_PI) / 180, ay = ayDeg * static_cast<float>(M_PI) / 180;
    // Ry first: (x, y, z) -> (x cos + z sin, y, -x sin + z cos)
    float x1 = n[0] * std::cos(ay) + n[2] * std::sin(ay);
    float y1 = n[1];
    float z1 = -n[0] * std::sin(ay) + n[2] * std::cos(ay);
    (void)x1;
    // then Rx: (x, y, z) -> (x, y cos - z sin, y sin + z cos)
    return y1 * std::sin(ax) + z1 * std::cos(ax);
}

} // namespace

// Feedback may hand a polygon on in pieces (triangles); every face is split alike.
size_t piecesPerFace() {
    glPushAttrib(GL_ENABLE_BIT);
    glDisable(GL_CULL_FACE);
    size_t all = boxPolygons(GL_3D, 0, 0, 0, 1, 1).size();
    glPopAttrib();
    EXPECT_EQ(all % 6, 0u);
    return all / 6 ? all / 6 : 1;
}

// Every face must be wound counter-clockwise seen from outside and carry its outward normal:
// from any direction exactly the faces turned towards the viewer survive back-face culling,
// and a head-on light makes each as bright as its normal faces the viewer.
TEST(TexturedBox, FacesAreWoundOutwardsWithOutwardNormals) {
    FlatView view;
    size_t pieces = piecesPerFace();
    glEnable(GL_CULL_FACE);
    glCullFace(GL_BACK);
    glFrontFace(GL_CCW);
    glEnable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    for (GLenum l = GL_LIGHT1; l <= GL_LIGHT4; ++l)
        glDisable(l);
    glEnable(GL_LIGHT0);
    const GLfloat zero[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1}, towardsViewer[4] = {0, 0, 1, 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, zero);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 0);
    glLightfv(GL_LIGHT0, GL_AMBIENT, zero);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_SPECULAR, zero);
    glLightfv(GL_LIGHT0, GL_POSITION, towardsViewer); // identity model-view: eye space
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, zero);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, zero);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, zero);

    const float angles[][2] = {{30, 40},  {-35, 20},  {25, -130}, {-20, 160},
                               {60, -70}, {-50, -15}, {15, 100},  {-70, 200}};
    for (const auto& a : angles) {
        SCOPED_TRACE("rotation " + std::to_string(a[0]) + ", " + std::to_string(a[1]));
        glLoadIdentity();
        glRotatef(a[0], 1, 0, 0);
        glRotatef(a[1], 0, 1, 0);
        glTranslatef(-0.5f, -0.5f, 0.5f); // centre the box on the origin
        std::vector<float> facing;
        for (const auto& n : kOutward) {
            float z = rotatedZ(n, a[0], a[1]);
            if (z > 0) facing.push_back(z);
        }
        ASSERT_EQ(facing.size(), 3u); // no face is seen edge-on from these directions
        std::vector<FeedbackPolygon> polys = boxPolygons(GL_3D_COLOR, 0, 0, 0, 1, 1);
        ASSERT_EQ(polys.size(), facing.size() * pieces);
        for (size_t k = 0; k < polys.size(); ++k)
            for (const auto& v : polys[k].vertices)
                EXPECT_NEAR(v.rgba[0], facing[k / pieces], 0.01f) << "face " << k / pieces;
    }
}

TEST(TexturedBox, VerticesAndTextureCoordinatesPerFace) {
    FlatView view;
    size_t pieces = piecesPerFace();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-4, 4, -4, 4, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    GLint vp[4];
    glGetIntegerv(GL_VIEWPORT, vp);

    const float x = 1, y = 2, z = -0.5f, s = 2, t = 3;
    // Per face: corners of the unit box and their texture coordinates (in units of s and t).
    struct Corner {
        float px, py, pz, cs, ct;
    };
    const Corner faces[6][4] = {
        {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {1, 1, 0, 1, 1}, {0, 1, 0, 0, 1}},     // front
        {{1, 0, 0, 0, 0}, {1, 0, -1, 1, 0}, {1, 1, -1, 1, 1}, {1, 1, 0, 0, 1}},   // right
        {{0, 1, 0, 0, 0}, {1, 1, 0, 1, 0}, {1, 1, -1, 1, 1}, {0, 1, -1, 0, 1}},   // top
        {{0, 0, 0, 0, 0}, {0, 1, 0, 0, 1}, {0, 1, -1, 1, 1}, {0, 0, -1, 1, 0}},   // left
        {{1, 0, -1, 0, 0}, {0, 0, -1, 1, 0}, {0, 1, -1, 1, 1}, {1, 1, -1, 0, 1}}, // back
        {{1, 0, 0, 0, 0}, {0, 0, 0, 1, 0}, {0, 0, -1, 1, 1}, {1, 0, -1, 0, 1}},   // bottom
    };
    std::vector<FeedbackPolygon> polys = boxPolygons(GL_3D_COLOR_TEXTURE, x, y, z, s, t);
    ASSERT_EQ(polys.size(), 6 * pieces); // culling is off here
    for (int f = 0; f < 6; ++f) {
        SCOPED_TRACE("face " + std::to_string(f));
        // Window position (x, y; depth from the ortho range) and texture coordinates.
        auto matches = [&](const Corner& c, const FeedbackPolygon::Vertex& v) {
            float wx = vp[0] + (c.px + x + 4) / 8 * vp[2];
            float wy = vp[1] + (c.py + y + 4) / 8 * vp[3];
            float wz = (1 - (c.pz + z) / 10) / 2;
            return std::fabs(v.x - wx) < 0.01f && std::fabs(v.y - wy) < 0.01f &&
                   std::fabs(v.z - wz) < 1e-4f && std::fabs(v.str[0] - c.cs * s) < 1e-5f &&
                   std::fabs(v.str[1] - c.ct * t) < 1e-5f;
        };
        std::vector<bool> seen(4, false);
        for (size_t p = f * pieces; p < (f + 1) * pieces; ++p) {
            for (const auto& v : polys[p].vertices) {
                bool known = false;
                for (int k = 0; k < 4; ++k)
                    if (matches(faces[f][k], v)) seen[k] = known = true;
                EXPECT_TRUE(known) << "vertex at " << v.x << ", " << v.y << " tex " << v.str[0]
                                   << ", " << v.str[1];
            }
        }
        for (int k = 0; k < 4; ++k)
            EXPECT_TRUE(seen[k]) << "corner " << k;
    }
    // The box leaves the matrix as it found it.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(m[i], (i % 5 == 0) ? 1.0f : 0.0f);
}

namespace {

struct Step {
    char kind; // 't' translate, 'r' rotate, 's' scale
    float a, b, c, d;
};
struct PlacedBox {
    std::vector<Step> steps;
    float s, t;
    float rgb[3];
};

// Lattice-like pieces: thin posts, flat rungs, a turned arm and a box on a slanted axis,
// in colours above 1 as the game passes them.
const std::vector<PlacedBox>& sampleBoxes() {
    static const std::vector<PlacedBox> boxes = {
        {{{'t', -2, -2, -6, 0}, {'s', 0.3f, 4, 0.3f, 0}}, 0, 0, {0.1f, 0.1f, 0.1f}},
        {{{'t', -1.5f, 0, -6, 0}, {'s', 3, 0.2f, 0.2f, 0}}, 2, 3, {0.8f, 0.5f, 0.2f}},
        {{{'t', 1, 1, -7, 0}, {'r', 40, 0, 0, 1}, {'s', 0.5f, 2, 0.5f, 0}}, 1, 1, {3, 3, 3}},
        {{{'t', 0, -1, -5, 0}, {'r', 30, 1, 1, 0.5f}, {'s', 1.5f, 0.7f, 1, 0}},
         0.5f,
         2,
         {255, 255, 255}},
    };
    return boxes;
}

// Lit by the day light and two spot lights, two-sided and seen from a local viewer, with
// sphere-mapped coordinates on a striped picture: everything that reads the normals.
class LitBoxScene {
  public:
    LitBoxScene() {
        ensureGameWindow();
        glPushAttrib(GL_ALL_ATTRIB_BITS);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        gluPerspective(55, 4.0 / 3, 1, 100);
        glMatrixMode(GL_MODELVIEW);
        glPushMatrix();
        glLoadIdentity();
        glEnable(GL_DEPTH_TEST);
        glEnable(GL_CULL_FACE);
        glDisable(GL_BLEND);
        glDisable(GL_FOG);
        glEnable(GL_LIGHTING);
        glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
        glEnable(GL_COLOR_MATERIAL);
        glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
        glEnable(GL_LIGHT0);
        for (GLenum light : {GL_LIGHT1, GL_LIGHT2}) {
            const GLfloat pos[4] = {light == GL_LIGHT1 ? -3.0f : 3.0f, 5, -4, 1};
            const GLfloat down[3] = {0, -1, -0.3f};
            glLightfv(light, GL_POSITION, pos);
            glLightfv(light, GL_SPOT_DIRECTION, down);
            glLightf(light, GL_SPOT_CUTOFF, 40);
            glLightf(light, GL_SPOT_EXPONENT, 20);
            glEnable(light);
        }
        unsigned char px[8 * 8 * 4];
        for (int i = 0; i < 64; ++i) {
            const bool light = (i / 8 + i % 8) % 2 == 0;
            px[4 * i] = light ? 230 : 40;
            px[4 * i + 1] = light ? 200 : 90;
            px[4 * i + 2] = light ? 120 : 160;
            px[4 * i + 3] = 255;
        }
        glGenTextures(1, &texture_);
        glBindTexture(GL_TEXTURE_2D, texture_);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, 4, 8, 8, 0, GL_RGBA, GL_UNSIGNED_BYTE, px);
        glEnable(GL_TEXTURE_2D);
        glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
    }
    ~LitBoxScene() {
        glDeleteTextures(1, &texture_);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glPopMatrix();
        glPopAttrib();
    }
    std::vector<unsigned char> draw(void (*boxes)()) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        boxes();
        return backBufferPixels();
    }

  private:
    GLuint texture_ = 0;
};

void boxesOneByOne() {
    for (const PlacedBox& box : sampleBoxes()) {
        glPushMatrix();
        for (const Step& st : box.steps) {
            if (st.kind == 't') glTranslatef(st.a, st.b, st.c);
            if (st.kind == 'r') glRotatef(st.a, st.b, st.c, st.d);
            if (st.kind == 's') glScalef(st.a, st.b, st.c);
        }
        glColor3fv(box.rgb);
        texturedBox(0, 0, 0, box.s, box.t);
        glPopMatrix();
    }
}

void boxesAsBatch() {
    static BatchVertex vertices[4 * kBoxVertices];
    Batch batch = {vertices, 4 * kBoxVertices, 0, true, {}, {}, {}};
    for (const PlacedBox& box : sampleBoxes()) {
        Transform where = identityTransform();
        for (const Step& st : box.steps) {
            if (st.kind == 't') translateBy(where, st.a, st.b, st.c);
            if (st.kind == 'r') rotateBy(where, st.a, st.b, st.c, st.d);
            if (st.kind == 's') scaleBy(where, st.a, st.b, st.c);
        }
        appendBox(batch, where, box.s, box.t, box.rgb);
    }
    drawBatch(batch);
}

struct Current {
    GLfloat normal[3], texCoord[4], colour[4];
};
Current currentValues() {
    Current c;
    glGetFloatv(GL_CURRENT_NORMAL, c.normal);
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, c.texCoord);
    glGetFloatv(GL_CURRENT_COLOR, c.colour);
    return c;
}

} // namespace

TEST(Batch, DrawsWhatTheBoxesDrawOneByOneAndLeavesTheSameCurrentValues) {
    LitBoxScene scene;
    glNormal3f(0.3f, 0.3f, 0.3f);
    const auto expected = scene.draw(boxesOneByOne);
    const Current afterBoxes = currentValues();
    glNormal3f(0.3f, 0.3f, 0.3f);
    const auto batched = scene.draw(boxesAsBatch);
    const Current afterBatch = currentValues();

    ASSERT_EQ(expected.size(), batched.size());
    size_t drawn = 0, differing = 0;
    for (size_t i = 0; i < expected.size(); i += 3) {
        if (expected[i] || expected[i + 1] || expected[i + 2]) ++drawn;
        for (int c = 0; c < 3; ++c)
            if (std::abs(expected[i + c] - batched[i + c]) > 3) {
                ++differing;
                break;
            }
    }
    const size_t pixels = expected.size() / 3;
    EXPECT_GT(drawn, pixels / 20) << "the boxes fill part of the picture";
    // Corners rounded differently may move an edge pixel, nothing more.
    EXPECT_LT(differing, pixels / 2000) << differing << " of " << drawn << " drawn pixels differ";

    for (int i = 0; i < 3; ++i) {
        EXPECT_FLOAT_EQ(afterBatch.normal[i], afterBoxes.normal[i]) << "normal " << i;
        EXPECT_FLOAT_EQ(afterBatch.colour[i], afterBoxes.colour[i]) << "colour " << i;
    }
    EXPECT_FLOAT_EQ(afterBatch.texCoord[0], afterBoxes.texCoord[0]);
    EXPECT_FLOAT_EQ(afterBatch.texCoord[1], afterBoxes.texCoord[1]);
}

TEST(Batch, AFullBatchTakesNoMore) {
    BatchVertex vertices[kBoxVertices + 3];
    Batch batch = {vertices, kBoxVertices + 3, 0, false, {}, {}, {}};
    const float white[3] = {1, 1, 1};
    appendBox(batch, identityTransform(), 1, 1, white);
    appendBox(batch, identityTransform(), 1, 1, white);
    EXPECT_EQ(batch.count, kBoxVertices);
}
