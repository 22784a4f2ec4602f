#include "forms/qt/form_painter.h"

#include <QFontMetrics>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "forms/qt/fonts.h"

namespace forms::qt {

int toPixel(double twips) {
    return static_cast<int>(std::floor(twips / forms::kTwipsPerPixel + 0.5));
}

QRect pixelRect(double left, double top, double width, double height) {
    return QRect(toPixel(left), toPixel(top), std::max(0, toPixel(width)),
                 std::max(0, toPixel(height)));
}

namespace {

// Where a control's container puts its client area, in form pixels: inside each
// container's border. Each container's position is rounded relative to its own container,
// so everything inside a moving container moves with it as one block, whole pixels at a
// time.
QPoint clientOrigin(const forms::Control& c) {
    QPoint at;
    c.forEachContainer([&at](const forms::Control& p) {
        const int border = toPixel(p.borderInside());
        at += QPoint(toPixel(p.Left.get()) + border, toPixel(p.Top.get()) + border);
    });
    return at;
}

QString qText(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

QRect controlRect(const forms::Control& c) {
    return pixelRect(c.Left.get(), c.Top.get(), c.Width.get(), c.Height.get())
        .translated(clientOrigin(c));
}

namespace {

// A picture box's client area in form pixels: inside its border.
QRect clientArea(const forms::Control& container) {
    const int border =
        static_cast<const forms::PictureBox&>(container).BorderStyle == 1 ? kEdge : 0;
    return controlRect(container).adjusted(border, border, -border, -border);
}

} // namespace

QRect shownPart(const forms::Control& c, const QRect& visible) {
    QRect part = visible & controlRect(c);
    for (const forms::Control* p = c.container(); p && !part.isEmpty(); p = p->container())
        part &= clientArea(*p);
    if (part.isEmpty())
        return {};
    // What stands in front: the siblings listed before the control and before each of its
    // containers (children are listed front first).
    for (const forms::Control* level = &c; level; level = level->container()) {
        const auto& siblings =
            level->container() ? level->container()->children() : level->form().children();
        for (const forms::Control* s : siblings) {
            if (s == level)
                break;
            if (s->Visible && s->kind() == forms::ControlKind::PictureBox &&
                controlRect(*s).contains(part))
                return {};
        }
    }
    return part;
}

QColor qColor(forms::Color c) {
    return QColor(static_cast<QRgb>(forms::toRgb(c)));
}

int rowHeightPx(const forms::Control& list) {
    if (const auto* box = dynamic_cast<const forms::ListBox*>(&list))
        return std::max(1, toPixel(box->rowHeight()));
    const forms::Font& font = list.Font.get();
    return std::max(
        1, toPixel(forms::rowHeightTwips(font, measureLine(font, QStringLiteral("Ag")).height)));
}

bool hasScrollBar(const forms::ListBox& list) {
    return list.ListCount() > list.visibleRows();
}

QRect scrollBarRect(const forms::ListBox& list) {
    const QRect inner = controlRect(list).adjusted(kEdge, kEdge, -kEdge, -kEdge);
    return QRect(inner.right() + 1 - kScrollBarWidth, inner.top(), kScrollBarWidth, inner.height());
}

int rowAt(const forms::ListBox& list, QPoint formPixel) {
    const QRect inner = controlRect(list).adjusted(kEdge, kEdge, -kEdge, -kEdge);
    if (!inner.contains(formPixel))
        return -1;
    if (hasScrollBar(list) && scrollBarRect(list).contains(formPixel))
        return -1;
    const int row = list.TopIndex + (formPixel.y() - inner.top()) / rowHeightPx(list);
    return row < list.ListCount() ? row : -1;
}

namespace {

void hline(QPainter& p, int x, int y, int w, forms::Color c) {
    if (w > 0)
        p.fillRect(QRect(x, y, w, 1), qColor(c));
}
void vline(QPainter& p, int x, int y, int h, forms::Color c) {
    if (h > 0)
        p.fillRect(QRect(x, y, 1, h), qColor(c));
}

// One rectangle of edge lines: top and left in `tl`, bottom and right in `br`.
void edge(QPainter& p, const QRect& r, forms::Color tl, forms::Color br) {
    hline(p, r.left(), r.top(), r.width() - 1, tl);
    vline(p, r.left(), r.top(), r.height() - 1, tl);
    hline(p, r.left(), r.bottom(), r.width(), br);
    vline(p, r.right(), r.top(), r.height(), br);
}

void frame(QPainter& p, const QRect& r, forms::Color c) {
    edge(p, r, c, c);
}

void drawPressedEdge(QPainter& p, const QRect& r) {
    frame(p, r, forms::sys::ButtonDarkShadow);
    frame(p, r.adjusted(1, 1, -1, -1), forms::sys::ButtonShadow);
}

// A picture scaled to exactly `target`, decoded at the device pixels the target covers; one
// not decoded at that size yet is left out unless the paint waits for decodes.
void drawPicture(QPainter& p, const forms::Picture& pic, const QRect& target, bool wait) {
    if (!pic || target.isEmpty())
        return;
    const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
    const QSize device(std::max(1, static_cast<int>(std::lround(target.width() * dpr))),
                       std::max(1, static_cast<int>(std::lround(target.height() * dpr))));
    if (!wait && !pic->decodedAt(device))
        return;
    const QImage img = pic->scaled(device);
    if (img.isNull())
        return;
    p.drawImage(target, img);
}

// A caption as the original platform draws it: "&" marks the access key.
void drawCaption(QPainter& p, const forms::Control& c, const QRect& r, int flags,
                 const std::string& text, forms::Color color) {
    p.setFont(toQFont(c.Font.get()));
    const QString s = qText(text);
    if (!c.Enabled) {
        p.setPen(qColor(forms::sys::ButtonHighlight));
        p.drawText(r.translated(1, 1), flags | Qt::TextShowMnemonic, s);
        color = forms::sys::GrayText;
    }
    p.setPen(qColor(color));
    p.drawText(r, flags | Qt::TextShowMnemonic, s);
}

void drawArrow(QPainter& p, const QRect& box, bool down, bool enabled) {
    // A 7-pixel-wide filled triangle, centred.
    const int cx = box.left() + (box.width() - 7) / 2;
    const int cy = box.top() + (box.height() - 4) / 2;
    const QColor color = qColor(enabled ? forms::sys::ButtonText : forms::sys::GrayText);
    for (int row = 0; row < 4; ++row) {
        const int y = down ? cy + row : cy + 3 - row;
        p.fillRect(QRect(cx + row, y, 7 - 2 * row, 1), color);
    }
}

void drawButtonFace(QPainter& p, const QRect& r, bool pressed) {
    p.fillRect(r, qColor(forms::sys::ButtonFace));
    if (pressed)
        drawPressedEdge(p, r);
    else
        drawRaisedEdge(p, r);
}

void drawScrollBar(QPainter& p, const QRect& bar, int first, int shown, int count) {
    p.fillRect(bar, QColor(0xE0, 0xE0, 0xE0));
    const QRect up(bar.left(), bar.top(), bar.width(), std::min(bar.width(), bar.height() / 2));
    const QRect down(bar.left(), bar.bottom() + 1 - up.height(), bar.width(), up.height());
    drawButtonFace(p, up, false);
    drawArrow(p, up, false, true);
    drawButtonFace(p, down, false);
    drawArrow(p, down, true, true);
    const int track = down.top() - up.bottom() - 1;
    if (count <= shown || track < 8)
        return;
    const int thumb = std::max(8, track * shown / count);
    const int range = std::max(1, count - shown);
    const int y = up.bottom() + 1 + (track - thumb) * std::clamp(first, 0, range) / range;
    drawButtonFace(p, QRect(bar.left(), y, bar.width(), thumb), false);
}

void paintControl(QPainter& p, const forms::Control& c, const PaintState& state);

void paintChildren(QPainter& p, const std::vector<forms::Control*>& children,
                   const PaintState& state) {
    // Children are listed front first: paint from the back.
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if ((*it)->Visible)
            paintControl(p, **it, state);
}

void paintPictureBox(QPainter& p, const forms::PictureBox& box, const QRect& r,
                     const PaintState& state) {
    const int border = box.BorderStyle == 1 ? kEdge : 0;
    const QRect inner = r.adjusted(border, border, -border, -border);
    p.fillRect(inner, qColor(box.BackColor));
    if (border) {
        if (box.Appearance == 1) {
            drawSunkenEdge(p, r);
        } else {
            frame(p, r, forms::sys::WindowFrame);
            edge(p, r.adjusted(1, 1, -1, -1), box.BackColor, box.BackColor);
        }
    }
    if (inner.isEmpty())
        return;
    p.save();
    p.setClipRect(inner, Qt::IntersectClip);
    if (const forms::Picture& pic = box.Picture.get())
        drawPicture(p, pic, QRect(inner.topLeft(), QSize(pic->widthPx(), pic->heightPx())),
                    state.waitForDecodes);
    paintChildren(p, box.children(), state);
    p.restore();
}

void paintImage(QPainter& p, const forms::Image& image, const QRect& r, const PaintState& state) {
    const int border = image.BorderStyle == 1 ? 1 : 0;
    const QRect inner = r.adjusted(border, border, -border, -border);
    if (const forms::Picture& pic = image.Picture.get()) {
        p.save();
        p.setClipRect(inner, Qt::IntersectClip);
        if (image.Stretch)
            drawPicture(p, pic, inner, state.waitForDecodes);
        else
            drawPicture(p, pic, QRect(inner.topLeft(), QSize(pic->widthPx(), pic->heightPx())),
                        state.waitForDecodes);
        p.restore();
    }
    if (border)
        frame(p, r, forms::sys::WindowFrame);
}

int alignmentFlags(int alignment) {
    switch (alignment) {
    case 1:
        return Qt::AlignRight;
    case 2:
        return Qt::AlignHCenter;
    default:
        return Qt::AlignLeft;
    }
}

void paintLabel(QPainter& p, const forms::Label& label, const QRect& r) {
    if (label.BackStyle == 1)
        p.fillRect(r, qColor(label.BackColor));
    QRect text = r;
    if (label.BorderStyle == 1) {
        drawSunkenEdge(p, r);
        text = r.adjusted(kEdge, kEdge, -kEdge, -kEdge);
    }
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    drawCaption(p, label, text, alignmentFlags(label.Alignment) | Qt::AlignTop | Qt::TextWordWrap,
                label.Caption.get(), label.ForeColor);
    p.restore();
}

void paintTextBox(QPainter& p, const forms::TextBox& box, const QRect& r) {
    const int border = box.BorderStyle == 1 ? kEdge : 0;
    const QRect inner = r.adjusted(border, border, -border, -border);
    p.fillRect(inner, qColor(box.Enabled ? box.BackColor.get() : forms::sys::ButtonFace));
    if (border)
        drawSunkenEdge(p, r);
    const QRect area = inner.adjusted(1, 1, -1, -1);
    if (area.isEmpty())
        return;
    p.save();
    p.setClipRect(inner, Qt::IntersectClip);
    const QFont font = toQFont(box.Font.get());
    p.setFont(font);
    const QString text = qText(box.Text.get());
    const QFontMetrics m(font);
    const int x = textStart(box);
    p.setPen(qColor(box.Enabled ? box.ForeColor.get() : forms::sys::GrayText));
    p.drawText(QPoint(x, area.top() + m.ascent()), text);
    if (box.form().focused() == &box) {
        // A thin caret at SelStart, counted in characters.
        const QList<uint> chars = text.toUcs4();
        const long n = std::clamp<long>(box.SelStart, 0, static_cast<long>(chars.size()));
        const QString before =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), n);
        const int cx = x + m.horizontalAdvance(before);
        p.fillRect(QRect(cx, area.top(), 1, m.height()), qColor(box.ForeColor));
    }
    p.restore();
}

} // namespace

int textStart(const forms::TextBox& box) {
    const int border = box.BorderStyle == 1 ? kEdge : 0;
    const QRect area = controlRect(box).adjusted(border + 1, border + 1, -border - 1, -border - 1);
    const int width = QFontMetrics(toQFont(box.Font.get())).horizontalAdvance(qText(box.Text));
    if (box.Alignment == 1)
        return area.right() + 1 - width;
    if (box.Alignment == 2)
        return area.left() + (area.width() - width) / 2;
    return area.left();
}

long caretIndexAt(const forms::TextBox& box, int formX) {
    const QFontMetrics m(toQFont(box.Font.get()));
    const QList<uint> chars = qText(box.Text).toUcs4();
    const int x0 = textStart(box);
    // The boundary between characters nearest to the point.
    long best = 0;
    int bestDistance = std::abs(formX - x0);
    for (qsizetype n = 1; n <= chars.size(); ++n) {
        const QString before =
            QString::fromUcs4(reinterpret_cast<const char32_t*>(chars.constData()), n);
        const int d = std::abs(formX - (x0 + m.horizontalAdvance(before)));
        if (d < bestDistance) {
            bestDistance = d;
            best = static_cast<long>(n);
        }
    }
    return best;
}

namespace {

void paintButton(QPainter& p, const forms::CommandButton& button, const QRect& r,
                 const PaintState& state) {
    const bool pressed = state.pressed == &button;
    const bool focused = button.form().focused() == &button;
    p.fillRect(r, qColor(button.BackColor));
    QRect face = r;
    if (focused && !pressed) {
        frame(p, r, forms::sys::WindowFrame);
        face = r.adjusted(1, 1, -1, -1);
    }
    if (pressed)
        drawPressedEdge(p, face);
    else
        drawRaisedEdge(p, face);
    QRect text = face.adjusted(kEdge, kEdge, -kEdge, -kEdge);
    if (pressed)
        text.translate(1, 1);
    p.save();
    p.setClipRect(face.adjusted(kEdge, kEdge, -kEdge, -kEdge), Qt::IntersectClip);
    drawCaption(p, button, text, Qt::AlignCenter | Qt::TextWordWrap, button.Caption.get(),
                button.ForeColor);
    if (focused) {
        QPen dots(qColor(forms::sys::ButtonText));
        dots.setStyle(Qt::DotLine);
        p.setPen(dots);
        p.setBrush(Qt::NoBrush);
        p.drawRect(face.adjusted(3, 3, -4, -4));
    }
    p.restore();
}

void paintCheckBox(QPainter& p, const forms::CheckBox& box, const QRect& r) {
    p.fillRect(r, qColor(box.BackColor));
    p.save();
    p.setClipRect(r, Qt::IntersectClip);
    // The classic 13-pixel box, centred vertically at the left.
    const QRect mark(r.left(), r.top() + (r.height() - 13) / 2, 13, 13);
    p.fillRect(mark.adjusted(kEdge, kEdge, -kEdge, -kEdge),
               qColor(box.Enabled && box.Value != 2 ? forms::sys::WindowBackground
                                                    : forms::sys::ButtonFace));
    drawSunkenEdge(p, mark);
    if (box.Value != 0) {
        static constexpr const char* kTick[7] = {"......#", ".....##", "#...###", "##.###.",
                                                 "#####..", ".###...", "..#...."};
        const QColor ink =
            qColor(box.Enabled && box.Value == 1 ? forms::sys::WindowText : forms::sys::GrayText);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x)
                if (kTick[y][x] == '#')
                    p.fillRect(QRect(mark.left() + 3 + x, mark.top() + 3 + y, 1, 1), ink);
    }
    const QRect text(r.left() + 17, r.top(), std::max(0, r.width() - 17), r.height());
    drawCaption(p, box, text, Qt::AlignLeft | Qt::AlignVCenter, box.Caption.get(), box.ForeColor);
    p.restore();
}

void paintListBox(QPainter& p, const forms::ListBox& list, const QRect& r) {
    const QRect inner = r.adjusted(kEdge, kEdge, -kEdge, -kEdge);
    p.fillRect(inner, qColor(list.BackColor));
    drawSunkenEdge(p, r);
    if (inner.isEmpty())
        return;
    QRect rows = inner;
    const bool bar = hasScrollBar(list);
    if (bar)
        rows.setRight(inner.right() - kScrollBarWidth);
    p.save();
    p.setClipRect(inner, Qt::IntersectClip);
    drawRows(p, list, list.items(), rows, list.TopIndex, list.ListIndex);
    if (bar)
        drawScrollBar(p, scrollBarRect(list), list.TopIndex, list.visibleRows(), list.ListCount());
    p.restore();
}

// The closed look of a combo box or drive list: an edit field with a drop button.
void paintComboLike(QPainter& p, const forms::Control& c, const QRect& r, const std::string& text,
                    bool dropped) {
    const QRect inner = r.adjusted(kEdge, kEdge, -kEdge, -kEdge);
    p.fillRect(inner, qColor(c.Enabled ? c.BackColor.get() : forms::sys::ButtonFace));
    drawSunkenEdge(p, r);
    if (inner.isEmpty())
        return;
    p.save();
    p.setClipRect(inner, Qt::IntersectClip);
    const QRect button(inner.right() + 1 - kScrollBarWidth, inner.top(), kScrollBarWidth,
                       inner.height());
    drawButtonFace(p, button, dropped);
    drawArrow(p, dropped ? button.translated(1, 1) : button, true, c.Enabled);
    const QRect field(inner.left() + 2, inner.top(), inner.width() - kScrollBarWidth - 3,
                      inner.height());
    p.setFont(toQFont(c.Font.get()));
    p.setPen(qColor(c.Enabled ? c.ForeColor.get() : forms::sys::GrayText));
    p.drawText(field, Qt::AlignLeft | Qt::AlignVCenter, qText(text));
    p.restore();
}

void paintDirList(QPainter& p, const forms::DirListBox& dir, const QRect& r) {
    const QRect inner = r.adjusted(kEdge, kEdge, -kEdge, -kEdge);
    p.fillRect(inner, qColor(dir.BackColor));
    drawSunkenEdge(p, r);
    if (inner.isEmpty())
        return;
    std::vector<std::string> names;
    for (int k = 0; k < dir.ListCount(); ++k) {
        const std::string full = dir.List(k);
        const auto cut = full.find_last_of('\\');
        names.push_back(cut == std::string::npos ? full : full.substr(cut + 1));
    }
    p.save();
    p.setClipRect(inner, Qt::IntersectClip);
    drawRows(p, dir, names, inner, 0, -1);
    p.restore();
}

void paintControl(QPainter& p, const forms::Control& c, const PaintState& state) {
    const QRect r = controlRect(c);
    // Nothing of it shows (a frame on a strip outside the frame window, a strip under the
    // cover): not drawn, so its pictures are not even decoded for it.
    if (r.isEmpty() || shownPart(c, state.area).isEmpty())
        return;
    switch (c.kind()) {
    case forms::ControlKind::PictureBox:
        paintPictureBox(p, static_cast<const forms::PictureBox&>(c), r, state);
        break;
    case forms::ControlKind::Image:
        paintImage(p, static_cast<const forms::Image&>(c), r, state);
        break;
    case forms::ControlKind::Label:
        paintLabel(p, static_cast<const forms::Label&>(c), r);
        break;
    case forms::ControlKind::TextBox:
        paintTextBox(p, static_cast<const forms::TextBox&>(c), r);
        break;
    case forms::ControlKind::CommandButton:
        paintButton(p, static_cast<const forms::CommandButton&>(c), r, state);
        break;
    case forms::ControlKind::CheckBox:
        paintCheckBox(p, static_cast<const forms::CheckBox&>(c), r);
        break;
    case forms::ControlKind::ListBox:
        paintListBox(p, static_cast<const forms::ListBox&>(c), r);
        break;
    case forms::ControlKind::ComboBox:
        paintComboLike(p, c, r, static_cast<const forms::ComboBox&>(c).Text.get(),
                       state.dropped == &c);
        break;
    case forms::ControlKind::DriveListBox:
        paintComboLike(p, c, r, static_cast<const forms::DriveListBox&>(c).Drive.get(),
                       state.dropped == &c);
        break;
    case forms::ControlKind::DirListBox:
        paintDirList(p, static_cast<const forms::DirListBox&>(c), r);
        break;
    }
}

} // namespace

