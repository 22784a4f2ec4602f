#include "editions/kadroskop/kadroskop.h"

#include "editions/kadroskop/designs.h"

namespace editions {

const Edition& kadroskop() {
    static const Edition e{
        .name = "Kadroskop",
        .displayName = "Кадроскоп",
        .variant = viewer::kadroskopVariant(),
        .form1 = kadroskop_designs::form1Design(),
        .form2 = form2Design(),
        .form3 = kadroskop_designs::form3Design(),
    };
    return e;
}

} // namespace editions
