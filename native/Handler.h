#pragma once
// Registers a backend's handler of a primitive declared in
// native/WirePrimitives.h, checked against the declaration.
//
//   native::handle<wire::limn_display_object_set_x>(module,
//       [](SceneNode& node, double x) { node.setX(x); });
//
// The handler takes one parameter per declared parameter, of its kind's type
// (Number double, Int int, Bool bool, String std::string, the other kinds
// const rt::Dynamic&), and returns its result's kind (void for Void, any value
// for the kinds that cross as they are). A handler whose first parameter is a
// reference to a backend type T (with T* T::from(const rt::Dynamic&)) gets the
// handle's object, and the call yields null when the handle is not one. A
// handler that does not match its declaration is a compile error.
//
// Arguments are read as leniently as before: a missing one reads as null, a
// number as 0 when it is not one. A "name__MULT" primitive's handler is
// written the same way; its arguments are unpacked from the array.

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

#include "native/Module.h"
#include "native/WirePrimitives.h"
#include "runtime/Function.h"

namespace limn::native {

namespace handler_detail {

template <class F>
using Callable = rt::detail::CallableTraits<std::decay_t<F>>;

// A reference to a backend object reached from a handle.
template <class T>
concept Target = std::is_lvalue_reference_v<T> && !std::is_same_v<wire::Bare<T>, rt::Dynamic> &&
                 requires(const rt::Dynamic& v) {
    { wire::Bare<T>::from(v) } -> std::convertible_to<wire::Bare<T>*>;
};

template <class K, class T, std::size_t I>
constexpr bool matches() {
    if constexpr (std::is_base_of_v<wire::Passed, K>) {
        if constexpr (I == 0 && std::is_base_of_v<wire::Handle, K> && Target<T>) return true;
        return std::is_same_v<T, const rt::Dynamic&>;
    } else {
        return std::is_same_v<wire::Bare<T>, typename K::Type> &&
               (!std::is_reference_v<T> || std::is_const_v<std::remove_reference_t<T>>);
    }
}

template <class K, class R>
constexpr bool returns() {
    if constexpr (std::is_same_v<K, wire::Void>) {
        return std::is_void_v<R>;
    } else if constexpr (std::is_base_of_v<wire::Passed, K>) {
        return std::is_constructible_v<rt::Dynamic, R>;
    } else {
        return std::is_same_v<wire::Bare<R>, typename K::Type>;
    }
}

template <class P, class Params, std::size_t... I>
constexpr bool paramsMatch(std::index_sequence<I...>) {
    return (matches<typename wire::KindAt<I, typename P::Params>::type,
                    std::tuple_element_t<I, Params>, I>() &&
            ...);
}

inline const rt::Dynamic& at(rt::Args args, std::size_t i) {
    static const rt::Dynamic none;
    return i < args.size() ? args[i] : none;
}

template <class P, class F, std::size_t... I>
rt::Dynamic invoke(const F& f, rt::Args args, std::index_sequence<I...>) {
    using Sig = Callable<F>;
    using First = std::tuple_element_t<0, typename Sig::Params>;
    using R = typename Sig::Result;
    auto call = [&](auto&& first) -> rt::Dynamic {
        if constexpr (std::is_void_v<R>) {
            f(std::forward<decltype(first)>(first),
              wire::KindAt<I + 1, typename P::Params>::type::read(at(args, I + 1))...);
            return {};
        } else {
            return rt::Dynamic(
                f(std::forward<decltype(first)>(first),
                  wire::KindAt<I + 1, typename P::Params>::type::read(at(args, I + 1))...));
        }
    };
    if constexpr (Target<First>) {
        auto* target = wire::Bare<First>::from(at(args, 0));
        if (!target) return {};
        return call(*target);
    } else {
        return call(wire::KindAt<0, typename P::Params>::type::read(at(args, 0)));
    }
}

template <class P, class F>
rt::Dynamic invokeAll(const F& f, rt::Args args) {
    if constexpr (P::Params::size == 0) {
        if constexpr (std::is_void_v<typename Callable<F>::Result>) {
            f();
            return {};
        } else {
            return rt::Dynamic(f());
        }
    } else {
        return invoke<P>(f, args, std::make_index_sequence<P::Params::size - 1>{});
    }
}

}  // namespace handler_detail

template <class P, class F>
void handle(TableModule& module, F f) {
    using Sig = handler_detail::Callable<F>;
    static_assert(std::tuple_size_v<typename Sig::Params> == P::Params::size,
                  "this handler does not take the primitive's declared number of parameters");
    static_assert(handler_detail::paramsMatch<P, typename Sig::Params>(
                      std::make_index_sequence<P::Params::size>{}),
                  "a parameter of this handler is not of its declared kind "
                  "(see native/WirePrimitives.h)");
    static_assert(handler_detail::returns<typename P::Result, typename Sig::Result>(),
                  "this handler's result is not of the primitive's declared kind");
    if constexpr (P::many) {
        module.add(P::name, kVariableArgs, [f = std::move(f)](rt::Args packed) -> rt::Dynamic {
            auto values = handler_detail::at(packed, 0).asArray();
            if (!values) return {};
            return handler_detail::invokeAll<P>(f, rt::Args(*values));
        });
    } else {
        module.add(P::name, P::arity, [f = std::move(f)](rt::Args args) -> rt::Dynamic {
            return handler_detail::invokeAll<P>(f, args);
        });
    }
}

// Registers a handler that reads its arguments itself (a wrapper that
// forwards them, a recording module); the name and argument count still come
// from the declaration.
template <class P>
void handleArgs(TableModule& module, PrimitiveFn fn) {
    module.add(P::name, P::many ? kVariableArgs : P::arity, std::move(fn));
}

}  // namespace limn::native
