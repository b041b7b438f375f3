// The far background: mountains, spruce forests and the airship.
#pragma once

// Grows by 0.2 every scene frame and is never reset (the view-6 camera drifts with it).
extern float airshipTravel;

void mountain();
void drawMountains();
void spruce();
void drawForests();
void drawAirship();
