// Both programs' main windows on the Qt host: what is drawn is where the model says.
#include <QCoreApplication>
#include <QFontMetrics>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "about/form3.h"
#include "editions/kadroskop/kadroskop.h"
#include "editions/lampionika/lampionika.h"
#include "forms/qt/fonts.h"
#include "tests/render/qt_world.h"
#include "viewer/form1.h"

namespace render_tests {
namespace {

// A control's rectangle on screen as the model gives it: its place in its container and its
// size, each rounded to whole pixels on its own (so a moving control keeps its size), the
// container's client origin rounded the same way, level by level.
QRect modelRect(const forms::Control& c) {
    const auto px = [](double twips) { return static_cast<int>(std::floor(twips / 15 + 0.5)); };
    QPoint at(px(c.Left), px(c.Top));
    for (const forms::Control* p = c.container(); p; p = p->container()) {
        const double border = static_cast<const forms::PictureBox*>(p)->borderTwips();
        at += QPoint(px(p->Left) + px(border), px(p->Top) + px(border));
    }
    return QRect(at, QSize(px(c.Width), px(c.Height)));
}

// Compares an image control's pixels, where it is the front-most control, with its picture
// scaled to its rectangle. Returns how many pixels were compared.
int expectPictureShown(QtWorld& w, const forms::Form& f, const QImage& shot,
                       const forms::Image& image) {
    const QRect r = modelRect(image);
    EXPECT_TRUE(image.Picture.get()) << image.name() << " has its picture";
    if (!image.Picture.get() || r.isEmpty())
        return 0;
    const QImage expected = image.Picture.get()->scaled(r.size());
    int compared = 0, wrong = 0;
    for (int y = r.top(); y <= r.bottom(); y += 3)
        for (int x = r.left(); x <= r.right(); x += 3) {
            if (w.rt.hitTest(f, static_cast<float>(x * 15 + 7), static_cast<float>(y * 15 + 7)) !=
                &image)
                continue;
            ++compared;
            if (rgbAt(shot, x, y) != rgbAt(expected, x - r.left(), y - r.top()))
                ++wrong;
        }
    EXPECT_EQ(wrong, 0) << image.name() << ": pixels that differ from its picture";
    return compared;
}

// A frame in two colours: red left half, blue right half.
void writeTwoColourFrame(const std::string& path, int w, int h) {
    QImage two(w, h, QImage::Format_RGB32);
    two.fill(QColor(255, 0, 0));
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x)
            two.setPixel(x, y, qRgb(0, 0, 255));
    ASSERT_TRUE(two.save(QString::fromStdString(path), "JPEG", 95));
}

// Writes each name into C:\film as a two-colour frame of the given pixel size and opens the
// folder as a film, as the menu's "Открыть" does once the chooser has made it the current
// directory; the names are in the folder's listing order.
void openFilm(QtWorld& w, viewer::Form1& f, const std::vector<std::string>& names, QSize frame) {
    std::filesystem::create_directory(w.disk / "film");
    for (const std::string& name : names)
        writeTwoColourFrame(w.disk / ("film/" + name), frame.width(), frame.height());
    ASSERT_TRUE(w.files.chDir("C:\\film"));
    ASSERT_TRUE(f.openFilm());
    const std::vector<std::string> film(w.module.frameFile.begin() + 1, w.module.frameFile.end());
    ASSERT_EQ(film, names);
}

bool isRed(QRgb c) {
    return qRed(c) > 200 && qGreen(c) < 60 && qBlue(c) < 60;
}
bool isBlue(QRgb c) {
    return qBlue(c) > 200 && qRed(c) < 60 && qGreen(c) < 60;
}
bool isDark(QRgb c) {
    return qRed(c) < 30 && qGreen(c) < 30 && qBlue(c) < 30;
}

// The two-colour frame exactly fills `r` of the screenshot.
void expectFrameFills(const QImage& shot, const QRect& r) {
    ASSERT_FALSE(r.isEmpty());
    const auto at = [&](QPoint p) { return shot.pixel(p); };
    EXPECT_TRUE(isRed(at(r.topLeft())));
    EXPECT_TRUE(isRed(at(r.bottomLeft())));
    EXPECT_TRUE(isBlue(at(r.topRight())));
    EXPECT_TRUE(isBlue(at(r.bottomRight())));
    EXPECT_TRUE(isRed(at(QPoint(r.left() + r.width() / 4, r.center().y()))));
    EXPECT_TRUE(isBlue(at(QPoint(r.right() - r.width() / 4, r.center().y()))));
    // Around it, where the screen goes on, the dark of what is behind.
    for (const QPoint p : {r.topLeft() - QPoint(1, 0), r.topLeft() - QPoint(0, 1),
                           r.bottomRight() + QPoint(1, 0), r.bottomRight() + QPoint(0, 1)})
        if (shot.rect().contains(p)) {
            EXPECT_TRUE(isDark(at(p))) << p.x() << "," << p.y();
        }
}

struct EditionCase {
    const char* name;
    const editions::Edition& (*edition)();
};

void PrintTo(const EditionCase& c, std::ostream* os) {
    *os << c.name;
}

class MainWindow : public testing::TestWithParam<EditionCase> {};

TEST_P(MainWindow, DrawsTopBarFrameWindowAndSidePictureWhereTheModelSays) {
    const editions::Edition& edition = GetParam().edition();
    QtWorld w(&edition);
    w.rt.start();
    auto& f = w.rt.form<viewer::Form1>("Form1");
    const QImage shot = w.grab(f);
    ASSERT_EQ(shot.size(), QSize(1024, 768)) << "the maximized window covers the screen";

    // The black top bar, across the whole width.
    const QRect bar = modelRect(f.Picture1);
    EXPECT_EQ(bar, QRect(0, 0, 1024, 25));
    for (int x : {300, 700, 1023})
        EXPECT_EQ(rgbAt(shot, x, 12), 0x000000u) << "top bar at " << x;

    // The pale yellow frame window exactly at its rectangle.
    const QRect frame = modelRect(f.Picture5);
    EXPECT_EQ(frame, QRect(250, 25, 749, 718));
    for (const QPoint p : {frame.topLeft(), frame.topRight(), frame.bottomLeft(),
                           frame.bottomRight(), frame.center()})
        EXPECT_EQ(rgbAt(shot, p.x(), p.y()), 0xFFFFC0u)
            << "frame window at " << p.x() << "," << p.y();
    for (const QPoint p : {frame.topLeft() - QPoint(1, 0), frame.topLeft() - QPoint(0, 1),
                           frame.bottomRight() + QPoint(1, 0), frame.bottomRight() + QPoint(0, 1)})
        EXPECT_EQ(rgbAt(shot, p.x(), p.y()), 0x000000u) << "outside at " << p.x() << "," << p.y();

    // The side photograph is drawn in its rectangle, and in Kadroskop the red band behind it.
    EXPECT_GT(expectPictureShown(w, f, shot, f.Image1), 5000);
    if (edition.variant.sideBand) {
        EXPECT_GT(expectPictureShown(w, f, shot, f.Image7), 1000);
    }
}

TEST_P(MainWindow, AFramesPictureFillsExactlyItsRectangle) {
    const editions::Edition& edition = GetParam().edition();
    QtWorld w(&edition);
    w.rt.start();
    auto& f = w.rt.form<viewer::Form1>("Form1");

    openFilm(w, f, {"a.jpg"}, QSize(400, 300));
    const QImage shot = w.grab(f);
    const QRect r = modelRect(f.Image11);
    EXPECT_TRUE(modelRect(f.Picture5).contains(r));
    expectFrameFills(shot, r);
}

TEST_P(MainWindow, FullScreenWindowCoversTheScreenWithTheFrame) {
    const editions::Edition& edition = GetParam().edition();
    QtWorld w(&edition);
    w.rt.start();
    auto& f = w.rt.form<viewer::Form1>("Form1");
    openFilm(w, f, {"a.jpg"}, QSize(400, 300));

    // While the full-screen window is up: look at it, then leave it with Esc. Should Esc
    // not hide it, the second action does, so the test cannot hang.
    bool looked = false;
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            forms::Form& full = w.rt.form("Form2");
            QWidget* win = w.host.window(full);
            ASSERT_NE(win, nullptr);
            EXPECT_EQ(win->geometry(), QRect(0, 0, 1024, 768));
            const QImage shot = w.grab(full);
            expectFrameFills(shot, modelRect(full.get<forms::Image>("Image1")));
            EXPECT_EQ(rgbAt(shot, 0, 0), 0x000000u);
            looked = true;
            QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b");
            QCoreApplication::sendEvent(win, &esc);
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            forms::Form& full = w.rt.form("Form2");
            EXPECT_FALSE(full.visible()) << "Esc leaves the full-screen window";
            if (full.visible())
                w.rt.hide(full);
        },
        Qt::QueuedConnection);
    f.fuls();
    EXPECT_TRUE(looked);
    EXPECT_FALSE(w.rt.form("Form2").visible());
}

