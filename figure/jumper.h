// The articulated jumper and its shadow, drawn in the pose the last step left.
#pragma once

void drawJumper();
void drawJumperShadow();

// Grey of the shadow by season and lighting; an unknown lighting mode gets the day grey.
float shadowGrey();
