#include "core/game_folders.h"
#include "game/app.h"

int main() {
    // From here on the working folder is the one that holds Data/, wherever we started.
    if (!enterGameFolders("orbel")) return 1;
    return runGame();
}
