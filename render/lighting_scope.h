// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// Lighting model switches that change no pixel and save the rasteriser work.
#pragma once
#include "render/gl.h"

// Two-sided lighting lights the back faces only, and with back faces culled none is ever
// drawn; yet while it is on the rasteriser sends every triangle through its slow path (the
// jumper's spheres cost a third more). In this scope lighting is one-sided while back faces
// are culled, and the model is put back after it.
class OneSidedWhileCulled {
  public:
    OneSidedWhileCulled();
    ~OneSidedWhileCulled();
    OneSidedWhileCulled(const OneSidedWhileCulled&) = delete;
    OneSidedWhileCulled& operator=(const OneSidedWhileCulled&) = delete;

  private:
    bool off_ = false;
};

// Off, the scope changes nothing (tests compare the two).
extern bool oneSidedWhenCulled;
