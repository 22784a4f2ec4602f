#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/controls.h"
#include "forms/design.h"
#include "forms/property.h"

namespace forms {

class Runtime;

enum class FormState { Loaded, Unloaded };

// A window of the model. A form owns its controls, built from its design; the windows'
// classes derive from it, bind their controls as members and override the event handlers
// they have.
class Form : public PropertyOwner {
  public:
    Form(Runtime& runtime, const FormDesign& design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    Runtime& runtime() const { return runtime_; }
    const std::string& name() const { return design_.name; }
    const FormDesign& design() const { return design_; }

    // Outer size and position in twips (borderless windows: also the inner size).
    Property<float> Left{*this, Prop::Left};
    Property<float> Top{*this, Prop::Top};
    Property<float> Width{*this, Prop::Width};
    Property<float> Height{*this, Prop::Height};
    Property<Color> BackColor{*this, Prop::BackColor};
    Property<std::string> Caption{*this, Prop::Caption};
    bool KeyPreview = false;
    forms::Picture Icon;

    bool visible() const { return visible_; }
    FormState state() const { return state_; }
    // The inner size the controls lay out in (the form minus frame and title bar).
    float scaleWidth() const;
    float scaleHeight() const;

    // Controls, front first.
    const std::vector<Control*>& children() const { return children_; }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    Control* find(std::string_view name, int index = -1) const;
    template <class C> C& get(std::string_view name, int index = -1) const;
    template <class C> C* tryGet(std::string_view name, int index = -1) const;

    // Window operations (through the runtime, which keeps the lifetimes).
    void Show();
    void ShowModal();
    void Hide();
    void Unload();

    // Event handlers of the window itself.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Resize() {}
    virtual void Form_Unload() {}
    virtual void Form_KeyDown(int& /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyUp(int& /*keyCode*/, int /*shift*/) {}
    virtual void Form_KeyPress(int& /*keyAscii*/) {}
    virtual void Form_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void Form_Click() {}

    // Focus: the control that receives keys after the form (nullptr: the form itself).
    Control* focused() const;
    void setFocus(Control* c);

    // Raised by every visible change of the form or its controls; the host redraws when it
    // moves on.
    std::uint64_t generation() const { return generation_; }
    void touch() { ++generation_; }

    void propertyChanged(Prop which) override;

  private:
    friend class Runtime;
    void build();
    Runtime& runtime_;
    FormDesign design_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<Control*> children_;
    Control* focused_ = nullptr;
    bool visible_ = false;
    FormState state_ = FormState::Loaded;
    bool resizedOnce_ = false;
    std::uint64_t generation_ = 1;
};

struct MissingControl {
    std::string form, name;
    int index;
};

template <class C> C* Form::tryGet(std::string_view name, int index) const {
    return dynamic_cast<C*>(find(name, index));
}

template <class C> C& Form::get(std::string_view name, int index) const {
    C* c = tryGet<C>(name, index);
    if (!c)
        throw MissingControl{design_.name, std::string(name), index};
    return *c;
}

} // namespace forms
