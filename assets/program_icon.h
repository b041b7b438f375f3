// The launcher's window icon: a ski jumper in flight over a landing hill.
#pragma once
#include <string>

#include "assets/canvas.h"

// The icon at size x size pixels; transparent outside its rounded square.
Canvas paintProgramIcon(int size);

// Writes icons/setup32.png and icons/setup16.png into gameDir.
bool writeProgramIcons(const std::string& gameDir, std::string* error);
