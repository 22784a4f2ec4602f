#include "editions/kadroskop/kadroskop.h"

#include "editions/kadroskop/designs.h"

namespace editions {
inline namespace programs {

const Edition& kadroskop() {
    static const Edition e{
        .name = "Kadroskop",
        .displayName = "Кадроскоп",
        .variant = viewer::kadroskopVariant(),
        .chooser = chooser::kadroskopVariant(),
        .form1 = kadroskop::form1Design(),
        .form2 = form2Design(),
        .form3 = kadroskop::form3Design(),
        .form4 = chooserDesign(Which::Kadroskop, ":/kadroskop/"),
    };
    return e;
}

} // namespace programs
} // namespace editions
