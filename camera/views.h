// The eight camera views and the free camera.
#pragma once
#include <cstdint>

extern uint8_t cameraViewFlags[8];
extern float cameraNudge;
extern float cameraRise, trailOffset, towerDrop, chaseShift;
extern double freeCamX, freeCamY, freeCamZ;
extern float freeCamYaw, freeCamPitch;
extern double freeCamTarget[3];

// The selected view's update and look-at, multiplied onto the current model-view matrix.
void applyCameraView();
// Index 0..7 of the selected view.
int selectedCameraView();
void selectCameraView(int view); // 1..8
// cameraRise, trailOffset, towerDrop, chaseShift back to their start (jump reset).
void resetCameraAnimation();
// Everything back to its load value (tests).
void loadCameraState();
