// The red on-screen texts: distance, wind, record, countdown, style marks and points.
#pragma once

void drawJumpHud();
void drawScoreBoard();
