// Valmora, a ski-jumping game. Copyright (C) 2026 the Valmora developers.
// SPDX-License-Identifier: GPL-3.0-or-later
// The far background: mountains, spruce forests and the airship.
#pragma once

#include "venue/animation.h"

void mountain(const Settings& s);
void drawMountains(const Settings& s);
struct Batch;
struct Transform;
// One spruce, a cross of two double-sided billboards standing at `where`, added to a batch
// drawn with its picture bound and the cut-out state on.
void spruce(Batch& into, const Transform& where);
void drawForests();
void drawAirship(const VenueAnimation& v);
