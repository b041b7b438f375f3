// The pause: the 3-D scene's clock stops and the picture stays, under a dimmed layer.
#pragma once

extern bool gamePaused;

// P or Start: stops the scene's clock, or lets it go on from exactly where it stopped. Only
// while the 3-D scene is shown.
void togglePause();
