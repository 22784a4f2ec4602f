#include "editions/kadroskop/designs.h"

#include "editions/edition.h"

namespace editions::kadroskop_designs {

forms::FormDesign form3Design() {
    return aboutDesign("Программа Кадроскоп", ":/kadroskop/form3_photo.jpg",
                       ":/kadroskop/form3_projector.bmp");
}

} // namespace editions::kadroskop_designs
