#pragma once
#include <string>

#include "editions/common/design_builder.h"

namespace editions {

// The controls both programs' main windows have alike, each added where the program's own
// stacking order puts it. Pictures are named by file and found under the program's resource
// prefix (":/kadroskop/", ":/lampionika/").
class MainWindowParts {
  public:
    MainWindowParts(forms::FormDesign& design, std::string resources)
        : build_(design), resources_(std::move(resources)) {}

    // The keep-slide-size box, hidden until a film is open.
    void keepSizeBox(float left, float top, int tabIndex);
    // The hidden measuring box: the only picture box of the window with a border.
    void measuringBox(float left, float top);
    // The drop-down menu under the top bar.
    void menuList();
    // The black top bar with the menu label "Файл".
    void topBar();
    // The frame window, pale yellow until the first film is opened.
    void frameWindow(float left, float top, float width, float height);
    // The strip inside the frame window, with the frame on show and its neighbour; the
    // strip's background shows in the gap between the two.
    void strip();
    // The image buttons: own size, fitted, previous and next frame.
    void homeButton(float left, float top);
    void endButton(float left, float top);
    void pageUpButton(float left, float top);
    void pageDownButton(float left, float top);
    // A stretched picture of the program's own.
    forms::ControlDesign& picture(const char* name, const char* parent, float left, float top,
                                  float width, float height, const char* file);

    DesignBuilder& builder() { return build_; }

  private:
    forms::ControlDesign& button(const char* name, float left, float top, float size,
                                 const char* toolTip, const char* file);

    DesignBuilder build_;
    std::string resources_;
};

} // namespace editions
