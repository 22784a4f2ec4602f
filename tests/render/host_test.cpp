// The Qt host with windows of the tests' own designs: what is painted where, and how the
// user's input reaches the model.
#include <QApplication>
#include <QCloseEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>
#include <QWheelEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "forms/keycodes.h"
#include "forms/qt/fonts.h"
#include "forms/qt/form_painter.h"
#include "forms/qt/keys.h"
#include "tests/render/qt_world.h"
#include "tests/support/fixtures.h"

namespace render_tests {
namespace {

using forms::ControlKind;

// A control of a test design; geometry in pixels.
forms::ControlDesign control(ControlKind kind, std::string name, std::string parent, int l, int t,
                             int w, int h) {
    forms::ControlDesign d;
    d.kind = kind;
    d.name = std::move(name);
    d.parent = std::move(parent);
    d.left = static_cast<float>(l * 15);
    d.top = static_cast<float>(t * 15);
    d.width = static_cast<float>(w * 15);
    d.height = static_cast<float>(h * 15);
    return d;
}

forms::FormDesign formDesign(std::string name, int w, int h, int borderStyle = 0) {
    forms::FormDesign d;
    d.name = std::move(name);
    d.caption = "Test window";
    d.borderStyle = borderStyle;
    d.maxButton = d.minButton = false;
    d.clientWidth = static_cast<float>(w * 15);
    d.clientHeight = static_cast<float>(h * 15);
    d.back = 0x00FF0000; // blue
    return d;
}

// A window that records the events it receives.
class RecordingForm final : public forms::Form {
  public:
    using Form::Form;
    std::vector<std::string> log;
    float mouseX = -1, mouseY = -1;
    void Form_KeyDown(int& k, int s) override {
        log.push_back("down " + std::to_string(k) + " " + std::to_string(s));
    }
    void Form_KeyUp(int& k, int s) override {
        log.push_back("up " + std::to_string(k) + " " + std::to_string(s));
    }
    void Form_KeyPress(int& k) override { log.push_back("press " + std::to_string(k)); }
    void Form_MouseMove(int, int, float x, float y) override {
        mouseX = x;
        mouseY = y;
    }
    // Runs when the window unloads; the runtime then releases it.
    std::function<void()> onUnload;
    void Form_Unload() override {
        if (onUnload)
            onUnload();
    }
};

RecordingForm& install(QtWorld& w, const forms::FormDesign& design) {
    w.rt.registerForm(design.name, [design](forms::Runtime& rt) {
        return std::make_unique<RecordingForm>(rt, design);
    });
    return w.rt.form<RecordingForm>(design.name);
}

void sendMouse(QWidget* w, QEvent::Type type, QPoint at) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick
            ? Qt::MouseButtons(Qt::LeftButton)
            : Qt::MouseButtons(Qt::NoButton);
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &e);
}

void clickAt(QWidget* w, QPoint at) {
    sendMouse(w, QEvent::MouseButtonPress, at);
    sendMouse(w, QEvent::MouseButtonRelease, at);
}

void sendKey(QWidget* w, QEvent::Type type, int key, Qt::KeyboardModifiers mods = {},
             const QString& text = {}, bool autoRepeat = false) {
    QKeyEvent e(type, key, mods, text, autoRepeat);
    QCoreApplication::sendEvent(w, &e);
}

