#pragma once
#include "forms/design.h"

namespace editions::kadroskop {
forms::FormDesign form1Design();
forms::FormDesign form3Design();
} // namespace editions::kadroskop
