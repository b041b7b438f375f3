// TEMPORARY: replaced by the real controller at merge.
#pragma once
#include <cstdint>

#include "contest/field.h"
#include "game/game_step.h"

struct Game;

class ComputerJumper {
  public:
    ComputerJumper(const FieldJumper& jumper, float form, uint64_t seed);
    StepInput next(const Game& g);

  private:
    FieldJumper jumper_;
    float form_;
    uint64_t seed_;
    int steps_ = 0;
};
