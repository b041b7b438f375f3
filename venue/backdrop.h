// The far background: mountains, spruce forests and the airship.
#pragma once

// Grows by 0.2 every scene frame and is never reset (the view-6 camera drifts with it).
extern float airshipTravel;

void mountain();
void drawMountains();
struct Batch;
struct Transform;
// One spruce, a cross of two double-sided billboards standing at `where`, added to a batch
// drawn with its picture bound and the cut-out state on.
void spruce(Batch& into, const Transform& where);
void drawForests();
void drawAirship();
