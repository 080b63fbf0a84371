#pragma once
// A typed call of a primitive declared in native/WirePrimitives.h.
//
//   const native::Call<native::wire::limn_display_object_set_x> setX;
//   setX(handle, 10.0);
//
// The name and argument count come from the declaration, and each argument is
// checked against its parameter's kind when the call compiles: a missing or
// extra argument, or one of another kind (a number where a handle goes, a
// bool where a number goes), is a compile error. Resolution, the messages of
// a missing primitive and the null callable are those of native::Primitive.

#include <cstddef>
#include <utility>

#include "native/Primitive.h"
#include "native/WirePrimitives.h"

namespace limn::native {

template <class P>
class Call {
public:
    Call() = default;
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

    template <class... A>
    rt::Dynamic operator()(A&&... args) const {
        static_assert(sizeof...(A) == P::Params::size,
                      "wrong number of arguments for this primitive");
        check<A...>(std::index_sequence_for<A...>{});
        return primitive_(wire::crossing(std::forward<A>(args))...);
    }

    [[nodiscard]] const Primitive& primitive() const { return primitive_; }
    [[nodiscard]] bool isNull() const { return primitive_.isNull(); }

private:
    template <class... A, std::size_t... I>
    static constexpr void check(std::index_sequence<I...>) {
        (checkOne<I, A>(), ...);
    }

    template <std::size_t I, class A>
    static constexpr void checkOne() {
        using Kind = typename wire::KindAt<I, typename P::Params>::type;
        static_assert(Kind::template accepts<A>,
                      "an argument of this primitive call is not of its parameter's kind "
                      "(see native/WirePrimitives.h)");
    }

    Primitive primitive_{P::name, P::many ? kVariableArgs : P::arity};
};

}  // namespace limn::native
