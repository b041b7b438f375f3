// The game window's keys, characters and mouse buttons, handled between steps.
#pragma once

void handleJumpKey(int key);
void handleJumpChar(int ch);
void handleJumpLeftClick();
void handleJumpRightClick();
void handleJumpMouseMove(int x, int y);

// A new jump from the gate, with the camera's moving values back at their start.
void resetJumpAndCamera();
