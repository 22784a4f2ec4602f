#pragma once
#include "forms/design.h"

namespace editions::lampionika_designs {
forms::FormDesign form1Design();
forms::FormDesign form3Design();
} // namespace editions::lampionika_designs