void drawSunkenEdge(QPainter& p, const QRect& r) {
    edge(p, r, forms::sys::ButtonShadow, forms::sys::ButtonHighlight);
    edge(p, r.adjusted(1, 1, -1, -1), forms::sys::ButtonDarkShadow, forms::sys::ButtonLight);
}

void drawRaisedEdge(QPainter& p, const QRect& r) {
    edge(p, r, forms::sys::ButtonLight, forms::sys::ButtonDarkShadow);
    edge(p, r.adjusted(1, 1, -1, -1), forms::sys::ButtonHighlight, forms::sys::ButtonShadow);
}

void drawRows(QPainter& p, const forms::Control& owner, const std::vector<std::string>& items,
              const QRect& area, int top, int highlight) {
    const int h = rowHeightPx(owner);
    p.setFont(toQFont(owner.Font.get()));
    const QColor fore = qColor(owner.Enabled ? owner.ForeColor.get() : forms::sys::GrayText);
    for (int row = std::max(0, top); row < static_cast<int>(items.size()); ++row) {
        const int y = area.top() + (row - top) * h;
        if (y > area.bottom())
            break;
        const QRect line(area.left(), y, area.width(), h);
        if (row == highlight) {
            p.fillRect(line, qColor(forms::sys::Highlight));
            p.setPen(qColor(forms::sys::HighlightText));
        } else {
            p.setPen(fore);
        }
        p.drawText(line.adjusted(2, 0, -1, 0), Qt::AlignLeft | Qt::AlignVCenter,
                   qText(items[static_cast<std::size_t>(row)]));
    }
}

QSize stretchedPictureSize(const forms::Image& image, qreal dpr) {
    const int border = image.BorderStyle == 1 ? 1 : 0;
    const QRect inner = controlRect(image).adjusted(border, border, -border, -border);
    if (inner.isEmpty())
        return {};
    return QSize(std::max(1, static_cast<int>(std::lround(inner.width() * dpr))),
                 std::max(1, static_cast<int>(std::lround(inner.height() * dpr))));
}

void paintForm(QPainter& p, const forms::Form& form, const PaintState& state) {
    const QRect client(0, 0, toPixel(form.scaleWidth()), toPixel(form.scaleHeight()));
    PaintState painting = state;
    painting.area = p.device() ? QRect(0, 0, p.device()->width(), p.device()->height()) : client;
    p.fillRect(painting.area, qColor(form.BackColor));
    paintChildren(p, form.children(), painting);
}

} // namespace forms::qt
