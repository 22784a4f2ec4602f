#pragma once
#include "editions/edition.h"

namespace editions {
// Kadroskop: the filmstrip viewer.
const Edition& kadroskop();
} // namespace editions
