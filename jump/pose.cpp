#include "jump/pose.h"

float armSwing = 0;

void stepFigureState(FigureKind) {
    armSwing = 0;
}
