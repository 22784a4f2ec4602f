#pragma once
#include "editions/edition.h"

namespace app {

// Runs one of the programs: a Qt application with the edition's windows on screen, from
// the start window until the program ends. Returns the application's exit status.
int runProgram(int& argc, char** argv, const editions::Edition& edition, const char* iconResource);

} // namespace app
