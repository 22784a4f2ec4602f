#pragma once
#include "editions/edition.h"

namespace editions {
// Lampionika: the magic-lantern viewer.
const Edition& lampionika();
} // namespace editions
