#include "editions/lampionika/designs.h"

#include "editions/edition.h"

namespace editions::lampionika_designs {

forms::FormDesign form3Design() {
    return aboutDesign("Программа Лампионика", ":/lampionika/form3_photo.jpg",
                       ":/lampionika/form3_photo.jpg");
}

} // namespace editions::lampionika_designs
