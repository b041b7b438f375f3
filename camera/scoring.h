// Style marks, the on-screen texts and the per-hill record files.
#pragma once
#include <cstdint>

extern int32_t recordDistance;

void awardGoodMarks();
void awardFallMarks();
void drawJumpHud();
void drawScoreBoard();
