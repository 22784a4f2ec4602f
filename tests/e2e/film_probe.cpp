// Kadroskop's windows on the real Qt host with a film already open, for the end-to-end test
// of held keys: the program itself says nothing of the frames it shows.
//   film_probe <folder>
// Writes a film of eight frames into <folder>, maps drive C: to it and opens C:\film. Each
// paint that shows another current frame prints "frame N" on standard output, so the test
// counts the frames paged whatever the machine's pace.
#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "editions/kadroskop/kadroskop.h"
#include "forms/environment.h"
#include "forms/files.h"
#include "forms/qt/qt_host.h"
#include "forms/runtime.h"
#include "tests/support/fixtures.h"
#include "viewer/form1.h"
#include "viewer/module1.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: film_probe <folder>\n");
        return 2;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("film_probe");
    const std::string disk = argv[1];
    constexpr int kFrames = 8;
    std::filesystem::create_directories(disk + "/film");
    std::vector<std::string> names;
    for (int n = 1; n <= kFrames; ++n) {
        names.push_back("f" + std::to_string(n) + ".jpg");
        testing_support::writePicture(disk + "/film/" + names.back(), 320, 240,
                                      0x102030u * static_cast<unsigned>(n));
    }

    forms::FileSystem files(forms::DriveTable{{{'C', disk}}}, disk);
    forms::ProcessEnvironment env;
    forms::qt::QtHost host;
    forms::Runtime rt(host, files, env);
    viewer::Module1 module;
    editions::install(rt, module, editions::kadroskop());
    rt.start();

    // The film as an accepted opening builds it: frame 1 laid out fitted, on show.
    auto& f1 = rt.form<viewer::Form1>("Form1");
    if (!files.chDir("C:\\film").ok() || !f1.openFilm() || module.frameCount != kFrames)
        return 1;

    int shown = 0;
    host.onPainted = [&](const forms::Form&) {
        if (module.curFrame == shown)
            return;
        shown = module.curFrame;
        std::printf("frame %d\n", shown);
        std::fflush(stdout);
    };
    return QApplication::exec();
}
