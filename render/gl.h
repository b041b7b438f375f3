// Fixed-function OpenGL 1.1 and GLU, as the whole game uses them.
#pragma once
#include <GL/gl.h>
#include <GL/glu.h>
