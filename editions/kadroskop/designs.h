#pragma once
#include "forms/design.h"

namespace editions::kadroskop_designs {
forms::FormDesign form1Design();
forms::FormDesign form3Design();
} // namespace editions::kadroskop_designs
