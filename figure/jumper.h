// The articulated jumper and its shadow; both run the pose step before drawing.
#pragma once

void drawJumper();
void drawJumperShadow();

// Grey of the shadow by season and lighting; an unknown lighting mode gets the day grey.
float shadowGrey();
