#pragma once
#include <QColor>
#include <QImage>
#include <QRect>

#include <map>
#include <string>

#include "forms/environment.h"
#include "forms/files.h"
#include "forms/qt/qt_host.h"
#include "forms/runtime.h"
#include "tests/support/fake_environment.h"
#include "tests/support/temp_dir.h"
#include "viewer/module1.h"

namespace editions {
struct Edition;
}

namespace render_tests {

// The screen the tests draw on: the e2e display's size. Unpaced unless a test of the pacing
// asks for a refresh rate: a paint is presented at once.
inline forms::qt::QtHostOptions testScreen(double refreshHz = 1e9) {
    forms::qt::QtHostOptions o;
    o.screen = QRect(0, 0, 1024, 768);
    o.refreshHz = refreshHz;
    return o;
}

// A program on the Qt host under the offscreen platform, drive C: a temporary folder. With an
// edition, its windows are registered; without, a test registers its own.
struct QtWorld {
    testing_support::TempDir disk;
    forms::FileSystem files;
    testing_support::FakeEnvironment env;
    forms::qt::QtHost host;
    forms::Runtime rt;
    viewer::Module1 module;

    explicit QtWorld(const editions::Edition* edition = nullptr,
                     forms::qt::QtHostOptions options = testScreen());

    // What the form's window shows now, painted from the model.
    QImage grab(const forms::Form& form);
};

// The colour of a pixel as 0xRRGGBB.
inline unsigned rgbAt(const QImage& img, int x, int y) {
    return img.pixel(x, y) & 0xFFFFFFu;
}

} // namespace render_tests
