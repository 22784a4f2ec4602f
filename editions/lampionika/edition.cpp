#include "editions/lampionika/lampionika.h"

#include "editions/lampionika/designs.h"

namespace editions {

const Edition& lampionika() {
    static const Edition e{
        .name = "Lampionika",
        .displayName = "Лампионика",
        .variant = viewer::lampionikaVariant(),
        .form1 = lampionika_designs::form1Design(),
        .form2 = form2Design(),
        .form3 = lampionika_designs::form3Design(),
    };
    return e;
}

} // namespace editions
