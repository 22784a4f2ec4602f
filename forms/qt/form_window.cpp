#include "forms/qt/form_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QIcon>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QResizeEvent>
#include <QScreen>
#include <QToolTip>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "forms/qt/form_painter.h"
#include "forms/qt/keys.h"
#include "forms/qt/qt_host.h"
#include "forms/runtime.h"

namespace forms::qt {

// The drop-down list of a combo box or drive list: a small frameless window below it.
class ListPopup final : public QWidget {
  public:
    static constexpr int kMaxRows = 8;

    ListPopup(FormWindow& owner, forms::ListControl& list)
        : QWidget(&owner, Qt::Popup | Qt::FramelessWindowHint), owner_(owner), list_(list) {
        setAttribute(Qt::WA_DeleteOnClose);
        setMouseTracking(true);
        const QRect anchor = controlRect(list);
        rowPx_ = rowHeightPx(list);
        const int rows = std::clamp(list.ListCount(), 1, kMaxRows);
        hot_ = std::max(0, static_cast<int>(list.ListIndex));
        top_ = std::clamp(hot_ - rows + 1, 0, std::max(0, list.ListCount() - rows));
        const int h = rows * rowPx_ + 2;
        QPoint at = owner.mapToGlobal(QPoint(anchor.left(), anchor.bottom() + 1));
        // Above the box when the screen ends below it.
        if (const QScreen* s = owner.screen();
            s && at.y() + h > s->availableGeometry().bottom() + 1)
            at = owner.mapToGlobal(QPoint(anchor.left(), anchor.top() - h));
        setGeometry(at.x(), at.y(), anchor.width(), h);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), qColor(list_.BackColor));
        p.setPen(Qt::NoPen);
        const QRect border = rect();
        p.fillRect(QRect(0, 0, border.width(), 1), Qt::black);
        p.fillRect(QRect(0, border.height() - 1, border.width(), 1), Qt::black);
        p.fillRect(QRect(0, 0, 1, border.height()), Qt::black);
        p.fillRect(QRect(border.width() - 1, 0, 1, border.height()), Qt::black);
        p.setClipRect(rect().adjusted(1, 1, -1, -1));
        drawRows(p, list_, list_.items(), rect().adjusted(1, 1, -1, -1), top_, hot_);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        const int row = rowAt(e->position().toPoint());
        if (row >= 0 && row != hot_) {
            hot_ = row;
            update();
        }
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const int row = rowAt(e->position().toPoint());
        if (row >= 0)
            pick(row);
    }
    void wheelEvent(QWheelEvent* e) override {
        const int rows = height() / rowPx_;
        const int step = e->angleDelta().y() > 0 ? -1 : 1;
        top_ = std::clamp(top_ + step, 0, std::max(0, list_.ListCount() - rows));
        update();
    }
    void keyPressEvent(QKeyEvent* e) override {
        const int rows = std::max(1, (height() - 2) / rowPx_);
        switch (e->key()) {
        case Qt::Key_Up:
            hot_ = std::max(0, hot_ - 1);
            break;
        case Qt::Key_Down:
            hot_ = std::min(list_.ListCount() - 1, hot_ + 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            pick(hot_);
            return;
        case Qt::Key_Escape:
            close();
            return;
        default:
            return;
        }
        top_ = std::clamp(top_, hot_ - rows + 1, hot_);
        update();
    }
    void hideEvent(QHideEvent*) override {
        if (!picked_)
            owner_.popupClosed();
    }

  private:
    int rowAt(QPoint p) const {
        if (!rect().adjusted(1, 1, -1, -1).contains(p))
            return -1;
        const int row = top_ + (p.y() - 1) / rowPx_;
        return row < list_.ListCount() ? row : -1;
    }
    void pick(int row) {
        picked_ = true;
        FormWindow& owner = owner_;
        forms::ListControl& list = list_;
        close(); // deletes the popup
        owner.choose(list, row);
    }

    FormWindow& owner_;
    forms::ListControl& list_;
    int rowPx_ = 13;
    int top_ = 0;
    int hot_ = 0;
    bool picked_ = false;
};

