// Registers a backend's handler of a primitive declared in
// native/WirePrimitives.h, checked against the declaration.
//
//   native::handle<wire::limn_gfx_line_to>(module,
//       [](DrawingList& list, const auto& a) { list.lineTo(a.x, a.y); });
//
// The handler reads its arguments by name from the primitive's argument record
// (wire::X::Args: Number double, Int int, Bool bool, String std::string,
// MaybeNumber std::optional<double>, Enum<E> E, the other kinds
// const rt::Dynamic&), taken as `const auto&` or by its type; a name the
// declaration does not have is a compile error. Before the record it may take a
// reference to a backend type T (with T* T::from(const rt::Dynamic&)) when the
// first parameter is a handle: it gets the handle's object, and the call yields
// null when the handle is not one. A handler of a primitive with no parameter
// besides that handle may leave the record out. It returns its result's kind
// (void for Void, any value for the kinds that cross as they are). A handler
// that does not match its declaration is a compile error.
//
// Arguments are read as leniently as before: a missing one reads as null, a
// number as 0 when it is not one. A "name__MULT" primitive's handler is
// written the same way; its arguments are unpacked from the array.

#include <array>
#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

#include "native/Module.h"
#include "native/WirePrimitives.h"
#include "runtime/Function.h"

namespace limn::native {

namespace handler_detail {

// The handler's signature; a generic one is taken with its record.
template <class F, class A>
struct Shape : rt::detail::CallableTraits<decltype(&F::template operator()<A>)> {};
template <class F, class A>
requires requires {
    &F::operator();
}
struct Shape<F, A> : rt::detail::CallableTraits<decltype(&F::operator())> {};
template <class R, class... P, class A>
struct Shape<R (*)(P...), A> : rt::detail::CallableTraits<R (*)(P...)> {};

template <class P, class F>
using ShapeOf = Shape<std::decay_t<F>, typename P::Args>;

// A reference to a backend object reached from a handle.
template <class T>
concept Target = std::is_lvalue_reference_v<T> && !std::is_same_v<wire::Bare<T>, rt::Dynamic> &&
                 requires(const rt::Dynamic& v) {
    { wire::Bare<T>::from(v) } -> std::convertible_to<wire::Bare<T>*>;
};

template <class P>
constexpr bool kFirstIsHandle = [] {
    if constexpr (P::Params::size == 0) {
        return false;
    } else {
        return std::is_base_of_v<wire::Handle, typename wire::KindAt<0, typename P::Params>::type>;
    }
}();

template <class P, class T>
constexpr bool kIsRecord = std::is_same_v<T, const typename P::Args&>;

// How a handler takes its arguments: 0 not as declared; 1 (); 2 (Target&);
// 3 (const Args&); 4 (Target&, const Args&).
template <class P, class Params>
constexpr int form() {
    constexpr std::size_t n = std::tuple_size_v<Params>;
    if constexpr (n == 0) {
        return P::Params::size == 0 ? 1 : 0;
    } else if constexpr (n == 1) {
        using A = std::tuple_element_t<0, Params>;
        if constexpr (kIsRecord<P, A>) return 3;
        if constexpr (Target<A>) return kFirstIsHandle<P> && P::Params::size == 1 ? 2 : 0;
        return 0;
    } else if constexpr (n == 2) {
        using A = std::tuple_element_t<0, Params>;
        using B = std::tuple_element_t<1, Params>;
        return Target<A> && kFirstIsHandle<P> && kIsRecord<P, B> ? 4 : 0;
    } else {
        return 0;
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

inline const rt::Dynamic& at(rt::Args args, std::size_t i) {
    static const rt::Dynamic none;
    return i < args.size() ? args[i] : none;
}

template <class P, std::size_t... I>
typename P::Args record(rt::Args args, std::index_sequence<I...>) {
    return typename P::Args{wire::KindAt<I, typename P::Params>::type::read(at(args, I))...};
}

template <class R, class G>
rt::Dynamic yield(const G& g) {
    if constexpr (std::is_void_v<R>) {
        g();
        return {};
    } else {
        return rt::Dynamic(g());
    }
}

template <class P, class F>
rt::Dynamic invoke(const F& f, rt::Args args) {
    using Sig = ShapeOf<P, F>;
    using R = typename Sig::Result;
    constexpr int kForm = form<P, typename Sig::Params>();
    if constexpr (kForm == 1) {
        return yield<R>([&] { return f(); });
    } else if constexpr (kForm == 3) {
        return yield<R>(
            [&] { return f(record<P>(args, std::make_index_sequence<P::Params::size>{})); });
    } else {
        using First = std::tuple_element_t<0, typename Sig::Params>;
        auto* target = wire::Bare<First>::from(at(args, 0));
        if (!target) return {};
        if constexpr (kForm == 2) {
            return yield<R>([&] { return f(*target); });
        } else {
            return yield<R>([&] {
                return f(*target, record<P>(args, std::make_index_sequence<P::Params::size>{}));
            });
        }
    }
}

}  // namespace handler_detail

template <class P, class F>
void handle(TableModule& module, F f) {
    using Sig = handler_detail::ShapeOf<P, F>;
    static_assert(handler_detail::form<P, typename Sig::Params>() != 0,
                  "this handler does not take the primitive's declared number of parameters: "
                  "it takes its argument record (const auto& or const wire::NAME::Args&), "
                  "after the handle's object if it wants it");
    static_assert(handler_detail::returns<typename P::Result, typename Sig::Result>(),
                  "this handler's result is not of the primitive's declared kind");
    if constexpr (P::many) {
        module.add(P::name, kVariableArgs, [f = std::move(f)](rt::Args packed) -> rt::Dynamic {
            auto values = handler_detail::at(packed, 0).asArray();
            if (!values) return {};
            return handler_detail::invoke<P>(f, rt::Args(*values));
        });
    } else {
        module.add(P::name, P::arity, [f = std::move(f)](rt::Args args) -> rt::Dynamic {
            return handler_detail::invoke<P>(f, args);
        });
    }
}

// Every primitive of a part of the wire (wire::part) has a handler: a part of a
// backend registers its handlers in a function template taking the module as
// `auto&` and proves it complete when it compiles:
//
//   constexpr void handleDrawing(auto& module) { handle<wire::limn_gfx_clear>(module, ...); ... }
//   static_assert(native::handlesAll<wire::part::Drawing>([](auto& m) { handleDrawing(m); }));
//
// The proof runs the registration at compile time on a Coverage instead of a
// module; a primitive of the part without a handler fails the build naming it
// (HandlerOf<wire::NAME, false>), and so does a handler of another part's
// primitive.
template <class Part>
class Coverage;

template <class... P>
class Coverage<wire::part::List<P...>> {
public:
    template <class Q>
    constexpr void mark() {
        static_assert((std::is_same_v<Q, P> || ...),
                      "this primitive belongs to another part of the wire");
        std::size_t i = 0;
        static_cast<void>(((std::is_same_v<Q, P> ? false : (++i, true)) && ...));
        seen_[i] = true;
    }
    [[nodiscard]] constexpr const std::array<bool, sizeof...(P)>& seen() const { return seen_; }

private:
    std::array<bool, sizeof...(P)> seen_{};
};

template <class P, class Part, class F>
constexpr void handle(Coverage<Part>& coverage, const F& /*handler*/) {
    coverage.template mark<P>();
}

template <class P, bool Handled>
struct HandlerOf {
    static_assert(Handled,
                  "no handler for this primitive of the part (see native/WirePrimitives.h)");
    static constexpr bool value = Handled;
};

namespace handler_detail {

template <class Register, class... P>
constexpr bool handlesAll(wire::part::List<P...> /*part*/) {
    constexpr auto seen = [] {
        Coverage<wire::part::List<P...>> coverage;
        Register{}(coverage);
        return coverage.seen();
    }();
    return [&]<std::size_t... I>(std::index_sequence<I...>) {
        return (HandlerOf<P, seen[I]>::value && ...);
    }
    (std::index_sequence_for<P...>{});
}

}  // namespace handler_detail

template <class Part, class Register>
constexpr bool handlesAll(Register /*registration*/) {
    return handler_detail::handlesAll<Register>(Part{});
}

// Registers a handler that reads its arguments itself (a wrapper that
// forwards them, a recording module); the name and argument count still come
// from the declaration.
template <class P>
void handleArgs(TableModule& module, PrimitiveFn fn) {
    module.add(P::name, P::many ? kVariableArgs : P::arity, std::move(fn));
}

}  // namespace limn::native
