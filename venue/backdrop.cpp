#include "venue/backdrop.h"

float airshipTravel = 0;