namespace {

Qt::WindowFlags flagsFor(const forms::FormDesign& d) {
    if (d.borderStyle == 0)
        return Qt::Window | Qt::FramelessWindowHint;
    if (d.borderStyle == 2) {
        Qt::WindowFlags f = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
        if (d.minButton)
            f |= Qt::WindowMinimizeButtonHint;
        if (d.maxButton)
            f |= Qt::WindowMaximizeButtonHint;
        return f;
    }
    // Fixed single and fixed dialog frames: a title bar with only the close box.
    return Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
}

// The character a key types, as KeyPress receives it; 0 for none.
int characterCode(const QKeyEvent& e) {
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 0;
    default:
        break;
    }
    const QList<uint> chars = e.text().toUcs4();
    if (chars.isEmpty())
        return 0;
    const uint cp = chars.front();
    if (cp == 0 || cp == 127 || cp > 0xFFFF)
        return 0;
    return static_cast<int>(cp);
}

} // namespace

FormWindow::FormWindow(QtHost& host, forms::Form& form)
    : QWidget(nullptr, flagsFor(form.design())), host_(host), form_(&form) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    // Tooltips also without a window manager that makes the window active.
    setAttribute(Qt::WA_AlwaysShowToolTips);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setObjectName(QString::fromStdString(form.name()));
}

FormWindow::~FormWindow() = default;

void FormWindow::detach() {
    if (popup_)
        popup_->close();
    form_ = nullptr;
    pressed_ = nullptr;
    lastClicked_ = nullptr;
    dropped_ = nullptr;
}

void FormWindow::sync() {
    if (!form_)
        return;
    if (syncedGeneration_ != form_->generation()) {
        syncedGeneration_ = form_->generation();
        const forms::FormDesign& d = form_->design();
        const QRect screen = host_.availableGeometry();
        if (d.borderStyle == 0 && d.windowState == 2) {
            // A borderless maximized window covers the available area itself, so it does
            // so without a window manager too.
            if (geometry() != screen)
                setGeometry(screen);
        } else {
            // The model's Left and Top place the window's outer frame; the client area
            // stands inside it where the frame puts it, with or without a window manager
            // to draw the frame.
            const forms::Size2 extra = host_.frameExtra(d.borderStyle);
            const QPoint at(screen.x() + toPixel(form_->Left + extra.width / 2),
                            screen.y() + toPixel(form_->Top + extra.height - extra.width / 2));
            const QSize size(std::max(1, toPixel(form_->scaleWidth())),
                             std::max(1, toPixel(form_->scaleHeight())));
            if (d.borderStyle != 0 && d.borderStyle != 2 &&
                (minimumSize() != size || maximumSize() != size))
                setFixedSize(size);
            if (geometry() != QRect(at, size))
                setGeometry(QRect(at, size));
        }
        const QString title = QString::fromStdString(form_->Caption);
        if (windowTitle() != title)
            setWindowTitle(title);
        if (form_->Icon.get() != icon_) {
            icon_ = form_->Icon.get();
            const QImage icon =
                icon_ ? icon_->scaled(QSize(icon_->widthPx(), icon_->heightPx())) : QImage();
            // A window without an icon of its own shows none, rather than the program's.
            QPixmap none(16, 16);
            none.fill(Qt::transparent);
            setWindowIcon(QIcon(icon.isNull() ? none : QPixmap::fromImage(icon)));
        }
    }
    if (stale())
        update();
}

bool FormWindow::accepts() {
    return form_ && host_.acceptsInput(*form_);
}

forms::Control* FormWindow::controlAt(QPointF pos) const {
    if (!form_)
        return nullptr;
    return form_->runtime().hitTest(*form_, static_cast<float>(pos.x() * kTwipsPerPixel),
                                    static_cast<float>(pos.y() * kTwipsPerPixel));
}

void FormWindow::choose(forms::ListControl& list, int row) {
    dropped_ = nullptr;
    update();
    if (!accepts())
        return;
    InputScope scope(host_);
    form_->runtime().clickItem(list, row);
}

