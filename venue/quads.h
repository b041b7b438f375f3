// Unit squares (0,0)-(1,1) in the plane z = 0, differing only in their texture coordinates.
#pragma once

void unitQuad();
void croppedQuad();
void croppedQuadFlipped();
void croppedQuadMirrored();
void croppedQuadTurned();
