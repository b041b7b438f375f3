// The five judges' style marks of a landing stance or a fall.
#pragma once

void awardGoodMarks();
void awardFallMarks();
