#pragma once
#include "editions/edition.h"

namespace editions {
// Kadroskop: the filmstrip viewer.
// The accessor stands in an inline namespace so that it can share its name with the
// namespace of the program's designs (editions::kadroskop::form1Design) where both are seen.
inline namespace programs {
const Edition& kadroskop();
} // namespace programs
} // namespace editions
