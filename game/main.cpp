#include <cstdio>
#include <cstring>

#include "game/app.h"

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--timedemo") == 0) return runTimeDemo(argv[2]);
    if (argc > 1) {
        std::fprintf(stderr, "usage: orbel [--timedemo FILE]\n");
        return 2;
    }
    return runGame();
}
