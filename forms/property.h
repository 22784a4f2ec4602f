#pragma once
#include <concepts>
#include <string>
#include <type_traits>
#include <utility>

namespace forms {

// Which property of a control or form changed; lets a control react (an AutoSize box taking
// its picture's size, a check box raising Click) and the host know what to redraw.
enum class Prop {
    Left,
    Top,
    Width,
    Height,
    Visible,
    Enabled,
    BackColor,
    ForeColor,
    Font,
    ToolTipText,
    Caption,
    Text,
    Picture,
    BorderStyle,
    Value,
    ListIndex,
    TopIndex,
    List,
    Path,
    Drive,
    Other
};

class PropertyOwner {
  public:
    virtual void propertyChanged(Prop which) = 0;

  protected:
    ~PropertyOwner() = default;
};

// A property of the model: reads as its value, and a write that changes the value tells the
// owner. Floating-point properties are single precision; a double written to one is rounded
// to single precision, as the controls store their geometry.
template <class T> class Property {
  public:
    Property(PropertyOwner& owner, Prop id, T init = T{})
        : owner_(owner), id_(id), value_(std::move(init)) {}
    Property(const Property&) = delete;

    // Copies the other property's value (a.Picture = b.Picture).
    Property& operator=(const Property& other) {
        set(other.value_);
        return *this;
    }
    Property& operator=(T v) {
        set(std::move(v));
        return *this;
    }
    template <class U>
    requires(std::is_arithmetic_v<T>&& std::is_arithmetic_v<U> && !std::is_same_v<T, U>) Property&
    operator=(U v) {
        set(static_cast<T>(v));
        return *this;
    }

    operator const T&() const { return value_; }
    const T& get() const { return value_; }
    const T* operator->() const { return &value_; }

    void set(T v) {
        if (value_ == v)
            return;
        value_ = std::move(v);
        owner_.propertyChanged(id_);
    }
    // Sets the value without telling the owner: for the owner's own derived updates.
    void setSilently(T v) { value_ = std::move(v); }

    friend bool operator==(const Property& p, const T& v) { return p.value_ == v; }

  private:
    PropertyOwner& owner_;
    Prop id_;
    T value_;
};

} // namespace forms
