// Floodlight masts and the light beam they share with the street lamps.
#include "game/settings.h"
#include "render/gl.h"
#include "render/primitives.h"
#include "render/textures.h"
#include "venue/stands.h"

float beamOpacity = 0.9f;

void lightBeam() {
    static const float nearCorners[4][3] = {{0, 0, 0}, {3, 0, 0}, {3, -4, 0}, {0, -4, 0}};
    static const float farCorners[4][3] = {{-6, 2, 18}, {10, 2, 18}, {10, -9, 14}, {-6, -9, 14}};
    // Each side joins two near corners (bright) and two far corners (transparent);
    // entries are corner indices, near ones 0..3, far ones 4..7.
    static const int sides[4][4] = {
        {1, 0, 4, 5}, // top
        {0, 3, 7, 4}, // left
        {7, 3, 2, 6}, // bottom
        {6, 2, 1, 5}, // right
    };

    glPushMatrix();
    glTranslatef(0, 4, 0);
    glBindTexture(GL_TEXTURE_2D, textures.window);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Edges are off so an outline mode would not draw the seams between the sides.
    glEdgeFlag(GL_FALSE);
    glBegin(GL_QUADS);
    for (const auto& side : sides) {
        for (int corner : side) {
            if (corner < 4) {
                glColor4f(255, 255, 255, beamOpacity);
                glVertex3fv(nearCorners[corner]);
            } else {
                glColor4f(255, 255, 255, 0);
                glVertex3fv(farCorners[corner - 4]);
            }
        }
    }
    glEnd();
    glEdgeFlag(GL_TRUE);
    glDisable(GL_BLEND);
    glPopMatrix();
}