// Page Down or Page Up pressed and released on the window, as the keyboard sends them.
void pageKey(QWidget* win, bool forward) {
    const int key = forward ? Qt::Key_PageDown : Qt::Key_PageUp;
    for (QEvent::Type t : {QEvent::KeyPress, QEvent::KeyRelease}) {
        QKeyEvent e(t, key, Qt::NoModifier);
        QCoreApplication::sendEvent(win, &e);
    }
}

TEST_P(MainWindow, AFrameChangeDecodesOnlyFramesNotShownBeforeOrChangedSince) {
    const editions::Edition& edition = GetParam().edition();
    QtWorld w(&edition);
    w.rt.start();
    auto& f = w.rt.form<viewer::Form1>("Form1");
    openFilm(w, f, {"a.jpg", "b.jpg", "c.jpg"}, QSize(330, 250));
    w.rt.doEvents();
    QWidget* win = w.host.window(f);

    // Once through the film and back, so that every picture of the window has shown once.
    for (const bool forward : {true, true, false, false})
        pageKey(win, forward);
    ASSERT_EQ(w.module.curFrame, 1);

    // Every frame has shown at its size and no file changed: paging decodes nothing, however
    // many moves show a frame.
    for (const bool forward : {true, true, false, false}) {
        const auto before = forms::PictureData::decodeCount();
        pageKey(win, forward);
        EXPECT_EQ(forms::PictureData::decodeCount() - before, 0u) << "to " << w.module.curFrame;
    }

    // A frame whose file changed since it was loaded is read and decoded afresh: the one
    // arriving, and the one being left.
    const auto rewrite = [&](const char* name, Qt::GlobalColor colour, int seconds) {
        QImage solid(330, 250, QImage::Format_RGB32);
        solid.fill(colour);
        const std::string path = w.disk / ("film/" + std::string(name));
        const auto modified = std::filesystem::last_write_time(path);
        ASSERT_TRUE(solid.save(QString::fromStdString(path), "JPEG", 95));
        std::filesystem::last_write_time(path, modified + std::chrono::seconds(seconds));
    };
    const auto shows = [](const forms::Picture& p, int red, int green, int blue) {
        const QImage image = p ? p->full() : QImage();
        const QRgb c = image.isNull() ? 0 : image.pixel(image.rect().center());
        return std::abs(qRed(c) - red) < 60 && std::abs(qGreen(c) - green) < 60 &&
               std::abs(qBlue(c) - blue) < 60;
    };
    forms::Picture left;
    w.host.onPainted = [&](const forms::Form&) {
        if (!left)
            left = f.Image11.Picture.get();
    };

    rewrite("b.jpg", Qt::green, 2);
    auto before = forms::PictureData::decodeCount();
    pageKey(win, true);
    EXPECT_EQ(forms::PictureData::decodeCount() - before, 1u) << "b arrives changed";
    EXPECT_TRUE(shows(f.Image11.Picture.get(), 0, 255, 0)) << "b as it is now";

    rewrite("b.jpg", Qt::blue, 4);
    rewrite("c.jpg", Qt::green, 2);
    left = nullptr;
    before = forms::PictureData::decodeCount();
    pageKey(win, true);
    EXPECT_EQ(forms::PictureData::decodeCount() - before, 2u) << "c arrives, b left, both changed";
    EXPECT_TRUE(shows(left, 0, 0, 255)) << "the frame left as it is now";
    EXPECT_TRUE(shows(f.Image11.Picture.get(), 0, 255, 0)) << "the frame arrived as it is now";
}

