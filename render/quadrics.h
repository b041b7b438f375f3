// The two GLU quadrics of a scene set-up: the scenery's and the jumper's.
#pragma once
#include "render/gl.h"

extern GLUquadric* sceneryQuadric;
extern GLUquadric* figureQuadric;

// A filled, smoothly lit quadric, or nullptr.
GLUquadric* newQuadric();
