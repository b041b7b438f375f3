#include "setup/setup_app.h"

int main(int argc, char** argv) {
    SetupApp app;
    return app.run(argc, argv);
}
