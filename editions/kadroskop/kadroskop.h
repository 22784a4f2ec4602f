#pragma once
#include "editions/edition.h"

namespace editions {
// Kadroskop: the filmstrip viewer. Its window designs are in editions::kadroskop_designs.
const Edition& kadroskop();
} // namespace editions
