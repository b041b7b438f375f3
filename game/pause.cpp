#include "game/pause.h"

#include "game/app.h"

bool gamePaused;

void togglePause() {
    if (startScreenActive == 1) return;
    gamePaused = !gamePaused;
}