TEST(QtHostPaint, DrawsTheTreeBackToFrontWithBordersClippingAndRoundedEdges) {
    QtWorld w;
    forms::FormDesign d = formDesign("F", 300, 200);
    auto front = control(ControlKind::PictureBox, "Front", "", 20, 20, 40, 40);
    front.borderStyle = 0;
    front.back = 0x000000FF; // red
    auto box = control(ControlKind::PictureBox, "Box", "", 40, 40, 100, 80);
    box.back = 0x0000FF00; // green, a 3D single border
    auto inner = control(ControlKind::PictureBox, "Inner", "Box", 80, 10, 50, 20);
    inner.borderStyle = 0;
    inner.back = 0x0000FFFF; // yellow, sticking out of Box at the right
    auto flat = control(ControlKind::PictureBox, "Flat", "", 160, 40, 30, 30);
    flat.appearance = 0;
    flat.back = 0x00FFFFFF;
    auto hidden = control(ControlKind::PictureBox, "Hidden", "", 200, 120, 40, 40);
    hidden.visible = false;
    hidden.back = 0x00FFFFFF;
    auto odd = control(ControlKind::PictureBox, "Odd", "", 0, 150, 0, 20);
    odd.borderStyle = 0;
    odd.back = 0x00000000;
    odd.left = 3007.5f; // 200.5 px
    odd.width = 292.5f; // 19.5 px: 20 wherever it stands
    d.controls = {front, box, inner, flat, hidden, odd};
    RecordingForm& f = install(w, d);
    f.Show();
    const QImage img = w.grab(f);
    ASSERT_EQ(img.size(), QSize(300, 200));

    struct Case {
        int x, y;
        unsigned rgb;
        const char* what;
    };
    const Case cases[] = {
        {5, 5, 0x0000FF, "form background"},
        {50, 50, 0xFF0000, "front box over the bordered one"},
        {40, 70, 0x808080, "sunken border: outer shadow at the left"},
        {41, 70, 0x000000, "sunken border: inner dark shadow"},
        {139, 70, 0xFFFFFF, "sunken border: outer highlight at the right"},
        {138, 70, 0xC0C0C0, "sunken border: inner light"},
        {80, 100, 0x00FF00, "the box's client area"},
        {42 + 80, 42 + 10, 0xFFFF00, "child origin inside the 2-pixel border"},
        {137, 60, 0xFFFF00, "child up to the container's client edge"},
        {138, 60, 0xC0C0C0, "child clipped at the container's border"},
        {145, 60, 0x0000FF, "nothing of the child outside its container"},
        {160, 50, 0x000000, "flat border: 1 pixel black"},
        {161, 50, 0xFFFFFF, "flat border: inner line in the box's colour"},
        {220, 140, 0x0000FF, "hidden control not drawn"},
        {200, 160, 0x0000FF, "left edge 200.5 px rounds up"},
        {201, 160, 0x000000, "first pixel of the box"},
        {220, 160, 0x000000, "last pixel of the box: its width rounds on its own"},
        {221, 160, 0x0000FF, "right of the box"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rgbAt(img, c.x, c.y), c.rgb) << c.what << " at " << c.x << "," << c.y;
}

TEST(QtHostPaint, PicturesStretchedIntoImagesAndUnscaledInPictureBoxes) {
    QtWorld w;
    // A 20 x 10 picture: red left half, blue right half.
    QImage two(20, 10, QImage::Format_RGB32);
    two.fill(Qt::red);
    for (int y = 0; y < 10; ++y)
        for (int x = 10; x < 20; ++x)
            two.setPixel(x, y, qRgb(0, 0, 255));
    const std::string path = w.disk / "two.bmp";
    ASSERT_TRUE(two.save(QString::fromStdString(path), "BMP"));

    forms::FormDesign d = formDesign("F", 300, 200);
    d.back = 0x00FFFFFF;
    auto stretched = control(ControlKind::Image, "Stretched", "", 10, 10, 100, 50);
    stretched.stretch = true;
    auto framed = control(ControlKind::Image, "Framed", "", 10, 100, 40, 20);
    framed.stretch = true;
    framed.borderStyle = 1;
    auto box = control(ControlKind::PictureBox, "Box", "", 150, 10, 60, 40);
    box.back = 0x0000FF00;
    d.controls = {stretched, framed, box};
    RecordingForm& f = install(w, d);
    const auto pic = w.rt.loadPicture("two.bmp");
    ASSERT_TRUE(pic);
    f.get<forms::Image>("Stretched").Picture = pic.value();
    f.get<forms::Image>("Framed").Picture = pic.value();
    f.get<forms::PictureBox>("Box").Picture = pic.value();
    f.Show();
    const QImage img = w.grab(f);

    struct Case {
        int x, y;
        unsigned rgb;
        const char* what;
    };
    const Case cases[] = {
        {10, 10, 0xFF0000, "stretched: top left corner"},
        {10, 59, 0xFF0000, "stretched: bottom left corner"},
        {109, 10, 0x0000FF, "stretched: top right corner"},
        {109, 59, 0x0000FF, "stretched: bottom right corner"},
        {50, 35, 0xFF0000, "stretched: left half"},
        {70, 35, 0x0000FF, "stretched: right half"},
        {9, 35, 0xFFFFFF, "nothing left of the image"},
        {110, 35, 0xFFFFFF, "nothing right of the image"},
        {60, 60, 0xFFFFFF, "nothing below the image"},
        {10, 100, 0x000000, "image border: black"},
        {49, 119, 0x000000, "image border: black at the far corner"},
        {11, 101, 0xFF0000, "picture inside the image border"},
        {152, 12, 0xFF0000, "picture box: picture at the client origin"},
        {171, 21, 0x0000FF, "picture box: own size, not scaled"},
        {172, 21, 0x00FF00, "picture box: background right of the picture"},
        {152, 22, 0x00FF00, "picture box: background below the picture"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rgbAt(img, c.x, c.y), c.rgb) << c.what << " at " << c.x << "," << c.y;
}

// The first and last row and column of `img` where the colour is `rgb`, as a rectangle.
QRect extentOf(const QImage& img, unsigned rgb) {
    QRect r;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (rgbAt(img, x, y) == rgb)
                r |= QRect(x, y, 1, 1);
    return r;
}

TEST(QtHostPaint, AControlMovingByFractionsOfAPixelKeepsItsDrawnSize) {
    QtWorld w;
    QImage red(8, 8, QImage::Format_RGB32);
    red.fill(Qt::red);
    ASSERT_TRUE(red.save(QString::fromStdString(w.disk / "red.bmp"), "BMP"));

    // A strip carrying a stretched picture 40.5 x 100.5 pixels large, as a slide moves one.
    forms::FormDesign d = formDesign("F", 300, 200);
    auto strip = control(ControlKind::PictureBox, "Strip", "", 20, 0, 60, 150);
    strip.borderStyle = 0;
    strip.back = 0x00000000;
    auto frame = control(ControlKind::Image, "Frame", "Strip", 5, 10, 0, 0);
    frame.stretch = true;
    frame.width = 607.5f;
    frame.height = 1507.5f;
    d.controls = {strip, frame};
    RecordingForm& f = install(w, d);
    f.get<forms::Image>("Frame").Picture = w.rt.loadPicture("red.bmp").value();
    f.Show();
    auto& s = f.get<forms::PictureBox>("Strip");

    QRect last;
    for (int move = 0; move <= 30; ++move) {
        s.Top = static_cast<float>(move * 7); // about half a pixel a move
        s.Left = static_cast<float>(300 + move * 4);
        w.rt.doEvents();
        const QRect drawn = extentOf(w.grab(f), 0xFF0000);
        EXPECT_EQ(drawn.size(), QSize(41, 101)) << "move " << move << ": " << drawn.y();
        EXPECT_GE(drawn.top(), last.top()) << "move " << move << " goes down";
        last = drawn;
    }
    // 210 twips down and 120 to the right of where it started: 14 and 8 pixels.
    EXPECT_EQ(last.topLeft(), QPoint(20 + 8 + 5, 14 + 10));
}

// Columns of a rectangle where some pixel differs from the background.
std::pair<int, int> inkColumns(const QImage& img, const QRect& r, unsigned background) {
    int first = -1, last = -1;
    for (int x = r.left(); x <= r.right(); ++x)
        for (int y = r.top(); y <= r.bottom(); ++y)
            if (rgbAt(img, x, y) != background) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}

// A run of pending events (a move of a slide) does not wait for a large picture to decode:
// the picture decodes on a worker and asks for a paint of its own once it is done, with
// nothing of the model changed; then it shows.
TEST(QtHostPaint, ALargePictureDecodedAfterARunOfPendingEventsAsksForItsPaint) {
    QtWorld w;
    QImage big(1600, 1000, QImage::Format_RGB32);
    big.fill(Qt::red);
    ASSERT_TRUE(big.save(QString::fromStdString(w.disk / "big.jpg"), "JPEG"));
    forms::FormDesign d = formDesign("F", 300, 200);
    d.back = 0x00FFFFFF;
    auto image = control(ControlKind::Image, "Frame", "", 10, 10, 160, 100);
    image.stretch = true;
    d.controls = {image};
    RecordingForm& f = install(w, d);
    f.Show();
    w.rt.doEvents();
    const auto pic = w.rt.loadPicture("big.jpg");
    ASSERT_TRUE(pic);
    const QSize drawn(160, 100);
    ASSERT_FALSE(pic.value()->requestedAt(drawn));

    f.get<forms::Image>("Frame").Picture = pic.value();
    const std::uint64_t generation = f.generation();
    w.rt.doEvents();
    const int painted = w.host.paintCount(f);
    // Once decoded, a paint of its own (hang guard: ten seconds).
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (w.host.paintCount(f) == painted && std::chrono::steady_clock::now() < until)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    EXPECT_EQ(w.host.paintCount(f), painted + 1);
    EXPECT_TRUE(pic.value()->decodedAt(drawn));
    EXPECT_EQ(f.generation(), generation);
    const unsigned centre = rgbAt(w.grab(f), 90, 60);
    EXPECT_GT(centre >> 16, 200u);
    EXPECT_LT(centre & 0xFF, 60u);
}

TEST(QtHostPaint, LabelsAndListsDrawTheirTextInTheirColours) {
    QtWorld w;
    forms::FormDesign d = formDesign("F", 400, 200);
    auto left = control(ControlKind::Label, "Left", "", 10, 10, 150, 20);
    left.text = "Файл";
    left.back = 0x00000000;
    left.fore = 0x00FFFFFF;
    auto right = control(ControlKind::Label, "Right", "", 10, 40, 150, 20);
    right.text = "Файл";
    right.alignment = 1;
    right.back = 0x00000000;
    right.fore = 0x00FFFFFF;
    auto clear = control(ControlKind::Label, "Clear", "", 200, 10, 100, 20);
    clear.text = "x";
    clear.backStyle = 0;
    auto list = control(ControlKind::ListBox, "List", "", 10, 80, 150, 67);
    list.back = forms::sys::WindowFrame;
    list.fore = forms::sys::InactiveBorder;
    d.controls = {left, right, clear, list};
    RecordingForm& f = install(w, d);
    auto& l = f.get<forms::ListBox>("List");
    l.AddItem("Открыть");
    l.AddItem("О программе");
    l.AddItem("Выход");
    l.ListIndex = 1;
    f.Show();
    const QImage img = w.grab(f);

    const auto [l0, l1] = inkColumns(img, QRect(10, 10, 150, 20), 0x000000);
    ASSERT_GE(l0, 10) << "the caption is drawn";
    EXPECT_LE(l0, 13) << "left aligned";
    const auto [r0, r1] = inkColumns(img, QRect(10, 40, 150, 20), 0x000000);
    ASSERT_GE(r0, 10);
    EXPECT_GE(r1, 155) << "right aligned";
    EXPECT_EQ(r1 - r0, l1 - l0) << "the same caption, the same width";
    EXPECT_EQ(rgbAt(img, 205, 25), 0x0000FF) << "a transparent label shows what is behind";

    // The list: black rows, the selected second row in the highlight colour.
    const int row = forms::qt::rowHeightPx(l);
    EXPECT_EQ(row, 13) << "rows of the default font at 96 dpi";
    EXPECT_EQ(rgbAt(img, 150, 82 + row / 2), 0x000000) << "first row";
    EXPECT_EQ(rgbAt(img, 150, 82 + row + row / 2), 0x000080) << "selected row";
    EXPECT_EQ(rgbAt(img, 150, 82 + 2 * row + row / 2), 0x000000) << "third row";
    const auto [t0, t1] = inkColumns(img, QRect(12, 82 + 2 * row, 140, row), 0x000000);
    EXPECT_GE(t0, 12) << "the third item's text is drawn";
    // The ink is the list's fore colour (light grey), blended into black at the glyphs'
    // edges: grey everywhere and at most as light as the fore colour.
    unsigned brightest = 0;
    bool grey = true;
    for (int x = t0; x <= t1; ++x)
        for (int y = 82 + 2 * row; y < 82 + 3 * row; ++y) {
            const QRgb c = img.pixel(x, y);
            grey = grey && qRed(c) == qGreen(c) && qGreen(c) == qBlue(c);
            brightest = std::max(brightest, static_cast<unsigned>(qRed(c)));
        }
    EXPECT_TRUE(grey) << "items in the list's fore colour";
    EXPECT_GE(brightest, 0xA0u) << "items in the list's fore colour";
    EXPECT_LE(brightest, 0xC0u) << "items in the list's fore colour";
}

TEST(QtHostText, DesignFontsAreSubstitutedAndMeasuredInWholePixels) {
    QtWorld w;
    struct Case {
        const char* name;
        float size;
        const char* family;
        int pixels;
    };
    const Case cases[] = {
        {"MS Sans Serif", 8.25f, "Liberation Sans", 11},
        {"MS Sans Serif", 12.0f, "Liberation Sans", 16},
        {"Times New Roman", 13.5f, "Liberation Serif", 18},
    };
    for (const Case& c : cases) {
        forms::Font font;
        font.name = c.name;
        font.size = c.size;
        const QFont q = forms::qt::toQFont(font);
        EXPECT_EQ(QFontInfo(q).family(), c.family) << c.name;
        EXPECT_EQ(q.pixelSize(), c.pixels) << c.name << " " << c.size;
        const forms::Size2 m = w.host.measureText(font, "Файл");
        const QFontMetricsF metrics(q);
        EXPECT_EQ(m.width, std::ceil(metrics.horizontalAdvance(QString("Файл"))) * 15);
        EXPECT_EQ(m.height, std::ceil(metrics.lineSpacing()) * 15);
    }
}

// The text Qt draws on its own, tooltips above all, is in the designs' default font and not
// in the face the system falls back to (on a bare install, a monospaced one).
TEST(QtHostText, QtsOwnTextIsInTheDesignsDefaultFont) {
    QtWorld w;
    const QFontInfo design(forms::qt::toQFont(forms::Font{}));
    ASSERT_EQ(design.family().toStdString(), "Liberation Sans");
    for (const QFont& f : {QApplication::font(), QToolTip::font()}) {
        const QFontInfo used(f);
        EXPECT_EQ(used.family().toStdString(), design.family().toStdString());
        EXPECT_EQ(used.pixelSize(), design.pixelSize());
        EXPECT_FALSE(used.fixedPitch());
    }
}

TEST(QtHostInput, KeysBecomeVirtualKeyCodes) {
    using forms::qt::virtualKey;
    namespace vk = forms::vk;
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        int expected;
    };
    const Case cases[] = {
        {Qt::Key_PageUp, {}, vk::PageUp},
        {Qt::Key_PageDown, {}, vk::PageDown},
        {Qt::Key_End, {}, vk::End},
        {Qt::Key_Home, {}, vk::Home},
        {Qt::Key_Left, {}, vk::Left},
        {Qt::Key_Down, {}, vk::Down},
        {Qt::Key_Insert, {}, vk::Insert},
        {Qt::Key_Delete, {}, vk::Delete},
        {Qt::Key_Escape, {}, vk::Escape},
        {Qt::Key_Return, {}, vk::Return},
        {Qt::Key_Enter, Qt::KeypadModifier, vk::Return},
        {Qt::Key_Space, {}, vk::Space},
        {Qt::Key_Backspace, {}, vk::Back},
        {Qt::Key_Tab, {}, vk::Tab},
        {Qt::Key_A, {}, 'A'},
        {Qt::Key_Z, Qt::ShiftModifier, 'Z'},
        {Qt::Key_0, {}, '0'},
        {Qt::Key_7, Qt::KeypadModifier, vk::Num0 + 7},
        {Qt::Key_F1, {}, vk::F1},
        {Qt::Key_F12, {}, vk::F1 + 11},
        {Qt::Key_Shift, Qt::ShiftModifier, vk::Shift},
        {Qt::Key_Control, Qt::ControlModifier, vk::Control},
        {Qt::Key_Alt, Qt::AltModifier, vk::Menu},
        {Qt::Key_Plus, Qt::KeypadModifier, vk::NumPlus},
        {Qt::Key_Minus, Qt::KeypadModifier, vk::NumMinus},
        {Qt::Key_Plus, Qt::ShiftModifier, vk::OemPlus},
        {Qt::Key_Equal, {}, vk::OemPlus},
        {Qt::Key_Minus, {}, vk::OemMinus},
        {Qt::Key_PageDown, Qt::KeypadModifier, vk::PageDown},
        {Qt::Key_Asterisk, {}, '8'},
        {Qt::Key_Asterisk, Qt::KeypadModifier, vk::NumMultiply},
        {Qt::Key_Period, Qt::KeypadModifier, vk::NumDecimal},
        {0x419, {}, 'Q'}, // the Russian layout's letter on the Q key
        {0x416, {}, vk::OemSemicolon},
    };
    for (const Case& c : cases)
        EXPECT_EQ(virtualKey(c.key, c.mods), c.expected) << "Qt key 0x" << std::hex << c.key;
    EXPECT_EQ(forms::qt::shiftState(Qt::ShiftModifier | Qt::AltModifier), 5);
    EXPECT_EQ(forms::qt::shiftState(Qt::ControlModifier | Qt::KeypadModifier), 2);
}

TEST(QtHostInput, KeysReachTheFormAsDownPressAndUp) {
    QtWorld w;
    forms::FormDesign d = formDesign("F", 200, 100);
    d.keyPreview = true;
    RecordingForm& f = install(w, d);
    f.Show();
    QWidget* win = w.host.window(f);
    sendKey(win, QEvent::KeyPress, Qt::Key_PageDown);
    sendKey(win, QEvent::KeyPress, Qt::Key_PageDown, {}, {}, true); // held: repeats
    sendKey(win, QEvent::KeyRelease, Qt::Key_PageDown, {}, {}, true);
    sendKey(win, QEvent::KeyRelease, Qt::Key_PageDown);
    sendKey(win, QEvent::KeyPress, Qt::Key_Plus, Qt::KeypadModifier, "+");
    sendKey(win, QEvent::KeyPress, 0x42F, Qt::ShiftModifier, "Я");
    sendKey(win, QEvent::KeyPress, Qt::Key_Return, {}, "\r");
    sendKey(win, QEvent::KeyPress, Qt::Key_Escape, {}, "\x1b");
    // A key without a code of its own still comes down and up: its release ends a latch.
    sendKey(win, QEvent::KeyPress, Qt::Key_MediaPlay);
    sendKey(win, QEvent::KeyRelease, Qt::Key_MediaPlay);
    const std::vector<std::string> expected = {
        "down 34 0", "down 34 0",  "up 34 0",   "down 107 0", "press 43",
        "down 90 1", "press 1071", "down 13 0", "press 13",   "down 27 0",
        "press 27",  "down 255 0", "up 255 0",
    };
    EXPECT_EQ(f.log, expected);
}

// A double click raises what the control's class has, the same through the Qt host as
// through the runtime: Click then DblClick, or two clicks for a button and a check box.
TEST(QtHostInput, ADoubleClickRaisesTheSameEventsOnBothPaths) {
    struct Case {
        ControlKind kind;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {ControlKind::CommandButton, {"click", "click"}},
        {ControlKind::CheckBox, {"click", "click"}},
        {ControlKind::Image, {"click", "dblclick"}},
        {ControlKind::Label, {"click", "dblclick"}},
        {ControlKind::PictureBox, {"click", "dblclick"}},
        {ControlKind::TextBox, {"click", "dblclick"}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        QtWorld w;
        forms::FormDesign d = formDesign("F" + std::to_string(n++), 300, 200);
        d.controls = {control(c.kind, "C", "", 10, 10, 80, 25)};
        RecordingForm& f = install(w, d);
        forms::Control& target = *f.find("C");
        std::vector<std::string> events;
        target.Click = [&] { events.push_back("click"); };
        target.DblClick = [&] { events.push_back("dblclick"); };
        f.Show();
        QWidget* win = w.host.window(f);
        const QPoint at(30, 20);
        sendMouse(win, QEvent::MouseButtonPress, at);
        sendMouse(win, QEvent::MouseButtonRelease, at);
        sendMouse(win, QEvent::MouseButtonDblClick, at);
        sendMouse(win, QEvent::MouseButtonRelease, at);
        EXPECT_EQ(events, c.expected) << "through the Qt host";
        events.clear();
        w.rt.doubleClick(target);
        EXPECT_EQ(events, c.expected) << "through the runtime";
    }
}

TEST(QtHostInput, ClicksOnControlsRowsAndTheMouseInTwips) {
    QtWorld w;
    forms::FormDesign d = formDesign("F", 300, 200);
    auto button = control(ControlKind::CommandButton, "Button", "", 10, 10, 80, 25);
    button.text = "OK";
    auto list = control(ControlKind::ListBox, "List", "", 10, 50, 150, 70);
    d.controls = {button, list};
    RecordingForm& f = install(w, d);
    auto& b = f.get<forms::CommandButton>("Button");
    auto& l = f.get<forms::ListBox>("List");
    for (const char* item : {"one", "two", "three"})
        l.AddItem(item);
    std::vector<std::string> events;
    b.Click = [&] { events.push_back("button click"); };
    l.Click = [&] { events.push_back("list click " + std::to_string(l.ListIndex)); };
    l.DblClick = [&] { events.push_back("list dblclick " + std::to_string(l.ListIndex)); };
    f.Show();
    QWidget* win = w.host.window(f);
    const int row = forms::qt::rowHeightPx(l);

    clickAt(win, QPoint(30, 20));
    // Pressed on the button, released outside it: no click.
    sendMouse(win, QEvent::MouseButtonPress, QPoint(30, 20));
    sendMouse(win, QEvent::MouseButtonRelease, QPoint(200, 20));
    clickAt(win, QPoint(40, 52 + 2 * row + 2)); // third row
    // A double click on the first row: the first click selects, the second press raises
    // DblClick.
    const QPoint first(40, 52 + 2);
    sendMouse(win, QEvent::MouseButtonPress, first);
    sendMouse(win, QEvent::MouseButtonRelease, first);
    sendMouse(win, QEvent::MouseButtonDblClick, first);
    sendMouse(win, QEvent::MouseButtonRelease, first);
    const std::vector<std::string> expected = {"button click", "list click 2", "list click 0",
                                               "list dblclick 0"};
    EXPECT_EQ(events, expected);

    sendMouse(win, QEvent::MouseMove, QPoint(250, 150));
    EXPECT_EQ(f.mouseX, 250.0f * 15);
    EXPECT_EQ(f.mouseY, 150.0f * 15);
}

// The rows of a list in the chooser's list font ("MS Sans Serif" 13.5 pt) stand 24 pixels
// apart, eight of them in a list 2940 twips high, where the user's clicks find them; the
// wheel (three rows) and the scroll bar scroll the list through the runtime, which raises
// Scroll.
TEST(QtHostInput, ListRowsOfTheLargeFontAndTheWheelAndScrollBarScrollingThem) {
    QtWorld w;
    forms::FormDesign d = formDesign("F", 300, 260);
    auto list = control(ControlKind::ListBox, "List", "", 10, 10, 200, 196);
    forms::Font font;
    font.size = 13.5f;
    font.charset = 204;
    list.font = font;
    d.controls = {list};
    RecordingForm& f = install(w, d);
    auto& l = f.get<forms::ListBox>("List");
    for (int k = 0; k < 20; ++k)
        l.AddItem(std::to_string(k));
    std::vector<int> scrolls;
    l.Scroll = [&] { scrolls.push_back(l.TopIndex); };
    f.Show();
    QWidget* win = w.host.window(f);
    ASSERT_EQ(forms::qt::rowHeightPx(l), 24);
    ASSERT_EQ(l.visibleRows(), 8);

    // The selected row's highlight, down a column clear of the rows' text and the scroll bar.
    const int inner = 10 + forms::qt::kEdge;
    const int column = 10 + 200 - forms::qt::kEdge - forms::qt::kScrollBarWidth - 4;
    const auto highlight = [&] {
        const QImage img = w.grab(f);
        int first = -1, last = -1;
        for (int y = inner; y < 10 + 196 - forms::qt::kEdge; ++y)
            if (rgbAt(img, column, y) == 0x000080) {
                first = first < 0 ? y : first;
                last = y;
            }
        return std::pair(first, last - first + 1);
    };
    for (int row : {0, 1, 5, 7}) {
        SCOPED_TRACE(row);
        l.ListIndex = row;
        EXPECT_EQ(highlight(), std::pair(inner + 24 * row, 24));
    }

    const auto wheel = [&](int delta) {
        const QPoint at(100, 100);
        QWheelEvent e(QPointF(at), QPointF(win->mapToGlobal(at)), QPoint(), QPoint(0, delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(win, &e);
    };
    struct Step {
        int delta;
        int top;
        std::vector<int> scrolls;
    };
    const Step steps[] = {
        {-120, 3, {3}},   {-120, 6, {6}}, {-120, 9, {9}},
        {-120, 12, {12}}, {-120, 12, {}}, // the last rows fill the list: it moves no further
        {120, 9, {9}},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::to_string(s.delta) + " to " + std::to_string(s.top));
        scrolls.clear();
        wheel(s.delta);
        EXPECT_EQ(l.TopIndex.get(), s.top);
        EXPECT_EQ(scrolls, s.scrolls);
    }
    // The scroll bar, 16 pixels wide at the list's right, scrolls through the runtime too.
    const int bar = 10 + 200 - forms::qt::kEdge - forms::qt::kScrollBarWidth / 2;
    struct BarStep {
        const char* part;
        int y;
        int top;
        std::vector<int> scrolls;
    };
    const BarStep barSteps[] = {
        {"down arrow", 200, 10, {10}},
        {"up arrow", 15, 9, {9}},
        {"track below the middle", 150, 12, {12}}, // a page, as far as the last rows
        {"track above the middle", 60, 4, {4}},
        {"track above the middle", 60, 0, {0}},
        {"up arrow", 15, 0, {}},
    };
    for (const BarStep& s : barSteps) {
        SCOPED_TRACE(std::string(s.part) + " to " + std::to_string(s.top));
        scrolls.clear();
        clickAt(win, QPoint(bar, s.y));
        EXPECT_EQ(l.TopIndex.get(), s.top);
        EXPECT_EQ(scrolls, s.scrolls);
    }

    // Painted and hit-tested from the top row.
    l.TopIndex = 9;
    l.ListIndex = 10;
    EXPECT_EQ(highlight(), std::pair(inner + 24, 24));
    clickAt(win, QPoint(60, inner + 24 * 3 + 12));
    EXPECT_EQ(l.ListIndex.get(), 12);
}

TEST(QtHostInput, TextBoxTakesTheCaretWhereClickedAndTheTypedCharacters) {
    QtWorld w;
    forms::FormDesign d = formDesign("F", 300, 100);
    auto text = control(ControlKind::TextBox, "Text", "", 10, 10, 200, 21);
    text.text = "abcdef";
    d.controls = {text};
    RecordingForm& f = install(w, d);
    auto& box = f.get<forms::TextBox>("Text");
    f.Show();
    QWidget* win = w.host.window(f);
    const int x = forms::qt::textStart(box) +
                  QFontMetrics(forms::qt::toQFont(box.Font)).horizontalAdvance("abc");
    clickAt(win, QPoint(x + 1, 20));
    EXPECT_EQ(f.focused(), &box);
    EXPECT_EQ(box.SelStart, 3);
    sendKey(win, QEvent::KeyPress, Qt::Key_X, {}, "x");
    sendKey(win, QEvent::KeyPress, Qt::Key_Backspace, {}, "\b");
    sendKey(win, QEvent::KeyPress, Qt::Key_Backspace, {}, "\b");
    sendKey(win, QEvent::KeyPress, 0x416, {}, "ж");
    EXPECT_EQ(box.Text.get(), "abжdef");
    EXPECT_EQ(box.SelStart, 3);
}

TEST(QtHostInput, ComboBoxOpensADropDownListThatChoosesTheItem) {
    QtWorld w;
    forms::FormDesign d = formDesign("F", 300, 200);
    d.controls = {control(ControlKind::ComboBox, "Combo", "", 10, 10, 150, 21)};
    RecordingForm& f = install(w, d);
    auto& combo = f.get<forms::ComboBox>("Combo");
    for (const char* item : {"c:", "Мои документы", "Рабочий стол"})
        combo.AddItem(item);
    std::vector<std::string> events;
    combo.Click = [&] { events.push_back("click " + combo.Text.get()); };
    f.Show();
    QWidget* win = w.host.window(f);

    sendMouse(win, QEvent::MouseButtonPress, QPoint(100, 20));
    QWidget* popup = QApplication::activePopupWidget();
    ASSERT_NE(popup, nullptr) << "the drop-down list opens on the press";
    EXPECT_EQ(popup->geometry().topLeft(), win->mapToGlobal(QPoint(10, 31)));
    const int row = forms::qt::rowHeightPx(combo);
    clickAt(popup, QPoint(20, 1 + 2 * row + row / 2));
    EXPECT_EQ(combo.ListIndex, 2);
    EXPECT_EQ(events, std::vector<std::string>{"click Рабочий стол"});
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
}

TEST(QtHostInput, ToolTipsShowTheControlsText) {
    QtWorld w;
    forms::FormDesign d = formDesign("F", 300, 200);
    auto tipped = control(ControlKind::Image, "Tipped", "", 10, 10, 50, 50);
    tipped.toolTip = "Page UP";
    d.controls = {tipped, control(ControlKind::Image, "Plain", "", 100, 10, 50, 50)};
    RecordingForm& f = install(w, d);
    f.Show();
    QWidget* win = w.host.window(f);
    QHelpEvent plain(QEvent::ToolTip, QPoint(120, 20), win->mapToGlobal(QPoint(120, 20)));
    QCoreApplication::sendEvent(win, &plain);
    EXPECT_TRUE(QToolTip::text().isEmpty()) << "no tip for a control without one";
    QHelpEvent over(QEvent::ToolTip, QPoint(20, 20), win->mapToGlobal(QPoint(20, 20)));
    QCoreApplication::sendEvent(win, &over);
    EXPECT_EQ(QToolTip::text(), "Page UP");
}

TEST(QtHostWindows, MaximizedBorderlessCoversTheScreenAndDialogsHaveOnlyACloseBox) {
    QtWorld w;
    forms::FormDesign main = formDesign("Main", 451, 438);
    main.windowState = 2;
    forms::FormDesign dialog = formDesign("Dialog", 320, 200, 1);
    dialog.caption = "Выбор";
    RecordingForm& m = install(w, main);
    RecordingForm& dlg = install(w, dialog);
    m.Show();
    dlg.Show();
    EXPECT_EQ(w.host.screenArea().width, 1024.0f * 15);
    EXPECT_EQ(w.host.screenArea().height, 768.0f * 15);
    QWidget* mw = w.host.window(m);
    EXPECT_EQ(mw->geometry(), QRect(0, 0, 1024, 768));
    EXPECT_TRUE(mw->windowFlags().testFlag(Qt::FramelessWindowHint));

    QWidget* dw = w.host.window(dlg);
    EXPECT_EQ(dw->size(), QSize(320, 200)) << "the widget is the client area";
    EXPECT_EQ(dw->minimumSize(), dw->maximumSize()) << "a fixed size";
    EXPECT_EQ(dw->windowTitle(), "Выбор");
    const Qt::WindowFlags flags = dw->windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::WindowCloseButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_FALSE(flags.testFlag(Qt::WindowMinimizeButtonHint));
    const forms::Size2 extra = w.host.frameExtra(1);
    EXPECT_EQ(dlg.Width, dialog.clientWidth + extra.width);

    // The close box asks the model, which unloads the window.
    bool unloaded = false;
    dlg.onUnload = [&] { unloaded = true; };
    QCloseEvent close;
    QCoreApplication::sendEvent(dw, &close);
    EXPECT_TRUE(unloaded);
    EXPECT_FALSE(w.rt.isLoaded("Dialog"));
    EXPECT_FALSE(dw->isVisible());
}

TEST(QtHostWindows, ModalLoopBlocksOtherWindowsAndEndsWhenTheWindowIsHidden) {
    QtWorld w;
    forms::FormDesign main = formDesign("Main", 300, 200);
    main.controls = {control(ControlKind::CommandButton, "Button", "", 10, 10, 80, 25)};
    forms::FormDesign dialog = formDesign("Dialog", 200, 100, 1);
    dialog.controls = {control(ControlKind::CommandButton, "OK", "", 10, 10, 80, 25)};
    RecordingForm& m = install(w, main);
    RecordingForm& dlg = install(w, dialog);
    std::vector<std::string> events;
    m.get<forms::CommandButton>("Button").Click = [&] { events.push_back("main"); };
    dlg.get<forms::CommandButton>("OK").Click = [&] {
        events.push_back("ok");
        dlg.Hide();
    };
    m.Show();
    // What the user does while the dialog is up: a click on the main window, then OK. Should
    // OK not end the loop, the second action does, so the test cannot hang.
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            clickAt(w.host.window(m), QPoint(30, 20));
            clickAt(w.host.window(dlg), QPoint(30, 20));
        },
        Qt::QueuedConnection);
    QMetaObject::invokeMethod(
        qApp,
        [&] {
            if (dlg.visible()) {
                events.push_back("still open");
                w.rt.hide(dlg);
            }
        },
        Qt::QueuedConnection);
    dlg.ShowModal();
    EXPECT_EQ(events, std::vector<std::string>{"ok"});
    EXPECT_FALSE(dlg.visible());
    clickAt(w.host.window(m), QPoint(30, 20));
    EXPECT_EQ(events, (std::vector<std::string>{"ok", "main"})) << "input again after the loop";
}

TEST(QtHostFrames, EachRunOfPendingEventsPaintsWhatChangedOnceAtTheRefreshPace) {
    constexpr double kHz = 50;
    QtWorld w(nullptr, testScreen(kHz));
    forms::FormDesign d = formDesign("F", 300, 200);
    auto strip = control(ControlKind::PictureBox, "Strip", "", 0, 0, 100, 50);
    strip.back = 0x000000FF;
    d.controls = {strip};
    RecordingForm& f = install(w, d);
    f.Show();
    w.rt.doEvents();
    w.rt.doEvents();
    auto& s = f.get<forms::PictureBox>("Strip");
    const auto period = w.host.refreshPeriod();
    ASSERT_EQ(period, std::chrono::milliseconds(20));

    // A slide: a few properties change per move, then pending events run.
    constexpr int kMoves = 10;
    const int before = w.host.paintCount(f);
    const auto presentedBefore = w.host.presentations();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i <= kMoves; ++i) {
        s.Left = static_cast<float>(i * 45);
        s.Top = static_cast<float>(i * 15);
        s.Width = s.Width + 15.0f;
        w.rt.doEvents();
        EXPECT_EQ(w.host.paintCount(f), before + i) << "move " << i << " painted once";
    }
    // Presentations lie at least a period apart, however busy the machine; how much longer
    // a move may take is the benchmark's to bound.
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, (kMoves - 1) * period);
    EXPECT_EQ(w.host.presentations(), presentedBefore + kMoves);
    EXPECT_EQ(rgbAt(w.grab(f), 30 + 5, 10 + 5), 0xFF0000u) << "the last move is what shows";

    // Without changes nothing is painted and nothing waits for a refresh.
    const int painted = w.host.paintCount(f);
    const auto presented = w.host.presentations();
    for (int i = 0; i < kMoves; ++i)
        w.rt.doEvents();
    EXPECT_EQ(w.host.paintCount(f), painted);
    EXPECT_EQ(w.host.presentations(), presented);
}

} // namespace
} // namespace render_tests
