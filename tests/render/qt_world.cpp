#include "tests/render/qt_world.h"

#include <QWidget>

#include <stdexcept>

#include "editions/edition.h"

namespace render_tests {

QtWorld::QtWorld(const editions::Edition* edition, forms::qt::QtHostOptions options)
    : files(forms::DriveTable{{{'C', disk.path()}}}, disk.path()), host(options),
      rt(host, files, env) {
    if (edition)
        editions::install(rt, module, *edition);
}

QImage QtWorld::grab(const forms::Form& form) {
    QWidget* w = host.window(form);
    if (!w)
        throw std::logic_error("the form " + form.name() + " is not on screen");
    return w->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

} // namespace render_tests
