// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The screen-fixed layers (HUD texts, display panels, start light) are laid out for a 4:3
// window. In a window of another shape each part keeps the size the 4:3 picture of the
// same height gives it, and its distance from its own edge: the wind stays at the left,
// the record and marks at the right, the countdown in the middle.
#pragma once

enum class ScreenEdge { Left, Middle, Right };

// The scene's projection for a viewport of this aspect (width over height).
void applyScenePerspective(double aspect);

// While it lives, what is drawn or placed (raster positions too) comes out as the 4:3
// picture's part at `edge`. In a 4:3 window it changes nothing.
class ScreenAnchor {
  public:
    explicit ScreenAnchor(ScreenEdge edge);
    ~ScreenAnchor();
    ScreenAnchor(const ScreenAnchor&) = delete;
    ScreenAnchor& operator=(const ScreenAnchor&) = delete;

  private:
    bool pushed_ = false;
};
