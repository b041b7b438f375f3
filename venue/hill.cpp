// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "venue/hill.h"

#include "core/settings.h"
#include "render/gl.h"
#include "render/primitives.h"
#include "render/textures.h"

namespace {

constexpr float kByte = 1.0f / 255.0f;

// Hills 1 and 2 share their side terrain, mirrored about x = 1.
constexpr SideBoundaryRow kMirroredSides[7] = {
    {{{-3, -2}, {-8, -4}, {-20, -10.9f}}, {{5, -2}, {10, -4}, {22, -10.9f}}},
    {{{-3.3f, -2.3f}, {-8.3f, -4.3f}, {-20.3f, -10.9f}},
     {{5.3f, -2.3f}, {10.3f, -4.3f}, {22.3f, -10.9f}}},
    {{{-3.5f, -2.7f}, {-8.5f, -4.7f}, {-20.5f, -10.9f}},
     {{5.5f, -2.7f}, {10.5f, -4.7f}, {22.5f, -10.9f}}},
    {{{-3.6f, -3.8f}, {-8.6f, -5.8f}, {-20.6f, -10.9f}},
     {{5.6f, -3.8f}, {10.6f, -5.8f}, {22.6f, -10.9f}}},
    {{{-4.1f, -8.4f}, {-9.1f, -10.4f}, {-21.1f, -10.9f}},
     {{6.1f, -8.4f}, {11.1f, -10.4f}, {23.1f, -10.9f}}},
    {{{-4.7f, -11.8f}, {-9.7f, -13.8f}, {-21.7f, -10.9f}},
     {{6.7f, -11.8f}, {11.7f, -13.8f}, {23.7f, -10.9f}}},
    {{{-5.4f, -13.8f}, {-10.4f, -15.8f}, {0, 0}}, {{7.4f, -13.8f}, {12.4f, -15.8f}, {0, 0}}},
};

// The big hill's terrain falls away faster on the left.
constexpr SideBoundaryRow kHill3Sides[7] = {
    {{{-3, -2}, {-8, -6}, {-20, -10.9f}}, {{6, -2}, {10, -4}, {22, -10.9f}}},
    {{{-3.3f, -2.3f}, {-8.3f, -6.3f}, {-20.3f, -10.9f}},
     {{6.3f, -2.3f}, {10.3f, -4.3f}, {22.3f, -10.9f}}},
    {{{-3.5f, -2.7f}, {-8.5f, -6.7f}, {-20.5f, -10.9f}},
     {{6.5f, -2.7f}, {10.5f, -4.7f}, {22.5f, -10.9f}}},
    {{{-4.6f, -4.8f}, {-8.6f, -6.8f}, {-20.6f, -10.9f}},
     {{6.6f, -3.8f}, {10.6f, -5.8f}, {22.6f, -10.9f}}},
    {{{-5.1f, -9.4f}, {-9.1f, -10.4f}, {-21.1f, -10.9f}},
     {{7.1f, -8.4f}, {11.1f, -10.4f}, {23.1f, -10.9f}}},
    {{{-6.7f, -12.8f}, {-9.7f, -13.8f}, {-21.7f, -10.9f}},
     {{8.7f, -11.8f}, {11.7f, -13.8f}, {23.7f, -10.9f}}},
    {{{-7.4f, -13.8f}, {-10.4f, -15.8f}, {0, 0}}, {{10.4f, -13.8f}, {12.4f, -15.8f}, {0, 0}}},
};

const HillGeometry kHills[3] = {
    // 1: "Finlandia K90"
    {
        {{-10, 6.5f}, {-5, 3}, {-3, 2}, {-1.7f, 1.65f}, {-0.5f, 1.5f}},
        {0.1f, 2},
        {0, 2, 1, 1.5f},
        {-0.01f, 2.01f},
        {192 * kByte, 192 * kByte, 192 * kByte},
        {{-0.5f, 1, 0, 2},
         {2, 0.7f, -0.3f, 2.3f},
         {4.5f, 0.3f, -0.5f, 2.5f},
         {7, -0.8f, -0.6f, 2.6f},
         {12.5f, -5.4f, -1.1f, 3.1f},
         {18, -8.8f, -1.7f, 3.7f},
         {25, -10.8f, -2.4f, 4.4f}},
        4,
        kMirroredSides,
        {true, -25.5f, {{0, 1}, {-3, -2}, {-8, -4}, {-20, -10.9f}}, -0.5f},
        {{1, 1, 1, 3, 3, 3},
         {{4.4f, 25}, {5.8f, 28}, {5.8f, 31}, {4.4f, 34}},
         {{-2.4f, 25}, {-3.8f, 28}, {-3.8f, 31}, {-2.4f, 34}},
         {1.5f, 1.5f, 1.5f},
         4,
         0,
         {0, 0},
         {0, 0}},
        {{{-0.26f, 0.6f, -1}, {2.5f, -3.1f, 24}},
         2,
         {{{0, 0, -11}, {0.5f, 6, 0.5f}}, {{2, 0, -11}, {0.5f, 6, 0.5f}}},
         {{-0.5f, 5.6f, -10}, {3, 1, 2}},
         {210 * kByte, 210 * kByte, 210 * kByte}},
    },
    // 2: "Polska K120"
    {
        {{-20.3f, 12.5f}, {-12, 6}, {-9, 4}, {-7, 3}, {-5, 2.8f}},
        {0.1f, 2},
        {0, 2, 2.5f, 3},
        {-0.01f, 2.01f},
        {0.4f, 0.2f, 0},
        {{-5, 2.5f, 0, 2},
         {0, 1.6f, -0.4f, 2.4f},
         {5.5f, 0.3f, -0.5f, 2.5f},
         {8, -0.8f, -0.6f, 2.6f},
         {14.5f, -5.2f, -1.1f, 3.1f},
         {21, -8, -1.7f, 3.7f},
         {32, -10.8f, -2.4f, 4.4f}},
        4,
        kMirroredSides,
        // The inner quad stops short of the take-off row, leaving a gap beside the in-run end.
        {true, -25.5f, {{0, 1}, {-3, -2}, {-8, -4}, {-20, -10.9f}}, -5.5f},
        {{2, 2, 1, 3, 3, 3},
         {{4.4f, 32}, {5.9f, 36}, {5.9f, 43}, {4.4f, 46}},
         {{-2.4f, 32}, {-3.9f, 36}, {-3.9f, 43}, {-2.4f, 46}},
         {1.5f, 1.5f, 1.5f},
         3,
         0,
         {0, 0},
         {0, 0}},
        {{{-0.26f, 1.6f, -1}, {2.5f, -3.1f, 24}},
         2,
         {{{0, 1, -21}, {0.5f, 11, 0.5f}}, {{2, 1, -21}, {0.5f, 11, 0.5f}}},
         {{-0.5f, 11.6f, -20.3f}, {3, 1, 2}},
         {0.5f, 0.3f, 0}},
    },
    // 3: "Czechy K180"
    {
        {{-73, 20.1f}, {-50, 10}, {-40, 6.5f}, {-35, 5}, {-30, 4.4f}},
        {0, 2.1f},
        {-0.1f, 2.2f, 3.9f, 4.4f},
        {-0.1f, 2.1f},
        {0.1f, 0.8f, 0.9f},
        {{-30, 3.9f, -1, 3},
         {-10, 2, -1.6f, 3.6f},
         {0, 0, -2.4f, 4.4f},
         {10, -3.5f, -3.4f, 5.4f},
         {20, -8, -4.4f, 6.4f},
         {27, -10, -5.5f, 7.5f},
         {37, -10.8f, -6.7f, 8.7f}},
        3,
        kHill3Sides,
        {false, 0, {{0, 0}, {0, 0}, {0, 0}, {0, 0}}, 0},
        // The landing hill is wider than the in-run at the take-off row: lip boards close it.
        {{6, 4, 4, 4, 3, 4},
         {{8.7f, 37}, {11.7f, 42}, {11.7f, 82}, {8.7f, 87}},
         {{-6.7f, 37}, {-9.7f, 42}, {-9.7f, 82}, {-6.7f, 87}},
         {1.5f, 6, 1.5f},
         5,
         0.5f,
         {2, 3},
         {-1, 0}},
        {{{-0.26f, 3.5f, -30}, {2.5f, -3.1f, 24}},
         6,
         {{{0, -3, -74}, {0.5f, 23, 0.5f}},
          {{2, -3, -74}, {0.5f, 23, 0.5f}},
          {{0.2f, -0.5f, -58}, {0.5f, 13.5f, 0.5f}},
          {{1.8f, -0.5f, -58}, {0.5f, 13.5f, 0.5f}},
          {{0.2f, 2, -40}, {0.5f, 4, 0.5f}},
          {{1.8f, 2, -40}, {0.5f, 4, 0.5f}}},
         {{-0.5f, 19.6f, -73.1f}, {3, 1, 2}},
         {0.1f, 0.5f, 0.6f}},
    },
};

struct Vertex {
    float x, y, z;
};

// The outrun outline and the ground plane's top.
constexpr float kOutrunY = -10.8f;
constexpr float kBoardHeight = 0.5f;

// One lit quad facing up, with texture coordinates (0, 0), (s, 0), (s, t), (0, t).
void surfaceQuad(const Vertex& a, const Vertex& b, const Vertex& c, const Vertex& d, float s,
                 float t) {
    glBegin(GL_QUADS);
    glNormal3f(0, 1, 0);
    glTexCoord2f(0, 0);
    glVertex3f(a.x, a.y, a.z);
    glTexCoord2f(s, 0);
    glVertex3f(b.x, b.y, b.z);
    glTexCoord2f(s, t);
    glVertex3f(c.x, c.y, c.z);
    glTexCoord2f(0, t);
    glVertex3f(d.x, d.y, d.z);
    glEnd();
}

void sphereMapping(bool on) {
    if (on) {
        glTexGenf(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glTexGenf(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_TEXTURE_GEN_T);
    } else {
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
    }
}

void drawInrun(const HillGeometry& h) {
    const float xl = h.inrunX[0], xr = h.inrunX[1];
    for (int i = 0; i < 4; ++i) {
        const ProfileKnot& up = h.inrunKnots[i];
        const ProfileKnot& down = h.inrunKnots[i + 1];
        // The long top section repeats its texture along the slope.
        float t = i == 0 ? 5.0f : 1.0f;
        surfaceQuad({xl, down.y, down.z}, {xr, down.y, down.z}, {xr, up.y, up.z}, {xl, up.y, up.z},
                    1, t);
    }
}

void drawLipPlate(const HillGeometry& h) {
    const float z = h.inrunKnots[4].z;
    const float* p = h.lipPlate;
    glBegin(GL_QUADS);
    glNormal3f(0, 0, 1);
    glTexCoord2f(0, 0);
    glVertex3f(p[0], p[2], z);
    glTexCoord2f(1, 0);
    glVertex3f(p[1], p[2], z);
    glTexCoord2f(1, 1);
    glVertex3f(p[1], p[3], z);
    glTexCoord2f(0, 1);
    glVertex3f(p[0], p[3], z);
    glEnd();
}

// One rail panel between two knots, in both windings so culling never hides it.
void railPanel(float x, const ProfileKnot& up, const ProfileKnot& down) {
    const Vertex corners[4] = {{x, up.y - 0.5f, up.z},
                               {x, down.y - 0.5f, down.z},
                               {x, down.y + 0.3f, down.z},
                               {x, up.y + 0.3f, up.z}};
    static const float st[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    // This order faces -x.
    glBegin(GL_QUADS);
    glNormal3f(-1, 0, 0);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(st[i][0], st[i][1]);
        glVertex3f(corners[i].x, corners[i].y, corners[i].z);
    }
    glEnd();
    glBegin(GL_QUADS);
    glNormal3f(1, 0, 0);
    for (int i = 3; i >= 0; --i) {
        glTexCoord2f(st[i][0], st[i][1]);
        glVertex3f(corners[i].x, corners[i].y, corners[i].z);
    }
    glEnd();
}

void drawRails(const HillGeometry& h) {
    glFrontFace(GL_CCW);
    for (float x : h.railX)
        for (int i = 0; i < 4; ++i)
            railPanel(x, h.inrunKnots[i], h.inrunKnots[i + 1]);
}

void drawLanding(const HillGeometry& h, const Settings& s) {
    const bool winter = s.season == 0;
    for (int i = 0; i < 6; ++i) {
        const LandingRow& up = h.landingRows[i];
        const LandingRow& down = h.landingRows[i + 1];
        float s = 5, t = 7;
        if (i == h.markedStrip) {
            glBindTexture(GL_TEXTURE_2D, winter ? textures.window2 : textures.ovlu);
            s = t = 1;
        } else {
            glBindTexture(GL_TEXTURE_2D, winter ? textures.window : textures.sumer);
            if (i > h.markedStrip) s = 16, t = 20;
        }
        surfaceQuad({down.leftX, down.y, down.z}, {down.rightX, down.y, down.z},
                    {up.rightX, up.y, up.z}, {up.leftX, up.y, up.z}, s, t);
    }
}

// Points of one band edge at landing row `row`: 0 landing edge, 1 inner, 2 middle, 3 outer.
Vertex bandEdge(const HillGeometry& h, int row, bool right, int edge) {
    const LandingRow& r = h.landingRows[row];
    if (edge == 0) return {right ? r.rightX : r.leftX, r.y, r.z};
    const SideBoundary& b = right ? h.sideBoundaries[row].right : h.sideBoundaries[row].left;
    const HillPoint& p = edge == 1 ? b.inner : edge == 2 ? b.middle : b.outer;
    return {p.x, p.y, r.z};
}

// Band `band` (0 inner, 1 middle, 2 outer) between its inner and outer edge; t runs from the
// band's outer edge to its inner edge.
void sideBand(const HillGeometry& h, bool right, int band, float s, float t) {
    const int quads = band == 2 ? 5 : 6; // the outer boundary stops a row short
    for (int i = 0; i < quads; ++i) {
        Vertex innerUp = bandEdge(h, i, right, band);
        Vertex innerDown = bandEdge(h, i + 1, right, band);
        Vertex outerUp = bandEdge(h, i, right, band + 1);
        Vertex outerDown = bandEdge(h, i + 1, right, band + 1);
        if (right)
            surfaceQuad(outerDown, outerUp, innerUp, innerDown, s, t);
        else
            surfaceQuad(outerUp, outerDown, innerDown, innerUp, s, t);
    }
}

void backStripQuad(const HillGeometry& h, int band, float s, float t) {
    const BackStrip& b = h.backStrip;
    const HillPoint& inner = b.edges[band];
    const HillPoint& outer = b.edges[band + 1];
    const float upZ = b.uphillZ;
    const float downZ = band == 0 ? b.innerDownhillZ : h.landingRows[0].z;
    surfaceQuad({outer.x, outer.y, upZ}, {outer.x, outer.y, downZ}, {inner.x, inner.y, downZ},
                {inner.x, inner.y, upZ}, s, t);
}

void drawSideTerrain(const HillGeometry& h, const Settings& s) {
    const bool winter = s.season == 0;
    glBindTexture(GL_TEXTURE_2D, winter ? textures.window : textures.trawa);
    for (int band = 0; band < 3; ++band)
        sideBand(h, true, band, winter ? 16 : 3, winter ? 20 : 1);

    // Summer grass on the left: the back strip's inner quad and the outer band are stretched
    // differently from the rest.
    static const float summerBack[3][2] = {{3, 1}, {1, 1}, {1, 1}};
    static const float summerBand[3][2] = {{1, 1}, {1, 1}, {1, 4}};
    for (int band = 0; band < 3; ++band) {
        if (h.backStrip.present) {
            if (winter)
                backStripQuad(h, band, 16, 20);
            else
                backStripQuad(h, band, summerBack[band][0], summerBack[band][1]);
        }
        if (winter)
            sideBand(h, false, band, 16, 20);
        else
            sideBand(h, false, band, summerBand[band][0], summerBand[band][1]);
    }
}

// A fence board 0.5 high from (x0, y0, z0) to (x1, y1, z1), in both windings; s runs along
// the board, t from the top edge (0) to the bottom edge (1).
void fenceBoard(float x0, float y0, float z0, float x1, float y1, float z1, float s) {
    const Vertex corners[4] = {
        {x0, y0, z0}, {x1, y1, z1}, {x1, y1 + kBoardHeight, z1}, {x0, y0 + kBoardHeight, z0}};
    const float st[4][2] = {{0, 1}, {s, 1}, {s, 0}, {0, 0}};
    glBegin(GL_QUADS);
    glNormal3f(0, 1, 0);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2f(st[i][0], st[i][1]);
        glVertex3f(corners[i].x, corners[i].y, corners[i].z);
    }
    glEnd();
    glBegin(GL_QUADS);
    glNormal3f(0, 1, 0);
    for (int i = 3; i >= 0; --i) {
        glTexCoord2f(st[i][0], st[i][1]);
        glVertex3f(corners[i].x, corners[i].y, corners[i].z);
    }
    glEnd();
}

void fenceSide(const HillGeometry& h, bool right) {
    const HillFence& f = h.fence;
    const LandingRow& top = h.landingRows[0];
    if (f.lipRepeat > 0) {
        const float* x = right ? f.rightLipX : f.leftLipX;
        fenceBoard(x[0], top.y, top.z, x[1], top.y, top.z, f.lipRepeat);
    }
    for (int i = 0; i < 6; ++i) {
        const LandingRow& a = h.landingRows[i];
        const LandingRow& b = h.landingRows[i + 1];
        fenceBoard(right ? a.rightX : a.leftX, a.y, a.z, right ? b.rightX : b.leftX, b.y, b.z,
                   f.edgeRepeat[i]);
    }
    const FencePoint* p = right ? f.rightOutrun : f.leftOutrun;
    for (int i = 0; i < 3; ++i)
        fenceBoard(p[i].x, kOutrunY, p[i].z, p[i + 1].x, kOutrunY, p[i + 1].z, f.outrunRepeat[i]);
}

void drawFence(const HillGeometry& h) {
    const HillFence& f = h.fence;
    glBindTexture(GL_TEXTURE_2D, textures.spot1);
    fenceSide(h, true);
    fenceSide(h, false);
    fenceBoard(f.rightOutrun[3].x, kOutrunY, f.rightOutrun[3].z, f.leftOutrun[3].x, kOutrunY,
               f.leftOutrun[3].z, f.acrossRepeat);
}

void drawGroundPlane(const Settings& s) {
    const bool winter = s.season == 0;
    glBindTexture(GL_TEXTURE_2D, winter ? textures.window : textures.trawa);
    glPushMatrix();
    // Top at -10.8, the outrun's height; far wider than anything the cameras can reach.
    glTranslatef(-537, -10.9f, 360.1f);
    glScalef(1160.5f, 0.1f, 1164);
    float repeat = winter ? 3.0f : 140.0f;
    texturedBox(0, 0, 0, repeat, repeat);
    glPopMatrix();
}

void placedBox(const BoxPlacement& b, float repeat) {
    glPushMatrix();
    glTranslatef(b.translate[0], b.translate[1], b.translate[2]);
    glScalef(b.scale[0], b.scale[1], b.scale[2]);
    texturedBox(0, 0, 0, repeat, repeat);
    glPopMatrix();
}

} // namespace

