#pragma once
#include <memory>
#include <string>

#include "editions/edition.h"
#include "forms/environment.h"
#include "forms/files.h"
#include "forms/runtime.h"
#include "tests/support/fixtures.h"
#include "tests/support/scripted_host.h"
#include "tests/support/temp_dir.h"
#include "viewer/module1.h"

namespace testing_support {

class FakeEnvironment final : public forms::Environment {
  public:
    std::map<std::string, std::string> vars;
    std::string get(std::string_view name) const override {
        auto it = vars.find(std::string(name));
        return it == vars.end() ? std::string() : it->second;
    }
};

// One program under test: its windows on a scripted host, drive C: a temporary folder, and
// the current directory at C:\ unless a test changes it.
struct World {
    TempDir disk;
    forms::FileSystem files;
    FakeEnvironment env;
    ScriptedHost host;
    forms::Runtime rt;
    viewer::Module1 module;

    explicit World(const editions::Edition& e)
        : files(forms::DriveTable{{{'C', disk.path()}}}, disk.path()), rt(host, files, env) {
        ensureQtApp();
        editions::install(rt, module, e);
    }

    // Starts the program: the main window is loaded and shown maximized.
    void start() { rt.start(); }

    template <class F> F& form(const char* name) { return rt.form<F>(name); }
};

} // namespace testing_support
