// The film chooser and the opening of a film, on the Qt host under the offscreen platform,
// against the tools that do the least the same work needs:
//
//   four previews     showing a folder with four 24-megapixel JPEGs (the dialog's load, its
//                     folder view and its first paint) against the sum of
//                     `djpeg -scale 1/8` over the four files (limit 1.3)
//   big folder        showing a folder of 10,000 plain files and 1,000 subfolders against
//                     `find DIR -mindepth 1 -maxdepth 1` (limit 3, aim 1.5); then one page
//                     of its list scrolled and painted (limit: one refresh, 16.7 ms)
//   opening           from "OK" to the first frame painted, for a folder of 10,000 JPEGs
//                     (the first 24 megapixels) against the same for a folder holding only
//                     that picture (limit 1.3)
//
// Each figure is the slowest of its runs. Windows are painted as the program paints them
// when the user waits: by Qt's event loop, which draws every picture it shows (a run of the
// runtime's pending events would leave undecoded pictures for a later paint). Exits 1 when
// a limit is broken.
#include <QApplication>
#include <QCoreApplication>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/photos.h"
#include "chooser/form4.h"
#include "editions/kadroskop/kadroskop.h"
#include "forms/environment.h"
#include "forms/files.h"
#include "forms/qt/form_painter.h"
#include "forms/qt/qt_host.h"
#include "forms/runtime.h"
#include "viewer/form1.h"

namespace {

using bench::Clock;
namespace fs = std::filesystem;

class NoEnvironment final : public forms::Environment {
  public:
    std::string get(std::string_view) const override { return {}; }
};

// The Kadroskop program on an unpaced offscreen screen, drive C: a folder of the benchmark's,
// started in `start`.
struct Program {
    forms::FileSystem files;
    NoEnvironment env;
    forms::qt::QtHost host;
    forms::Runtime rt;
    viewer::Module1 module;

