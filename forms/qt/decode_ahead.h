#pragma once
#include <QRect>
#include <QtGlobal>

#include <functional>
#include <future>
#include <vector>

namespace forms {
class Form;
}

namespace forms::qt {

// Decodes the stretched pictures a paint of a form is about to draw and that are not decoded
// at their drawn size yet, so that the paint itself only draws. Nothing of the model changes:
// the handlers still run one at a time.
class DecodeAhead {
  public:
    DecodeAhead() = default;
    // Waits for the decodes still running in the background.
    ~DecodeAhead();
    DecodeAhead(const DecodeAhead&) = delete;
    DecodeAhead& operator=(const DecodeAhead&) = delete;

    // Before a paint of `form` on a window showing `visible` (form pixels): the pictures the
    // paint shows are decoded side by side on worker threads, and this returns when they are
    // done. Pictures that stand outside what their containers show (the arriving frame of a
    // slide before it enters the frame window) start decoding in the background and are not
    // waited for: the paint does not draw them, and the move that first shows them finds them
    // decoded, or waits only for the rest of their decode.
    //
    // Without `wait` (a move of a slide, which must not miss its refresh), large pictures the
    // paint shows are decoded in the background too, and `decoded` runs on the worker once
    // each is done, so that the window can show it; the paint leaves them out meanwhile.
    void beforePaint(const forms::Form& form, QRect visible, qreal devicePixelRatio, bool wait,
                     const std::function<void()>& decoded);

  private:
    std::vector<std::future<void>> background_;
};

} // namespace forms::qt