INSTANTIATE_TEST_SUITE_P(Editions, MainWindow,
                         testing::Values(EditionCase{"Kadroskop", &editions::kadroskop},
                                         EditionCase{"Lampionika", &editions::lampionika}),
                         [](const auto& info) { return std::string(info.param.name); });

// Whether a pixel has a text's colour at more than half its strength over the black ground.
bool inkOf(QRgb c, QRgb color) {
    const auto near = [](int got, int want) { return want == 0 ? got < 64 : got * 2 > want; };
    return near(qRed(c), qRed(color)) && near(qGreen(c), qGreen(color)) &&
           near(qBlue(c), qBlue(color));
}

// The ink a text of the given colour left in a rectangle of the screenshot.
struct Ink {
    QRect box;         // bounding box, empty when there is none
    bool full = false; // some pixel has exactly the text's colour
};
Ink inkIn(const QImage& shot, const QRect& area, QRgb color) {
    Ink ink;
    const QRect r = area.intersected(shot.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QRgb c = shot.pixel(x, y);
            if (!inkOf(c, color))
                continue;
            ink.box = ink.box.united(QRect(x, y, 1, 1));
            ink.full = ink.full || (c & 0xFFFFFFu) == (color & 0xFFFFFFu);
        }
    return ink;
}

// The share of differing pixels between the ink a text left in `area` of the screenshot and
// the ink of the same text drawn in `font` alone on black, each taken from its own ink's
// bounding box: near 0 for the same glyphs in the same face, size, weight and slant. The
// text may stand at a fraction of a pixel (centred text): the best of eight offsets counts.
double inkMismatch(const QImage& shot, const QRect& area, const QString& text, const QFont& font,
                   QRgb color) {
    const QRect a = inkIn(shot, area, color).box;
    if (a.isEmpty())
        return 1;
    const QFontMetrics m(font);
    double best = 1;
    for (int eighth = 0; eighth < 8; ++eighth) {
        QImage ref(m.horizontalAdvance(text) + 2 * m.height(), 3 * m.height(),
                   QImage::Format_RGB32);
        ref.fill(Qt::black);
        {
            QPainter p(&ref);
            p.setFont(font);
            p.setPen(QColor::fromRgb(color));
            p.drawText(QPointF(m.height() + eighth / 8.0, m.height() + m.ascent()), text);
        }
        const QRect b = inkIn(ref, ref.rect(), color).box;
        int differ = 0, ink = 0;
        for (int y = 0; y < std::max(a.height(), b.height()); ++y)
            for (int x = 0; x < std::max(a.width(), b.width()); ++x) {
                const QPoint pa = a.topLeft() + QPoint(x, y), pb = b.topLeft() + QPoint(x, y);
                const bool inA = a.contains(pa) && inkOf(shot.pixel(pa), color);
                const bool inB = b.contains(pb) && inkOf(ref.pixel(pb), color);
                ink += inA || inB;
                differ += inA != inB;
            }
        if (ink)
            best = std::min(best, static_cast<double>(differ) / ink);
    }
    return best;
}

