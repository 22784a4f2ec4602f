#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "forms/controls.h"
#include "forms/design.h"
#include "forms/property.h"

namespace forms {

class Runtime;
template <class C> class ControlArray;

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
    // The controls in tab order (by TabIndex; design order among equals).
    std::vector<Control*> tabOrder() const;
    // Gives the focus to the first control in tab order that can take it.
    void focusFirst();
    // Moves the focus to the next (or previous) control in tab order that can take it.
    void focusNext(bool backwards);

    // A control array of the design: its elements by Index, from 0.
    template <class C> ControlArray<C> array(std::string_view name) const;

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

// A form's view of one control array: the elements that share a name, by Index from 0.
// Handlers bound through it receive the element's Index.
template <class C> class ControlArray {
  public:
    ControlArray(std::string form, std::string name, std::vector<C*> elements)
        : form_(std::move(form)), name_(std::move(name)), elements_(std::move(elements)) {}

    int Count() const { return static_cast<int>(elements_.size()); }
    // Element `index`; an index that is not an element is a missing control.
    C& operator()(int index) const {
        if (index < 0 || index >= Count())
            throw MissingControl{form_, name_, index};
        return *elements_[static_cast<std::size_t>(index)];
    }
    auto begin() const { return elements_.begin(); }
    auto end() const { return elements_.end(); }

    void onClick(std::function<void(int)> handler) {
        bind(handler, [](C& c) -> Handler& { return c.Click; });
    }
    void onDblClick(std::function<void(int)> handler) {
        bind(handler, [](C& c) -> Handler& { return c.DblClick; });
    }

  private:
    template <class Slot> void bind(const std::function<void(int)>& handler, Slot slot) {
        for (C* c : elements_)
            slot(*c) = [handler, index = c->index()] { handler(index); };
    }
    std::string form_, name_;
    std::vector<C*> elements_;
};

template <class C> C* Form::tryGet(std::string_view name, int index) const {
    return dynamic_cast<C*>(find(name, index));
}

template <class C> ControlArray<C> Form::array(std::string_view name) const {
    std::vector<C*> elements;
    for (int k = 0;; ++k) {
        C* c = tryGet<C>(name, k);
        if (!c)
            break;
        elements.push_back(c);
    }
    return ControlArray<C>(design_.name, std::string(name), std::move(elements));
}

template <class C> C& Form::get(std::string_view name, int index) const {
    C* c = tryGet<C>(name, index);
    if (!c)
        throw MissingControl{design_.name, std::string(name), index};
    return *c;
}

} // namespace forms
