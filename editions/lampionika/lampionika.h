#pragma once
#include "editions/edition.h"

namespace editions {
// Lampionika: the magic-lantern viewer. Its window designs are in editions::lampionika_designs.
const Edition& lampionika();
} // namespace editions
