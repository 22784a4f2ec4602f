#pragma once
#include "editions/edition.h"

namespace editions {
// Lampionika: the magic-lantern viewer.
// The accessor stands in an inline namespace so that it can share its name with the
// namespace of the program's designs (editions::lampionika::form1Design) where both are seen.
inline namespace programs {
const Edition& lampionika();
} // namespace programs
} // namespace editions
