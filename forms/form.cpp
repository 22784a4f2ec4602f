#include "forms/form.h"

#include <algorithm>

#include "forms/runtime.h"

namespace forms {

namespace {

std::unique_ptr<Control> makeControl(Form& f, Control* container, const ControlDesign& d) {
    switch (d.kind) {
    case ControlKind::PictureBox:
        return std::make_unique<PictureBox>(f, container, d.name, d.index);
    case ControlKind::Image:
        return std::make_unique<Image>(f, container, d.name, d.index);
    case ControlKind::Label:
        return std::make_unique<Label>(f, container, d.name, d.index);
    case ControlKind::TextBox:
        return std::make_unique<TextBox>(f, container, d.name, d.index);
    case ControlKind::CommandButton:
        return std::make_unique<CommandButton>(f, container, d.name, d.index);
    case ControlKind::CheckBox:
        return std::make_unique<CheckBox>(f, container, d.name, d.index);
    case ControlKind::ComboBox:
        return std::make_unique<ComboBox>(f, container, d.name, d.index);
    case ControlKind::ListBox:
        return std::make_unique<ListBox>(f, container, d.name, d.index);
    case ControlKind::DriveListBox:
        return std::make_unique<DriveListBox>(f, container, d.name, d.index);
    case ControlKind::DirListBox:
        return std::make_unique<DirListBox>(f, container, d.name, d.index);
    }
    return nullptr;
}

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
    const Picture pic = rt.designPicture(d.picture);

    if (auto* p = dynamic_cast<PictureBox*>(&c)) {
        p->AutoSize = d.autoSize;
        p->Align = d.align;
        p->Appearance = d.appearance;
        p->BorderStyle.setSilently(d.borderStyle.value_or(1));
        p->Picture = pic; // AutoSize takes the picture's size here
    } else if (auto* i = dynamic_cast<Image*>(&c)) {
        i->Stretch = d.stretch;
        i->Appearance = d.appearance;
        i->BorderStyle.setSilently(d.borderStyle.value_or(0));
        i->Picture = pic;
    } else if (auto* l = dynamic_cast<Label*>(&c)) {
        l->AutoSize = d.autoSize;
        l->Alignment = d.alignment;
        l->BackStyle = d.backStyle;
        l->BorderStyle = d.borderStyle.value_or(0);
        if (!d.back)
            l->BackColor.setSilently(sys::ButtonFace);
        l->Caption.setSilently(d.text);
        l->fitToCaption();
    } else if (auto* t = dynamic_cast<TextBox*>(&c)) {
        t->Alignment = d.alignment;
        t->BorderStyle = d.borderStyle.value_or(1);
        t->Text.setSilently(d.text);
    } else if (auto* b = dynamic_cast<CommandButton*>(&c)) {
        b->Caption.setSilently(d.text);
    } else if (auto* k = dynamic_cast<CheckBox*>(&c)) {
        k->Caption.setSilently(d.text);
        k->Value.setSilently(d.value);
    } else if (auto* cb = dynamic_cast<ComboBox*>(&c)) {
        cb->Text.setSilently(d.text);
    }
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
        auto c = makeControl(*this, container, d);
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
