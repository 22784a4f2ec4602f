#include "app/run_program.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QString>

#include <filesystem>
#include <system_error>

#include "forms/environment.h"
#include "forms/files.h"
#include "forms/qt/qt_host.h"
#include "forms/runtime.h"
#include "viewer/module1.h"

namespace app {

namespace {

std::string startDirectory() {
    std::error_code ec;
    const std::filesystem::path p = std::filesystem::current_path(ec);
    return ec ? std::string("/") : p.string();
}

QtMessageHandler platformHandler = nullptr;

// The program keeps no log and shows no messages of its own. Of Qt's messages it lets through
// the errors, and the windowing platform's warnings (qt.qpa.*), which say why the program
// could not start (no display, no usable platform plugin). The rest is chatter for a
// developer: the picture readers' complaints about a damaged file, a missing runtime folder.
bool explainsAFailure(QtMsgType type, const QMessageLogContext& context) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        return true;
    return type == QtWarningMsg && context.category &&
           QLatin1String(context.category).startsWith(QLatin1String("qt.qpa"));
}

void quietMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (explainsAFailure(type, context) && platformHandler)
        platformHandler(type, context, message);
}

} // namespace

int runProgram(int& argc, char** argv, const editions::Edition& edition, const char* iconResource) {
    platformHandler = qInstallMessageHandler(quietMessages);
    QApplication qapp(argc, argv);
    // No display name: the platform would append it to every window title, and the titles
    // read exactly as the designs' captions.
    QApplication::setApplicationName(QString::fromStdString(edition.name));
    QApplication::setWindowIcon(QIcon(QString::fromUtf8(iconResource)));

    forms::FileSystem files(forms::DriveTable::linux(), startDirectory());
    // The profile's documents and desktop folders are looked for in the home folder.
    forms::ProcessEnvironment env(
        files.fromHost(QDir::homePath().toStdString()).value_or(std::string()));
    forms::qt::QtHost host;

    forms::Runtime rt(host, files, env);
    viewer::Module1 module;
    editions::install(rt, module, edition);
    rt.start();
    return QApplication::exec();
}

} // namespace app