const HillGeometry* hillGeometry(int hill) {
    if (!knownHill(hill)) return nullptr;
    return &kHills[hill - 1];
}

void drawHill(const Settings& s) {
    const HillGeometry* h = hillGeometry(s.hillNumber);
    if (!h) return;
    const bool winter = s.season == 0;

    // Snow, grass and metal cover half the window; only the fence's spots are cut out.
    const GLuint ground = winter ? textures.window : textures.trawa;
    glPushMatrix();
    {
        UnblendedIfOpaque unblended({winter ? textures.rozbieg : textures.rozbieglato,
                                     textures.window, winter ? textures.window2 : textures.ovlu,
                                     winter ? textures.window : textures.sumer, ground});
        glColor3f(1, 1, 1);
        glBindTexture(GL_TEXTURE_2D, winter ? textures.rozbieg : textures.rozbieglato);
        glColor3f(3, 3, 3);
        drawInrun(*h);

        // Metal: the lip plate and the rails reflect the sky picture.
        sphereMapping(true);
        glBindTexture(GL_TEXTURE_2D, textures.window);
        glColor3fv(h->railColour);
        drawLipPlate(*h);
        drawRails(*h);

        sphereMapping(false);
        glColor3f(3, 3, 3);
        drawLanding(*h, s);
        drawSideTerrain(*h, s);
    }
    drawFence(*h);
    glPopMatrix();

    UnblendedIfOpaque unblended({ground});
    drawGroundPlane(s);
}

void drawInrunStructure(const Settings& settings) {
    const HillGeometry* h = hillGeometry(settings.hillNumber);
    if (!h) return;
    const InrunSupports& s = h->supports;

    glBindTexture(GL_TEXTURE_2D, settings.season == 0 ? textures.window : textures.trawa);
    glPushMatrix();
    glColor3f(3, 3, 3);
    // The negative height scale hangs the block below its translation. The mirror turns the
    // box's windings round, so its outside faces are clockwise here; without the swap the
    // culling would show the block inside out.
    glFrontFace(GL_CW);
    placedBox(s.baseBlock, 2);
    glFrontFace(GL_CCW);
    glPopMatrix();

    sphereMapping(true);
    glBindTexture(GL_TEXTURE_2D, textures.window);
    glColor3fv(s.colour);
    for (int i = 0; i < s.pillarCount; ++i)
        placedBox(s.pillars[i], 0);
    placedBox(s.platform, 0);
}