// The About window on the screen: the black ground, the photograph exactly in its rectangle,
// the texts in their colours and fonts, the "OK" button's face.
TEST_P(MainWindow, AboutWindowDrawsItsTextsAndPhotographWhereTheModelSays) {
    const editions::Edition& edition = GetParam().edition();
    QtWorld w(&edition);
    w.rt.start();
    auto& f = w.rt.form<about::Form3>("Form3");
    w.rt.show(f, false);
    const QImage shot = w.grab(f);
    ASSERT_EQ(shot.size(), QSize(1024, 768)) << "the maximized window covers the screen";

    // The photograph fills its rectangle, with the black ground on either side of it.
    const QRect photo = modelRect(f.Image1);
    ASSERT_TRUE(shot.rect().contains(photo));
    EXPECT_GT(expectPictureShown(w, f, shot, f.Image1), 20000);
    const QPoint mid = photo.center();
    for (const QPoint p : {QPoint(photo.left() - 1, mid.y()), QPoint(photo.right() + 1, mid.y()),
                           QPoint(mid.x(), photo.top() - 1), QPoint(mid.x(), photo.bottom() + 1),
                           QPoint(1023, 0), QPoint(0, 0), QPoint(0, 767)})
        if (shot.rect().contains(p)) {
            EXPECT_EQ(rgbAt(shot, p.x(), p.y()), 0x000000u)
                << "ground at " << p.x() << "," << p.y();
        }

    // The title and the author line in yellow, the contact address in light cyan centred in
    // its box, each drawn in its design font (face, size, weight, slant).
    const QRect title = modelRect(f.Label1), author = modelRect(f.Label2);
    const QRect contact = modelRect(f.Text1), address = contact.adjusted(2, 2, -2, -2);
    const QRgb yellow = qRgb(255, 255, 0), cyan = qRgb(128, 255, 255);
    EXPECT_TRUE(inkIn(shot, title, yellow).full);
    EXPECT_TRUE(inkIn(shot, author, yellow).full);
    const Ink contactInk = inkIn(shot, address, cyan);
    EXPECT_TRUE(contactInk.full);
    EXPECT_NEAR(contactInk.box.center().x(), contact.center().x(), 3);
    EXPECT_LT(inkMismatch(shot, author, QString::fromStdString(f.Label2.Caption),
                          forms::qt::toQFont(f.Label2.Font), yellow),
              0.05);
    EXPECT_LT(inkMismatch(shot, address, QString::fromStdString(f.Text1.Text),
                          forms::qt::toQFont(f.Text1.Font), cyan),
              0.05);
    // Transparent labels and the black contact box leave the ground black around the texts.
    for (const QPoint p : {author.topRight(), title.topLeft(), title.topRight(),
                           QPoint(contact.left() + 3, contact.center().y())})
        EXPECT_EQ(rgbAt(shot, p.x(), p.y()), 0x000000u) << "ground at " << p.x() << "," << p.y();

    // "OK": the button face, with its caption in black in the middle.
    const QRect ok = modelRect(f.Command1);
    EXPECT_EQ(rgbAt(shot, ok.left() + 6, ok.center().y()), 0xC0C0C0u);
    EXPECT_EQ(rgbAt(shot, ok.right() - 6, ok.center().y()), 0xC0C0C0u);
    EXPECT_FALSE(inkIn(shot, ok.adjusted(6, 6, -6, -6), qRgb(0, 0, 0)).box.isEmpty());
}

