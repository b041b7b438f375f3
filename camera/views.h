// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The eight camera views and the free camera.
#pragma once
#include <cstdint>

#include "core/saved_state.h"

extern uint8_t cameraViewFlags[8];
extern float cameraNudge;
extern float cameraRise, trailOffset, towerDrop, chaseShift;
extern double freeCamX, freeCamY, freeCamZ;
extern float freeCamYaw, freeCamPitch;
extern double freeCamTarget[3];

// Where the camera looks from, as the last step placed it.
struct CameraShot {
    bool placed = false;      // false: no view for this hill, the matrix is left alone
    bool fromScratch = false; // the free camera: clear the frame and start from identity
    double eye[3] = {0, 0, 0};
    double target[3] = {0, 0, 0};
};
extern CameraShot cameraShot;

// The free camera's keys held down in a step: arrows walk and turn, Z and A pitch.
struct CameraKeys {
    bool left = false, right = false, forward = false, back = false;
    bool pitchUp = false, pitchDown = false;
};

// One step of the selected view: its moving values, the free camera's held keys, and the
// shot. It sees the jumper where the previous step left him.
void updateCamera(float airshipTravel, const CameraKeys& held);
// The shot of the selected view where everything stands now, nothing moving on.
void placeCameraStill(float airshipTravel);
// Index 0..7 of the selected view.
int selectedCameraView();
void selectCameraView(int view); // 1..8
// cameraRise, trailOffset, towerDrop, chaseShift back to their start (jump reset).
void resetCameraAnimation();
// Everything back to its load value (tests).
void loadCameraState();

// The cameras' moving values and the free camera: where a replay starts them.
const StateFields& cameraMotionFields();
// The chosen view, its nudge and the last shot: with the motion, the whole camera.
const StateFields& cameraChoiceFields();
