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
    std::string name;        // "Kadroskop"
    std::string displayName; // the name in the windows' texts
    viewer::Variant variant;
    chooser::Variant chooser;
    forms::FormDesign form1;
    forms::FormDesign form2;
    forms::FormDesign form3;
    forms::FormDesign form4;
};

// Registers the program's windows with the runtime, the main window first.
void install(forms::Runtime& rt, viewer::Module1& m, const Edition& e);

// The film chooser's design for one of the programs, its pictures under `resources`.
forms::FormDesign chooserDesign(Which which, const std::string& resources);

// The full-screen window's design, the same in both programs.
forms::FormDesign form2Design();

// The About window's design: the same in both programs but for the title and the pictures
// (the hidden photograph that gives the shown one its aspect, and the one shown).
forms::FormDesign aboutDesign(const std::string& title, const std::string& ownPhoto,
                              const std::string& shownPhoto);

} // namespace editions
