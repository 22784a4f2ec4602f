#pragma once
#include <string>

#include "chooser/variant.h"
#include "editions/common/design_rows.h"
#include "forms/design.h"
#include "forms/runtime.h"
#include "viewer/module1.h"
#include "viewer/variant.h"

namespace editions {

// One of the two programs: its name, its window designs and the variant of the main window.
struct Edition {
    std::string name; // "Kadroskop"
    viewer::Variant variant;
    chooser::Variant chooser;
    forms::FormDesign form1;
    forms::FormDesign form2;
    forms::FormDesign form3;
    forms::FormDesign form4;
};

// Registers the program's windows with the runtime, the main window first.
void install(forms::Runtime& rt, viewer::Module1& m, const Edition& e);

// The windows' designs for one of the programs, their pictures under `resources`
// (":/kadroskop/"): the main window, the full-screen window, the About window and the film
// chooser.
forms::FormDesign mainWindowDesign(Which which, const std::string& resources);
forms::FormDesign fullScreenDesign(Which which, const std::string& resources);
forms::FormDesign aboutDesign(Which which, const std::string& resources);
forms::FormDesign chooserDesign(Which which, const std::string& resources);

} // namespace editions
