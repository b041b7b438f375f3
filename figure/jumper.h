// The articulated jumper and its shadow; both run the pose step before drawing.
#pragma once

void drawJumper();
void drawJumperShadow();
