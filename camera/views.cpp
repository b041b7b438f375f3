// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/views.h"

#include <cmath>

#include "core/settings.h"
#include "jump/jump_state.h"

// Values at program start come from loadCameraState, which the game calls first.
uint8_t cameraViewFlags[8];
float cameraNudge;
float cameraRise, trailOffset, towerDrop, chaseShift;
double freeCamX, freeCamY, freeCamZ;
float freeCamYaw, freeCamPitch;
double freeCamTarget[3];
CameraShot cameraShot;

namespace {

// False while the shot is placed again without the camera moving on (a paused game).
bool cameraMoves = true;

void advance(float& value, float by) {
    if (cameraMoves) value += by;
}

bool keyHeld(bool held) {
    return cameraMoves && held;
}

void lookAt(double ex, double ey, double ez, double tx, double ty, double tz) {
    cameraShot.placed = true;
    cameraShot.eye[0] = ex;
    cameraShot.eye[1] = ey;
    cameraShot.eye[2] = ez;
    cameraShot.target[0] = tx;
    cameraShot.target[1] = ty;
    cameraShot.target[2] = tz;
}

// Keeps the single-precision sums of the views; the look-at itself takes doubles.
void lookAt(float ex, float ey, float ez, float tx, float ty, float tz) {
    lookAt(static_cast<double>(ex), static_cast<double>(ey), static_cast<double>(ez),
           static_cast<double>(tx), static_cast<double>(ty), static_cast<double>(tz));
}

void view1(float X, float Y, float Z, float n) {
    switch (hillNumber) {
    case 1:
        lookAt(-1.5f, 1.7f + n / 2, 6 - n, X, Y, Z);
        break;
    case 2:
        lookAt(-1.5f, 3.2f + n / 2, 6 - n, X, Y, Z);
        break;
    case 3:
        lookAt(-4, 6 + n / 2, -4 - n, X, Y, Z);
        break;
    default:
        break;
    }
}

void view2(float X, float Y, float Z, float n) {
    switch (hillNumber) {
    case 1:
        if (Z > 3) advance(cameraRise, 0.04f);
        lookAt(X - 4 + n / 4, Y + cameraRise + 2 - n / 4.4f, Z + 4 + cameraRise - n / 40, X, Y, Z);
        break;
    case 2:
        if (Z > 3) advance(cameraRise, 0.08f);
        lookAt(X - 4 + n / 8, Y - 4 + cameraRise + 2 - n / 8.4f, Z + 8 + cameraRise - n / 80, X, Y,
               Z);
        break;
    case 3:
        if (Z > 3) advance(cameraRise, 0.04f);
        lookAt(X - 1.4f + n / 4, Y - 2 - n / 4.4f, Z + 18 + cameraRise - n / 40, X, Y - 1, Z);
        break;
    default:
        break;
    }
}

void view3(float X, float Y, float Z, float n) {
    if (hillNumber == 1 || hillNumber == 2)
        lookAt(n - 20, 10.5f - n / 4, 5 - n / 2, X, Y, Z);
    else if (hillNumber == 3)
        lookAt(n - 20, 10.5f - n / 4, -10 - n / 2, X, Y, Z);
}

void view4(float X, float Y, float Z, float n) {
    const float tz = Z + n / 8;
    switch (hillNumber) {
    case 1:
        if (Z <= -8)
            lookAt(-2 - n / 4, 4, Z + 8 + n / 6, X, Y, tz);
        else if (Z <= 4)
            lookAt(-2, 4, 0, X, Y, tz);
        else
            lookAt(-2 - n / 4, 4 - n / 2.3f, Z - 4 + n / 6, X, Y, tz);
        break;
    case 2:
        if (Z > -15 && towerDrop >= -12) advance(towerDrop, -0.08f);
        if (Z <= -10)
            lookAt(-1 - n / 4, towerDrop + 8, Z + 8 + n / 6, X, Y, tz);
        else if (Z <= 4)
            lookAt(-1, towerDrop + 8, -2, X, Y, tz);
        else
            lookAt(-1 - n / 4, towerDrop + 8 - n / 2.3f, Z - 6 + n / 6, X, Y, tz);
        break;
    case 3:
        if (Z > -70 && towerDrop >= -12) advance(towerDrop, -0.05f);
        if (Z <= -40)
            lookAt(-3 - n / 4, towerDrop + 16, Z + 25 + n / 6, X, Y, tz);
        else if (Z <= -10)
            lookAt(-3, towerDrop + 16, -15, X, Y, tz);
        else
            lookAt(-3 - n / 4, towerDrop + 16 - n / 2.3f, Z - 5 + n / 6, X, Y, tz);
        break;
    default:
        break;
    }
}

void view5(float X, float Y, float Z, float n) {
    switch (hillNumber) {
    case 1:
        if (Z > 0) advance(trailOffset, 0.1f);
        lookAt(X - 0.25f, Y + trailOffset - n / 10, Z - trailOffset + n / 200, X - 0.25f, Y,
               Z + 0.5f - n / 200);
        break;
    case 2:
        if (Z > -6) advance(trailOffset, 0.1f);
        lookAt(X - 0.25f, Y + trailOffset - n / 10, Z + 0.9f - trailOffset + n / 200, X - 0.25f,
               Y - 0.1f, Z + 1 - n / 200);
        break;
    case 3:
        if (Z > -60) advance(trailOffset, 0.16f);
        lookAt(X - 0.25f, Y + trailOffset / 2 - n / 10, Z + 5.9f - trailOffset + n / 200, X - 0.25f,
               Y - 0.1f, Z + 8.5f - n / 200);
        break;
    default:
        break;
    }
}

void view6(float X, float Y, float Z, float n, float airshipTravel) {
    if (!knownHill(hillNumber)) return;
    lookAt(-4 - airshipTravel / 12 + n, 10, 5 - n, X, Y, Z);
}

void chaseView(float X, float Y, float Z, float n) {
    float lead = 0;
    switch (hillNumber) {
    case 1:
        if (Z > 0) advance(chaseShift, -0.04f);
        lead = 0;
        break;
    case 2:
        if (Z > -5) advance(chaseShift, -0.1f);
        lead = 5;
        break;
    case 3:
        if (Z > -30) advance(chaseShift, -0.1f);
        lead = 10;
        break;
    default:
        return;
    }
    lookAt(X - 10 + n / 2, Y + 3 - n / 7, Z + lead + chaseShift + n / 10, X, Y,
           Z + lead + chaseShift - 2 + n / 4);
}

void view8(float X, float Y, float Z, float n) {
    if (!knownHill(hillNumber)) return;
    if (Z > 15) advance(cameraRise, 0.04f);
    lookAt(-3, cameraRise - 6 + n / 4, 26 - n / 2, X, Y, Z);
}

void freeCamera(const CameraKeys& keys) {
    // Its picture wipes what the frame drew so far: the HUD is not seen from the free camera.
    cameraShot.fromScratch = true;
    if (keyHeld(keys.left)) freeCamYaw -= 5;
    if (keyHeld(keys.right)) freeCamYaw += 5;
    if (keyHeld(keys.pitchUp)) freeCamPitch += 5;
    if (keyHeld(keys.pitchDown)) freeCamPitch -= 5;
    const float h = freeCamYaw * 3.14159f / 180.0f;
    if (keyHeld(keys.forward)) {
        freeCamZ += std::sin(h) * 3.4f;
        freeCamX += std::cos(h) * 3.4f;
    }
    if (keyHeld(keys.back)) {
        freeCamZ -= std::sin(h) * 3.4f;
        freeCamX -= std::cos(h) * 3.4f;
    }
    if (freeCamX < -220) freeCamX = -220;
    if (freeCamX > 220) freeCamX = 220;
    if (freeCamZ < -270) freeCamZ = -270;
    if (freeCamZ > 270) freeCamZ = 270;
    freeCamTarget[0] = freeCamX + std::cos(h) * 100;
    freeCamTarget[1] = freeCamY + std::sin(freeCamPitch * 3.14159f / 180.0f) * 100;
    freeCamTarget[2] = freeCamZ + std::sin(h) * 100;
    lookAt(freeCamX, freeCamY - 6, freeCamZ, freeCamTarget[0], freeCamTarget[1], freeCamTarget[2]);
}

} // namespace

