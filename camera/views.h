// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The eight camera views and the free camera.
#pragma once
#include <cstdint>

#include "core/saved_state.h"
#include "core/settings.h"
#include "jump/jump_state.h"

// Where the camera looks from, as the last step placed it.
struct CameraShot {
    bool placed = false;      // false: no view for this hill, the matrix is left alone
    bool fromScratch = false; // the free camera: clear the frame and start from identity
    double eye[3] = {0, 0, 0};
    double target[3] = {0, 0, 0};
};
// Kept whole in memory, never in a file.
inline StateField field(CameraShot& shot) {
    return memoryField(shot);
}

// The free camera's keys held down in a step, as bits.
enum CameraKey : uint8_t {
    kCameraKeyLeft = 1,
    kCameraKeyRight = 2,
    kCameraKeyForward = 4,
    kCameraKeyBack = 8,
    kCameraKeyPitchUp = 16,
    kCameraKeyPitchDown = 32,
};

// The cameras' moving values and the free camera: where a replay starts them.
struct CameraMotion {
    float cameraRise = 0, trailOffset = 0, towerDrop = 0, chaseShift = 0;
    double freeCamX = 0, freeCamY = 0, freeCamZ = 0;
    float freeCamYaw = 0, freeCamPitch = 0;
    double freeCamTarget[3] = {0, 0, 0};

    template <class Visit> void eachField(Visit&& visit) {
        visit("cameraRise", cameraRise);
        visit("trailOffset", trailOffset);
        visit("towerDrop", towerDrop);
        visit("chaseShift", chaseShift);
        visit("freeCamX", freeCamX);
        visit("freeCamY", freeCamY);
        visit("freeCamZ", freeCamZ);
        visit("freeCamYaw", freeCamYaw);
        visit("freeCamPitch", freeCamPitch);
        visit("freeCamTarget", freeCamTarget);
    }
};

// The whole camera: its motion, the chosen view, its nudge and the last shot.
struct Camera : CameraMotion {
    uint8_t cameraViewFlags[8] = {};
    float cameraNudge = 0;
    CameraShot cameraShot;

    // The values at program start: view 1.
    Camera();
    template <class Visit> void eachField(Visit&& visit) {
        CameraMotion::eachField(visit);
        visit("cameraViewFlags", cameraViewFlags);
        visit("cameraNudge", cameraNudge);
        visit("cameraShot", cameraShot);
    }
};

// One step of the selected view: its moving values, the free camera's held keys, and the
// shot. It sees the jumper where the previous step left him.
void updateCamera(Camera& c, const Jump& j, const Settings& settings, float airshipTravel,
                  uint8_t heldKeys);
// The shot of the selected view where everything stands now, nothing moving on.
void placeCameraStill(Camera& c, const Jump& j, const Settings& settings, float airshipTravel);
// Index 0..7 of the selected view.
int selectedCameraView(const Camera& c);
void selectCameraView(Camera& c, int view); // 1..8
// cameraRise, trailOffset, towerDrop, chaseShift back to their start (jump reset).
void resetCameraAnimation(Camera& c);