TEST(Slide, EachMoveIsPaintedOnceAtTheRefreshPace) {
    constexpr double kHz = 100;
    QtWorld w(&editions::kadroskop(), testScreen(kHz));
    w.rt.start();
    auto& f = w.rt.form<viewer::Form1>("Form1");
    openFilm(w, f, {"a.jpg", "b.jpg"}, QSize(320, 240));
    w.rt.doEvents();

    // Where the strip stood at each paint of the main window, and when it was painted.
    std::vector<float> painted;
    std::vector<std::chrono::steady_clock::time_point> paintedAt;
    w.host.onPainted = [&](const forms::Form& form) {
        if (&form == &f) {
            painted.push_back(f.Picture6.Top);
            paintedAt.push_back(std::chrono::steady_clock::now());
        }
    };
    // "Page Down" clicked with the mouse.
    QWidget* win = w.host.window(f);
    const QPoint button = modelRect(f.Image4).center();
    for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent e(t, QPointF(button), QPointF(win->mapToGlobal(button)), Qt::LeftButton,
                      t == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(win, &e);
    }
    EXPECT_EQ(w.module.curFrame, 2);

    // One paint per move, each showing a new position of the strip: the loop's moves from 0
    // down to its far end, one extent and a fifteenth, and the last jump.
    const int steps = editions::kadroskop().variant.stepsPerFrame;
    ASSERT_GE(static_cast<int>(painted.size()), steps);
    EXPECT_LE(static_cast<int>(painted.size()), steps * 16 / 15 + 3);
    for (std::size_t i = 1; i < painted.size(); ++i)
        EXPECT_LT(painted[i], painted[i - 1]) << "paint " << i << " shows a new position";
    // No move is shown before the refresh after the previous one: paint k + 1 follows the
    // presentation of paint k, and presentations lie at least one period apart. A busy
    // machine can only make the slide slower, so only the lower bound is asserted here; the
    // benchmark bounds it from above.
    const auto period = w.host.refreshPeriod();
    const auto n = static_cast<long>(painted.size());
    EXPECT_GE(paintedAt.back() - paintedAt.front(), (n - 2) * period);
}

} // namespace
} // namespace render_tests
