#pragma once
// A typed call of a primitive declared in native/WirePrimitives.h.
//
//   const native::Call<native::wire::limn_display_object_set_x> setX;
//   setX({.object = handle, .value = 10.0});
//   const double x = getX({.object = handle});
//
// The name and argument count come from the declaration. The arguments are
// passed by name, in declaration order, and each is checked against its
// parameter's kind when the call compiles: a missing, misnamed or misplaced
// argument, or one of another kind (a number where a handle goes, a bool where
// a number goes), is a compile error, and so is a positional call
// ({handle, 10.0}; see wire::ByName). The result is of the declared kind
// (double, int, bool, std::string, or rt::Dynamic for the kinds that cross as
// they are; nothing for Void). Resolution, the messages of a missing primitive
// and the null callable are those of native::Primitive.

#include <utility>

#include "native/Primitive.h"
#include "native/WirePrimitives.h"

namespace limn::native {

template <class P>
class Call {
public:
    using Args = typename P::Send;

    Call() = default;
    Call(const Call&) = delete;
    Call& operator=(const Call&) = delete;

    // A primitive without parameters is called with none: now().
    auto operator()(Args args = noArguments()) const {
        return wire::result<typename P::Result>(asCrossed(std::move(args)));
    }

    // The result as it crossed, for a caller that reads it more strictly than
    // its kind does.
    rt::Dynamic asCrossed(Args args) const {
        return std::move(args).apply([this](auto&&... values) {
            if constexpr (sizeof...(values) == 0) {
                return primitive_.invoke({});
            } else {
                const rt::Dynamic packed[] = {
                    wire::crossing(std::forward<decltype(values)>(values))...};
                return primitive_.invoke(packed);
            }
        });
    }

    [[nodiscard]] const Primitive& primitive() const { return primitive_; }
    [[nodiscard]] bool isNull() const { return primitive_.isNull(); }

private:
    static Args noArguments() requires(P::arity == 0) { return {}; }

    Primitive primitive_{P::name, P::many ? kVariableArgs : P::arity};
};

}  // namespace limn::native
