#include "editions/kadroskop/kadroskop.h"

namespace editions {

const Edition& kadroskop() {
    static const Edition e{
        .name = "Kadroskop",
        .variant = viewer::kadroskopVariant(),
        .chooser = chooser::kadroskopVariant(),
        .form1 = mainWindowDesign(Which::Kadroskop, ":/kadroskop/"),
        .form2 = fullScreenDesign(Which::Kadroskop, ":/kadroskop/"),
        .form3 = aboutDesign(Which::Kadroskop, ":/kadroskop/"),
        .form4 = chooserDesign(Which::Kadroskop, ":/kadroskop/"),
    };
    return e;
}

} // namespace editions
