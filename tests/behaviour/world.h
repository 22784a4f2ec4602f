#pragma once
#include <memory>
#include <string>

#include "editions/edition.h"
#include "forms/environment.h"
#include "forms/files.h"
#include "forms/runtime.h"
#include "tests/support/fake_environment.h"
#include "tests/support/fixtures.h"
#include "tests/support/scripted_host.h"
#include "tests/support/temp_dir.h"
#include "viewer/module1.h"

namespace testing_support {

// One program under test: its windows on a scripted host, drive C: a temporary folder, and
// the current directory at C:\ unless a test changes it. Drive D: is a second temporary
// folder and E: a drive that is not ready (its folder does not exist).
struct World {
    TempDir disk;
    TempDir diskD;
    forms::FileSystem files;
    FakeEnvironment env;
    ScriptedHost host;
    forms::Runtime rt;
    viewer::Module1 module;

    explicit World(const editions::Edition& e)
        : files(
              forms::DriveTable{
                  {{'C', disk.path()}, {'D', diskD.path()}, {'E', diskD.path() + "-not-ready"}}},
              disk.path()),
          rt(host, files, env) {
        ensureQtApp();
        editions::install(rt, module, e);
    }

    // Starts the program: the main window is loaded and shown maximized.
    void start() { rt.start(); }

    template <class F> F& form(const char* name) { return rt.form<F>(name); }
};

} // namespace testing_support
