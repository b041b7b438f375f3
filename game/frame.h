// One complete picture per main-loop pass: the start screen or the 3-D scene.
#pragma once

void drawFrame();
void drawStartScreen();
void drawScene();
void panelQuad();
