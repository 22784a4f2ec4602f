// The film chooser of both programs on the Qt host: where the window stands, and what its
// previews, icons and panels show where the design puts them.
#include <QCoreApplication>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "chooser/form4.h"
#include "editions/kadroskop/kadroskop.h"
#include "editions/lampionika/lampionika.h"
#include "forms/qt/form_painter.h"
#include "tests/render/qt_world.h"
#include "tests/support/fixtures.h"
#include "viewer/form1.h"

namespace render_tests {
namespace {

using forms::qt::controlRect;

struct EditionCase {
    const char* name;
    const editions::Edition& (*edition)();
};

void PrintTo(const EditionCase& c, std::ostream* os) {
    *os << c.name;
}

class Chooser : public testing::TestWithParam<EditionCase> {};

// How many distinct colours a rectangle of the shot holds: a drawn icon has several.
int colours(const QImage& shot, const QRect& r) {
    std::vector<QRgb> seen;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (std::find(seen.begin(), seen.end(), shot.pixel(x, y)) == seen.end())
                seen.push_back(shot.pixel(x, y));
    return static_cast<int>(seen.size());
}

TEST_P(Chooser, StandsCentredAndShowsFourPreviewsWithTheirIcons) {
    const editions::Edition& edition = GetParam().edition();
    QtWorld w(&edition);
    std::filesystem::create_directories(w.disk / "film/sub1");
    std::filesystem::create_directories(w.disk / "film/sub2");
    const unsigned rgb[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};
    const char* names[] = {"a.jpg", "b.jpg", "c.bmp", "d.gif"};
    for (int k = 0; k < 4; ++k)
        testing_support::writePicture(w.disk / (std::string("film/") + names[k]), 40, 30, rgb[k]);
    ASSERT_TRUE(w.files.chDir("C:\\film"));
    w.rt.start();

    bool looked = false;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            auto& f4 = w.rt.form<chooser::Form4>("Form4");
            QWidget* win = w.host.window(f4);
            ASSERT_NE(win, nullptr);
            // The client area exactly the design's size, centred on the main window (which
            // covers the 1024 x 768 screen) below the frame's title bar.
            const QSize client(static_cast<int>(edition.form4.clientWidth / 15),
                               static_cast<int>(edition.form4.clientHeight / 15));
            EXPECT_EQ(win->size(), client);
            EXPECT_NEAR(win->geometry().center().x(), 512, 1);
            EXPECT_NEAR(win->geometry().center().y(), 384 + 9, 1);
            EXPECT_EQ(win->windowTitle().toStdString(), edition.form4.caption);

            const QImage shot = w.grab(f4);
            EXPECT_EQ(rgbAt(shot, 2, 2), 0xC0C0C0u) << "silver";
            for (int k = 0; k < 4; ++k) {
                SCOPED_TRACE(k);
                const QRect r = controlRect(f4.Image1(k));
                const QPoint c = r.center();
                const unsigned at = rgbAt(shot, c.x(), c.y());
                // JPEG keeps the colour within a few levels.
                for (int shift : {0, 8, 16})
                    EXPECT_NEAR(static_cast<int>((at >> shift) & 0xFF),
                                static_cast<int>((rgb[k] >> shift) & 0xFF), 24);
            }
            if (!f4.variant().backdropAlways) {
                // Kadroskop: each preview inside a black frame window of the film strip,
                // the film's grey beside it.
                const QRect strip = controlRect(f4.Picture1);
                for (int k = 0; k < 4; ++k) {
                    const QRect r = controlRect(f4.Image1(k));
                    EXPECT_EQ(rgbAt(shot, r.left() - 3, r.center().y()), 0x000000u) << k;
                    EXPECT_GE(r.left() - strip.left(), 30) << k;
                    EXPECT_LE(r.right() - strip.left(), 159) << k;
                }
                EXPECT_NE(rgbAt(shot, strip.left() + 4, strip.top() + 50), 0x000000u);
            } else {
                // Lampionika: four previews side by side at 112-pixel steps on black.
                for (int k = 1; k < 4; ++k)
                    EXPECT_EQ(controlRect(f4.Image1(k)).left() -
                                  controlRect(f4.Image1(k - 1)).left(),
                              112);
                const QRect r = controlRect(f4.Image1(0));
                EXPECT_EQ(rgbAt(shot, r.left() - 3, r.center().y()), 0x000000u);
            }
            // The row icons beside the two subfolders, the up icon and the drive icon.
            for (int k = 0; k < 2; ++k)
                EXPECT_GT(colours(shot, controlRect(f4.Picture3(k))), 3) << k;
            EXPECT_EQ(colours(shot, controlRect(f4.Picture3(2)).adjusted(0, 0, -2, -2)), 1)
                << "no third icon";
            EXPECT_GT(colours(shot, controlRect(f4.Picture7)), 3);
            EXPECT_GT(colours(shot, controlRect(f4.Picture9)), 3);
            looked = true;
            w.rt.click(f4.Command2);
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            if (w.rt.isLoaded("Form4") && w.rt.form("Form4").visible())
                w.rt.hide(w.rt.form("Form4"));
        },
        Qt::QueuedConnection);
    auto& f1 = w.rt.form<viewer::Form1>("Form1");
    w.rt.click(f1.Label1);
    w.rt.clickItem(f1.List1, 0);
    EXPECT_TRUE(looked);
    EXPECT_FALSE(w.rt.isLoaded("Form4"));
}

INSTANTIATE_TEST_SUITE_P(Editions, Chooser,
                         testing::Values(EditionCase{"Kadroskop", &editions::kadroskop},
                                         EditionCase{"Lampionika", &editions::lampionika}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace render_tests
