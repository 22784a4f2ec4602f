#include "forms/form.h"

#include <algorithm>

#include "forms/runtime.h"

namespace forms {

namespace {

template <class C>
std::unique_ptr<Control> make(Form& f, Control* container, const ControlDesign& d) {
    return std::make_unique<C>(f, container, d.name, d.index);
}

using Maker = std::unique_ptr<Control> (*)(Form&, Control*, const ControlDesign&);

// The class of each kind of control, in the order of ControlKind.
constexpr Maker kMakers[] = {
    make<PictureBox>, make<Image>,    make<Label>,   make<TextBox>,      make<CommandButton>,
    make<CheckBox>,   make<ComboBox>, make<ListBox>, make<DriveListBox>, make<DirListBox>,
};

// Applies the design's values; events raised by code do not run while a window is built,
// since no handler is bound yet.
void applyDesign(Runtime& rt, Control& c, const ControlDesign& d, const FormDesign& fd) {
    c.Left.setSilently(d.left);
    c.Top.setSilently(d.top);
    c.Width.setSilently(d.width);
    c.Height.setSilently(d.height);
    c.Visible.setSilently(d.visible);
    c.Enabled.setSilently(d.enabled);
    c.TabIndex = d.tabIndex;
    c.TabStop = d.tabStop;
    c.ToolTipText.setSilently(d.toolTip);
    if (d.font)
        c.Font.setSilently(*d.font);
    else if (fd.font)
        c.Font.setSilently(*fd.font);
    if (d.back)
        c.BackColor.setSilently(*d.back);
    if (d.fore)
        c.ForeColor.setSilently(*d.fore);
    c.applyDesign(rt, d);
}

} // namespace

Form::Form(Runtime& runtime, const FormDesign& design) : runtime_(runtime), design_(design) {
    build();
}

Form::~Form() = default;

void Form::build() {
    Caption.setSilently(design_.caption);
    BackColor.setSilently(design_.back);
    KeyPreview = design_.keyPreview;
    const Size2 extra = runtime_.host().frameExtra(design_.borderStyle);
    Width.setSilently(design_.clientWidth + extra.width);
    Height.setSilently(design_.clientHeight + extra.height);
    Icon = runtime_.designPicture(design_.icon);
    for (const ControlDesign& d : design_.controls) {
        Control* container = d.parent.empty() ? nullptr : find(d.parent);
        auto c = kMakers[static_cast<std::size_t>(d.kind)](*this, container, d);
        applyDesign(runtime_, *c, d, design_);
        if (container)
            container->children_.push_back(c.get());
        else
            children_.push_back(c.get());
        controls_.push_back(std::move(c));
    }
    for (auto& c : controls_)
        if (auto* p = dynamic_cast<PictureBox*>(c.get()); p && !p->container())
            p->alignToContainer(scaleWidth());
}

float Form::scaleWidth() const {
    return Width - runtime_.host().frameExtra(design_.borderStyle).width;
}

float Form::scaleHeight() const {
    return Height - runtime_.host().frameExtra(design_.borderStyle).height;
}

Control* Form::find(std::string_view name, int index) const {
    for (const auto& c : controls_)
        if (c->name() == name && c->index() == index)
            return c.get();
    return nullptr;
}

void Form::Show() {
    runtime_.show(*this, false);
}
void Form::ShowModal() {
    runtime_.show(*this, true);
}
void Form::Hide() {
    runtime_.hide(*this);
}
void Form::Unload() {
    runtime_.unload(*this);
}

Control* Form::focused() const {
    return focused_;
}

void Form::setFocus(Control* c) {
    if (c == focused_)
        return;
    focused_ = c;
    touch();
}

std::vector<Control*> Form::tabOrder() const {
    std::vector<Control*> order;
    for (const auto& c : controls_)
        order.push_back(c.get());
    std::stable_sort(order.begin(), order.end(),
                     [](const Control* a, const Control* b) { return a->TabIndex < b->TabIndex; });
    return order;
}

void Form::focusFirst() {
    for (Control* c : tabOrder())
        if (c->focusable()) {
            setFocus(c);
            return;
        }
    setFocus(nullptr);
}

void Form::focusNext(bool backwards) {
    const std::vector<Control*> order = tabOrder();
    const auto n = static_cast<long>(order.size());
    long at = -1;
    for (long k = 0; k < n; ++k)
        if (order[static_cast<std::size_t>(k)] == focused_)
            at = k;
    if (at < 0)
        at = backwards ? 0 : n - 1;
    for (long step = 1; step <= n; ++step) {
        const long k = ((at + (backwards ? -step : step)) % n + n) % n;
        Control* c = order[static_cast<std::size_t>(k)];
        if (c->focusable()) {
            setFocus(c);
            return;
        }
    }
    setFocus(nullptr);
}

void Form::propertyChanged(Prop which) {
    if (which == Prop::Width)
        for (Control* c : children_)
            if (auto* p = dynamic_cast<PictureBox*>(c))
                p->alignToContainer(scaleWidth());
    if ((which == Prop::Width || which == Prop::Height) && visible_) {
        resizedOnce_ = true;
        Form_Resize();
    }
    touch();
}

} // namespace forms
