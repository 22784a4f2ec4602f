#include "editions/lampionika/lampionika.h"

namespace editions {

const Edition& lampionika() {
    static const Edition e{
        .name = "Lampionika",
        .variant = viewer::lampionikaVariant(),
        .chooser = chooser::lampionikaVariant(),
        .form1 = mainWindowDesign(Which::Lampionika, ":/lampionika/"),
        .form2 = fullScreenDesign(Which::Lampionika, ":/lampionika/"),
        .form3 = aboutDesign(Which::Lampionika, ":/lampionika/"),
        .form4 = chooserDesign(Which::Lampionika, ":/lampionika/"),
    };
    return e;
}

} // namespace editions
