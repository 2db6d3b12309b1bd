#pragma once

#include <type_traits>
#include <utility>

#include "platform/forms/control.h"
#include "platform/forms/controls.h"
#include "platform/forms/picture_box.h"

namespace forms {

namespace detail {

// T with the constness of Like.
template <class Like, class T>
using same_const_as = std::conditional_t<std::is_const_v<Like>, const T, T>;

}  // namespace detail

// Calls f with the control as what it is, and returns what f returns. This is the one place
// that turns a control's kind into its type: f must take every kind (a kind it cannot take
// fails to compile), so code that visits stays complete when a kind is added here.
template <class C, class F>
requires std::is_same_v<std::remove_const_t<C>, Control>
decltype(auto) visit(C& control, F&& f) {
    const auto as = [&]<class T>() -> detail::same_const_as<C, T>& {
        return static_cast<detail::same_const_as<C, T>&>(control);
    };
    switch (control.kind()) {
        case ControlKind::Label:
            return std::forward<F>(f)(as.template operator()<Label>());
        case ControlKind::TextBox:
            return std::forward<F>(f)(as.template operator()<TextBox>());
        case ControlKind::VScrollBar:
            return std::forward<F>(f)(as.template operator()<VScrollBar>());
        case ControlKind::CheckBox:
            return std::forward<F>(f)(as.template operator()<CheckBox>());
        case ControlKind::CommandButton:
            return std::forward<F>(f)(as.template operator()<CommandButton>());
        case ControlKind::PictureBox:
            return std::forward<F>(f)(as.template operator()<PictureBox>());
        case ControlKind::Image:
            return std::forward<F>(f)(as.template operator()<Image>());
        case ControlKind::Timer:
            return std::forward<F>(f)(as.template operator()<Timer>());
    }
    __builtin_unreachable();  // every kind is a case above
}

// One callable made of several lambdas, one per kind or group of kinds, for visit.
template <class... Fs>
struct overloaded : Fs... {
    using Fs::operator()...;
};
// Spelled out for compilers that deduce no aggregate's arguments (clang before 17).
template <class... Fs>
overloaded(Fs...) -> overloaded<Fs...>;

// The control as a T (a Timer, a TextBox), or null when it is of another kind.
template <class T, class C>
requires std::is_same_v<std::remove_const_t<C>, Control> detail::same_const_as<C, T>
*control_cast(C& control) {
    return visit(control, [](auto& actual) -> detail::same_const_as<C, T>* {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(actual)>, T>) {
            return &actual;
        } else {
            return nullptr;
        }
    });
}

}  // namespace forms
