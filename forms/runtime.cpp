#include "forms/runtime.h"

#include <algorithm>

namespace forms {

Runtime::Runtime(Host& host, FileSystem& files, Environment& env)
    : host_(host), files_(files), env_(env) {}

Runtime::~Runtime() {
    // Windows go in reverse order of loading; the handlers of none of them run any more.
    retired_.clear();
    for (auto it = slots_.rbegin(); it != slots_.rend(); ++it)
        it->instance.reset();
}

void Runtime::registerForm(std::string name, FormFactory factory) {
    slots_.push_back(Slot{std::move(name), std::move(factory), nullptr});
}

void Runtime::start() {
    if (slots_.empty())
        return;
    Dispatch d(*this);
    show(form(slots_.front().name), false);
}

Runtime::Slot* Runtime::slot(std::string_view name) {
    for (Slot& s : slots_)
        if (s.name == name)
            return &s;
    return nullptr;
}

const Runtime::Slot* Runtime::slot(std::string_view name) const {
    for (const Slot& s : slots_)
        if (s.name == name)
            return &s;
    return nullptr;
}

Form& Runtime::form(std::string_view name) {
    Slot* s = slot(name);
    if (!s)
        throw MissingControl{std::string(name), {}, -1};
    if (!s->instance) {
        Dispatch d(*this); // Form_Load may unload the window it loads
        s->instance = s->factory(*this);
        Form& f = *s->instance;
        f.Form_Load();
        if (!s->instance) // unloaded by its own Form_Load: there is no window to give
            throw MissingControl{std::string(name), {}, -1};
    }
    return *s->instance;
}

bool Runtime::isLoaded(std::string_view name) const {
    const Slot* s = slot(name);
    return s && s->instance;
}

void Runtime::place(Form& f, const Form* owner) {
    const Size2 screen = host_.screenArea();
    const FormDesign& d = f.design();
    if (d.windowState == 2) {
        f.Left = 0.0f;
        f.Top = 0.0f;
        // Both sides change before the window hears of it, so that its Resize sees the
        // maximized size rather than the screen's width with the design's height.
        const bool wider = f.Width != screen.width;
        const bool taller = f.Height != screen.height;
        f.Width.setSilently(screen.width);
        f.Height.setSilently(screen.height);
        if (wider)
            f.propertyChanged(Prop::Width);
        else if (taller)
            f.propertyChanged(Prop::Height);
        return;
    }
    // Centred on the window that showed it (1), or on the screen (2, and 1 without an
    // owner), kept on the screen; 3 leaves the place to the window system.
    float x = 0, y = 0, w = screen.width, h = screen.height;
    if (d.startUpPosition == 1 && owner) {
        x = owner->Left;
        y = owner->Top;
        w = owner->Width;
        h = owner->Height;
    } else if (d.startUpPosition != 1 && d.startUpPosition != 2) {
        return;
    }
    const auto keepOn = [](float at, float size, float room) {
        return std::clamp(at, 0.0f, std::max(0.0f, room - size));
    };
    f.Left = keepOn(x + (w - f.Width) / 2, f.Width, screen.width);
    f.Top = keepOn(y + (h - f.Height) / 2, f.Height, screen.height);
}

void Runtime::show(Form& f, bool modal) {
    Dispatch d(*this);
    if (f.state() == FormState::Unloaded)
        return;
    if (!f.visible_) {
        // The owner is the window the user was working in: the innermost modal window, or
        // the start window.
        const Form* owner = !modals_.empty() ? modals_.back() : startForm();
        f.visible_ = true;
        const bool resizedBefore = f.resizedOnce_;
        place(f, owner == &f ? nullptr : owner);
        // A window gets one Resize when it is first shown, even at its design size.
        if (!resizedBefore && !f.resizedOnce_) {
            f.resizedOnce_ = true;
            f.Form_Resize();
        }
        f.focusFirst();
        f.touch();
        host_.formShown(f);
        if (f.visible_ && f.state() == FormState::Loaded)
            f.Form_Activate();
    }
    if (modal && f.visible_ && f.state() == FormState::Loaded) {
        modals_.push_back(&f);
        struct Pop {
            std::vector<Form*>& modals;
            ~Pop() { modals.pop_back(); }
        } pop{modals_};
        host_.runModal(*this, f);
    }
}

const Form* Runtime::startForm() const {
    if (slots_.empty() || !slots_.front().instance || !slots_.front().instance->visible())
        return nullptr;
    return slots_.front().instance.get();
}

void Runtime::hide(Form& f) {
    if (!f.visible_)
        return;
    f.visible_ = false;
    f.touch();
    host_.formHidden(f);
}

void Runtime::unload(Form& f) {
    if (f.state() == FormState::Unloaded)
        return;
    Dispatch d(*this);
    f.Form_Unload();
    hide(f);
    f.state_ = FormState::Unloaded;
    host_.formUnloaded(f);
    for (Slot& s : slots_)
        if (s.instance.get() == &f)
            retired_.push_back(std::move(s.instance));
}

void Runtime::end() {
    host_.endProgram();
    throw ProgramEnded{};
}

void Runtime::doEvents() {
    host_.doEvents(*this);
}

Result<Picture> Runtime::loadPicture(std::string_view path) const {
    const auto hostPath = files_.toHost(path);
    if (!hostPath)
        return Failure{"no such path: " + std::string(path)};
    auto r = pictures_.load(*hostPath);
    if (!r)
        return Failure{r.reason()};
    return Picture(r.value());
}

Picture Runtime::designPicture(const std::string& resource) const {
    if (resource.empty())
        return nullptr;
    auto r = PictureData::fromResource(resource);
    return r ? r.value() : nullptr;
}

Size2 Runtime::measureText(const Font& font, std::string_view text) const {
    return host_.measureText(font, text);
}

} // namespace forms
