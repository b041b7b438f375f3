#include "game/app.h"

int main() {
    return runGame();
}
