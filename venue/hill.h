// The selected jumping hill and the structure that carries its in-run.
#pragma once

void drawHill();
void drawInrunStructure();
