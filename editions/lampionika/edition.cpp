#include "editions/lampionika/lampionika.h"

#include "editions/lampionika/designs.h"

namespace editions {
inline namespace programs {

const Edition& lampionika() {
    static const Edition e{
        .name = "Lampionika",
        .displayName = "Лампионика",
        .variant = viewer::lampionikaVariant(),
        .chooser = chooser::lampionikaVariant(),
        .form1 = lampionika::form1Design(),
        .form2 = form2Design(),
        .form3 = lampionika::form3Design(),
        .form4 = chooserDesign(Which::Lampionika, ":/lampionika/"),
    };
    return e;
}

} // namespace programs
} // namespace editions