void FormWindow::popupClosed() {
    if (dropped_)
        dropped_ = nullptr;
    update();
}

void FormWindow::openDropDown(forms::ListControl& list) {
    if (popup_)
        popup_->close();
    if (list.ListCount() == 0)
        return;
    form_->setFocus(&list);
    dropped_ = &list;
    auto* popup = new ListPopup(*this, list);
    popup_ = popup;
    popup->show();
    update();
}

void FormWindow::scrollList(forms::ListBox& list, QPoint pos) {
    const QRect bar = scrollBarRect(list);
    const int rows = list.visibleRows();
    int top = list.TopIndex;
    if (pos.y() < bar.top() + kScrollBarWidth)
        --top;
    else if (pos.y() > bar.bottom() - kScrollBarWidth)
        ++top;
    else if (pos.y() < bar.center().y())
        top -= rows;
    else
        top += rows;
    form_->runtime().scroll(list, top);
}

void FormWindow::press(QPointF pos) {
    forms::Control* c = controlAt(pos);
    pressed_ = nullptr;
    pressedSurface_ = false;
    if (!c) {
        pressedSurface_ = true;
        return;
    }
    if (!c->Enabled)
        return;
    if (c->kind() == forms::ControlKind::ComboBox ||
        c->kind() == forms::ControlKind::DriveListBox) {
        openDropDown(static_cast<forms::ListControl&>(*c));
        return;
    }
    if (c->kind() == forms::ControlKind::ListBox) {
        auto& list = static_cast<forms::ListBox&>(*c);
        if (hasScrollBar(list) && scrollBarRect(list).contains(pos.toPoint())) {
            scrollList(list, pos.toPoint());
            return;
        }
    }
    if (c->kind() == forms::ControlKind::TextBox) {
        // The caret goes where the text was pressed.
        auto& box = static_cast<forms::TextBox&>(*c);
        box.SelStart = caretIndexAt(box, static_cast<int>(pos.x()));
        form_->touch();
    }
    pressed_ = c;
    pressedOver_ = true;
    if (c->kind() == forms::ControlKind::CommandButton)
        update();
}

void FormWindow::mousePressEvent(QMouseEvent* e) {
    if (!accepts()) {
        host_.raiseModal();
        return;
    }
    if (e->button() != Qt::LeftButton)
        return;
    InputScope scope(host_);
    press(e->position());
}

void FormWindow::mouseDoubleClickEvent(QMouseEvent* e) {
    if (!accepts() || e->button() != Qt::LeftButton)
        return;
    InputScope scope(host_);
    forms::Control* c = controlAt(e->position());
    // The second press of a double click on the control the first went to; a drop-down
    // list drops again, and anything else is a press of its own. What the second press
    // raises is the control's class's to say.
    if (!c || c != lastClicked_ || c->kind() == forms::ControlKind::ComboBox ||
        c->kind() == forms::ControlKind::DriveListBox) {
        press(e->position());
        return;
    }
    if (c->kind() == forms::ControlKind::ListBox &&
        rowAt(static_cast<forms::ListBox&>(*c), e->position().toPoint()) < 0) {
        press(e->position());
        return;
    }
    pressed_ = nullptr;
    pressedSurface_ = false;
    lastClicked_ = nullptr;
    form_->runtime().secondClick(*c);
}

void FormWindow::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton)
        return;
    forms::Control* was = pressed_;
    const bool surface = pressedSurface_;
    pressed_ = nullptr;
    pressedSurface_ = false;
    if (was && was->kind() == forms::ControlKind::CommandButton)
        update();
    if (!accepts())
        return;
    InputScope scope(host_);
    forms::Control* c = controlAt(e->position());
    if (surface && !c) {
        lastClicked_ = nullptr;
        form_->runtime().clickForm(*form_);
        return;
    }
    if (!was || c != was)
        return;
    lastClicked_ = c;
    if (c->kind() == forms::ControlKind::ListBox) {
        auto& list = static_cast<forms::ListBox&>(*c);
        const int row = rowAt(list, e->position().toPoint());
        if (row >= 0)
            form_->runtime().clickItem(list, row);
        return;
    }
    form_->runtime().click(*c);
}

