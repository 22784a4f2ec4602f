#pragma once
#include <QPointer>
#include <QWidget>

#include <cstdint>

#include "forms/form.h"
#include "forms/qt/decode_ahead.h"

namespace forms::qt {

class QtHost;
class ListPopup;

// The on-screen window of one form. It paints the form's whole control tree itself and
// turns the user's mouse and keys into the model's events.
class FormWindow final : public QWidget {
  public:
    FormWindow(QtHost& host, forms::Form& form);
    ~FormWindow() override;

    forms::Form* form() const { return form_; }
    // The form was unloaded: the window no longer touches it.
    void detach();
    // Brings position, size, title and icon in line with the model, and schedules a paint
    // when the model changed since the last one.
    void sync();
    // Whether the model changed since the last paint.
    bool stale() const { return form_ && form_->generation() != paintedGeneration_; }
    int paintCount() const { return paints_; }

    // A row of an open drop-down list was chosen.
    void choose(forms::ListControl& list, int row);
    void popupClosed();

  protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool focusNextPrevChild(bool) override { return false; }

  private:
    forms::Control* controlAt(QPointF pos) const;
    void press(QPointF pos);
    void openDropDown(forms::ListControl& list);
    void scrollList(forms::ListBox& list, QPoint pos);
    bool accepts();

    QtHost& host_;
    forms::Form* form_;
    std::uint64_t paintedGeneration_ = 0;
    int paints_ = 0;
    std::uint64_t syncedGeneration_ = 0;
    const forms::PictureData* icon_ = nullptr;

    // The mouse button went down over this control (or over the form's surface).
    forms::Control* pressed_ = nullptr;
    bool pressedSurface_ = false;
    bool pressedOver_ = false;
    // The control the last click went to, for telling a double click.
    forms::Control* lastClicked_ = nullptr;

    QPointer<ListPopup> popup_;
    forms::ListControl* dropped_ = nullptr;

    DecodeAhead decodeAhead_;
};

} // namespace forms::qt