    Program(const std::string& disk, const std::string& start)
        : files(forms::DriveTable{{{'C', disk}}}, start), host(options()), rt(host, files, env) {
        editions::install(rt, module, editions::kadroskop());
        rt.start();
        rt.doEvents();
    }
    static forms::qt::QtHostOptions options() {
        forms::qt::QtHostOptions o;
        o.screen = QRect(0, 0, 1920, 1080);
        o.refreshHz = 1e9; // the work, not the pacing to a display
        return o;
    }
};

// A picture the measured paint was to show is decoded at the size it is drawn, else the
// figure would not be what its name says.
void expectDrawn(const forms::Image& image, const char* what) {
    const forms::Picture& picture = image.Picture.get();
    if (!picture || !picture->decodedAt(forms::qt::stretchedPictureSize(image, 1.0))) {
        std::fprintf(stderr, "%s was not drawn by the paint measured\n", what);
        std::exit(2);
    }
}

// Lets Qt's event loop paint what is waiting.
void paintPending() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

// The chooser loaded at the current directory, shown and painted once: what the user waits
// for after "Открыть".
double showChooser(Program& p) {
    const auto t0 = Clock::now();
    auto& f4 = p.rt.form<chooser::Form4>("Form4");
    p.rt.show(f4, false);
    paintPending();
    const double took = bench::ms(Clock::now() - t0);
    for (const forms::Image* image : f4.Image1)
        expectDrawn(*image, "a preview");
    p.rt.unload(f4);
    paintPending();
    return took;
}

bool report(const char* what, double value, double limit, const char* unit) {
    const bool ok = value <= limit;
    std::printf("%-44s %8.2f %-4s (limit %.2f)%s\n", what, value, unit, limit,
                ok ? "" : "  BROKEN");
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    char tmpl[] = "/tmp/chooser-bench-XXXXXX";
    if (!mkdtemp(tmpl))
        return 2;
    const std::string disk = tmpl;
    bool ok = true;

    // Four previews. Each run gets files of its own, so that no run finds pixels an earlier
    // one decoded.
    std::fprintf(stderr, "writing the photographs...\n");
    constexpr int kRuns = 3;
    std::vector<double> previewRatios;
    for (int run = 0; run < kRuns; ++run) {
        const std::string folder = disk + "/four" + std::to_string(run);
        fs::create_directories(folder);
        double djpeg = 0;
        for (int k = 0; k < 4; ++k) {
            const std::string path = folder + "/p" + std::to_string(k) + ".jpg";
            if (run == 0)
                bench::writePhoto(path, 6000, 4000, static_cast<unsigned>(k + 1));
            else
                fs::copy_file(disk + "/four0/p" + std::to_string(k) + ".jpg", path);
            djpeg += bench::commandMs({"djpeg", "-scale", "1/8", "-outfile", "/dev/null", path});
        }
        Program p(disk, folder);
        const double took = showChooser(p);
        std::printf("four previews, run %d: %.1f ms, djpeg 1/8 x4 %.1f ms\n", run + 1, took, djpeg);
        previewRatios.push_back(took / djpeg);
    }
    ok &= report("four 24 MP previews / djpeg 1/8 x4", bench::maximum(previewRatios), 1.3, "x");

    // A big folder.
    std::fprintf(stderr, "writing the big folder...\n");
    const std::string big = disk + "/big";
    fs::create_directories(big);
    for (int k = 0; k < 10000; ++k)
        std::ofstream(big + "/note" + std::to_string(k) + ".txt") << "x";
    for (int k = 0; k < 1000; ++k)
        fs::create_directory(big + "/folder" + std::to_string(k));
    std::vector<double> listRatios, pageMs;
    for (int run = 0; run < kRuns; ++run) {
        const double find = bench::commandMs({"find", big, "-mindepth", "1", "-maxdepth", "1"});
        Program p(disk, big);
        const auto t0 = Clock::now();
        auto& f4 = p.rt.form<chooser::Form4>("Form4");
        p.rt.show(f4, false);
        paintPending();
        const double took = bench::ms(Clock::now() - t0);
        std::printf("big folder, run %d: %.1f ms, find %.1f ms\n", run + 1, took, find);
        listRatios.push_back(took / find);
        for (int page = 1; page <= 10; ++page) {
            const auto s0 = Clock::now();
            p.rt.scroll(f4.List1, f4.List1.TopIndex + f4.List1.visibleRows());
            paintPending();
            pageMs.push_back(bench::ms(Clock::now() - s0));
        }
        p.rt.unload(f4);
    }
    ok &= report("10,000 files + 1,000 folders / find", bench::maximum(listRatios), 3.0, "x");
    std::printf("%-44s %8.2f x    (aim 1.50)\n", "  median", bench::median(listRatios));
    ok &= report("one page of 1,000 folders scrolled", bench::maximum(pageMs), 16.7, "ms");

    // Opening a film: "OK" to the first frame painted.
    std::fprintf(stderr, "writing the film folders...\n");
    const std::string alone = disk + "/alone", many = disk + "/many";
    fs::create_directories(alone);
    fs::create_directories(many);
    bench::writePhoto(alone + "/0000.jpg", 6000, 4000, 7);
    bench::writePhoto(disk + "/tiny.jpg", 16, 12, 8);
    fs::copy_file(alone + "/0000.jpg", many + "/0000.jpg");
    for (int k = 1; k < 10000; ++k)
        fs::create_hard_link(disk + "/tiny.jpg", many + "/f" + std::to_string(k) + ".jpg");
    const auto opening = [&](const std::string& folder) {
        // A copy of its own each run, so that no earlier decode serves it.
        const std::string first = folder + "/0000.jpg";
        fs::rename(first, first + ".tmp");
        fs::copy_file(first + ".tmp", first);
        fs::remove(first + ".tmp");
        Program p(disk, folder);
        auto& f1 = p.rt.form<viewer::Form1>("Form1");
        Clock::time_point ok0{}, painted{};
        p.host.onPainted = [&](const forms::Form& f) {
            if (&f == &f1 && p.module.frameCount > 0 && painted == Clock::time_point{})
                painted = Clock::now();
        };
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                auto& f4 = p.rt.form<chooser::Form4>("Form4");
                p.rt.click(f4.Image1(0));
                ok0 = Clock::now();
                p.rt.click(f4.Command1);
            },
            Qt::QueuedConnection);
        p.rt.click(f1.Label1);
        p.rt.clickItem(f1.List1, 0);
        while (painted == Clock::time_point{})
            paintPending();
        expectDrawn(f1.Image11, "the first frame");
        return bench::ms(painted - ok0);
    };
    std::vector<double> openRatios;
    for (int run = 0; run < kRuns; ++run) {
        const double one = opening(alone);
        const double tenThousand = opening(many);
        std::printf("opening, run %d: 10,000 pictures %.1f ms, one picture %.1f ms\n", run + 1,
                    tenThousand, one);
        openRatios.push_back(tenThousand / one);
    }
    ok &= report("OK to first frame, 10,000 / 1 pictures", bench::maximum(openRatios), 1.3, "x");

    fs::remove_all(disk);
    return ok ? 0 : 1;
}