void FormWindow::mouseMoveEvent(QMouseEvent* e) {
    if (!accepts())
        return;
    InputScope scope(host_);
    if (pressed_ && pressed_->kind() == forms::ControlKind::CommandButton) {
        const bool over = controlAt(e->position()) == pressed_;
        if (over != pressedOver_) {
            pressedOver_ = over;
            update();
        }
    }
    form_->runtime().mouseMove(*form_, static_cast<float>(e->position().x() * kTwipsPerPixel),
                               static_cast<float>(e->position().y() * kTwipsPerPixel));
}

void FormWindow::wheelEvent(QWheelEvent* e) {
    if (!accepts())
        return;
    auto* list = dynamic_cast<forms::ListBox*>(controlAt(e->position()));
    if (!list || !hasScrollBar(*list))
        return;
    InputScope scope(host_);
    const int step = e->angleDelta().y() > 0 ? -3 : 3;
    form_->runtime().scroll(*list, list->TopIndex + step);
}

void FormWindow::keyPressEvent(QKeyEvent* e) {
    if (!accepts())
        return;
    InputScope scope(host_);
    const int vk = virtualKey(e->key(), e->modifiers());
    form_->runtime().keyDown(*form_, vk != 0 ? vk : kUnmappedKey, shiftState(e->modifiers()));
    // The handlers may have unloaded the window.
    if (!form_ || !form_->visible())
        return;
    if (const int ch = characterCode(*e))
        form_->runtime().keyPress(*form_, ch);
}

void FormWindow::keyReleaseEvent(QKeyEvent* e) {
    // A held key repeats its KeyDown without KeyUp in between.
    if (e->isAutoRepeat() || !accepts())
        return;
    // Every release counts, even of a key without a code of its own (it ends the paging
    // latches): such keys come as kUnmappedKey.
    const int vk = virtualKey(e->key(), e->modifiers());
    InputScope scope(host_);
    form_->runtime().keyUp(*form_, vk != 0 ? vk : kUnmappedKey, shiftState(e->modifiers()));
}

void FormWindow::closeEvent(QCloseEvent* e) {
    // The model decides whether the window goes.
    e->ignore();
    if (!accepts())
        return;
    InputScope scope(host_);
    form_->runtime().closeBox(*form_);
}

void FormWindow::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (!form_ || form_->design().borderStyle != 2 || !e->spontaneous())
        return;
    if (e->size() == QSize(toPixel(form_->scaleWidth()), toPixel(form_->scaleHeight())))
        return;
    InputScope scope(host_);
    const forms::Size2 extra = host_.frameExtra(2);
    form_->Width = static_cast<float>(e->size().width() * kTwipsPerPixel + extra.width);
    form_->Height = static_cast<float>(e->size().height() * kTwipsPerPixel + extra.height);
}

bool FormWindow::event(QEvent* e) {
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const forms::Control* c = accepts() ? controlAt(help->pos()) : nullptr;
        if (c && !c->ToolTipText->empty())
            QToolTip::showText(help->globalPos(), QString::fromStdString(c->ToolTipText), this,
                               controlRect(*c));
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(e);
}

void FormWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (!form_) {
        p.fillRect(rect(), Qt::black);
        return;
    }
    PaintState state;
    state.pressed = pressed_ && pressedOver_ ? pressed_ : nullptr;
    state.dropped = dropped_;
    // A run of pending events (a move of a slide) shows what is decoded and does not wait
    // for the rest; a picture decoded meanwhile asks for a paint of its own.
    state.waitForDecodes = !host_.runningPendingEvents();
    QPointer<FormWindow> self(this);
    decodeAhead_.beforePaint(*form_, rect(), devicePixelRatioF(), state.waitForDecodes, [self] {
        QMetaObject::invokeMethod(
            qApp,
            [self] {
                if (self)
                    self->update();
            },
            Qt::QueuedConnection);
    });
    paintForm(p, *form_, state);
    paintedGeneration_ = form_->generation();
    ++paints_;
    host_.notePainted(*form_);
}

} // namespace forms::qt
