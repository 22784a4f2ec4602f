#pragma once
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "forms/design.h"
#include "forms/files.h"
#include "forms/form.h"
#include "forms/runtime.h"
#include "tests/support/fake_environment.h"
#include "tests/support/scripted_host.h"
#include "tests/support/temp_dir.h"

namespace unit_tests {

using Log = std::vector<std::string>;

// A window design with nothing in it yet: a sizable frame around the client area.
inline forms::FormDesign windowDesign(std::string name, float clientWidth = 9000,
                                      float clientHeight = 7000) {
    forms::FormDesign d;
    d.name = std::move(name);
    d.caption = d.name;
    d.clientWidth = clientWidth;
    d.clientHeight = clientHeight;
    return d;
}

// Adds a control to a design, behind those added before it (a design lists its controls
// front first); the reference is good until the next is added.
inline forms::ControlDesign& addControl(forms::FormDesign& d, forms::ControlKind kind,
                                        std::string name, float left, float top, float width,
                                        float height, int index = -1, std::string parent = {}) {
    forms::ControlDesign& c = d.controls.emplace_back();
    c.kind = kind;
    c.name = std::move(name);
    c.index = index;
    c.parent = std::move(parent);
    c.left = left;
    c.top = top;
    c.width = width;
    c.height = height;
    return c;
}

// A runtime on the scripted host, drive C: a temporary folder, for windows of the tests'
// own designs. The windows are plain forms: a test binds the handlers it listens to.
class WindowFixture : public testing::Test {
  protected:
    // Registers a window of this design with the project (the first registered is the start
    // window) and loads it, unseen.
    forms::Form& load(const forms::FormDesign& design) {
        if (!rt.isRegistered(design.name))
            rt.registerForm(design.name, [design](forms::Runtime& r) {
                return std::make_unique<forms::Form>(r, design);
            });
        return rt.form(design.name);
    }
    // The same, shown modelessly.
    forms::Form& shown(const forms::FormDesign& design) {
        forms::Form& f = load(design);
        rt.show(f, false);
        return f;
    }

    testing_support::TempDir tmp;
    forms::FileSystem files{forms::DriveTable{{{'C', tmp.path()}}}, tmp.path()};
    testing_support::FakeEnvironment env;
    testing_support::ScriptedHost host;
    forms::Runtime rt{host, files, env};
    Log log;
};

} // namespace unit_tests
