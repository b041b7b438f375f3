// TEMPORARY: replaced by the real controller at merge.
#include "game/computer_jumper.h"

#include "core/settings.h"
#include "game/game.h"

ComputerJumper::ComputerJumper(const FieldJumper& jumper, float form, uint64_t seed)
    : jumper_(jumper), form_(form), seed_(seed) {}

StepInput ComputerJumper::next(const Game& g) {
    StepInput in;
    const Jump& j = g.jump;
    const HillStart* h = hillStart(g.settings.hillNumber);
    ++steps_;
    if (j.atGate == 1 && steps_ > 5) {
        in.hasMessage = true;
        in.message.type = MSG_LBUTTONDOWN;
    } else if (h && j.inFlight == 0 &&
               j.jumperZ >
                   h->takeoffWindow[0] + 0.8f * (h->takeoffWindow[1] - h->takeoffWindow[0])) {
        in.hasMessage = true;
        in.message.type = MSG_LBUTTONDOWN;
    } else if (j.inFlight == 1 && j.jumperY - j.groundY < 1.5f && j.landingStance == 0) {
        in.hasMessage = true;
        in.message.type = MSG_RBUTTONDOWN;
    }
    return in;
}