int selectedCameraView() {
    for (int i = 0; i < 8; ++i)
        if (cameraViewFlags[i]) return i;
    return 0;
}

void selectCameraView(int view) {
    if (view < 1 || view > 8 || cameraViewFlags[view - 1]) return;
    for (int i = 0; i < 8; ++i)
        cameraViewFlags[i] = 0;
    cameraViewFlags[view - 1] = 1;
}

void resetCameraAnimation() {
    cameraRise = 0;
    trailOffset = 1.0f;
    towerDrop = 0;
    chaseShift = 0;
}

void loadCameraState() {
    cameraShot = CameraShot{};
    for (int i = 0; i < 8; ++i)
        cameraViewFlags[i] = 0;
    cameraViewFlags[0] = 1;
    cameraNudge = 0;
    resetCameraAnimation();
    freeCamX = 0;
    freeCamY = 1;
    freeCamZ = 150;
    freeCamYaw = -90;
    freeCamPitch = 0;
    freeCamTarget[0] = freeCamTarget[1] = freeCamTarget[2] = 0;
}

void updateCamera(float airshipTravel, const CameraKeys& held) {
    cameraShot = CameraShot{};
    const float X = jumperX, Y = jumperY, Z = jumperZ, n = cameraNudge;
    switch (selectedCameraView()) {
    case 0:
        view1(X, Y, Z, n);
        break;
    case 1:
        view2(X, Y, Z, n);
        break;
    case 2:
        view3(X, Y, Z, n);
        break;
    case 3:
        view4(X, Y, Z, n);
        break;
    case 4:
        view5(X, Y, Z, n);
        break;
    case 5:
        view6(X, Y, Z, n, airshipTravel);
        break;
    case 6:
        if (hiddenSwitch == kFreeCameraCode)
            freeCamera(held);
        else
            chaseView(X, Y, Z, n);
        break;
    case 7:
        view8(X, Y, Z, n);
        break;
    default:
        break;
    }
}

void placeCameraStill(float airshipTravel) {
    cameraMoves = false;
    updateCamera(airshipTravel, CameraKeys{});
    cameraMoves = true;
}

const StateFields& cameraMotionFields() {
    static const StateField fields[] = {
        field(cameraRise),   field(trailOffset),  field(towerDrop), field(chaseShift),
        field(freeCamX),     field(freeCamY),     field(freeCamZ),  field(freeCamYaw),
        field(freeCamPitch), field(freeCamTarget)};
    static const StateFields group{fields, sizeof fields / sizeof fields[0]};
    return group;
}

const StateFields& cameraChoiceFields() {
    static const StateField fields[] = {field(cameraViewFlags), field(cameraNudge),
                                        memoryField(cameraShot)};
    static const StateFields group{fields, sizeof fields / sizeof fields[0]};
    return group;
}
