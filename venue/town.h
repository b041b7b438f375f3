// The town at the foot of hills 1 and 2: houses, flats, roads, buses and street lamps.
#pragma once

void drawHouse1();
void drawHouse2();
void drawHouse3();
void drawHouse4();
void drawHouse5();
void drawFlats();
void drawRoad();
void drawLongRoad();
void drawBus1();
void drawBus2();
void drawBus3();
// The eleven buses where the last step left them for this row (0..3).
void drawBusRow(int row);
void streetLamp();
void drawSlopeLamps();
void drawTownLamps();
// The whole town in its places (houses, flats, roads, lamps, parked buses, bus rows).
void drawTown();
