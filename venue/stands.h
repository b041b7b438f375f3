// Spectator stands, seating blocks, floodlight masts and their light beams.
#pragma once

// 0.9 until the first floodlight mast is drawn, 0.8 afterwards; street lamps share it.

void crowdRow();
void crowdStand();
void drawStands();
void seatingBlock();
void drawSeatingBlocks();
void floodlightMast();
void lightBeam();
// What a light beam leaves current (texture, blending, colour), for one that is not drawn.
void lightBeamLeftovers();
