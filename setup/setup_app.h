#pragma once

// The launcher program: one modal dialog, then the end.
class SetupApp {
  public:
    int run(int argc, char** argv);
};
