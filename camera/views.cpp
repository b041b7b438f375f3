// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
#include "camera/views.h"

#include <cmath>

#include "jump/jump_state.h"

namespace {

// One placing of the shot: the views read and move the camera's values under their own names.
struct Shooter {
    Camera& camera;
    const int32_t hillNumber;
    const int32_t hiddenSwitch;
    // False while the shot is placed again without the camera moving on (a paused game).
    const bool cameraMoves;
    const uint8_t heldKeys;
    float& cameraRise = camera.cameraRise;
    float& trailOffset = camera.trailOffset;
    float& towerDrop = camera.towerDrop;
    float& chaseShift = camera.chaseShift;
    double& freeCamX = camera.freeCamX;
    double& freeCamY = camera.freeCamY;
    double& freeCamZ = camera.freeCamZ;
    float& freeCamYaw = camera.freeCamYaw;
    float& freeCamPitch = camera.freeCamPitch;
    double (&freeCamTarget)[3] = camera.freeCamTarget;
    CameraShot& cameraShot = camera.cameraShot;

    void advance(float& value, float by) {
        if (cameraMoves) value += by;
    }

    bool keyHeld(uint8_t key) { return cameraMoves && (heldKeys & key) != 0; }

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
            lookAt(X - 4 + n / 4, Y + cameraRise + 2 - n / 4.4f, Z + 4 + cameraRise - n / 40, X, Y,
                   Z);
            break;
        case 2:
            if (Z > 3) advance(cameraRise, 0.08f);
            lookAt(X - 4 + n / 8, Y - 4 + cameraRise + 2 - n / 8.4f, Z + 8 + cameraRise - n / 80, X,
                   Y, Z);
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
            lookAt(X - 0.25f, Y + trailOffset / 2 - n / 10, Z + 5.9f - trailOffset + n / 200,
                   X - 0.25f, Y - 0.1f, Z + 8.5f - n / 200);
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

    void freeCamera() {
        // Its picture wipes what the frame drew so far: the HUD is not seen from the free camera.
        cameraShot.fromScratch = true;
        if (keyHeld(kCameraKeyLeft)) freeCamYaw -= 5;
        if (keyHeld(kCameraKeyRight)) freeCamYaw += 5;
        if (keyHeld(kCameraKeyPitchUp)) freeCamPitch += 5;
        if (keyHeld(kCameraKeyPitchDown)) freeCamPitch -= 5;
        const float h = freeCamYaw * 3.14159f / 180.0f;
        if (keyHeld(kCameraKeyForward)) {
            freeCamZ += std::sin(h) * 3.4f;
            freeCamX += std::cos(h) * 3.4f;
        }
        if (keyHeld(kCameraKeyBack)) {
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
        lookAt(freeCamX, freeCamY - 6, freeCamZ, freeCamTarget[0], freeCamTarget[1],
               freeCamTarget[2]);
    }
};

} // namespace

int selectedCameraView(const Camera& c) {
    for (int i = 0; i < 8; ++i)
        if (c.cameraViewFlags[i]) return i;
    return 0;
}

void selectCameraView(Camera& c, int view) {
    if (view < 1 || view > 8 || c.cameraViewFlags[view - 1]) return;
    for (int i = 0; i < 8; ++i)
        c.cameraViewFlags[i] = 0;
    c.cameraViewFlags[view - 1] = 1;
}

void resetCameraAnimation(Camera& c) {
    c.cameraRise = 0;
    c.trailOffset = 1.0f;
    c.towerDrop = 0;
    c.chaseShift = 0;
}

Camera::Camera() {
    cameraViewFlags[0] = 1;
    resetCameraAnimation(*this);
    freeCamY = 1;
    freeCamZ = 150;
    freeCamYaw = -90;
}

namespace {

void placeShot(Shooter s, const Jump& j, float airshipTravel) {
    s.cameraShot = CameraShot{};
    const float X = j.jumperX, Y = j.jumperY, Z = j.jumperZ, n = s.camera.cameraNudge;
    switch (selectedCameraView(s.camera)) {
    case 0:
        s.view1(X, Y, Z, n);
        break;
    case 1:
        s.view2(X, Y, Z, n);
        break;
    case 2:
        s.view3(X, Y, Z, n);
        break;
    case 3:
        s.view4(X, Y, Z, n);
        break;
    case 4:
        s.view5(X, Y, Z, n);
        break;
    case 5:
        s.view6(X, Y, Z, n, airshipTravel);
        break;
    case 6:
        if (s.hiddenSwitch == kFreeCameraCode)
            s.freeCamera();
        else
            s.chaseView(X, Y, Z, n);
        break;
    case 7:
        s.view8(X, Y, Z, n);
        break;
    default:
        break;
    }
}

} // namespace

void updateCamera(Camera& c, const Jump& j, const Settings& settings, float airshipTravel,
                  uint8_t heldKeys) {
    placeShot(Shooter{c, settings.hillNumber, settings.hiddenSwitch, true, heldKeys}, j,
              airshipTravel);
}

void placeCameraStill(Camera& c, const Jump& j, const Settings& settings, float airshipTravel) {
    placeShot(Shooter{c, settings.hillNumber, settings.hiddenSwitch, false, 0}, j, airshipTravel);
}
